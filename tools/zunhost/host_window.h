#pragma once

// The development host's main window, "ZUN Development Host": its "Add-on"
// menu drives the add-on as the host's would, its procedure answers the
// add-on's requests, and its message loop hands dropped files to the
// add-on. Every message exchanged goes to the log.

#include <windows.h>

#include <string>
#include <vector>

#include "zunhost/addon_library.h"
#include "zunhost/win32_scoped.h"

namespace zun::devhost {

class HostEnvironment;
class HostLog;

inline constexpr char kHostWindowClass[] = "ZUN_Development_Host";
inline constexpr char kHostWindowCaption[] = "ZUN Development Host";

// The "Add-on" menu's commands (WM_COMMAND identifiers).
enum HostCommand : int {
  kShowAddon = 101,  // posts 0x590 to the add-on's window
  kHourglassOn,      // posts 0x59C
  kHourglassOff,     // posts 0x59D
  kCloseAddon,       // asks Addon_CanClose_ZUN, then sends 0x591
  kExit,             // closes the add-on as above, then the host
};

class HostWindow {
 public:
  HostWindow(HostEnvironment& environment, HostLog& log) : environment_(environment), log_(log) {}
  // Destroys the window while everything its procedure uses still exists.
  ~HostWindow() { window_.reset(); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Creates and shows the window with its menu and log view. False with the
  // reason in error when it cannot.
  bool Create(std::string& error);
  HWND Handle() const noexcept { return window_.get(); }

  // From here on the menu, dropped files and closing involve the add-on.
  void AttachAddon(const AddonExports& exports, HWND addonWindow) noexcept;

  // Asks the add-on to show its window and, once it has painted, writes a
  // picture of it to path and closes everything: exit code 0, or 1 when the
  // picture could not be taken.
  void ScheduleScreenshot(const std::string& path);
  // Drops these files on the host's window as the shell would: the drop
  // reaches the add-on through the message loop and DraggedDropped_Files.
  void DropFiles(const std::vector<std::string>& paths);

  // Runs until the window is closed; returns the exit code.
  int RunMessageLoop();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int command);
  void OnDrop(const MSG& message);
  void RaiseAddon();
  void TakeScreenshot();
  // Posts (or sends) a message to the add-on's window and logs it.
  void PostToAddon(UINT message);
  LRESULT SendToAddon(UINT message);
  // Asks the add-on whether it may close and closes it for good; with
  // `force` it is closed even when it asks to stay. False when it stays.
  bool CloseAddon(bool force);
  // Closes the add-on, then the window, ending the message loop with exitCode.
  void CloseHost(bool force, int exitCode);
  bool IsHostWindow(HWND window) const noexcept;

  HostEnvironment& environment_;
  HostLog& log_;
  UniqueWindow window_;
  HWND logView_ = nullptr;  // a child, destroyed with the window
  UniqueAccelerators accelerators_;
  AddonExports addon_;
  HWND addonWindow_ = nullptr;
  bool addonClosed_ = false;
  std::string screenshotPath_;
  int exitCode_ = 0;
};

}  // namespace zun::devhost
