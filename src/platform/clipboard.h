#pragma once

#include <string_view>

#include "base/text_lines.h"

namespace zun {

// The system's clipboard, as text. The defaults hold nothing and take
// nothing (a tool has no clipboard).
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Puts 8-bit text (the add-on's code page; lines ended by CR LF) on the
  // clipboard, as Unicode and as 8-bit text. False when it cannot.
  virtual bool PutText(std::string_view /*text*/) { return false; }
  // Hands each line of the clipboard's text to `sink`, in order, as 8-bit
  // text (base/text_lines.h). False when the clipboard holds no text.
  virtual bool ReadLines(const LineSink& /*sink*/) { return false; }
};

}  // namespace zun
