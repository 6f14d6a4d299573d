#pragma once

// The database's files: new, save, save as, the question before unsaved
// entries are dropped, loading one or several ".sl5", ".sl4" and ".sl3"
// files (replacing the entries or appending to them), and taking files
// dropped on the add-on. Each operation names itself in ErrorLocation,
// changes the session through the method that states its rule, and then
// tells the views (list, grids, file label, progress).

#include <cstdint>
#include <string>
#include <vector>

#include "model/file_kind.h"
#include "operations/workspace.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/host_notifier.h"
#include "platform/message_prompt.h"
#include "host/error_reporter.h"
#include "host/hourglass.h"
#include "host/settings.h"

namespace zun {

// The file label when the database is the content of several files.
inline constexpr char kMultipleFilesLabel[] = "Multiple Database Files Loaded.";
// The file label of a new database.
inline constexpr char kNoFileLabel[] = "---";

// What the file operations work on: the editing workspace and the ports
// that reach files, questions and the host.
struct FileWork {
  Workspace work;
  FileSystem& files;
  MessagePrompt& prompt;
  FileDialogs& dialogs;
  HostNotifier& notifier;
  RecentFileList& recent;
  ErrorReporter& errors;
  Hourglass& hourglass;
};

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
SaveOutcome SaveDatabase(FileWork& fw);
// Asks for a name and saves there, changed or not. The chosen file becomes
// the current file only once it was written.
SaveOutcome SaveDatabaseAs(FileWork& fw);
// Whether the caller may drop the entries: true when nothing is unsaved, or
// the user said No, or said Yes and the save succeeded. Cancel, a cancelled
// name and a failed save all answer false. Yes shows a hidden main window
// before it saves.
bool ConfirmSave(FileWork& fw);

// After ConfirmSave: an empty database tied to no file (under the hourglass).
void NewDatabase(FileWork& fw);

// Whether a file can be loaded into the current game, by its kind: a
// ".sl5" by its header (its sets must fit the game), ".sl4" and ".sl3" when
// the game and database take six numbers from 49. With `failures`, a ".sl5"
// whose header cannot be read adds its path and "\r".
bool IsSuitableFile(FileSystem& files, const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database,
                    const DatabaseFileName& file, std::string* failures);

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
int32_t LoadDatabaseFiles(FileWork& fw, const LoadRequest& request);
// As LoadDatabaseFiles, but several files' way even for one name (drops).
int32_t LoadFilesTogether(FileWork& fw, const std::vector<DatabaseFileName>& files, bool clear);
int32_t LoadFilesTogether(FileWork& fw, const std::vector<std::string>& names, bool clear);

// The dropped names that can be loaded, with their kinds: an exact ".sl5",
// ".sl4" or ".sl3" extension and an existing file.
std::vector<DatabaseFileName> UsableDroppedNames(FileSystem& files, const std::vector<std::string>& names);
// Files dropped on the add-on: without a usable name nothing happens.
// Otherwise a list with rows asks whether to clear it (Yes clears, No
// appends, Cancel stops); clearing asks to save first. `step` is the code
// the question and the load run under, once the names are sorted out: the
// shell drop's second half, or the offered file's own.
void TakeDroppedFiles(FileWork& fw, const std::vector<std::string>& names, const char* step);

}  // namespace zun
