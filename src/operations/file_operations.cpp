#include "operations/file_operations.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/error_location.h"
#include "base/paths.h"
#include "base/percent.h"
#include "base/reference_codes.h"
#include "base/texts.h"
#include "model/old_file_import.h"
#include "model/suitability.h"
#include "operations/recent_files.h"

namespace zun {
namespace {

constexpr std::array<int32_t, 3> kYesNoCancel = {kResultYes, kResultNo, kResultCancel};
const std::array<std::string, 3> kYesNoCancelButtons = {texts::dialog::kYes, texts::dialog::kNo,
                                                        texts::dialog::kCancel};

void ShowFileError(Services& services, const std::string& text) {
  services.prompt.ShowOkMessage(text, texts::dialog::kError, kIconError);
}

// Reports a save that failed, naming the file it was writing.
void ReportSaveFailure(Services& services, const std::string& path) {
  services.errors.ReportError(texts::failure::kSave + std::string(FileNameOf(path)));
}

// Writes the database to path; nothing but the file changes here.
bool WriteDatabase(const Document& document, Services& services, const std::string& path) {
  bool written = false;
  try {
    written = document.RequireDatabase().SaveToFile(services.files, path);
  } catch (...) {
    written = false;
  }
  if (!written) ReportSaveFailure(services, path);
  return written;
}

// A save succeeded: entries carry the file's name, the host hears of it.
void AfterSave(Document& document, Services& services, const std::string& path) {
  document.StampSources(FileNameOf(path));
  const OperationScope operation(codes::kNotifyHostSaved);
  if (services.files.FileExists(path)) services.notifier.DatabaseSaved(path);
}

// An old file's records; a file that cannot be read throws FileError.
std::vector<OldEntryRecord> ReadOldRecords(Services& services, const DatabaseFileName& file) {
  const OperationScope operation(codes::kImportOldFile);
  const int32_t count = OldRecordCount(services.files, file.path, file.kind);
  std::vector<OldEntryRecord> records(static_cast<size_t>(std::max(count, 0)));
  ReadOldFile(services.files, records, file.path, file.kind, count);
  return records;
}

void AppendRecords(Document& document, Document::Load& load, const std::vector<OldEntryRecord>& records,
                   const DatabaseFileName& file) {
  const OperationScope operation(codes::kImportOldFile);
  const TZUN_Lotto_DBase& game = document.RequireGame();
  load.ReadInPlace(
      [&](TZUN_User_Lotto_DBase& database) { AppendOldRecords(game, database, records, FileNameOf(file.path)); });
}

struct LoadResult {
  int32_t taken = 0;
};

LoadResult LoadSingleFile(Document& document, Services& services, const DatabaseFileName& file, bool fromRecent,
                          int32_t recentIndex) {
  const OperationScope operation(codes::kLoadSingleFile);
  LoadResult result;
  const std::string& path = file.path;
  if (path.empty() || !services.files.FileExists(path)) return result;
  if (!IsSuitableFile(services.files, document.RequireGame(), document.RequireDatabase(), file, nullptr)) {
    ShowFileError(services, texts::load::kUnsuitableFile + path + texts::load::kNotSuitable);
    return result;
  }
  if (file.kind == FileKind::Sl5) {
    // Read beside the open database: a file that does not fit in the memory
    // left is refused and the open database stays as it was.
    TZUN_User_Lotto_DBase loaded;
    loaded.NumberSets = document.RequireDatabase().NumberSets;  // names and grids stay; the file sets the rest
    bool outOfMemory = false;
    const bool read = loaded.LoadFromFile(services.files, path, outOfMemory);
    if (outOfMemory) {
      services.errors.ReportError(texts::failure::kLoadFile + std::string(FileNameOf(path)));
      return result;
    }
    {
      Document::Load load(document, true);
      load.ReadInPlace([&](TZUN_User_Lotto_DBase& database) {
        database.NumberSets = std::move(loaded.NumberSets);
        return true;
      });
      load.Append(loaded);
    }
    if (!read) {
      // What was read stays, but the database is no longer that file's
      // content: the next save asks for a name instead of overwriting it.
      document.LoadBrokeOff();
      services.errors.ReportError(texts::failure::kLoadFile + std::string(FileNameOf(path)));
      return result;
    }
    document.LoadedDatabaseFile(path);
  } else {
    // The records are read first: a file that cannot be read changes nothing.
    const std::vector<OldEntryRecord> records = ReadOldRecords(services, file);
    {
      Document::Load load(document, true);
      AppendRecords(document, load, records, file);
    }
    document.ImportedOldFile();
  }
  result.taken = 1;
  AddRecentFile(services.recent, path, fromRecent, recentIndex);
  return result;
}

void ReportLoadProblems(Services& services, const std::string& unsuitable, const std::string& failed) {
  const OperationScope operation(codes::kReportLoadProblems);
  if (!unsuitable.empty() && !failed.empty())
    ShowFileError(services, texts::load::kSomeNotSuitable + unsuitable + "\r\r" + texts::load::kFilesFailed + failed);
  else if (!unsuitable.empty())
    ShowFileError(services, texts::load::kUnsuitableFiles + unsuitable + texts::load::kFilesNotSuitable);
  else if (!failed.empty())
    ShowFileError(services, texts::load::kFilesFailed + failed);
}

// Which of several files can be loaded into the current game: the check
// runs over all of them before any entry changes.
struct SuitabilityCheck {
  std::vector<char> suitable;  // per file
  int32_t unsuitableCount = 0;
  std::string unsuitable;  // paths, each ended by "\r"
  std::string failed;      // paths whose header could not be read
};

SuitabilityCheck CheckFiles(const Document& document, Services& services, const std::vector<DatabaseFileName>& files) {
  SuitabilityCheck check;
  check.suitable.assign(files.size(), 0);
  // Last to first, as the files are taken.
  for (size_t p = files.size(); p-- > 0;) {
    if (IsSuitableFile(services.files, document.RequireGame(), document.RequireDatabase(), files[p],
                       &check.failed)) {
      check.suitable[p] = 1;
    } else {
      check.unsuitable += files[p].path + "\r";
      ++check.unsuitableCount;
    }
  }
  return check;
}

// Appends one file's entries: a ".sl5" read on its own first, so a file
// that breaks off adds nothing. Whether it was taken.
bool AppendFileEntries(Document& document, Services& services, Document::Load& load, const DatabaseFileName& file) {
  if (file.kind == FileKind::Sl5)  // read in place, into the array sized for all the files
    return load.ReadInPlace(
        [&](TZUN_User_Lotto_DBase& database) { return database.AppendFromFile(services.files, file.path); });
  try {
    const std::vector<OldEntryRecord> records = ReadOldRecords(services, file);
    AppendRecords(document, load, records, file);
    return true;
  } catch (const FileError&) {
    return false;
  }
}

// At most how many entries the suitable ".sl5" files hold, from their
// sizes: the array is sized once for all of them (older files are small).
int64_t EntriesHeldBy(const Document& document, Services& services, const std::vector<DatabaseFileName>& files,
                      const SuitabilityCheck& check) {
  const int64_t bytesPerEntry = document.RequireDatabase().EntryShape().TotalNumbers();
  if (bytesPerEntry <= 0) return 0;
  int64_t entries = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    int64_t size = 0;
    if (check.suitable[i] != 0 && files[i].kind == FileKind::Sl5 && services.files.FileSize(files[i].path, size))
      entries += size / bytesPerEntry;
  }
  return entries;
}

// Takes the suitable files, last to first, with the progress bar. Names
// the files that failed in `failed`; returns the last file taken (null for
// none).
const DatabaseFileName* TakeSuitableFiles(Document& document, Services& services, Document::Load& load,
                                          const std::vector<DatabaseFileName>& files, SuitabilityCheck& check,
                                          LoadResult& result) {
  const DatabaseFileName* lastTaken = nullptr;
  const auto count = static_cast<int32_t>(files.size());
  for (int32_t p = count - 1; p >= 0; --p) {
    const DatabaseFileName& file = files[static_cast<size_t>(p)];
    if (check.suitable[static_cast<size_t>(p)] != 0) {
      if (AppendFileEntries(document, services, load, file)) {
        ++result.taken;
        lastTaken = &file;
        AddRecentFile(services.recent, file.path);
      } else {
        // The file's read failed and left its code; the load goes on as itself.
        EnterOperation(codes::kLoadManyFiles);
        check.failed += file.path + "\r";
      }
    }
    services.views.status->SetProgress(Percent(count - 1 - p, count));
  }
  return lastTaken;
}

// What the session says after several files were taken.
void SettleManyFiles(Document& document, const LoadResult& result, bool clear, bool emptied,
                     const DatabaseFileName* lastTaken) {
  if (result.taken == 0) {
    if (clear && emptied) {
      // Every file that passed the check failed to read after the entries
      // were emptied: the database is no file's content any more.
      document.LoadBrokeOff();
    } else {
      document.NothingTaken(!clear);
    }
  } else if (clear && result.taken == 1) {
    if (lastTaken->kind == FileKind::Sl5)
      document.LoadedDatabaseFile(lastTaken->path);
    else
      document.ImportedOldFile();
  } else {
    document.AssembledFromFiles(!clear);
  }
}

// Several files together: checked, taken, settled, and the problems told.
LoadResult LoadManyFiles(Document& document, Services& services, const std::vector<DatabaseFileName>& files,
                         bool clear) {
  const OperationScope operation(codes::kLoadManyFiles);
  LoadResult result;
  SuitabilityCheck check = CheckFiles(document, services, files);
  const DatabaseFileName* lastTaken = nullptr;
  const bool anySuitable = static_cast<int32_t>(files.size()) > check.unsuitableCount;
  if (anySuitable) {
    Document::Load load(document, clear);
    load.Reserve(EntriesHeldBy(document, services, files, check));
    lastTaken = TakeSuitableFiles(document, services, load, files, check, result);
    load.Name(StepName("Append", result.taken, "File", "Files"));
  }
  SettleManyFiles(document, result, clear, anySuitable, lastTaken);
  ReportLoadProblems(services, check.unsuitable, check.failed);
  return result;
}

// Runs a load with the busy cursor and the progress bar.
int32_t RunLoad(Document& document, Services& services, const std::vector<DatabaseFileName>& files, bool clear,
                bool fromRecent, int32_t recentIndex, bool together) {
  struct ProgressReset {
    Services& services;
    ~ProgressReset() {
      try {
        services.views.status->SetProgress(0);
      } catch (...) {
      }
    }
  } progressReset{services};
  const BusyScope busy(services.hourglass);
  LoadResult result;
  if (!together && files.size() == 1)
    result = LoadSingleFile(document, services, files.front(), fromRecent, recentIndex);
  else if (!files.empty())
    result = LoadManyFiles(document, services, files, clear);
  return result.taken;
}

// Writes the database to `path` with the hourglass on, then runs
// `afterWrite`. Whatever fails is reported naming `path`: the file the user
// chose, not the one the database was tied to.
template <class AfterWrite>
SaveOutcome WriteUnderHourglass(const Document& document, Services& services, const std::string& path,
                                AfterWrite afterWrite) {
  const BusyScope busy(services.hourglass);
  try {
    if (!WriteDatabase(document, services, path)) return SaveOutcome::Failed;
    afterWrite();
  } catch (...) {
    try {
      ReportSaveFailure(services, path);
    } catch (...) {
    }
    return SaveOutcome::Failed;
  }
  return SaveOutcome::Saved;
}

}  // namespace

