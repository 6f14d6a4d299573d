#pragma once

// A shell drop made by hand: the DROPFILES block in global memory that the
// shell hands a window with WM_DROPFILES, holding 8-bit names.

#include <windows.h>

#include <string>
#include <vector>

namespace zun::devhost {

// The block (to be freed with DragFinish or GlobalFree); null when memory
// runs out.
HGLOBAL MakeShellDrop(const std::vector<std::string>& names);

}  // namespace zun::devhost
