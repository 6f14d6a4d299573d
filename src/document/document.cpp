#include "document/document.h"

#include <algorithm>
#include <limits>
#include <new>
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

void Document::Commit(EntryStep step) {
  journal_.Record(std::move(step));
  Changed();
}

void Document::Changed() {
  ++revision_;
  session_.EntriesEdited();
  listener_->EntriesChanged();
}

void Document::SessionEvent() {
  // The state a save or a load leaves is the one an undo can come back to.
  if (!session_.DatabaseModified()) journal_.MarkSaved();
  listener_->SessionChanged();
}

// ---- The database ------------------------------------------------------------

void Document::CreateDatabase(FileSystem& files) {
  const OperationScope operation(codes::kCreateUserDatabase);
  const TZUN_Lotto_DBase& game = RequireGame();
  auto database = TZUN_User_Lotto_DBase::Create(files, std::string(game.FileName.view()));
  // The host may still read the database it was shown before; it stays
  // until the next one replaces it.
  previous_ = std::move(database_);
  database_ = std::move(database);
  journal_.Clear();
  ++revision_;
  list_.Clear();
  session_.Emptied();
  listener_->EntriesChanged();
  listener_->SelectionChanged();
  SessionEvent();
}

void Document::NewDatabase() {
  const OperationScope operation(codes::kNewDatabase);
  Writable().Entries.resize(0);
  journal_.Clear();
  ++revision_;
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
  Commit(EntryStep{.kind = EntryStep::Kind::Appended, .name = "Add Entry", .first = entry, .count = 1});
  listener_->SelectionChanged();
  return entry;
}

int32_t Document::ApplyChoicesToSelected() {
  const OperationScope operation(codes::kApplySelectionToEntry);
  const int32_t row = list_.FirstSelectedRow();
  if (row < 0 || !choices_.AllSetsComplete(PlaySets())) return -1;
  TZUN_User_Lotto_DBase& database = Writable();
  const int32_t entry = list_.EntryAt(row);
  EntryStep step{.kind = EntryStep::Kind::Replaced, .name = "Apply Changes", .first = entry};
  step.entries.push_back(database.Entries[entry]);  // the version before, for an undo
  // An entry loaded from a file of another shape gets the game's shape
  // before the picks go in.
  database.SizeEntry(entry, database.EntryShape());
  EnterOperation(codes::kStoreChoicesInEntry);
  choices_.StoreInEntry(database, entry);
  EnterOperation(codes::kUpdateSelectedRow);
  list_.EntryChanged(database, entry);
  Commit(std::move(step));
  return entry;
}

int32_t Document::AppendEntries(std::vector<TZUN_Database_Structure>&& entries, std::string name) {
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
  Commit(EntryStep{.kind = EntryStep::Kind::Appended, .name = std::move(name), .first = first, .count = count});
  return first;
}

int32_t Document::DeleteSelected(std::string_view verb) {
  const OperationScope operation(codes::kDeleteSelectedEntries);
  if (list_.SelectedCount() == 0) return 0;
  EnterOperation(codes::kDeleteEntry);
  // The deleted entries are gathered for the history only when it can keep
  // them: half of millions of entries would take hundreds of megabytes for
  // a moment, only to be dropped.
  const bool kept = journal_.Keeps(EntryStep::RemovedBytes(static_cast<size_t>(list_.SelectedCount()),
                                                           list_.SelectedNumberBytes(RequireDatabase())));
  EntryStep step{.kind = EntryStep::Kind::Removed};
  const int32_t deleted =
      list_.DeleteSelected(Writable(), kept ? &step.entries : nullptr, kept ? &step.positions : nullptr);
  if (kept) {
    step.name = StepName(verb, deleted);
    Commit(std::move(step));
  } else {
    journal_.Forget();
    Changed();
  }
  listener_->SelectionChanged();
  return deleted;
}