SaveOutcome SaveDatabaseAs(Document& document, Services& services) {
  const OperationScope operation(codes::kSaveDatabaseAs);
  const std::string path = services.dialogs.Save(OverwritingSave(
      texts::file_dialog::kSaveDatabaseTitle, texts::file_dialog::kSaveDatabaseFilter,
      texts::file_dialog::kDatabaseExtension));
  if (path.empty()) return SaveOutcome::Cancelled;
  // The chosen file becomes the current one only once it holds the database.
  return WriteUnderHourglass(document, services, path, [&] {
    document.SavedAs(path);
    AddRecentFile(services.recent, path);
    AfterSave(document, services, path);
  });
}

SaveOutcome SaveDatabase(Document& document, Services& services) {
  const OperationScope operation(codes::kSaveDatabase);
  const DatabaseSession& session = document.Session();
  // No one file holds the database: it needs a name, changed or not.
  if (session.CurrentDatabaseFile().empty() || session.MultipleFilesLoaded()) return SaveDatabaseAs(document, services);
  if (!session.DatabaseModified()) return SaveOutcome::NothingToSave;
  const std::string path = session.CurrentDatabaseFile();
  return WriteUnderHourglass(document, services, path, [&] {
    document.Saved();
    AfterSave(document, services, path);
  });
}

