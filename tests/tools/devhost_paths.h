#pragma once

// Paths of the build's own files as the Windows programs under test spell
// them: under Wine the Linux root is drive Z:.

#include <string>

namespace zun::testing {

inline std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

inline std::string ZunhostExe() { return WindowsPath(ZUNHOST_EXE); }
inline std::string FakeAddonDll() { return WindowsPath(FAKE_ADDON_DLL); }

}  // namespace zun::testing
