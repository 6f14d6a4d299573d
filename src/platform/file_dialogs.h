#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zun {

// The common file dialogs. Each answers the chosen names, or nothing when
// the user cancelled.
struct FileDialogOptions {
  std::string title;
  std::string filter;            // "Name|*.ext|Other|*.a;*.b"
  std::string defaultExtension;  // "*.sl5"
  std::string initialFolder = ".";
  bool multiSelect = false;      // open only
  bool promptOverwrite = false;  // save only
};

// A save dialog that asks before replacing an existing file.
inline FileDialogOptions OverwritingSave(std::string title, std::string filter, std::string defaultExtension) {
  FileDialogOptions options;
  options.title = std::move(title);
  options.filter = std::move(filter);
  options.defaultExtension = std::move(defaultExtension);
  options.promptOverwrite = true;
  return options;
}

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen files, or an empty list when cancelled.
  virtual std::vector<std::string> Open(const FileDialogOptions& options) = 0;
  // The chosen file, or an empty text when cancelled.
  virtual std::string Save(const FileDialogOptions& options) = 0;
};

// Dialogs that are always cancelled: a tool's, which shows no windows.
class NoFileDialogs final : public FileDialogs {
 public:
  std::vector<std::string> Open(const FileDialogOptions&) override { return {}; }
  std::string Save(const FileDialogOptions&) override { return {}; }
};

}  // namespace zun
