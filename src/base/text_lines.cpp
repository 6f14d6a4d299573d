#include "base/text_lines.h"

#include <algorithm>
#include <array>

namespace zun {
namespace {

// Windows-1252's bytes 0x80 to 0x9F, as code points (0 where undefined).
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Splits text of any code units into lines; `convert` turns one line's
// units into an 8-bit line (given at most kMaxLineLength + 1 units), in
// the buffer it is given when the line must change.
template <class Unit, class Convert>
void SplitLines(std::basic_string_view<Unit> text, Convert convert, const LineSink& sink) {
  std::string buffer;
  size_t start = 0;
  const size_t size = text.size();
  while (start < size) {
    size_t end = start;
    while (end < size && text[end] != Unit('\n') && text[end] != Unit('\r')) ++end;
    sink(convert(text.substr(start, std::min(end - start, kMaxLineLength + 1)), buffer));
    start = end;
    if (start < size && text[start] == Unit('\r')) ++start;
    if (start < size && text[start] == Unit('\n') && (end == start || text[end] == Unit('\r'))) ++start;
  }
}

bool IsUtf8WithHighBytes(std::string_view line) {
  bool high = false;
  for (size_t i = 0; i < line.size();) {
    const auto c = static_cast<uint8_t>(line[i]);
    size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > line.size()) return false;
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<uint8_t>(line[i + k]) & 0xC0) != 0x80) return false;
    high = high || length > 1;
    i += length;
  }
  return high;
}

std::string_view Utf8ToAnsi(std::string_view line, std::string& out) {
  out.clear();
  for (size_t i = 0; i < line.size();) {
    const auto c = static_cast<uint8_t>(line[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    const size_t length = (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : 4;
    char32_t point = c & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
    for (size_t k = 1; k < length && i + k < line.size(); ++k) point = (point << 6) | (line[i + k] & 0x3F);
    out += AnsiOf(point);
    i += length;
  }
  return out;
}

std::string_view Utf16ToAnsi(std::u16string_view line, std::string& out) {
  out.clear();
  for (size_t i = 0; i < line.size(); ++i) {
    const char16_t unit = line[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < line.size() && line[i + 1] >= 0xDC00 && line[i + 1] <= 0xDFFF) {
      out += '?';  // a pair: no character of Windows-1252
      ++i;
      continue;
    }
    out += AnsiOf(unit >= 0xD800 && unit <= 0xDFFF ? char32_t{0xFFFD} : char32_t{unit});
  }
  return out;
}

}  // namespace

char AnsiOf(char32_t point) noexcept {
  if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) return static_cast<char>(point);
  for (size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] != 0 && kHighControls[i] == point) return static_cast<char>(0x80 + i);
  return '?';
}

void ForEachAnsiLine(std::string_view text, const LineSink& sink) {
  SplitLines(text, [](std::string_view line, std::string&) { return line; }, sink);
}

void ForEachUtf16Line(std::u16string_view text, const LineSink& sink) {
  const size_t nul = text.find(u'\0');
  if (nul != std::u16string_view::npos) text = text.substr(0, nul);
  SplitLines(text, [](std::u16string_view line, std::string& buffer) { return Utf16ToAnsi(line, buffer); }, sink);
}

void ForEachTextLine(std::span<const uint8_t> bytes, const LineSink& sink) {
  const auto starts = [&](std::initializer_list<uint8_t> mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
  };
  if (starts({0xFF, 0xFE}) || starts({0xFE, 0xFF})) {
    // UTF-16 with its mark: its units, then the lines as above.
    const bool big = bytes[0] == 0xFE;
    std::u16string units((bytes.size() - 2) / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
      const uint8_t a = bytes[2 + 2 * i], b = bytes[3 + 2 * i];
      units[i] = static_cast<char16_t>(big ? (a << 8 | b) : (b << 8 | a));
    }
    SplitLines(std::u16string_view(units), [](std::u16string_view line, std::string& buffer) { return Utf16ToAnsi(line, buffer); }, sink);
    return;
  }
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (starts({0xEF, 0xBB, 0xBF})) text.remove_prefix(3);
  SplitLines(
      text,
      [](std::string_view line, std::string& buffer) {
        return IsUtf8WithHighBytes(line) ? Utf8ToAnsi(line, buffer) : line;
      },
      sink);
}

}  // namespace zun
