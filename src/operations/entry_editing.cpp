#include "operations/entry_editing.h"

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "selection/quick_pick.h"

namespace zun {
namespace {

constexpr char kQuickPickSource[] = "Quick Pick";

// A row was added or moved: the list shows it, with no row selected.
void ShowNewRow(Workspace& work) {
  work.ShowRows();
  work.ShowSelection();
}

}  // namespace

void AddSelectionEntry(Workspace& work) {
  const OperationScope operation(codes::kAddSelectionEntry);
  const BallChoices::Sets sets = work.PlaySets();
  if (!work.choices.AllSetsComplete(sets)) return;
  TZUN_User_Lotto_DBase& database = work.Database();
  const int32_t entry = AppendBlankEntry(work.Game(), database);
  work.list.ClearSelection();
  EnterOperation(codes::kStoreChoicesInEntry);
  work.choices.StoreInEntry(database, entry);
  EnterOperation(codes::kAddEntryRow);
  work.list.AddRow(database, entry);
  work.session.EntriesEdited();
  ShowNewRow(work);
}

void ApplySelectionToEntry(Workspace& work) {
  const OperationScope operation(codes::kApplySelectionToEntry);
  const BallChoices::Sets sets = work.PlaySets();
  const int32_t row = work.list.FirstSelectedRow();
  if (row < 0 || !work.choices.AllSetsComplete(sets)) return;
  TZUN_User_Lotto_DBase& database = work.Database();
  const int32_t entry = work.list.EntryAt(row);
  // An entry loaded from a file of another shape gets the game's shape
  // before the picks go in.
  database.SizeEntry(entry, database.EntryShape());
  EnterOperation(codes::kStoreChoicesInEntry);
  work.choices.StoreInEntry(database, entry);
  EnterOperation(codes::kUpdateSelectedRow);
  work.list.EntryChanged(database, entry);
  work.session.EntriesEdited();
  work.ShowRows();
  const int32_t moved = work.list.RowOf(entry);
  if (moved >= 0) work.views.list->RevealRow(moved);
}

int32_t DeleteSelectedEntries(Workspace& work) {
  const OperationScope operation(codes::kDeleteSelectedEntries);
  if (work.list.SelectedCount() == 0) return 0;
  EnterOperation(codes::kDeleteEntry);
  const int32_t deleted = work.list.DeleteSelected(work.Database());
  work.session.EntriesEdited();
  work.ShowRows();
  work.ShowSelection();
  return deleted;
}

int32_t AppendQuickPick(const TZUN_Lotto_DBase& game, TZUN_User_Lotto_DBase& database, RandomSource& random) {
  const OperationScope operation(codes::kFillQuickPick);
  const std::vector<std::vector<int8_t>> numbers = DrawQuickPick(game.PlaySets.span(), random);
  const int32_t entry = AppendBlankEntry(game, database);
  TZUN_Database_Structure& record = database.Entries[entry];
  const int32_t sets = std::min<int32_t>(record.Numbers.size(), static_cast<int32_t>(numbers.size()));
  for (int32_t s = 0; s < sets; ++s) {
    const std::vector<int8_t>& drawn = numbers[static_cast<size_t>(s)];
    const std::span<int8_t> into = record.Numbers[s];
    std::copy_n(drawn.begin(), std::min(into.size(), drawn.size()), into.begin());
  }
  record.Source.assign(kQuickPickSource);
  return entry;
}

void AddQuickPickEntry(Workspace& work) {
  const OperationScope operation(codes::kAddQuickPickEntry);
  TZUN_User_Lotto_DBase& database = work.Database();
  const int32_t entry = AppendQuickPick(work.Game(), database, work.random);
  work.list.ClearSelection();
  EnterOperation(codes::kAddEntryRow);
  work.list.AddRow(database, entry);
  work.session.EntriesEdited();
  ShowNewRow(work);
}

void ClearBallGrids(Workspace& work) {
  const OperationScope operation(codes::kClearBallGrids);
  work.choices.Reset(work.PlaySets());
  work.ShowChoices();
}

void ShowSelectedEntryOnGrids(Workspace& work) {
  const OperationScope operation(codes::kResortList);  // the row selection event's code
  if (work.list.SelectedCount() != 1) return;
  const TZUN_User_Lotto_DBase& database = work.Database();
  if (database.Entries.empty()) return;
  const int32_t row = work.list.FirstSelectedRow();
  if (row < 0) return;
  EnterOperation(codes::kShowEntryOnGrids);
  work.choices.ShowEntry(work.PlaySets(), database, work.list.EntryAt(row));
  work.ShowChoices();
}

}  // namespace zun
