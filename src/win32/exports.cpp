// The five exports the host calls (names undecorated by User_DBase_Builder.def).
// Each hands over to the add-on, which lets no exception out; the add-on
// itself is made on the first call, and if even that fails the host gets
// the export's "nothing done" answer.

#include <windows.h>

#include <type_traits>

#include "win32/addon.h"
#include "win32/addon_exports.h"

using zun::PluginDescription;
using zun::win32::Addon;

extern "C" {

uint8_t __stdcall Plugin_Data(PluginDescription* record, const char* folder, const char* prefix) {
  try {
    return Addon::Instance().PluginData(record, folder, prefix);
  } catch (...) {
    return 0;
  }
}

uint8_t __stdcall Addon_Data(const char* path) {
  try {
    return Addon::Instance().AddonData(path);
  } catch (...) {
    return 0;
  }
}

uint8_t __stdcall Run_ZUN_Addon(zun::AddonWindowHandle hostWindow, int32_t /*reserved*/,
                                                       zun::AddonWindowHandle* addonWindow, const char* hostFolder,
                                                       const char* hostPrefix, const char* hostVersion) {
  try {
    return Addon::Instance().Run(static_cast<HWND>(hostWindow), reinterpret_cast<HWND*>(addonWindow), hostFolder,
                                 hostPrefix, hostVersion);
  } catch (...) {
    return 0;
  }
}

uint8_t __stdcall Addon_CanClose_ZUN() {
  try {
    return Addon::Instance().CanClose();
  } catch (...) {
    return 0;  // unsure: keep the user's work
  }
}

uint8_t __stdcall DraggedDropped_Files(const void* message) {
  try {
    return Addon::Instance().DraggedDroppedFiles(message);
  } catch (...) {
    return 1;
  }
}

}  // extern "C"

// The exports must keep the host's calling convention and signatures.
static_assert(std::is_same_v<decltype(&Plugin_Data), zun::PluginDataFunction>);
static_assert(std::is_same_v<decltype(&Addon_Data), zun::AddonDataFunction>);
static_assert(std::is_same_v<decltype(&Run_ZUN_Addon), zun::RunAddonFunction>);
static_assert(std::is_same_v<decltype(&Addon_CanClose_ZUN), zun::CanCloseFunction>);
static_assert(std::is_same_v<decltype(&DraggedDropped_Files), zun::DraggedDroppedFilesFunction>);
