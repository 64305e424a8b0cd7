// The rules map end to end: ktreva-host --map writes an SVG that xmllint
// accepts, with one group per area rule, and that rsvg-convert renders with
// each area in its colour where the area is and at the scale its bar states;
// the geography under the rules; shapes right anywhere on Earth, placed
// through the projection that the root <svg> states.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/scratch_dir.h"

namespace {

const std::string kExamples = std::string(KTREVA_SOURCE_DIR) + "/examples/";

// One rule of each area kind around the example station (Denver), each in a
// place of its own: its centre is inside no other shape.
const char* const kEveryKind =
    "pass\timplicit\n"
    "drop\tcircle\t30, 40:30:00, -104:00:00\t# north-east\n"
    "pass\trectangle\tN 39d, W 106d, N 38d 30m, W 105d\n"
    "pass\tsector\t100d, 170d, 10, 40\n"
    "drop\tcompass\tN, 39:00:00, -104:00:00\n";

struct Rgb {
  int r = 0, g = 0, b = 0;
};

class Png {
 public:
  explicit Png(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return;
    image.format = PNG_FORMAT_RGB;
    width_ = static_cast<int>(image.width);
    height_ = static_cast<int>(image.height);
    pixels_.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, pixels_.data(), 0, nullptr) == 0) pixels_.clear();
  }
  bool ok() const { return !pixels_.empty(); }
  int width() const { return width_; }
  Rgb at(double x, double y) const {
    const int col = std::clamp(static_cast<int>(x), 0, width_ - 1);
    const int row = std::clamp(static_cast<int>(y), 0, height_ - 1);
    const unsigned char* p = &pixels_[(static_cast<std::size_t>(row) * width_ + col) * 3];
    return {p[0], p[1], p[2]};
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<unsigned char> pixels_;
};

bool red_dominant(Rgb c) { return c.r > c.g + 25 && c.r > c.b + 25; }
bool green_dominant(Rgb c) { return c.g > c.r + 25 && c.g > c.b + 25; }
// The white background, or a grid line on it.
bool background(Rgb c) { return c.r >= 200 && std::abs(c.r - c.g) < 8 && std::abs(c.g - c.b) < 8; }

struct Box {
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
  double cx() const { return (left + right) / 2; }
  double cy() const { return (top + bottom) / 2; }
};

// The rule groups of the map as "action kind line", in drawing order.
std::vector<std::string> rule_groups(const std::string& svg) {
  std::vector<std::string> found;
  for (std::size_t at = svg.find("<g class=\"rule "); at != std::string::npos;
       at = svg.find("<g class=\"rule ", at + 1)) {
    char action[16] = {};
    char kind[16] = {};
    int line = 0;
    if (std::sscanf(svg.c_str() + at, "<g class=\"rule %15[a-z] %15[a-z]\" data-line=\"%d\">",
                    action, kind, &line) == 3) {
      found.push_back(std::string(action) + " " + kind + " " + std::to_string(line));
    }
  }
  return found;
}

// The bounding box of the path in the group of the rule on `line`.
Box path_box(const std::string& svg, int line) {
  const std::size_t group = svg.find("data-line=\"" + std::to_string(line) + "\"");
  const std::size_t d = svg.find(" d=\"", group);
  std::istringstream path(svg.substr(d + 4, svg.find('"', d + 4) - d - 4));
  Box box;
  for (std::string word, y; path >> word;) {
    if (word[0] != 'M' && word[0] != 'L') continue;
    path >> y;
    const double px = std::stod(word.substr(1));
    const double py = std::stod(y);
    box = {std::min(box.left, px), std::min(box.top, py), std::max(box.right, px),
           std::max(box.bottom, py)};
  }
  return box;
}

double number_after(const std::string& svg, const std::string& key) {
  const std::size_t at = svg.find(key);
  return at == std::string::npos ? NAN : std::stod(svg.substr(at + key.size()));
}

