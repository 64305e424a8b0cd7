// The rules map end to end: ktreva-host --map writes an SVG that xmllint
// accepts, with one group per area rule, and that rsvg-convert renders with
// each area in its colour where the area is and at the scale its bar states.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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
  ScratchDir dir_;
};

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

}  // namespace
