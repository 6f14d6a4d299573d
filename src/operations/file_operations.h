#pragma once

// The database's files: new, save, save as, the question before unsaved
// entries are dropped, loading one or several ".sl5", ".sl4" and ".sl3"
// files (replacing the entries or appending to them), and taking files
// dropped on the add-on. Each operation names itself in ErrorLocation and
// changes the document through its named changes.

#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"
#include "model/file_kind.h"
#include "operations/services.h"

namespace zun {

enum class SaveOutcome {
  NothingToSave,  // no unsaved changes: nothing written, nobody told
  Saved,
  Cancelled,  // the user cancelled the name
  Failed,     // reported; the database stays unsaved
};

// The hourglass shows while a file is written (not while a name is asked
// for); a failure is reported naming the file being written, and the
// hourglass goes in every case.

// Save (Ctrl+S): with no current file, or several files loaded, it is Save
// As, changed or not; otherwise unsaved changes go to the current file.
SaveOutcome SaveDatabase(Document& document, Services& services);
// Asks for a name and saves there, changed or not. The chosen file becomes
// the current file only once it was written.
SaveOutcome SaveDatabaseAs(Document& document, Services& services);
// Whether the caller may drop the entries: true when nothing is unsaved, or
// the user said No, or said Yes and the save succeeded. Cancel, a cancelled
// name and a failed save all answer false. Yes shows a hidden main window
// before it saves.
bool ConfirmSave(Document& document, Services& services);

// New: after ConfirmSave, an empty database tied to no file (under the
// hourglass).
void NewDatabase(Document& document, Services& services);

struct LoadRequest {
  std::vector<std::string> names;  // used when preset
  bool preset = false;             // false: the open dialog asks
  bool clear = true;               // several files replace the entries (false: appended)
  bool fromRecent = false;         // names[0] is recent file `recentIndex`
  int32_t recentIndex = 0;
};

// Loads files: one name replaces the database with that file, several are
// taken together (replacing or appending). Busy cursor and progress run
// meanwhile; when entries changed the list is refilled and the grids
// cleared. Returns how many files were taken.
int32_t LoadDatabaseFiles(Document& document, Services& services, const LoadRequest& request);
// As LoadDatabaseFiles, but several files' way even for one name (drops).
int32_t LoadFilesTogether(Document& document, Services& services, const std::vector<DatabaseFileName>& files,
                          bool clear);
int32_t LoadFilesTogether(Document& document, Services& services, const std::vector<std::string>& names, bool clear);

// Load (Ctrl+L): asks to save, clears the selection, then the open dialog.
void LoadCommand(Document& document, Services& services);
// The Reopen menu's item for recent file `index` (0..14): asks to save,
// then loads that file alone. A file that no longer exists is skipped
// without a word.
void ReopenRecentFile(Document& document, Services& services, int32_t index);

// The dropped names that can be loaded, with their kinds: an exact ".sl5",
// ".sl4" or ".sl3" extension and an existing file.
std::vector<DatabaseFileName> UsableDroppedNames(FileSystem& files, const std::vector<std::string>& names);
// Files dropped on the add-on: without a usable name nothing happens.
// Otherwise the list takes the focus and, when it has rows, asks whether to
// clear it (Yes clears, No appends, Cancel stops); clearing asks to save
// first. `step` is the code the question and the load run under, once the
// names are sorted out: the shell drop's second half, or the offered file's
// own.
void TakeDroppedFiles(Document& document, Services& services, const std::vector<std::string>& names,
                      const char* step);

}  // namespace zun
