#include "zunhost/addon_library.h"

namespace zun::devhost {
namespace {

// GetProcAddress's result as the export's own type. Going through void*
// keeps the compiler from comparing the two function types.
template <class Function>
bool FindExport(HMODULE module, const char* name, Function& function, std::string& missing) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (function != nullptr) return true;
  missing += missing.empty() ? name : std::string(", ") + name;
  return false;
}

}  // namespace

std::string SystemErrorText(DWORD error) {
  char* text = nullptr;
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = "error " + std::to_string(error);
  if (length != 0 && text != nullptr) {
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
      message.pop_back();
    result += ": " + message;
  }
  if (text != nullptr) LocalFree(text);
  return result;
}

bool AddonLibrary::Load(const std::string& path) {
  Unload();
  error_.clear();
  UniqueLibrary module(LoadLibraryA(path.c_str()));
  if (!module) {
    error_ = "cannot load " + path + " (" + SystemErrorText(GetLastError()) + ")";
    return false;
  }
  AddonExports found;
  std::string missing;
  // Every lookup runs, so the text names all that are missing at once.
  bool all = FindExport(module.get(), "Plugin_Data", found.PluginData, missing);
  all &= FindExport(module.get(), "Addon_Data", found.AddonData, missing);
  all &= FindExport(module.get(), "Run_ZUN_Addon", found.RunAddon, missing);
  all &= FindExport(module.get(), "Addon_CanClose_ZUN", found.CanClose, missing);
  all &= FindExport(module.get(), "DraggedDropped_Files", found.DraggedDroppedFiles, missing);
  if (!all) {
    error_ = path + " lacks the export(s) " + missing + " (undecorated names are required)";
    return false;
  }
  module_ = std::move(module);
  exports_ = found;
  return true;
}

void AddonLibrary::Unload() noexcept {
  exports_ = {};
  module_.reset();
}

}  // namespace zun::devhost
