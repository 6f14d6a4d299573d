#include "list/html_template.h"

#include <cstdint>

namespace zun {
namespace {

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Upper(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Reads the tag that starts at `at` (on "<#"). Returns the position after its
// ">", or 0 when the tag does not end.
size_t ParseTag(std::string_view text, size_t at, TemplatePart& tag) {
  const size_t n = text.size();
  size_t i = at + 2;
  const size_t nameStart = i;
  while (i < n && !IsBlank(text[i]) && text[i] != '>') ++i;
  tag.isTag = true;
  tag.text = text.substr(nameStart, i - nameStart);
  tag.parameters.clear();
  for (;;) {
    while (i < n && IsBlank(text[i])) ++i;
    if (i >= n) return 0;
    if (text[i] == '>') return i + 1;
    const size_t paramStart = i;
    while (i < n && !IsBlank(text[i]) && text[i] != '>' && text[i] != '=') ++i;
    TemplateParameter parameter{text.substr(paramStart, i - paramStart), {}};
    if (i < n && text[i] == '=') {
      ++i;
      if (i < n && text[i] == '"') {
        const size_t close = text.find('"', i + 1);
        if (close == std::string_view::npos) return 0;
        parameter.value = text.substr(i + 1, close - i - 1);
        i = close + 1;
      } else {
        const size_t valueStart = i;
        while (i < n && !IsBlank(text[i]) && text[i] != '>') ++i;
        parameter.value = text.substr(valueStart, i - valueStart);
      }
    }
    tag.parameters.push_back(parameter);
  }
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

std::vector<TemplatePart> ParseHtmlTemplate(std::string_view text) {
  std::vector<TemplatePart> parts;
  size_t textStart = 0;
  size_t from = 0;
  TemplatePart tag;
  for (;;) {
    const size_t at = text.find("<#", from);
    if (at == std::string_view::npos) break;
    const size_t end = ParseTag(text, at, tag);
    if (end == 0) {
      from = at + 2;  // not a tag: "<#" stays in the text
      continue;
    }
    if (at > textStart) parts.push_back({false, text.substr(textStart, at - textStart), {}});
    parts.push_back(std::move(tag));
    tag = TemplatePart{};
    textStart = from = end;
  }
  if (textStart < text.size()) parts.push_back({false, text.substr(textStart), {}});
  return parts;
}

TagLevel LevelOf(const TemplatePart& tag) noexcept {
  TagLevel level;
  for (const auto& parameter : tag.parameters) {
    if (!EqualsIgnoringCase(parameter.name, "Level") || parameter.value.empty()) continue;
    const std::string_view text = parameter.value;
    level.text = text;
    size_t i = 0;
    const bool negative = text[0] == '-';
    if (text[0] == '+' || text[0] == '-') i = 1;
    if (i == text.size()) {
      level.whole = false;
      return level;
    }
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
      if (text[i] < '0' || text[i] > '9') {
        level.whole = false;
        return level;
      }
      magnitude = magnitude * 10 + (text[i] - '0');
      if (magnitude > INT32_MAX) magnitude = int64_t{INT32_MAX} + 1;  // saturates
    }
    const int64_t value = negative ? -magnitude : magnitude;
    level.value = static_cast<int32_t>(value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : value);
    return level;
  }
  return level;
}

}  // namespace zun
