#pragma once

// An add-on on the real Win32 ports, with its host folder in a fresh
// temporary folder, for tests that drive its windows in-process.

#include <string>

#include "support/test_files.h"
#include "win32/addon.h"

namespace zun::testing {

struct AddonFixture {
  explicit AddonFixture(const std::string& prefix = "Test ", TempFolder* sharedFolder = nullptr)
      : folder(sharedFolder ? *sharedFolder : own) {
    addon.Errors().SetHost(folder.Path(), prefix);
  }

  std::string SettingsValue(const std::string& key, const std::string& prefix = "Test ") const {
    char value[1024] = {};
    GetPrivateProfileStringA((prefix + "ZUN Plugins").c_str(), key.c_str(), "<missing>", value, sizeof value,
                             (folder / "User_DBase_Builder.ini").c_str());
    return value;
  }

  TempFolder own;
  TempFolder& folder;
  win32::Win32ProfileStore profile;
  win32::Win32SharedMemory memory;
  win32::Win32Clock clock;
  win32::Win32ScreenCursor cursor;
  win32::Addon addon{{PlatformFileSystem(), profile, memory, clock, cursor}};
};

}  // namespace zun::testing
