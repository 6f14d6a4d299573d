#include "document/document.h"

#include <limits>
#include <stdexcept>

#include "base/error_location.h"
#include "base/reference_codes.h"

namespace zun {

const TZUN_Lotto_DBase& Document::RequireGame() const {
  const TZUN_Lotto_DBase* game = Game();
  if (game == nullptr) throw std::runtime_error("The host has published no game.");
  return *game;
}

const TZUN_User_Lotto_DBase& Document::RequireDatabase() const {
  if (!database_) throw std::runtime_error("There is no user database.");
  return *database_;
}

TZUN_User_Lotto_DBase& Document::Writable() {
  if (!database_) throw std::runtime_error("There is no user database.");
  return *database_;
}

void Document::Commit() {
  session_.EntriesEdited();
  listener_->EntriesChanged();
}

void Document::SessionEvent() { listener_->SessionChanged(); }

// ---- The database ------------------------------------------------------------

void Document::CreateDatabase(FileSystem& files) {
  const OperationScope operation(codes::kCreateUserDatabase);
  const TZUN_Lotto_DBase& game = RequireGame();
  auto database = TZUN_User_Lotto_DBase::Create(files, std::string(game.FileName.view()));
  // The host may still read the database it was shown before; it stays
  // until the next one replaces it.
  previous_ = std::move(database_);
  database_ = std::move(database);
  list_.Clear();
  session_.Emptied();
  listener_->EntriesChanged();
  listener_->SelectionChanged();
  SessionEvent();
}

void Document::NewDatabase() {
  const OperationScope operation(codes::kNewDatabase);
  Writable().Entries.resize(0);
  list_.Clear();
  session_.Emptied();
  listener_->EntriesChanged();
  listener_->SelectionChanged();
  SessionEvent();
  ClearChoices();
}

// ---- Changes of the entries ----------------------------------------------------

int32_t Document::AddEntryFromChoices() {
  const OperationScope operation(codes::kAddSelectionEntry);
  if (!choices_.AllSetsComplete(PlaySets())) return -1;
  TZUN_User_Lotto_DBase& database = Writable();
  const int32_t entry = AppendBlankEntry(RequireGame(), database);
  list_.ClearSelection();
  EnterOperation(codes::kStoreChoicesInEntry);
  choices_.StoreInEntry(database, entry);
  EnterOperation(codes::kAddEntryRow);
  list_.AddRow(database, entry);
  Commit();
  listener_->SelectionChanged();
  return entry;
}

int32_t Document::ApplyChoicesToSelected() {
  const OperationScope operation(codes::kApplySelectionToEntry);
  const int32_t row = list_.FirstSelectedRow();
  if (row < 0 || !choices_.AllSetsComplete(PlaySets())) return -1;
  TZUN_User_Lotto_DBase& database = Writable();
  const int32_t entry = list_.EntryAt(row);
  // An entry loaded from a file of another shape gets the game's shape
  // before the picks go in.
  database.SizeEntry(entry, database.EntryShape());
  EnterOperation(codes::kStoreChoicesInEntry);
  choices_.StoreInEntry(database, entry);
  EnterOperation(codes::kUpdateSelectedRow);
  list_.EntryChanged(database, entry);
  Commit();
  return entry;
}

int32_t Document::AppendEntries(std::vector<TZUN_Database_Structure>&& entries) {
  if (entries.empty()) return -1;
  TZUN_User_Lotto_DBase& database = Writable();
  const int32_t first = database.Entries.size();
  if (entries.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() - first))
    throw std::length_error("too many entries");
  const auto count = static_cast<int32_t>(entries.size());
  database.Entries.reserve(first + count);  // the only step that can fail, before anything is appended
  if (const TZUN_Lotto_DBase* game = Game()) RefreshSetFlags(*game, database);
  for (TZUN_Database_Structure& entry : entries) database.Entries.emplace_back(std::move(entry));
  entries.clear();
  EnterOperation(codes::kAddEntryRow);
  list_.AddRows(database, first);
  Commit();
  return first;
}

int32_t Document::DeleteSelected() {
  const OperationScope operation(codes::kDeleteSelectedEntries);
  if (list_.SelectedCount() == 0) return 0;
  EnterOperation(codes::kDeleteEntry);
  const int32_t deleted = list_.DeleteSelected(Writable());
  Commit();
  listener_->SelectionChanged();
  return deleted;
}

bool Document::ApplySort() {
  const bool moved = list_.ApplySort(Writable());
  // The order the user asked for is the database's now: it is unsaved like
  // any other edit (a close asks to save it). Unmoved, only the sort changed.
  if (moved)
    Commit();
  else
    listener_->EntriesChanged();
  listener_->SelectionChanged();
  return moved;
}

