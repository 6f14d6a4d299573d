#pragma once

// The common open and save dialogs, owned by the add-on's main window.

#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/file_dialogs.h"

namespace zun::win32 {

class Win32FileDialogs final : public FileDialogs {
 public:
  // owner() names the window the dialogs belong to when they open.
  explicit Win32FileDialogs(std::function<HWND()> owner) : owner_(std::move(owner)) {}

  std::vector<std::string> Open(const FileDialogOptions& options) override;
  std::string Save(const FileDialogOptions& options) override;

 private:
  bool Show(const FileDialogOptions& options, char* buffer, size_t size, DWORD flags,
            BOOL(WINAPI* show)(LPOPENFILENAMEA));
  std::function<HWND()> owner_;
};

}  // namespace zun::win32