bool ConfirmSave(Document& document, Services& services) {
  const OperationScope operation(codes::kConfirmSave);
  if (!document.Session().DatabaseModified()) return true;
  const int32_t answer = services.prompt.ShowMessagePage(texts::question::kSaveChanges, texts::dialog::kConfirmSave,
                                                         kIconConfirmation, kYesNoCancel, kYesNoCancelButtons);
  if (answer == kResultNo) return true;
  if (answer != kResultYes) return false;
  // The user is about to save (and may be asked for a name): a hidden
  // window comes up first.
  if (services.views.status->ShowIfHidden()) services.views.pump->ProcessPendingMessages();
  const SaveOutcome outcome = SaveDatabase(document, services);
  // A save that failed keeps the entries: the caller must not drop them.
  return outcome == SaveOutcome::Saved || outcome == SaveOutcome::NothingToSave;
}

void NewDatabase(Document& document, Services& services) {
  if (!ConfirmSave(document, services)) return;
  const BusyScope busy(services.hourglass);
  document.NewDatabase();
}

int32_t LoadDatabaseFiles(Document& document, Services& services, const LoadRequest& request) {
  const OperationScope operation(codes::kLoadDatabaseFiles);
  services.views.status->SetProgress(0);
  std::vector<std::string> names = request.names;
  if (!request.preset) {
    FileDialogOptions options;
    options.title = texts::file_dialog::kLoadDatabaseTitle;
    options.filter = texts::file_dialog::kLoadDatabaseFilter;
    options.defaultExtension = texts::file_dialog::kDatabaseExtension;
    options.multiSelect = true;
    names = services.dialogs.Open(options);
  }
  if (names.empty()) return 0;
  return RunLoad(document, services, DatabaseFileNames(names), request.clear, request.fromRecent,
                 request.recentIndex, false);
}

