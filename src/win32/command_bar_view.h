#pragma once

// The command bar: a flat tool bar in the buttons panel, one button per
// row in the order of ToolButtonCommands(), each showing its command's
// picture and its hint as a tool tip. A click runs the command through the
// adapter; the adapter says which buttons are enabled (ShowCommandStates).
//
// The tool bar reports clicks (WM_COMMAND) and its tool tips' requests
// (WM_NOTIFY) to its parent panel. The tool bar and its tip are tied to
// this object (SystemControl), so the panel hands them here first;
// OnCommand and OnNotify also take them from any window that passes them on.

#include <windows.h>

#include <commctrl.h>

#include "core/command_table.h"
#include "platform/views.h"
#include "win32/scoped.h"
#include "win32/system_control.h"

namespace zun {
class HostAdapter;
}

namespace zun::win32 {

inline constexpr int kCommandBarControlId = 0x4331;
inline constexpr int kCommandButtonWidth = 72;
inline constexpr int kCommandButtonHeight = 35;
inline constexpr int kCommandImageSize = 16;
inline constexpr int kCommandImageCount = 8;

// The tool bar's pictures, drawn in code: 0 a page, 1 an open folder,
// 2 a green plus, 3 an eraser, 4 a check mark, 5 a red X, 6 a die, 7 a
// page struck through in red (a file that is missing).
UniqueImageList CreateCommandImages();

class CommandBarWindow final : public CommandBarView, public SystemControl {
 public:
  explicit CommandBarWindow(HostAdapter& adapter) : adapter_(adapter) {}
  ~CommandBarWindow() override;
  CommandBarWindow(const CommandBarWindow&) = delete;
  CommandBarWindow& operator=(const CommandBarWindow&) = delete;

  // Creates the tool bar in `panel`, filling its client area. Add, Apply
  // and Delete start disabled.
  void Create(HWND panel);

  // A WM_COMMAND the panel passed on: a click on one of the buttons runs
  // its command. Returns whether it came from this tool bar.
  bool OnCommand(WPARAM wParam, LPARAM lParam);
  // A WM_NOTIFY the panel passed on: the buttons' tool tips. Returns
  // whether it was handled; `result` is then what the window procedure returns.
  bool OnNotify(NMHDR* header, LRESULT& result);
  // ReflectedControl: WM_COMMAND goes to OnCommand, WM_NOTIFY to OnNotify.
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // CommandBarView
  void ShowCommandStates(const CommandStates& states) override;

 private:
  void AddButtons();
  void EnableButton(CommandId id, bool enabled);
  // The Load button's drop-down menu: New, Load, Reopen with the recent
  // files, Save and Save As; runs what the user chose.
  void ShowFileMenu();
  HWND ToolTips() const;
  // The tool bar passes its tip's requests on as the tip's.
  HWND Companion() const override { return ToolTips(); }

  HostAdapter& adapter_;
  UniqueImageList images_;  // the tool bar does not destroy the list it is given: it goes after it
};

}  // namespace zun::win32
