#include "operations/exchange.h"

#include <span>
#include <vector>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "operations/entry_intake.h"

namespace zun {

std::string TakeOffer(ExchangeWork& ex, uintptr_t ownWindow) {
  const DragDropRecord* record = ex.work.slots.DragDrop();
  // The list refuses its own rows.
  if (record == nullptr || record->SourceWindow == ownWindow) return {};
  if (record->TransferKind == static_cast<int32_t>(TransferKind::DatabaseFile)) {
    EnterOperation(codes::kLoadHostDrop);
    std::string file;
    if (!ReadForeignText(ex.probe, record->TransferName, kMaxTransferName, file)) file.clear();
    return file;
  }
  IntakeResult result;
  {
    // While the entries are taken; the messages below come without it.
    const BusyScope busy(ex.hourglass);
    result = TakeEntriesFromMap(ex.work, ex.memory, ex.probe, *record);
  }
  if (!result.refusal.empty()) {
    try {
      ex.errors.ReportError(std::string(kTakeOfferFailed) + "\r" + result.refusal);
    } catch (...) {
      // The refusal was the failure to report; a second report would hide it.
    }
    return {};
  }
  if (result.skipped > 0) {
    static const int32_t kResults[] = {kResultOk};
    static const std::string kButtons[] = {"&OK"};
    ex.prompt.ShowMessagePage(std::to_string(result.skipped) + " of the " + std::to_string(result.offered) +
                                  " offered entries were skipped: they are missing from the offering "
                                  "list, or their numbers do not fit this game.",
                              "Information", kIconInformation, kResults, kButtons);
  }
  return {};
}

bool AcceptsOffer(const HostSlots& slots, uintptr_t ownWindow) {
  const DragDropRecord* record = slots.DragDrop();
  if (record == nullptr || record->SourceWindow == ownWindow) return false;
  return record->TransferKind == static_cast<int32_t>(TransferKind::WritableSlot) ||
         record->TransferKind == static_cast<int32_t>(TransferKind::DatabaseFile);
}

int32_t OfferSelected(ExchangeWork& ex, const WindowLocator* target, uintptr_t ownWindow) {
  DragDropRecord* record = ex.work.slots.DragDrop();
  if (record == nullptr) return 0;
  const std::vector<int32_t> selected = ex.work.list.SelectedEntries();
  if (selected.empty()) return 0;
  const int32_t written = PrepareOffer(*record, selected, target, ownWindow, ex.messenger);
  if (target != nullptr) ex.messenger.PostOffer();
  return written;
}

std::optional<WindowLocator> SendToTarget(const HostSlots& slots, bool pluginsMenu, int32_t position) {
  const std::span<const WindowLocator> locators = pluginsMenu ? slots.PluginsMenu() : slots.AddonButtons();
  if (position < 0 || static_cast<size_t>(position) >= locators.size()) return std::nullopt;
  return locators[static_cast<size_t>(position)];
}

}  // namespace zun