bool Document::ApplySort() {
  EntryStep step{.kind = EntryStep::Kind::Permuted, .name = "Apply Sort", .positions = list_.DisplayOrder(),
                 .sortColumn = list_.SortColumn(), .sortAscending = list_.SortAscending()};
  const bool moved = list_.ApplySort(Writable());
  // The order the user asked for is the database's now: it is unsaved like
  // any other edit (a close asks to save it). Unmoved, only the sort changed.
  if (moved)
    Commit(std::move(step));
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

Document::Load::Load(Document& document, bool replace)
    : document_(document), replace_(replace), before_(document.Writable().Entries.size()) {
  if (!replace) return;
  document_.database_->Entries.resize(0);
  document_.journal_.Clear();
  document_.list_.Clear();
  changed_ = true;
}

Document::Load::~Load() {
  if (!changed_) return;
  ++document_.revision_;
  try {
    const OperationScope operation(codes::kRefillList);
    Document& d = document_;
    const int32_t after = d.database_->Entries.size();
    // Files appended are one step of the history; a replacing load starts
    // a new history.
    if (!replace_ && after > before_)
      d.journal_.Record(EntryStep{.kind = EntryStep::Kind::Appended, .name = name_, .first = before_,
                                  .count = after - before_});
    d.list_.ClearSelection();
    d.list_.Refill(*d.database_);
    d.listener_->EntriesChanged();
    d.listener_->SelectionChanged();
    d.ClearChoices();
  } catch (...) {
    // The rows follow at the next change; the entries are what was loaded.
  }
}

void Document::Load::Reserve(int64_t more) {
  auto& entries = document_.database_->Entries;
  const int64_t wanted = std::min<int64_t>(int64_t{entries.size()} + std::max<int64_t>(more, 0), INT32_MAX);
  try {
    entries.reserve(static_cast<int32_t>(wanted));
  } catch (const std::bad_alloc&) {
    // Not in one block: each file then grows the array as it comes, and one
    // that does not fit is reported as not read.
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

int32_t Document::SelectEntries(std::span<const int32_t> entries) {
  list_.SelectOnly(entries);
  listener_->SelectionChanged();
  ShowSelectedEntry();
  return list_.FirstSelectedRow();
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
  journal_.MarkUnsaved();  // what was read is no file's content
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

// ---- The history ----------------------------------------------------------------

namespace {

// entries[k] := the entry at order[k], for a permutation `order`: each
// cycle is walked once with moves.
void Permute(HostArray<TZUN_Database_Structure>& entries, const std::vector<int32_t>& order) {
  const auto count = static_cast<int32_t>(order.size());
  std::vector<uint8_t> placed(order.size(), 0);
  for (int32_t start = 0; start < count; ++start) {
    if (placed[static_cast<size_t>(start)] || order[static_cast<size_t>(start)] == start) continue;
    TZUN_Database_Structure held = std::move(entries[start]);
    int32_t k = start;
    for (;;) {
      placed[static_cast<size_t>(k)] = 1;
      const int32_t source = order[static_cast<size_t>(k)];
      if (source == start) {
        entries[k] = std::move(held);
        break;
      }
      entries[k] = std::move(entries[source]);
      k = source;
    }
  }
}

// The removed entries go back to their positions (ascending, as they stood
// before the removal) in one backward pass over the grown array.
void Reinsert(HostArray<TZUN_Database_Structure>& entries, const std::vector<int32_t>& positions,
              std::vector<TZUN_Database_Structure>& removed) {
  int32_t kept = entries.size();
  const int32_t total = kept + static_cast<int32_t>(removed.size());
  entries.resize(total);  // the only step that can fail, before anything moves
  int32_t next = static_cast<int32_t>(removed.size()) - 1;
  for (int32_t at = total - 1; at >= 0; --at) {
    if (next >= 0 && positions[static_cast<size_t>(next)] == at)
      entries[at] = std::move(removed[static_cast<size_t>(next--)]);
    else
      entries[at] = std::move(entries[--kept]);
  }
  removed.clear();
  removed.shrink_to_fit();
}

std::vector<int32_t> Range(int32_t first, int32_t count) {
  std::vector<int32_t> range(static_cast<size_t>(std::max(count, 0)));
  for (int32_t i = 0; i < count; ++i) range[static_cast<size_t>(i)] = first + i;
  return range;
}

std::vector<int32_t> Moved(const std::vector<int32_t>& order) {
  std::vector<int32_t> moved;
  for (size_t k = 0; k < order.size(); ++k)
    if (order[k] != static_cast<int32_t>(k)) moved.push_back(static_cast<int32_t>(k));
  return moved;
}

}  // namespace

std::vector<int32_t> Document::Reverse(EntryStep& step) {
  auto& entries = Writable().Entries;
  switch (step.kind) {
    case EntryStep::Kind::Appended: {
      step.entries.reserve(static_cast<size_t>(step.count));
      for (int32_t i = step.first; i < step.first + step.count; ++i) step.entries.push_back(std::move(entries[i]));
      entries.resize(step.first);
      list_.Truncate(step.first);
      return {};
    }
    case EntryStep::Kind::Removed:
      Reinsert(entries, step.positions, step.entries);
      list_.Refill(*database_);
      return step.positions;
    case EntryStep::Kind::Replaced:
      std::swap(entries[step.first], step.entries.front());
      list_.EntryChanged(*database_, step.first);
      return {step.first};
    case EntryStep::Kind::Permuted: {
      std::vector<int32_t> inverse(step.positions.size());
      for (size_t k = 0; k < step.positions.size(); ++k)
        inverse[static_cast<size_t>(step.positions[k])] = static_cast<int32_t>(k);
      Permute(entries, inverse);
      list_.Refill(*database_);
      list_.SetSort(*database_, step.sortAscending, step.sortColumn);
      return Moved(inverse);
    }
  }
  return {};
}

std::vector<int32_t> Document::Repeat(EntryStep& step) {
  auto& entries = Writable().Entries;
  switch (step.kind) {
    case EntryStep::Kind::Appended: {
      entries.reserve(step.first + static_cast<int32_t>(step.entries.size()));
      for (TZUN_Database_Structure& entry : step.entries) entries.emplace_back(std::move(entry));
      step.entries.clear();
      step.entries.shrink_to_fit();
      list_.AddRows(*database_, step.first);
      return Range(step.first, step.count);
    }
    case EntryStep::Kind::Removed:
      list_.SelectOnly(step.positions);
      list_.DeleteSelected(*database_, &step.entries, nullptr);
      return {};
    case EntryStep::Kind::Replaced:
      std::swap(entries[step.first], step.entries.front());
      list_.EntryChanged(*database_, step.first);
      return {step.first};
    case EntryStep::Kind::Permuted:
      Permute(entries, step.positions);
      list_.SetSort(*database_, true, kSeqColumn);
      list_.Refill(*database_);
      return Moved(step.positions);
  }
  return {};
}

int32_t Document::AfterHistoryMove(const std::vector<int32_t>& changed) {
  journal_.Recount();
  ++revision_;
  session_.HistoryMoved(journal_.AtSaved());
  list_.SelectOnly(changed);
  listener_->EntriesChanged();
  listener_->SelectionChanged();
  listener_->SessionChanged();
  return list_.FirstSelectedRow();
}

int32_t Document::Undo() {
  if (!journal_.CanUndo()) return -1;
  return AfterHistoryMove(Reverse(journal_.StepToUndo()));
}

int32_t Document::Redo() {
  if (!journal_.CanRedo()) return -1;
  return AfterHistoryMove(Repeat(journal_.StepToRedo()));
}

}  // namespace zun