// A point on the page, by the projection the root <svg> states (azimuthal
// equidistant around data-center).
struct PageXY {
  double x = 0, y = 0;
};
PageXY page_of(const std::string& svg, double lat, double lon) {
  constexpr double kRad = std::numbers::pi / 180.0;
  constexpr double kEarthMiles = 3958.76;
  double lat0 = 0, lon0 = 0, ox = 0, oy = 0;
  std::sscanf(svg.c_str() + svg.find("data-center=\""),
              "data-center=\"%lf %lf\" data-origin=\"%lf %lf", &lat0, &lon0, &ox, &oy);
  const double s = number_after(svg, "data-units-per-mile=\"");
  const double p0 = lat0 * kRad, p = lat * kRad, dl = (lon - lon0) * kRad;
  const double east = std::cos(p) * std::sin(dl);
  const double north = std::cos(p0) * std::sin(p) - std::sin(p0) * std::cos(p) * std::cos(dl);
  if (std::hypot(east, north) < 1e-12) return {ox, oy};
  const double c =
      std::atan2(std::hypot(east, north),
                 std::sin(p0) * std::sin(p) + std::cos(p0) * std::cos(p) * std::cos(dl));
  const double k = kEarthMiles * c / std::hypot(east, north) * s;
  return {ox + k * east, oy - k * north};
}

// The point `miles` from the station on `bearing`.
PageXY page_polar(const std::string& svg, double bearing, double miles) {
  const double s = number_after(svg, "data-units-per-mile=\"");
  double ox = 0, oy = 0;
  std::sscanf(svg.c_str() + svg.find("data-origin=\""), "data-origin=\"%lf %lf", &ox, &oy);
  const double t = bearing * std::numbers::pi / 180.0;
  return {ox + miles * s * std::sin(t), oy - miles * s * std::cos(t)};
}

int brightness(Rgb c) { return c.r + c.g + c.b; }

bool has_tool(const char* name) {
  return std::system(("command -v " + std::string(name) + " >/dev/null").c_str()) == 0;
}

// Runs --map over the files in `dir`; the SVG's text, empty on failure.
std::string make_map(const ScratchDir& dir, const std::string& config, const std::string& rules) {
  const RunResult run =
      run_program({KTREVA_HOST_PATH, "--map", "map.svg", "--config", config, "--rules", rules}, "",
                  dir.path(), 60);
  EXPECT_EQ(run.exit_status, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("Map written to map.svg\n"), std::string::npos) << run.out;
  const std::string lint = "xmllint --noout '" + dir.path("map.svg") + "'";
  EXPECT_EQ(std::system(lint.c_str()), 0) << "not well-formed XML";
  return read_file(dir.path("map.svg"));
}

class MapEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!has_tool("xmllint") || !has_tool("rsvg-convert"))
      FAIL() << "needs xmllint and rsvg-convert: bash scripts/deps.sh libxml2-utils librsvg2-bin";
  }
  // The map of `config` and `rules` (texts), rendered; its SVG.
  std::string render(const std::string& config, const std::string& rules, Png* png = nullptr) {
    dir_.write("c.txt", config);
    dir_.write("r.txt", rules);
    const std::string svg = make_map(dir_, dir_.path("c.txt"), dir_.path("r.txt"));
    const std::string cmd =
        "rsvg-convert -o '" + dir_.path("map.png") + "' '" + dir_.path("map.svg") + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    if (png != nullptr) *png = Png(dir_.path("map.png"));
    return svg;
  }
  ScratchDir dir_;
};

const char* const kDenver = "call kd0xyz\nposition 39:44:50 -104:59:22\n";
const char* const kFiji = "call fj1abc\nposition -17:48:00 178:00:00\n";