void Document::StampSources(std::string_view fileName) {
  const OperationScope operation(codes::kStampSavedSource);
  SourceName source{};
  source.assign(fileName);
  for (TZUN_Database_Structure& entry : Writable().Entries) entry.Source = source;
  // Only the source texts changed: the rows stay where the user sees them,
  // even in a list sorted by its source column. Nothing is unsaved.
  listener_->EntriesChanged();
}

Document::Load::Load(Document& document, bool replace) : document_(document) {
  TZUN_User_Lotto_DBase& database = document_.Writable();
  if (!replace) return;
  database.Entries.resize(0);
  document_.list_.Clear();
  changed_ = true;
}

Document::Load::~Load() {
  if (!changed_) return;
  try {
    const OperationScope operation(codes::kRefillList);
    Document& d = document_;
    d.list_.ClearSelection();
    d.list_.Refill(*d.database_);
    d.listener_->EntriesChanged();
    d.listener_->SelectionChanged();
    d.ClearChoices();
  } catch (...) {
    // The rows follow at the next change; the entries are what was loaded.
  }
}

void Document::Load::Append(TZUN_User_Lotto_DBase& loaded) {
  changed_ = true;
  auto& entries = document_.database_->Entries;
  if (entries.empty()) {
    // The first file of a load into an empty list: its array becomes the
    // database's as it stands, rather than a second array of the same size
    // filled entry by entry.
    entries.swap(loaded.Entries);
    return;
  }
  // The block grows by half at least, so many files still append in linear time.
  const int32_t needed = entries.size() + loaded.Entries.size();
  if (needed > entries.capacity()) entries.reserve(std::max(needed, entries.capacity() + entries.capacity() / 2));
  for (TZUN_Database_Structure& entry : loaded.Entries) entries.emplace_back(std::move(entry));
  loaded.Entries.resize(0);
}

// ---- The list ------------------------------------------------------------------

void Document::SelectRows(int32_t first, int32_t last, bool selected) {
  const int32_t rows = list_.RowCount();
  if (first < 0) {
    first = 0;
    last = rows - 1;
  }
  last = std::min(last, rows - 1);
  if (first == 0 && last == rows - 1 && !selected) {
    list_.ClearSelection();
  } else {
    for (int32_t row = first; row <= last; ++row) list_.SelectRow(row, selected);
  }
  listener_->SelectionChanged();
}

void Document::SetRowSelection(int32_t first, std::span<const uint8_t> selected) {
  const int32_t rows = list_.RowCount();
  for (size_t i = 0; i < selected.size(); ++i) {
    const int64_t row = int64_t{first} + static_cast<int64_t>(i);
    if (row >= 0 && row < rows) list_.SelectRow(static_cast<int32_t>(row), selected[i] != 0);
  }
  listener_->SelectionChanged();
}

void Document::ClearSelection() {
  list_.ClearSelection();
  listener_->SelectionChanged();
}

void Document::ApplySelectionCommand(SelectionCommand command) {
  list_.ApplySelectionCommand(command);
  listener_->SelectionChanged();
}

void Document::ClickColumn(int32_t column) {
  list_.ClickColumn(RequireDatabase(), column);
  listener_->EntriesChanged();
}

// ---- The choices -------------------------------------------------------------------

bool Document::ChooseCell(int32_t set, GridCell cell) {
  const bool changed = choices_.Click(PlaySets(), set, cell);
  if (changed) listener_->ChoicesChanged();
  return changed;
}

void Document::ClearChoices() {
  const OperationScope operation(codes::kClearBallGrids);
  choices_.Reset(PlaySets());
  listener_->ChoicesChanged();
}

void Document::ShowSelectedEntry() {
  const OperationScope operation(codes::kResortList);  // the row selection event's code
  if (list_.SelectedCount() != 1 || !database_ || database_->Entries.empty()) return;
  const int32_t row = list_.FirstSelectedRow();
  if (row < 0) return;
  EnterOperation(codes::kShowEntryOnGrids);
  choices_.ShowEntry(PlaySets(), *database_, list_.EntryAt(row));
  listener_->ChoicesChanged();
}

// ---- The session -------------------------------------------------------------------

void Document::Saved() {
  session_.Saved();
  SessionEvent();
}

void Document::SavedAs(const std::string& path) {
  session_.SavedAs(path);
  SessionEvent();
}

void Document::LoadedDatabaseFile(const std::string& path) {
  session_.LoadedDatabaseFile(path);
  SessionEvent();
}

void Document::ImportedOldFile() {
  session_.ImportedOldFile();
  SessionEvent();
}

void Document::LoadBrokeOff() {
  session_.LoadBrokeOff(database_ && !database_->Entries.empty());
  SessionEvent();
}

void Document::AssembledFromFiles(bool appended) {
  session_.AssembledFromFiles(appended);
  SessionEvent();
}

void Document::NothingTaken(bool appended) {
  session_.NothingTaken(appended);
  SessionEvent();
}

}  // namespace zun
