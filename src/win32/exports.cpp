// The five exports the host calls (names undecorated by User_DBase_Builder.def).
// Each hands over to the add-on, which lets no exception out.

#include <windows.h>

#include <type_traits>

#include "win32/addon.h"
#include "win32/addon_exports.h"

using zun::PluginDescription;
using zun::win32::Addon;

extern "C" {

uint8_t __stdcall Plugin_Data(PluginDescription* record, const char* folder,
                                                     const char* prefix) {
  return Addon::Instance().PluginData(record, folder, prefix);
}

uint8_t __stdcall Addon_Data(const char* path) { return Addon::Instance().AddonData(path); }

uint8_t __stdcall Run_ZUN_Addon(zun::AddonWindowHandle hostWindow, int32_t /*reserved*/,
                                                       zun::AddonWindowHandle* addonWindow, const char* hostFolder,
                                                       const char* hostPrefix, const char* hostVersion) {
  return Addon::Instance().Run(static_cast<HWND>(hostWindow), reinterpret_cast<HWND*>(addonWindow), hostFolder,
                               hostPrefix, hostVersion);
}

uint8_t __stdcall Addon_CanClose_ZUN() { return Addon::Instance().CanClose(); }

uint8_t __stdcall DraggedDropped_Files(const void* message) {
  return Addon::Instance().DraggedDroppedFiles(message);
}

}  // extern "C"

// The exports must keep the host's calling convention and signatures.
static_assert(std::is_same_v<decltype(&Plugin_Data), zun::PluginDataFunction>);
static_assert(std::is_same_v<decltype(&Addon_Data), zun::AddonDataFunction>);
static_assert(std::is_same_v<decltype(&Run_ZUN_Addon), zun::RunAddonFunction>);
static_assert(std::is_same_v<decltype(&Addon_CanClose_ZUN), zun::CanCloseFunction>);
static_assert(std::is_same_v<decltype(&DraggedDropped_Files), zun::DraggedDroppedFilesFunction>);
