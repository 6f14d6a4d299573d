#pragma once

// The add-on's DLL, loaded by path, with the five exports the host calls.

#include <windows.h>

#include <string>

#include "win32/addon_exports.h"
#include "zunhost/win32_scoped.h"

namespace zun::devhost {

struct AddonExports {
  PluginDataFunction PluginData = nullptr;
  AddonDataFunction AddonData = nullptr;
  RunAddonFunction RunAddon = nullptr;
  CanCloseFunction CanClose = nullptr;
  DraggedDroppedFilesFunction DraggedDroppedFiles = nullptr;
};

class AddonLibrary {
 public:
  AddonLibrary() = default;
  AddonLibrary(const AddonLibrary&) = delete;
  AddonLibrary& operator=(const AddonLibrary&) = delete;
  // Frees the library: destroy it only once the add-on is closed.
  ~AddonLibrary() { Unload(); }

  // Loads the DLL and finds all five exports. False, with nothing loaded and
  // the reason in ErrorText(), when the DLL cannot be loaded or lacks any.
  bool Load(const std::string& path);
  void Unload() noexcept;

  bool IsLoaded() const noexcept { return static_cast<bool>(module_); }
  // Valid while the library is loaded.
  const AddonExports& Exports() const noexcept { return exports_; }
  const std::string& ErrorText() const noexcept { return error_; }

 private:
  UniqueLibrary module_;
  AddonExports exports_;
  std::string error_;
};

// The system's text for an error code, on one line.
std::string SystemErrorText(DWORD error);

}  // namespace zun::devhost
