#pragma once

// The build's own programs as the Windows programs under test name them.

#include <string>

#include "support/test_files.h"

namespace zun::testing {

inline std::string ZunhostExe() { return PlatformPath(ZUNHOST_EXE); }
inline std::string FakeAddonDll() { return PlatformPath(FAKE_ADDON_DLL); }

}  // namespace zun::testing
