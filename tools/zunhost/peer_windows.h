#pragma once

// Stand-ins for the other add-ons' windows that the registry lists as open:
// hidden windows that take the offers the host routes to them and report
// what they were offered, so an exchange can be followed to its end.

#include <windows.h>

#include <string>
#include <vector>

#include "zunhost/win32_scoped.h"

namespace zun::devhost {

class HostEnvironment;
class HostLog;

class PeerWindows {
 public:
  PeerWindows(HostEnvironment& environment, HostLog& log) : environment_(environment), log_(log) {}
  PeerWindows(const PeerWindows&) = delete;
  PeerWindows& operator=(const PeerWindows&) = delete;

  // One window for every open registry entry that has none yet (so not the
  // add-on's, which opens later), attached to its entry. False with the
  // reason in error when a window cannot be created.
  bool Create(std::string& error);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void TakeOffer(HWND window);

  HostEnvironment& environment_;
  HostLog& log_;
  std::vector<UniqueWindow> windows_;
};

}  // namespace zun::devhost
