#pragma once

// The system's clipboard: text put as CF_UNICODETEXT and CF_TEXT, read from
// CF_UNICODETEXT (else CF_TEXT) line by line, each line turned into the
// system's 8-bit code page as it is read, so the clipboard's text is never
// held twice over.

#include <windows.h>

#include <functional>

#include "platform/clipboard.h"

namespace zun::win32 {

class Win32Clipboard final : public Clipboard {
 public:
  // owner() names the window that opens the clipboard (may be null).
  explicit Win32Clipboard(std::function<HWND()> owner) : owner_(std::move(owner)) {}

  bool PutText(std::string_view text) override;
  bool ReadLines(const LineSink& sink) override;

 private:
  bool Open() const;
  std::function<HWND()> owner_;
};

}  // namespace zun::win32
