#pragma once

// The HTML list templates: text with tags in it. A tag is "<#", its name,
// then any parameters, each separated by blanks (spaces, tabs, line breaks)
// and written name=value, then ">". A value may stand in double quotes and
// then hold blanks and ">"; a parameter without "=" has an empty value.
// Everything outside tags is text, copied byte for byte.
//
// A "<#" whose tag does not end (no ">" before the end of the template, or a
// quoted value that never closes) is not a tag: the two characters are text
// and the scan goes on right after them, so tags further on still count.

#include <cstdint>
#include <string_view>
#include <vector>

namespace zun {

struct TemplateParameter {
  std::string_view name;
  std::string_view value;  // without its quotes
};

struct TemplatePart {
  bool isTag = false;
  std::string_view text;  // text: the bytes to copy; tag: the tag's name
  std::vector<TemplateParameter> parameters;
};

// The template's text and tags in order; the parts view into `text`.
// Adjacent text is one part.
std::vector<TemplatePart> ParseHtmlTemplate(std::string_view text);

// ASCII letters compared without case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept;

// A tag's level: the value of its first "Level" parameter (any case) that
// has one, as a whole number ("2", "+2", "-1"; nothing else around it), or
// 1 when no Level parameter has a value. Numbers beyond 32 bits are clamped:
// no set has such a level either way.
struct TagLevel {
  bool whole = true;  // false: the value is not a whole number
  int32_t value = 1;
  std::string_view text;  // the value as written
};
TagLevel LevelOf(const TemplatePart& tag) noexcept;

}  // namespace zun
