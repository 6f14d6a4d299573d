#include "operations/file_operations.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/error_location.h"
#include "base/paths.h"
#include "base/percent.h"
#include "base/reference_codes.h"
#include "operations/recent_files.h"
#include "model/old_file_import.h"
#include "model/suitability.h"
#include "operations/entry_editing.h"

namespace zun {
namespace {

constexpr char kSaveQuestion[] = "Your Database have not been saved, Save it Now?";
constexpr char kClearQuestion[] = "Clear current List of all Entries";
constexpr char kSaveFailed[] = "Error while saving SL5 File: ";
constexpr char kLoadFailed[] = "Error while loading database file: ";

constexpr std::array<int32_t, 3> kYesNoCancel = {kResultYes, kResultNo, kResultCancel};
const std::array<std::string, 3> kYesNoCancelButtons = {"&Yes", "&No", "&Cancel"};

bool IsDatabaseFile(std::string_view path) { return ExtensionOf(path) == ".sl5"; }
bool IsOldFile(std::string_view path) {
  const std::string_view extension = ExtensionOf(path);
  return extension == ".sl4" || extension == ".sl3";
}

void ShowFileError(FileWork& fw, const std::string& text) {
  static const int32_t kResults[] = {kResultOk};
  static const std::string kButtons[] = {"&OK"};
  fw.prompt.ShowMessagePage(text, "Error", kIconError, kResults, kButtons);
}

void SetLabel(FileWork& fw, const std::string& text) { fw.work.views.status->SetFileLabel(text); }

// Reports a save that failed, naming the file it was writing.
void ReportSaveFailure(FileWork& fw, const std::string& path) {
  fw.errors.ReportError(kSaveFailed + std::string(FileNameOf(path)));
}

// Writes the database to path; nothing but the file changes here.
bool WriteDatabase(FileWork& fw, const std::string& path) {
  bool written = false;
  try {
    written = fw.work.Database().SaveToFile(fw.files, path);
  } catch (...) {
    written = false;
  }
  if (!written) ReportSaveFailure(fw, path);
  return written;
}

// A save succeeded: entries carry the file's name, the host hears of it.
void AfterSave(FileWork& fw, const std::string& path) {
  const OperationScope operation(codes::kStampSavedSource);
  TZUN_User_Lotto_DBase& database = fw.work.Database();
  SourceName source{};
  source.assign(FileNameOf(path));
  for (TZUN_Database_Structure& entry : database.Entries) entry.Source = source;
  // Only the source texts changed: the rows stay where the user sees them,
  // even in a list sorted by its source column.
  fw.work.ShowRows();
  EnterOperation(codes::kNotifyHostSaved);
  if (fw.files.FileExists(path)) fw.notifier.DatabaseSaved(path);
}

// Reads an old file's records, then lets the caller empty what it replaces,
// then appends them: a file that cannot be read changes nothing.
template <class BeforeAppend>
void ImportOldFile(FileWork& fw, const std::string& path, BeforeAppend&& beforeAppend) {
  const OperationScope operation(codes::kImportOldFile);
  const bool sl3 = ExtensionOf(path) == ".sl3";
  const int32_t recordSize = sl3 ? kSl3RecordBytes : kSl4RecordBytes;
  const int32_t count = sl3 ? SL3RecordCount(fw.files, path) : RecordCount(fw.files, path, recordSize);
  std::vector<OldEntryRecord> records(static_cast<size_t>(std::max(count, 0)));
  ReadOldFile(fw.files, records, path, recordSize, count);
  beforeAppend();
  AppendOldRecords(fw.work.Game(), fw.work.Database(), records, FileNameOf(path));
}

// Moves the entries of a file read on its own behind the database's. The
// block grows by half at least, so many files still append in linear time.
void AppendEntries(TZUN_User_Lotto_DBase& database, TZUN_User_Lotto_DBase& scratch) {
  auto& entries = database.Entries;
  const int32_t needed = entries.size() + scratch.Entries.size();
  if (needed > entries.capacity()) entries.reserve(std::max(needed, entries.capacity() + entries.capacity() / 2));
  for (TZUN_Database_Structure& entry : scratch.Entries) entries.emplace_back(std::move(entry));
  scratch.Entries.resize(0);
}

struct LoadResult {
  int32_t taken = 0;
  bool entriesChanged = false;
};

LoadResult LoadSingleFile(FileWork& fw, const std::string& path, bool fromRecent, int32_t recentIndex) {
  const OperationScope operation(codes::kLoadSingleFile);
  LoadResult result;
  if (path.empty() || !fw.files.FileExists(path)) return result;
  TZUN_User_Lotto_DBase& database = fw.work.Database();
  if (!IsSuitableFile(fw.files, fw.work.Game(), database, path, nullptr)) {
    ShowFileError(fw, "Unable to load file:\r" + path + "\r\rFile not suitable for current Lotto.");
    return result;
  }
  if (IsDatabaseFile(path)) {
    database.Entries.resize(0);
    result.entriesChanged = true;
    if (!database.LoadFromFile(fw.files, false, path)) {
      // What was read stays, but the database is no longer that file's
      // content: the next save asks for a name instead of overwriting it.
      fw.work.session.LoadBrokeOff(!database.Entries.empty());
      SetLabel(fw, "");
      fw.errors.ReportError(kLoadFailed + std::string(FileNameOf(path)));
      return result;
    }
    fw.work.session.LoadedDatabaseFile(path);
    SetLabel(fw, path);
  } else {
    ImportOldFile(fw, path, [&] {
      database.Entries.resize(0);
      result.entriesChanged = true;
    });
    fw.work.session.ImportedOldFile();
    SetLabel(fw, "");
  }
  result.taken = 1;
  AddRecentFile(fw.recent, path, fromRecent, recentIndex);
  return result;
}

void ReportLoadProblems(FileWork& fw, const std::string& unsuitable, const std::string& failed) {
  const OperationScope operation(codes::kReportLoadProblems);
  if (!unsuitable.empty() && !failed.empty())
    ShowFileError(fw, "File(s) not suitable for current Lotto.\r" + unsuitable +
                          "\r\rError while loading database file(s):\r" + failed);
  else if (!unsuitable.empty())
    ShowFileError(fw, "Unable to load file(s):\r" + unsuitable + "\rFile(s) not suitable for current Lotto.");
  else if (!failed.empty())
    ShowFileError(fw, "Error while loading database file(s):\r" + failed);
}

LoadResult LoadManyFiles(FileWork& fw, const std::vector<std::string>& names, bool clear) {
  const OperationScope operation(codes::kLoadManyFiles);
  LoadResult result;
  TZUN_User_Lotto_DBase& database = fw.work.Database();
  const TZUN_Lotto_DBase& game = fw.work.Game();
  const int32_t count = static_cast<int32_t>(names.size());
  std::vector<char> suitable(names.size(), 0);
  std::string unsuitable, failed;
  int32_t unsuitableCount = 0;
  for (int32_t p = count - 1; p >= 0; --p) {
    const std::string& path = names[static_cast<size_t>(p)];
    if (IsSuitableFile(fw.files, game, database, path, &failed)) {
      suitable[static_cast<size_t>(p)] = 1;
    } else {
      unsuitable += path + "\r";
      ++unsuitableCount;
    }
  }
  std::string lastTaken;
  if (count > unsuitableCount) {
    if (clear) {
      database.Entries.resize(0);
      result.entriesChanged = true;
    }
    for (int32_t p = count - 1; p >= 0; --p) {
      const std::string& path = names[static_cast<size_t>(p)];
      if (suitable[static_cast<size_t>(p)] != 0) {
        bool taken = false;
        if (IsDatabaseFile(path)) {
          TZUN_User_Lotto_DBase scratch;
          taken = scratch.LoadFromFile(fw.files, false, path);
          if (taken) AppendEntries(database, scratch);
        } else {
          try {
            ImportOldFile(fw, path, [] {});
            taken = true;
          } catch (const FileError&) {
            taken = false;
          }
        }
        if (taken) {
          ++result.taken;
          result.entriesChanged = true;
          lastTaken = path;
          AddRecentFile(fw.recent, path);
        } else {
          // The file's read failed and left its code; the load goes on as itself.
          EnterOperation(codes::kLoadManyFiles);
          failed += path + "\r";
        }
      }
      fw.work.views.status->SetProgress(Percent(count - 1 - p, count));
    }
  }

  DatabaseSession& session = fw.work.session;
  if (result.taken == 0) {
    if (clear && result.entriesChanged) {
      // Every file that passed the check failed to read after the entries
      // were emptied: the database is no file's content any more.
      session.LoadBrokeOff(false);
      SetLabel(fw, "");
    } else {
      session.NothingTaken(!clear);
    }
  } else if (clear && result.taken == 1) {
    if (IsDatabaseFile(lastTaken)) {
      session.LoadedDatabaseFile(lastTaken);
      SetLabel(fw, lastTaken);
    } else {
      session.ImportedOldFile();
      SetLabel(fw, "");
    }
  } else {
    session.AssembledFromFiles(!clear);
    SetLabel(fw, kMultipleFilesLabel);
  }
  ReportLoadProblems(fw, unsuitable, failed);
  return result;
}

// The list and grids after entries were replaced or added.
void ShowLoadedEntries(FileWork& fw) {
  const OperationScope operation(codes::kRefillList);
  Workspace& work = fw.work;
  work.list.ClearSelection();
  work.list.Refill(work.Database());
  work.ShowRows();
  work.ShowSelection();
  ClearBallGrids(work);
}

// Runs a load with the busy cursor and the progress bar; the list follows
// the entries even when the load fails half way.
int32_t RunLoad(FileWork& fw, const std::vector<std::string>& names, bool clear, bool fromRecent,
                int32_t recentIndex, bool together) {
  struct ProgressReset {
    FileWork& fw;
    ~ProgressReset() {
      try {
        fw.work.views.status->SetProgress(0);
      } catch (...) {
      }
    }
  } progressReset{fw};
  const BusyScope busy(fw.hourglass);
  LoadResult result;
  try {
    if (!together && names.size() == 1)
      result = LoadSingleFile(fw, names.front(), fromRecent, recentIndex);
    else if (!names.empty())
      result = LoadManyFiles(fw, names, clear);
  } catch (...) {
    ShowLoadedEntries(fw);
    throw;
  }
  if (result.entriesChanged) ShowLoadedEntries(fw);
  return result.taken;
}

// Writes the database to `path` with the hourglass on, then runs
// `afterWrite`. Whatever fails is reported naming `path`: the file the user
// chose, not the one the database was tied to.
template <class AfterWrite>
SaveOutcome WriteUnderHourglass(FileWork& fw, const std::string& path, AfterWrite afterWrite) {
  const BusyScope busy(fw.hourglass);
  try {
    if (!WriteDatabase(fw, path)) return SaveOutcome::Failed;
    afterWrite();
  } catch (...) {
    try {
      ReportSaveFailure(fw, path);
    } catch (...) {
    }
    return SaveOutcome::Failed;
  }
  return SaveOutcome::Saved;
}

}  // namespace

SaveOutcome SaveDatabaseAs(FileWork& fw) {
  const OperationScope operation(codes::kSaveDatabaseAs);
  FileDialogOptions options;
  options.title = "Save to ZUN File (*.sl5)";
  options.filter = "ZUN File (*.sl5)|*.sl5";
  options.defaultExtension = "*.sl5";
  options.promptOverwrite = true;
  const std::string path = fw.dialogs.Save(options);
  if (path.empty()) return SaveOutcome::Cancelled;
  // The chosen file becomes the current one only once it holds the database.
  return WriteUnderHourglass(fw, path, [&] {
    fw.work.session.SavedAs(path);
    AddRecentFile(fw.recent, path);
    SetLabel(fw, path);
    AfterSave(fw, path);
  });
}

SaveOutcome SaveDatabase(FileWork& fw) {
  const OperationScope operation(codes::kSaveDatabase);
  const DatabaseSession& session = fw.work.session;
  // No one file holds the database: it needs a name, changed or not.
  if (session.CurrentDatabaseFile().empty() || session.MultipleFilesLoaded()) return SaveDatabaseAs(fw);
  if (!session.DatabaseModified()) return SaveOutcome::NothingToSave;
  const std::string path = session.CurrentDatabaseFile();
  return WriteUnderHourglass(fw, path, [&] {
    fw.work.session.Saved();
    AfterSave(fw, path);
  });
}

bool ConfirmSave(FileWork& fw) {
  const OperationScope operation(codes::kConfirmSave);
  if (!fw.work.session.DatabaseModified()) return true;
  const int32_t answer = fw.prompt.ShowMessagePage(kSaveQuestion, "Confirm Save", kIconConfirmation, kYesNoCancel,
                                                   kYesNoCancelButtons);
  if (answer == kResultNo) return true;
  if (answer != kResultYes) return false;
  // The user is about to save (and may be asked for a name): a hidden
  // window comes up first.
  if (fw.work.views.status->ShowIfHidden()) fw.work.views.pump->ProcessPendingMessages();
  const SaveOutcome outcome = SaveDatabase(fw);
  // A save that failed keeps the entries: the caller must not drop them.
  return outcome == SaveOutcome::Saved || outcome == SaveOutcome::NothingToSave;
}

void NewDatabase(FileWork& fw) {
  const OperationScope operation(codes::kNewDatabase);
  const BusyScope busy(fw.hourglass);
  Workspace& work = fw.work;
  work.Database().Entries.resize(0);
  work.list.Clear();
  work.session.Emptied();
  SetLabel(fw, kNoFileLabel);
  work.ShowRows();
  work.ShowSelection();
  ClearBallGrids(work);
}

bool IsSuitableFile(FileSystem& files, const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database,
                    const std::string& path, std::string* failures) {
  const OperationScope operation(codes::kIsSuitableFile);
  if (IsDatabaseFile(path)) {
    TZUN_User_Lotto_DBase header;
    if (!header.LoadFromFile(files, true, path)) {
      if (failures != nullptr) *failures += path + "\r";
      return false;
    }
    // A file that declares no number sets fits no game: its entries would
    // carry no numbers, and loading it would take the sets away from the
    // database the host reads.
    if (header.NumberSets.empty()) return false;
    return SetsFitGame(header, game);
  }
  if (IsOldFile(path)) return TakesOldFormats(game, database);
  return false;
}

int32_t LoadDatabaseFiles(FileWork& fw, const LoadRequest& request) {
  const OperationScope operation(codes::kLoadDatabaseFiles);
  fw.work.views.status->SetProgress(0);
  std::vector<std::string> names = request.names;
  if (!request.preset) {
    FileDialogOptions options;
    options.title = "Load ZUN File (*.sl5)";
    options.filter =
        "ZUN File (*.sl5)|*.sl5|SL4 File (*.sl4)|*.sl4|SL3 File (*.sl3)|*.sl3|"
        "All Files (*.sl5, *.sl4, *.sl3)|*.sl5;*.sl4;*.sl3";
    options.defaultExtension = "*.sl5";
    options.multiSelect = true;
    names = fw.dialogs.Open(options);
  }
  if (names.empty()) return 0;
  return RunLoad(fw, names, request.clear, request.fromRecent, request.recentIndex, false);
}

int32_t LoadFilesTogether(FileWork& fw, const std::vector<std::string>& names, bool clear) {
  const OperationScope operation(codes::kLoadDatabaseFiles);
  fw.work.views.status->SetProgress(0);
  if (names.empty()) return 0;
  return RunLoad(fw, names, clear, false, 0, true);
}

std::vector<std::string> UsableDroppedNames(FileSystem& files, const std::vector<std::string>& names) {
  std::vector<std::string> usable;
  for (const std::string& name : names)
    if ((IsDatabaseFile(name) || IsOldFile(name)) && files.FileExists(name)) usable.push_back(name);
  return usable;
}

void TakeDroppedFiles(FileWork& fw, const std::vector<std::string>& names, const char* step) {
  const std::vector<std::string> usable = UsableDroppedNames(fw.files, names);
  const OperationScope operation(step);
  // Nothing to load: no question, and the list stays as it is.
  if (usable.empty()) return;
  bool clear = true;
  if (fw.work.list.RowCount() > 0) {
    const int32_t answer = fw.prompt.ShowMessagePage(kClearQuestion, "Confirm Clear", kIconConfirmation,
                                                     kYesNoCancel, kYesNoCancelButtons);
    if (answer == kResultYes)
      clear = true;
    else if (answer == kResultNo)
      clear = false;
    else
      return;
  }
  if (clear && !ConfirmSave(fw)) return;
  LoadFilesTogether(fw, usable, clear);
}

}  // namespace zun
