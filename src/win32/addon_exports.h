#pragma once

// The five exports the host calls: stdcall, undecorated names (see
// User_DBase_Builder.def). The DLL implements them; the development host and
// the test hosts load them with GetProcAddress.

#include <cstdint>

#include "host/host_messages.h"
#include "host/plugin_description.h"

namespace zun {

// Window handles cross the interface as pointers (32 bits in the host).
using AddonWindowHandle = void*;

extern "C" {
using PluginDataFunction = uint8_t(__stdcall*)(PluginDescription* record, const char* folder, const char* prefix);
using AddonDataFunction = uint8_t(__stdcall*)(const char* path);
using RunAddonFunction = uint8_t(__stdcall*)(AddonWindowHandle hostWindow, int32_t reserved,
                                             AddonWindowHandle* addonWindow, const char* hostFolder,
                                             const char* hostPrefix, const char* hostVersion);
using CanCloseFunction = uint8_t(__stdcall*)();
// message: the host's MSG of a WM_DROPFILES; the drop handle is read at offset 8.
using DraggedDroppedFilesFunction = uint8_t(__stdcall*)(const void* message);
}

}  // namespace zun