int32_t LoadFilesTogether(Document& document, Services& services, const std::vector<DatabaseFileName>& files,
                          bool clear) {
  const OperationScope operation(codes::kLoadDatabaseFiles);
  services.views.status->SetProgress(0);
  if (files.empty()) return 0;
  return RunLoad(document, services, files, clear, false, 0, true);
}

int32_t LoadFilesTogether(Document& document, Services& services, const std::vector<std::string>& names, bool clear) {
  return LoadFilesTogether(document, services, DatabaseFileNames(names), clear);
}

void LoadCommand(Document& document, Services& services) {
  if (!ConfirmSave(document, services)) return;
  document.ClearSelection();
  LoadRequest request;
  request.clear = true;
  LoadDatabaseFiles(document, services, request);
}

void ReopenRecentFile(Document& document, Services& services, int32_t index) {
  if (index < 0 || index >= kRecentFileCount) return;
  if (!ConfirmSave(document, services)) return;
  const std::string path = services.recent[static_cast<size_t>(index)];
  if (path.empty() || !services.files.FileExists(path)) return;
  LoadRequest request;
  request.names = {path};
  request.preset = true;
  request.fromRecent = true;
  request.recentIndex = index;
  LoadDatabaseFiles(document, services, request);
}

std::vector<DatabaseFileName> UsableDroppedNames(FileSystem& files, const std::vector<std::string>& names) {
  std::vector<DatabaseFileName> usable;
  for (const std::string& name : names) {
    DatabaseFileName file = DatabaseFileName::Of(name);
    if (file.kind != FileKind::Other && files.FileExists(file.path)) usable.push_back(std::move(file));
  }
  return usable;
}

void TakeDroppedFiles(Document& document, Services& services, const std::vector<std::string>& names,
                      const char* step) {
  const std::vector<DatabaseFileName> usable = UsableDroppedNames(services.files, names);
  const OperationScope operation(step);
  // Nothing to load: no question, and the list stays as it is.
  if (usable.empty()) return;
  // The list takes what is dropped: it comes to the front before any question.
  services.views.list->Focus();
  services.views.pump->ProcessPendingMessages();
  bool clear = true;
  if (document.List().RowCount() > 0) {
    const int32_t answer = services.prompt.ShowMessagePage(texts::question::kClearList, texts::dialog::kConfirmClear,
                                                           kIconConfirmation, kYesNoCancel, kYesNoCancelButtons);
    if (answer == kResultYes)
      clear = true;
    else if (answer == kResultNo)
      clear = false;
    else
      return;
  }
  if (clear && !ConfirmSave(document, services)) return;
  LoadFilesTogether(document, services, usable, clear);
}

}  // namespace zun
