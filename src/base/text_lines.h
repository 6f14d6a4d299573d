#pragma once

// Lines of text from a file or the clipboard, as the add-on's 8-bit texts:
// UTF-8 (with or without its byte order mark) and UTF-16 (with its mark)
// are turned into Windows-1252, characters it lacks into "?"; other bytes
// are taken as they are. Lines end at CR LF, LF or a lone CR. A line longer
// than kMaxLineLength is handed on cut to one character more, so that its
// reader can refuse it without holding all of it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace zun {

inline constexpr size_t kMaxLineLength = 65536;

using LineSink = std::function<void(std::string_view line)>;

// Every line of a file's bytes, in order.
void ForEachTextLine(std::span<const uint8_t> bytes, const LineSink& sink);
// Every line of 8-bit text.
void ForEachAnsiLine(std::string_view text, const LineSink& sink);
// Every line of UTF-16 text (the clipboard's), up to its first NUL.
void ForEachUtf16Line(std::u16string_view text, const LineSink& sink);

// One code point as Windows-1252; "?" when it has none.
char AnsiOf(char32_t codePoint) noexcept;

}  // namespace zun
