#include "zunhost/shell_drop.h"

#include <shlobj.h>

#include <cstring>

namespace zun::devhost {

HGLOBAL MakeShellDrop(const std::vector<std::string>& names) {
  size_t size = sizeof(DROPFILES) + 1;  // the list ends with an empty name
  for (const auto& name : names) size += name.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, size);
  if (memory == nullptr) return nullptr;
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  char* text = reinterpret_cast<char*>(drop + 1);
  for (const auto& name : names) {
    std::memcpy(text, name.c_str(), name.size() + 1);
    text += name.size() + 1;
  }
  GlobalUnlock(memory);
  return memory;
}

}  // namespace zun::devhost
