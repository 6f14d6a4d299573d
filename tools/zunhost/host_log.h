#pragma once

// Where the development host reports the exchange: one line per event on
// stdout, flushed at once so that tests and people see it as it happens,
// and in the host window's log view once there is one.

#include <windows.h>

#include <string>

namespace zun::devhost {

class HostLog {
 public:
  void Line(const std::string& text) noexcept;
  // An edit control that shows every later line too; null stops that.
  void ShowIn(HWND view) noexcept { view_ = view; }

 private:
  HWND view_ = nullptr;
};

}  // namespace zun::devhost
