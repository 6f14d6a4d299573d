#include "win32/win32_file_dialogs.h"

#include <commdlg.h>

#include "host/file_dialog_text.h"

namespace zun::win32 {
namespace {

// Room for many chosen files: a multiple choice lists every name.
constexpr size_t kOpenBufferSize = 1 << 20;
constexpr size_t kSaveBufferSize = 4096;

}  // namespace

// Shows a common dialog of the options' texts writing into `buffer`;
// false when the user cancelled.
bool Win32FileDialogs::Show(const FileDialogOptions& options, char* buffer, size_t size, DWORD flags,
                            BOOL(WINAPI* show)(LPOPENFILENAMEA)) {
  const std::string filter = DialogFilter(options.filter);
  const std::string extension = DialogDefaultExtension(options.defaultExtension);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_ ? owner_() : nullptr;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = buffer;
  dialog.nMaxFile = static_cast<DWORD>(size);
  dialog.lpstrInitialDir = options.initialFolder.c_str();
  dialog.lpstrTitle = options.title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | flags;
  return show(&dialog) != FALSE;
}

std::vector<std::string> Win32FileDialogs::Open(const FileDialogOptions& options) {
  std::vector<char> buffer(kOpenBufferSize, '\0');
  const DWORD flags = OFN_FILEMUSTEXIST | (options.multiSelect ? OFN_ALLOWMULTISELECT : 0);
  // Cancelled, or more names than the buffer holds.
  if (!Show(options, buffer.data(), buffer.size(), flags, GetOpenFileNameA)) return {};
  return ChosenFiles(buffer.data(), buffer.size());
}

std::string Win32FileDialogs::Save(const FileDialogOptions& options) {
  char buffer[kSaveBufferSize] = {};
  const DWORD flags = options.promptOverwrite ? OFN_OVERWRITEPROMPT : 0;
  if (!Show(options, buffer, sizeof buffer, flags, GetSaveFileNameA)) return {};
  return buffer;
}

}  // namespace zun::win32
