#include "console/editor_matches.h"

#include <optional>

namespace {

std::string shared_part(const std::vector<std::string>& texts) {
  std::string common = texts.front();
  for (const std::string& text : texts) {
    std::size_t n = 0;
    while (n < common.size() && n < text.size() && common[n] == text[n]) ++n;
    common.resize(n);
  }
  return common;
}

// The replacement of the word from `word_start` as a replacement of the
// editor's word from `span_start`; nothing when the text between the two
// starts is not the beginning of the replacement.
std::optional<std::string> fit_span(const std::string& text, std::string_view line,
                                    std::size_t word_start, std::size_t span_start) {
  if (span_start <= word_start) {
    return std::string(line.substr(span_start, word_start - span_start)) + text;
  }
  const std::string_view lead = line.substr(word_start, span_start - word_start);
  if (text.compare(0, lead.size(), lead) != 0) return std::nullopt;
  return text.substr(lead.size());
}

}  // namespace

std::vector<std::string> editor_matches(const Completion& completion,
                                        std::string_view before_cursor, std::size_t span_start) {
  const std::size_t word_start = completion.word_start;
  if (completion.texts.empty() || word_start > before_cursor.size() ||
      span_start > before_cursor.size()) {
    return {};
  }
  std::string common = shared_part(completion.texts);
  const std::string_view typed = before_cursor.substr(word_start);
  // Several candidates that share less than was typed leave the word as it is.
  if (completion.texts.size() > 1 && common.size() < typed.size()) common = typed;
  const std::optional<std::string> first = fit_span(common, before_cursor, word_start, span_start);
  if (!first) return {};
  if (completion.texts.size() == 1) return {*first, *first};
  std::vector<std::string> matches{*first};
  const auto& listed = completion.choices.empty() ? completion.texts : completion.choices;
  matches.insert(matches.end(), listed.begin(), listed.end());
  return matches;
}
