#include "zunhost/host_log.h"

#include <cstdio>

namespace zun::devhost {

void HostLog::Line(const std::string& text) noexcept {
  std::fputs(text.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
  if (view_ == nullptr || !IsWindow(view_)) return;
  try {
    // Edit controls break lines only at CR LF.
    std::string line;
    for (const char c : text) {
      if (c == '\n') line += '\r';
      line += c;
    }
    line += "\r\n";
    const LRESULT end = SendMessageA(view_, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(view_, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageA(view_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
  } catch (...) {
    // The line is on stdout already; the view only mirrors it.
  }
}

}  // namespace zun::devhost
