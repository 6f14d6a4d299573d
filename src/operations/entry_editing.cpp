#include "operations/entry_editing.h"

#include <algorithm>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "base/texts.h"
#include "selection/quick_pick.h"

namespace zun {

void AddSelectionEntry(Document& document) { document.AddEntryFromChoices(); }

void ApplySelectionToEntry(Document& document, Services& services) {
  const int32_t entry = document.ApplyChoicesToSelected();
  if (entry < 0) return;
  const int32_t moved = document.List().RowOf(entry);
  if (moved >= 0) services.views.list->RevealRow(moved);
}

void ConfirmAndDeleteSelected(Document& document, Services& services) {
  const int32_t selected = document.List().SelectedCount();
  if (selected == 0) return;  // no question without a selection
  static const int32_t kResults[] = {kResultYes, kResultNo};
  static const std::string kButtons[] = {texts::dialog::kYes, texts::dialog::kNo};
  const int32_t answer =
      services.prompt.ShowMessagePage(selected == 1 ? texts::question::kDeleteOne : texts::question::kDeleteMany,
                                      texts::dialog::kConfirmDeletion, kIconConfirmation, kResults, kButtons);
  if (answer != kResultYes) return;
  document.DeleteSelected();
  document.ClearChoices();
}

TZUN_Database_Structure QuickPickEntry(const TZUN_Lotto_DBase& game, RandomSource& random) {
  const OperationScope operation(codes::kFillQuickPick);
  const std::vector<std::vector<int8_t>> numbers = DrawQuickPick(game.PlaySets.span(), random);
  TZUN_Database_Structure record = BlankEntry(game);
  const int32_t sets = std::min<int32_t>(record.Numbers.size(), static_cast<int32_t>(numbers.size()));
  for (int32_t s = 0; s < sets; ++s) {
    const std::vector<int8_t>& drawn = numbers[static_cast<size_t>(s)];
    const std::span<int8_t> into = record.Numbers[s];
    std::copy_n(drawn.begin(), std::min(into.size(), drawn.size()), into.begin());
  }
  record.Source.assign(texts::kQuickPickSource);
  return record;
}

int32_t AppendQuickPick(const TZUN_Lotto_DBase& game, TZUN_User_Lotto_DBase& database, RandomSource& random) {
  TZUN_Database_Structure record = QuickPickEntry(game, random);
  RefreshSetFlags(game, database);
  database.Entries.push_back(std::move(record));
  return database.Entries.size() - 1;
}

void AddQuickPickEntry(Document& document, Services& services) {
  const OperationScope operation(codes::kAddQuickPickEntry);
  std::vector<TZUN_Database_Structure> pick;
  pick.push_back(QuickPickEntry(document.RequireGame(), services.random));
  document.ClearSelection();
  document.AppendEntries(std::move(pick), "Quick Pick");
}

void RunSelectionCommand(Document& document, Services& services, SelectionCommand command) {
  services.views.pump->ProcessPendingMessages();
  document.ApplySelectionCommand(command);
  document.ShowSelectedEntry();
}

}  // namespace zun
