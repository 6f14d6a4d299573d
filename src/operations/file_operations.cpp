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
void ImportOldFile(FileWork& fw, const DatabaseFileName& file, BeforeAppend&& beforeAppend) {
  const OperationScope operation(codes::kImportOldFile);
  const int32_t count = OldRecordCount(fw.files, file.path, file.kind);
  std::vector<OldEntryRecord> records(static_cast<size_t>(std::max(count, 0)));
  ReadOldFile(fw.files, records, file.path, file.kind, count);
  beforeAppend();
  AppendOldRecords(fw.work.Game(), fw.work.Database(), records, FileNameOf(file.path));
}

// Moves the entries of a file read on its own behind the database's. The
// block grows by half at least, so many files still append in linear time.
void AppendEntries(TZUN_User_Lotto_DBase& database, TZUN_User_Lotto_DBase& scratch) {
  auto& entries = database.Entries;
  if (entries.empty()) {
    // The first file of a load into an empty list: its array becomes the
    // database's as it stands, rather than a second array of the same size
    // filled entry by entry.
    entries.swap(scratch.Entries);
    return;
  }
  const int32_t needed = entries.size() + scratch.Entries.size();
  if (needed > entries.capacity()) entries.reserve(std::max(needed, entries.capacity() + entries.capacity() / 2));
  for (TZUN_Database_Structure& entry : scratch.Entries) entries.emplace_back(std::move(entry));
  scratch.Entries.resize(0);
}

struct LoadResult {
  int32_t taken = 0;
  bool entriesChanged = false;
};