TEST_F(MapEndToEnd, OneGroupPerAreaRuleWithItsActionKindAndLine) {
  struct Case {
    std::string rules;
    std::vector<std::string> groups;
  };
  dir_.write("every.txt", kEveryKind);
  const Case cases[] = {
      {kExamples + "filters.txt",
       {"pass circle 28", "pass compass 30", "pass rectangle 32", "pass sector 34",
        "drop sector 36"}},
      {dir_.path("every.txt"),
       {"drop circle 2", "pass rectangle 3", "pass sector 4", "drop compass 5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rules);
    const std::string svg = make_map(dir_, kExamples + "station.txt", c.rules);
    EXPECT_EQ(rule_groups(svg), c.groups);
    EXPECT_NE(svg.find(">KD0XYZ-7</text>"), std::string::npos) << "station label";
  }
}

TEST_F(MapEndToEnd, RenderedAreasShowTheirColoursAtTheScaleOfTheBar) {
  dir_.write("every.txt", kEveryKind);
  const std::string svg = make_map(dir_, kExamples + "station.txt", dir_.path("every.txt"));
  const std::string render =
      "rsvg-convert -o '" + dir_.path("map.png") + "' '" + dir_.path("map.svg") + "'";
  ASSERT_EQ(std::system(render.c_str()), 0);
  const Png png(dir_.path("map.png"));
  ASSERT_TRUE(png.ok());
  ASSERT_EQ(png.width(), static_cast<int>(number_after(
                             svg, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"")))
      << "rendered at another scale than drawn";

  const Box circle = path_box(svg, 2);
  const Box rectangle = path_box(svg, 3);
  EXPECT_TRUE(red_dominant(png.at(circle.cx(), circle.cy())));
  EXPECT_TRUE(green_dominant(png.at(rectangle.cx(), rectangle.cy())));
  // The map's south-east corner, just inside its frame, lies outside every
  // area (the grid labels stand at its west and north edges).
  double x = 0, y = 0, w = 0, h = 0;
  const std::size_t clip = svg.find("<clipPath id=\"map-area\">");
  ASSERT_NE(clip, std::string::npos);
  ASSERT_EQ(std::sscanf(svg.c_str() + clip,
                        "<clipPath id=\"map-area\"><rect x=\"%lf\" y=\"%lf\" width=\"%lf\" "
                        "height=\"%lf\"",
                        &x, &y, &w, &h),
            4);
  const double right = x + w;
  const double bottom = y + h;
  EXPECT_TRUE(background(png.at(right - 4, bottom - 4)));

  // Straight up from the centre, the red ends at the circle's edge: 30 miles
  // at the scale bar's pixels per mile.
  const double px_per_mile =
      number_after(svg, "data-px=\"") / number_after(svg, "class=\"scale-bar\" data-miles=\"");
  double edge = circle.cy();
  while (edge > 0 && red_dominant(png.at(circle.cx(), edge - 1))) edge -= 1;
  EXPECT_NEAR(circle.cy() - edge, 30 * px_per_mile, 0.02 * 30 * px_per_mile);
}

TEST_F(MapEndToEnd, TheReadmesExampleMapIsTheExampleFilesMap) {
  const RunResult run = run_program({KTREVA_HOST_PATH, "--map", dir_.path("map.svg"), "--config",
                                     "station.txt", "--rules", "filters.txt"},
                                    "", kExamples, 60);
  ASSERT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(describe_mismatch(read_file(std::string(KTREVA_SOURCE_DIR) + "/docs/example-map.svg"),
                              read_file(dir_.path("map.svg"))),
            "")
      << "remake it: cd examples && ktreva-host --map ../docs/example-map.svg --config "
         "station.txt --rules filters.txt";
}

TEST_F(MapEndToEnd, ExampleFilesCheckQuietlyAndAFailedCompileDrawsNothing) {
  const RunResult check =
      run_program({KTREVA_HOST_PATH, "--check", "--config", kExamples + "station.txt", "--rules",
                   kExamples + "filters.txt"},
                  "", dir_.path(), 60);
  EXPECT_EQ(check.out, "Configuration items processed 17\nRules processed 12, implicit 1\n");
  EXPECT_EQ(check.exit_status, 0);

  const std::string bad = dir_.write("bad.txt", "drop\timplicit\npass\tcircle\t25\n");
  const RunResult map =
      run_program({KTREVA_HOST_PATH, "--map", "map.svg", "--rules", bad}, "", dir_.path(), 60);
  EXPECT_EQ(map.exit_status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir_.path("map.svg")));
}

TEST_F(MapEndToEnd, TheGeographyLiesUnderTheRulesWhereItShould) {
  const std::string example = make_map(dir_, kExamples + "station.txt", kExamples + "filters.txt");
  for (const char* kind : {"coast", "border", "state", "town"}) {
    EXPECT_NE(example.find("<g class=\"geo " + std::string(kind) + "\""), std::string::npos)
        << kind;
  }
  double x = 0, y = 0;
  const std::size_t denver = example.find(">Denver</text>");
  ASSERT_NE(denver, std::string::npos);
  ASSERT_EQ(std::sscanf(example.c_str() + example.rfind("<text class=\"town\"", denver),
                        "<text class=\"town\" x=\"%lf\" y=\"%lf\"", &x, &y),
            2);
  EXPECT_TRUE(x > 20 && x < 700 && y > 44 && y < 724) << x << " " << y;
  EXPECT_LT(example.find("class=\"geo "), example.find("<g class=\"rule "));

  // A pass circle over the Colorado-Wyoming line, a drop circle on its own.
  Png png(std::string{});
  const std::string svg = render(kDenver,
                                 "pass\tcircle\t120, 39:44:50, -104:59:22\n"
                                 "drop\tcircle\t20, 38:00:00, -103:00:00\n",
                                 &png);
  ASSERT_TRUE(png.ok());
  const Box drop = path_box(svg, 2);
  EXPECT_TRUE(red_dominant(png.at(drop.cx(), drop.cy())));
  for (const double lon : {-105.5, -106.0, -106.5}) {
    const PageXY on = page_of(svg, 41.0, lon);
    Rgb line = png.at(on.x, on.y);
    for (const int dy : {-1, 1}) {
      if (brightness(png.at(on.x, on.y + dy)) < brightness(line)) line = png.at(on.x, on.y + dy);
    }
    EXPECT_LT(brightness(line), brightness(png.at(on.x, on.y + 6)) - 60) << lon << ": no line";
    EXPECT_TRUE(green_dominant(line)) << lon << ": the line is drawn over the rule";
  }
}

TEST_F(MapEndToEnd, ShapesAreRightNearAPoleAcrossTheDateLineAndWestOfTheStation) {
  Png png(std::string{});
  std::string svg =
      render("position -85:00:00 30:00:00\n", "drop\tcircle\t700, -88:00:00, 120:00:00\n", &png);
  const PageXY station = page_of(svg, -85.0, 30.0);
  EXPECT_TRUE(red_dominant(png.at(station.x - 10, station.y + 10))) << "the station is outside";

  svg = render(kFiji, "drop\tcircle\t120, -17:00:00, 179:50:00\n");
  const std::string group = svg.substr(svg.find("data-line=\"1\""));
  const std::string d = group.substr(0, group.find("\"/>"));
  EXPECT_EQ(std::count(d.begin(), d.end(), 'M'), 1);
  const Box circle = path_box(svg, 1);
  const double across = 240 * number_after(svg, "data-units-per-mile=\"");
  EXPECT_NEAR(circle.right - circle.left, across, 0.02 * across);
  EXPECT_NEAR(circle.bottom - circle.top, across, 0.02 * across);

  svg = render(kDenver, "pass\tsector\t250d, 290d, 10, 60\n", &png);
  const PageXY west = page_polar(svg, 270, 35);
  const PageXY east = page_polar(svg, 90, 35);
  EXPECT_TRUE(green_dominant(png.at(west.x, west.y)));
  EXPECT_FALSE(green_dominant(png.at(east.x, east.y)));
}

TEST_F(MapEndToEnd, ABoxAcrossTheDateLineIsTheSameBoxFromAnyStationAndWarned) {
  const std::string box = "drop\trectangle\t-10:00:00, 170:00:00, -20:00:00, -170:00:00\n";
  const std::string warning =
      "Warning: r.txt[1]: the device compares longitudes as numbers: this box spans 340 degrees; "
      "if you meant the box across the date line, split it in two\n";
  // Fiji, west of the date line, and Apia, just east of it: both outside
  // the box read with its longitudes as numbers.
  for (const char* station : {kFiji, "position -13:50:00 -171:46:00\n"}) {
    SCOPED_TRACE(station);
    Png png(std::string{});
    const std::string svg = render(station, box, &png);
    const PageXY inside = page_of(svg, -15.0, 160.0);
    const PageXY outside = page_of(svg, -15.0, 175.0);
    EXPECT_TRUE(red_dominant(png.at(inside.x, inside.y)));
    EXPECT_FALSE(red_dominant(png.at(outside.x, outside.y)));
    const RunResult check =
        run_program({KTREVA_HOST_PATH, "--check", "--config", "c.txt", "--rules", "r.txt"}, "",
                    dir_.path(), 60);
    EXPECT_NE(check.out.find(warning), std::string::npos) << check.out;
    // --check measures the same box: Fiji 8 degrees from its edge, Apia 1.8.
    EXPECT_EQ(check.out.find("rectangle lies ") != std::string::npos, station == kFiji)
        << check.out;
  }
}

TEST_F(MapEndToEnd, TheMapNeverReplacesItsInputs) {
  const std::string config = dir_.write("station.txt", kDenver);
  const RunResult run = run_program({KTREVA_HOST_PATH, "--map", "./station.txt", "--config",
                                     "station.txt", "--rules", kExamples + "filters.txt"},
                                    "", dir_.path(), 60);
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(read_file(config), kDenver);

  dir_.write("map.svg", "an older map");
  const RunResult failed = run_program(
      {KTREVA_HOST_PATH, "--map", "map.svg", "--rules", dir_.write("bad.txt", "pass\tcircle\n")},
      "", dir_.path(), 60);
  EXPECT_EQ(failed.exit_status, 1);
  EXPECT_NE(failed.err.find("map.svg is an older map, left as it was"), std::string::npos)
      << failed.err;
  EXPECT_EQ(read_file(dir_.path("map.svg")), "an older map");
}

TEST_F(MapEndToEnd, CheckBlamesTheStationAndKnowsAPositionLineFromTheDefault) {
  dir_.write("r.txt",
             "pass\tcircle\t25, 39:44:21, -104:59:03\ndrop\tcircle\t5, 39:44:21, -104:49:03\n");
  struct Case {
    const char* config;
    bool no_position;  // warned that the file sets none
    bool blamed;       // the position named as the slip
  };
  for (const Case& c : {Case{"call kd0xyz\n", true, false},
                        Case{"position 40:00:00 -105:15:00\n", false, false},  // the default's
                        Case{"call kd0xyz\nposition 39:44:50 104:59:22\n", false, true}}) {
    dir_.write("c.txt", c.config);
    const RunResult check =
        run_program({KTREVA_HOST_PATH, "--check", "--config", "c.txt", "--rules", "r.txt"}, "",
                    dir_.path(), 60);
    EXPECT_EQ(check.out.find("the configuration file sets no position") != std::string::npos,
              c.no_position)
        << c.config << check.out;
    EXPECT_EQ(check.out.find("Warning: c.txt[2]: every area rule (2) lies more than") !=
                  std::string::npos,
              c.blamed)
        << check.out;
  }
}

}  // namespace
