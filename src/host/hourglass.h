#pragma once

// The hourglass over the add-on's windows, switched by nested scopes.

#include "base/scope_guards.h"
#include "host/error_reporter.h"

namespace zun {

class ScreenCursor;

// The screen cursor as something switched on and off.
class HourglassCursor {
 public:
  explicit HourglassCursor(ScreenCursor& cursor) noexcept : cursor_(&cursor) {}
  void On() { SetBusy(*cursor_, true); }
  void Off() { SetBusy(*cursor_, false); }

 private:
  ScreenCursor* cursor_;
};

// One per screen cursor. The host adapter owns it beside the cursor port and hands
// it to the work that wants the hourglass (FileWork, the intake): a load run
// by a command or by a drop, a save asked for by the save question, all
// share the outermost scope's hourglass, which goes when that scope ends
// and not when the first inner one does. The count cannot live in the
// cursor port (a platform interface, implemented once per platform and
// again by every test fake) nor in a guard (each guard sees only itself).
// A failure's report clears the cursor outright (ErrorReporter), whatever
// scopes are open: the message is read with the ordinary cursor.
using Hourglass = NestedSwitch<HourglassCursor>;
using BusyScope = Hourglass::Scope;

}  // namespace zun