LoadResult LoadSingleFile(FileWork& fw, const DatabaseFileName& file, bool fromRecent, int32_t recentIndex) {
  const OperationScope operation(codes::kLoadSingleFile);
  LoadResult result;
  const std::string& path = file.path;
  if (path.empty() || !fw.files.FileExists(path)) return result;
  TZUN_User_Lotto_DBase& database = fw.work.Database();
  if (!IsSuitableFile(fw.files, fw.work.Game(), database, file, nullptr)) {
    ShowFileError(fw, "Unable to load file:\r" + path + "\r\rFile not suitable for current Lotto.");
    return result;
  }
  if (file.kind == FileKind::Sl5) {
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
    ImportOldFile(fw, file, [&] {
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

// Which of several files can be loaded into the current game: the check
// runs over all of them before any entry changes.
struct SuitabilityCheck {
  std::vector<char> suitable;  // per file
  int32_t unsuitableCount = 0;
  std::string unsuitable;  // paths, each ended by "\r"
  std::string failed;      // paths whose header could not be read
};

SuitabilityCheck CheckFiles(FileWork& fw, const std::vector<DatabaseFileName>& files) {
  SuitabilityCheck check;
  check.suitable.assign(files.size(), 0);
  // Last to first, as the files are taken.
  for (size_t p = files.size(); p-- > 0;) {
    if (IsSuitableFile(fw.files, fw.work.Game(), fw.work.Database(), files[p], &check.failed)) {
      check.suitable[p] = 1;
    } else {
      check.unsuitable += files[p].path + "\r";
      ++check.unsuitableCount;
    }
  }
  return check;
}

// Appends one file's entries to the database: a ".sl5" read on its own
// first, so a file that breaks off adds nothing. Whether it was taken.
bool AppendFileEntries(FileWork& fw, const DatabaseFileName& file) {
  if (file.kind == FileKind::Sl5) {
    TZUN_User_Lotto_DBase scratch;
    if (!scratch.LoadFromFile(fw.files, false, file.path)) return false;
    AppendEntries(fw.work.Database(), scratch);
    return true;
  }
  try {
    ImportOldFile(fw, file, [] {});
    return true;
  } catch (const FileError&) {
    return false;
  }
}

// Takes the suitable files, last to first, with the progress bar; the
// entries are emptied first when the files replace them. Names the files
// that failed in `failed`; returns the last file taken (null for none).
const DatabaseFileName* TakeSuitableFiles(FileWork& fw, const std::vector<DatabaseFileName>& files,
                                          SuitabilityCheck& check, bool clear, LoadResult& result) {
  const DatabaseFileName* lastTaken = nullptr;
  if (clear) {
    fw.work.Database().Entries.resize(0);
    result.entriesChanged = true;
  }
  const auto count = static_cast<int32_t>(files.size());
  for (int32_t p = count - 1; p >= 0; --p) {
    const DatabaseFileName& file = files[static_cast<size_t>(p)];
    if (check.suitable[static_cast<size_t>(p)] != 0) {
      if (AppendFileEntries(fw, file)) {
        ++result.taken;
        result.entriesChanged = true;
        lastTaken = &file;
        AddRecentFile(fw.recent, file.path);
      } else {
        // The file's read failed and left its code; the load goes on as itself.
        EnterOperation(codes::kLoadManyFiles);
        check.failed += file.path + "\r";
      }
    }
    fw.work.views.status->SetProgress(Percent(count - 1 - p, count));
  }
  return lastTaken;
}

// What the session and the file label say after several files were taken.
void SettleManyFiles(FileWork& fw, const LoadResult& result, bool clear, const DatabaseFileName* lastTaken) {
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
    if (lastTaken->kind == FileKind::Sl5) {
      session.LoadedDatabaseFile(lastTaken->path);
      SetLabel(fw, lastTaken->path);
    } else {
      session.ImportedOldFile();
      SetLabel(fw, "");
    }
  } else {
    session.AssembledFromFiles(!clear);
    SetLabel(fw, kMultipleFilesLabel);
  }
}

// Several files together: checked, taken, settled, and the problems told.
LoadResult LoadManyFiles(FileWork& fw, const std::vector<DatabaseFileName>& files, bool clear) {
  const OperationScope operation(codes::kLoadManyFiles);
  LoadResult result;
  SuitabilityCheck check = CheckFiles(fw, files);
  const DatabaseFileName* lastTaken = nullptr;
  if (static_cast<int32_t>(files.size()) > check.unsuitableCount)
    lastTaken = TakeSuitableFiles(fw, files, check, clear, result);
  SettleManyFiles(fw, result, clear, lastTaken);
  ReportLoadProblems(fw, check.unsuitable, check.failed);
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
int32_t RunLoad(FileWork& fw, const std::vector<DatabaseFileName>& files, bool clear, bool fromRecent,
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
    if (!together && files.size() == 1)
      result = LoadSingleFile(fw, files.front(), fromRecent, recentIndex);
    else if (!files.empty())
      result = LoadManyFiles(fw, files, clear);
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
  const std::string path =
      fw.dialogs.Save(OverwritingSave("Save to ZUN File (*.sl5)", "ZUN File (*.sl5)|*.sl5", "*.sl5"));
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
                    const DatabaseFileName& file, std::string* failures) {
  const OperationScope operation(codes::kIsSuitableFile);
  if (file.kind == FileKind::Sl5) {
    TZUN_User_Lotto_DBase header;
    if (!header.LoadFromFile(files, true, file.path)) {
      if (failures != nullptr) *failures += file.path + "\r";
      return false;
    }
    // A file that declares no number sets fits no game: its entries would
    // carry no numbers, and loading it would take the sets away from the
    // database the host reads.
    if (header.NumberSets.empty()) return false;
    return SetsFitGame(header, game);
  }
  if (IsOldFormat(file.kind)) return TakesOldFormats(game, database);
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
  return RunLoad(fw, DatabaseFileNames(names), request.clear, request.fromRecent, request.recentIndex, false);
}

int32_t LoadFilesTogether(FileWork& fw, const std::vector<DatabaseFileName>& files, bool clear) {
  const OperationScope operation(codes::kLoadDatabaseFiles);
  fw.work.views.status->SetProgress(0);
  if (files.empty()) return 0;
  return RunLoad(fw, files, clear, false, 0, true);
}

int32_t LoadFilesTogether(FileWork& fw, const std::vector<std::string>& names, bool clear) {
  return LoadFilesTogether(fw, DatabaseFileNames(names), clear);
}

std::vector<DatabaseFileName> UsableDroppedNames(FileSystem& files, const std::vector<std::string>& names) {
  std::vector<DatabaseFileName> usable;
  for (const std::string& name : names) {
    DatabaseFileName file = DatabaseFileName::Of(name);
    if (file.kind != FileKind::Other && files.FileExists(file.path)) usable.push_back(std::move(file));
  }
  return usable;
}

void TakeDroppedFiles(FileWork& fw, const std::vector<std::string>& names, const char* step) {
  const std::vector<DatabaseFileName> usable = UsableDroppedNames(fw.files, names);
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
