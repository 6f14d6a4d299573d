#pragma once

// A child panel: a frame of the main window or a part of a dialog. It
// passes its children's notifications on to its parent and can draw a
// bevel around its edge.

#include "win32/window.h"

namespace zun::win32 {

enum class Bevel { None, Raised, Sunken, RaisedInnerLoweredOuter };

class Panel : public Window {
 public:
  // className names the frame's role ("TMainFrame_UDBase_List"), so the
  // panel can be found and told apart from the others.
  Panel(HWND parent, const char* className, Bevel bevel, bool visible = true)
      : Panel(parent, className, bevel, static_cast<DWORD>(visible ? WS_VISIBLE : 0)) {}

  void Place(int left, int top, int width, int height);

 protected:
  Panel(HWND parent, const char* className, Bevel bevel, DWORD extraStyle);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  Bevel bevel_;
};

// Lets pending window messages run (posted and sent messages, painting,
// timers), as long work does between its steps. The user's keys and clicks
// stay queued for the host's loop: a command never runs inside another, and
// keys typed ahead (Ctrl+Z, then Ctrl+Y) run in the order they were typed.
void ProcessPendingMessages();

// The font of the add-on's windows: MS Sans Serif, 8 point. One per module.
HFONT AddonFont();
void ReleaseAddonFont();

}  // namespace zun::win32
