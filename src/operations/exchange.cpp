#include "operations/exchange.h"

#include <span>
#include <vector>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "base/texts.h"
#include "operations/entry_intake.h"

namespace zun {

std::string TakeOffer(Document& document, Services& services, const HostSlots& slots) {
  // Whoever wrote the record: a host that offers a file after our own Send
  // To or drag leaves our window in SourceWindow. Only a drag over the list
  // refuses our own rows (AcceptsOffer).
  const DragDropRecord* record = slots.DragDrop();
  if (record == nullptr) return {};
  if (record->TransferKind == static_cast<int32_t>(TransferKind::DatabaseFile)) {
    EnterOperation(codes::kLoadHostDrop);
    std::string file;
    if (!ReadForeignText(services.probe, record->TransferName, kMaxTransferName, file)) file.clear();
    return file;
  }
  IntakeResult result;
  {
    // While the entries are taken; the messages below come without it.
    const BusyScope busy(services.hourglass);
    result = TakeEntriesFromMap(document, services, *record);
  }
  if (!result.refusal.empty()) {
    try {
      services.errors.ReportError(std::string(texts::failure::kTakeOffer) + "\r" + result.refusal);
    } catch (...) {
      // The refusal was the failure to report; a second report would hide it.
    }
    return {};
  }
  if (result.skipped > 0) {
    services.prompt.ShowOkMessage(std::to_string(result.skipped) + texts::offer::kSkippedOf +
                                      std::to_string(result.offered) + texts::offer::kSkippedTail,
                                  texts::dialog::kInformation, kIconInformation);
  }
  return {};
}

bool AcceptsOffer(const HostSlots& slots, uintptr_t ownWindow) {
  const DragDropRecord* record = slots.DragDrop();
  if (record == nullptr || record->SourceWindow == ownWindow) return false;
  return record->TransferKind == static_cast<int32_t>(TransferKind::WritableSlot) ||
         record->TransferKind == static_cast<int32_t>(TransferKind::DatabaseFile);
}

int32_t OfferSelected(const Document& document, Services& services, const HostSlots& slots,
                      const WindowLocator* target, uintptr_t ownWindow) {
  DragDropRecord* record = slots.DragDrop();
  if (record == nullptr) return 0;
  std::vector<int32_t> selected;
  try {
    selected = document.List().SelectedEntries();
  } catch (const std::exception& e) {
    throw OfferListingFailed(e.what());
  }
  if (selected.empty()) return 0;
  const int32_t written = PrepareOffer(*record, selected, target, ownWindow, services.messenger, services.probe);
  if (target != nullptr) services.messenger.PostOffer();
  return written;
}

std::optional<WindowLocator> SendToTarget(const HostSlots& slots, bool pluginsMenu, int32_t position) {
  const std::span<const WindowLocator> locators = pluginsMenu ? slots.PluginsMenu() : slots.AddonButtons();
  if (position < 0 || static_cast<size_t>(position) >= locators.size()) return std::nullopt;
  return locators[static_cast<size_t>(position)];
}

}  // namespace zun
