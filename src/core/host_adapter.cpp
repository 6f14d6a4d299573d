#include "core/host_adapter.h"

#include <algorithm>
#include <exception>

#include "base/error_location.h"
#include "base/explained_error.h"
#include "base/reference_codes.h"
#include "base/scope_guards.h"
#include "base/texts.h"
#include "core/command_states.h"
#include "core/command_table.h"
#include "host/host_version.h"
#include "list/html_export.h"
#include "operations/draw_checks.h"
#include "operations/entry_intake.h"
#include "operations/exchange.h"
#include "operations/file_operations.h"

namespace zun {
namespace {

// The guard's own message for what it caught: the error's text when it
// has one (for "Error in Plugin_ZUN: "), a word otherwise.
std::string CurrentErrorText() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown error";
  }
}

}  // namespace

HostAdapter::HostAdapter(const Ports& ports)
    : ports_(ports),
      errors_(ports.files, ports.clock, ports.prompt, ports.cursor),
      hourglass_(HourglassCursor(ports.cursor)),
      slots_(ports.memory),
      services_{ports.files,  ports.prompt, ports.dialogs, ports.clipboard, ports.random, ports.notifier,
                ports.messenger, ports.memory, ports.probe, errors_, hourglass_, recent_, views_} {
  document_.SetListener(this);
}

HostAdapter::~HostAdapter() {
  document_.SetListener(nullptr);
  slots_.Detach();
  // The host keeps its slot after we are gone: it must not point at a
  // database that is freed with us.
  HostSlots::WithdrawUserDatabase(ports_.memory, document_.Database());
}

void HostAdapter::SetViews(const Views& views) noexcept {
  views_.list = views.list ? views.list : &noList_;
  views_.grids = views.grids ? views.grids : &noGrids_;
  views_.status = views.status ? views.status : &noStatus_;
  views_.commandBar = views.commandBar ? views.commandBar : &noCommandBar_;
  views_.pump = views.pump ? views.pump : &noPump_;
  views_.check = views.check ? views.check : &noCheck_;
  services_.views = views_;
}

void HostAdapter::DropViews() noexcept {
  // The windows that implemented the views are going or gone; later events
  // (a drop the host forwards, a message still queued) must not reach them.
  SetViews(Views{nullptr, nullptr, nullptr, nullptr, nullptr});
}

void HostAdapter::ReportFailure(std::string_view message) noexcept {
  try {
    errors_.ReportError(message);
  } catch (...) {
    // Reporting failed too; nothing more can be done without risking the host.
  }
}

void HostAdapter::SetHourglass(bool on) noexcept {
  try {
    SetBusy(ports_.cursor, on);
  } catch (...) {
  }
}

// ---- The document's changes reach the host and the windows ------------------------

void HostAdapter::EntriesChanged() {
  // The host reads the database in place; its slot names it again after
  // every change, whoever wrote the slot meanwhile.
  if (slots_.AttachedCount() > 0) slots_.PublishUserDatabase(document_.Database());
  views_.list->RowsChanged(document_.List().RowCount());
}

void HostAdapter::SelectionChanged() { views_.list->SelectionChanged(); }

void HostAdapter::ChoicesChanged() { views_.grids->RepaintGrids(); }

void HostAdapter::SessionChanged() { views_.status->SetFileLabel(document_.Session().FileLabel()); }

// ---- The exports' work -------------------------------------------------------------

uint8_t HostAdapter::PluginData(PluginDescription* record, std::string_view folder, std::string_view prefix) noexcept {
  bool visible = false;
  try {
    visible = ReadVisible(ports_.profile, SettingsLocation::For(folder, prefix));
  } catch (...) {
    visible = false;  // never fails: unreadable settings mean "not visible"
  }
  if (record != nullptr) FillPluginDescription(*record, visible);
  return visible ? 1 : 0;
}

uint8_t HostAdapter::Start(std::string_view folder, std::string_view prefix, std::string_view version) noexcept {
  AddonWindows& windows = ports_.windows;
  // A host that starts the add-on again from inside the start (a message
  // handled while the window is shown) is refused, not let in halfway.
  if (starting_) return 0;
  const FlagScope starting(starting_);
  try {
    if (!IsSupportedHostVersion(version)) {
      windows.RefuseVersion(VersionMismatchMessage(version));
      return 0;  // nothing created, nothing attached
    }
    // A host that starts the add-on again gets fresh windows. The old ones'
    // views go first: a message handled while they go, or while the new
    // main window reports a settings error, must not reach them.
    DropViews();
    windows.DestroyWindows();
    slots_.Detach();
    errors_.SetHost(std::string(folder), std::string(prefix));
    windows.CreateWindows();
    if (!slots_.Attach()) {
      // The host's process and its game stay as they are: the add-on just
      // does not start.
      ReportFailure(texts::failure::kSlotMissing);
      DropViews();
      windows.DestroyWindows();
      return 0;
    }
    windows.HandOverWindow();
    closing_ = false;
    InitialisePage();
    windows.ShowMainWindow();
    windows.AnnounceStarted();
    return 1;
  } catch (...) {
    const std::string text = CurrentErrorText();
    try {
      windows.ShowStartError(texts::failure::kStartFailed + text);
    } catch (...) {
    }
  }
  DropViews();
  try {
    windows.DestroyWindows();
  } catch (...) {
  }
  slots_.Detach();
  return 0;
}

void HostAdapter::InitialisePage() {
  const OperationScope operation(codes::kInitialisePage);
  ports_.random.SeedFromClock();
  EnterOperation(codes::kResetChoices);
  if (document_.Game() != nullptr) document_.ClearChoices();
  ports_.windows.BuildGameViews();
  Guarded(texts::failure::kCreateDatabase, [&] { document_.CreateDatabase(ports_.files); });
  UpdateCommandBar();
}

uint8_t HostAdapter::CanClose() noexcept {
  try {
    if (document_.List().RowCount() == 0 || document_.Database() == nullptr) return 1;
    return ConfirmSave(document_, services_) ? 1 : 0;
  } catch (...) {
    // Whatever went wrong, the user's entries are not thrown away.
    return 0;
  }
}

void HostAdapter::FilesDropped(const std::vector<std::string>& names) noexcept {
  const OperationScope operation(codes::kShellFilesDropped);
  Guarded(texts::failure::kShellDrop, [&] {
    droppedFiles_ = names;
    if (closing_) return;
    TakeDroppedFiles(document_, services_, names, codes::kAcceptShellDropLoad);
  });
  UpdateCommandBar();
}

void HostAdapter::LoadDroppedFile(const std::string& path) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kLoadDroppedFile);
  Guarded(texts::failure::kFileOffer,
          [&] { TakeDroppedFiles(document_, services_, {path}, codes::kLoadDroppedFile); });
  UpdateCommandBar();
}

// ---- The window's life -----------------------------------------------------------------

void HostAdapter::LoadSettings() noexcept {
  const OperationScope operation(codes::kLoadSettings);
  Guarded(texts::failure::kLoadSettings, [&] { zun::LoadSettings(ports_.profile, Settings(), geometry_, recent_); });
}

void HostAdapter::CloseForGood(bool visible, const WindowGeometry& live) noexcept {
  const OperationScope operation(codes::kSaveSettings);
  Guarded(texts::failure::kSaveSettings,
          [&] { zun::SaveSettings(ports_.profile, Settings(), visible, live, recent_); });
  // The rest cannot fail in a way the user could act on: each step is
  // taken whatever the one before did.
  EnterOperation(codes::kClearRowSelection);
  try {
    document_.ClearSelection();
  } catch (...) {
  }
  try {
    ports_.windows.FreeGameViews();
  } catch (...) {
  }
  slots_.Detach();
  try {
    ports_.windows.ReleaseMessageDialog();
  } catch (...) {
  }
}

// ---- What the windows read --------------------------------------------------------------

CommandSituation HostAdapter::Situation() const {
  CommandSituation situation;
  const EntryList& list = document_.List();
  const DatabaseSession& session = document_.Session();
  situation.rowCount = list.RowCount();
  situation.selectedCount = list.SelectedCount();
  situation.running = running_;
  situation.naturalOrder = list.InNaturalOrder();
  situation.currentFile = !session.CurrentDatabaseFile().empty();
  situation.modified = session.DatabaseModified();
  situation.recentFiles = std::any_of(recent_.begin(), recent_.end(), [](const std::string& p) { return !p.empty(); });
  const TZUN_Lotto_DBase* game = document_.Game();
  try {
    situation.htmlTemplate = game != nullptr && ports_.files.FileExists(game->HtmlPath(kListTemplateName));
  } catch (...) {
    situation.htmlTemplate = false;
  }
  situation.allSetsComplete = game != nullptr && document_.Choices().AllSetsComplete(game->PlaySets.span());
  situation.undoName = document_.UndoName();
  situation.redoName = document_.RedoName();
  return situation;
}

void HostAdapter::UpdateCommandBar() noexcept {
  // The enabling step names itself before it asks the grids whether every
  // set is complete.
  const OperationScope operation(codes::kUpdateCommandBar);
  try {
    const CommandSituation situation = Situation();
    EnterOperation(codes::kUpdateCommandBar);  // the rule itself is the enabling step again
    views_.commandBar->ShowCommandStates(CommandStatesFor(situation));
  } catch (...) {
    // The buttons keep their states; nothing the user made is touched.
  }
}

CommandStates HostAdapter::CurrentCommandStates() const noexcept {
  // Asking is no operation of its own: the grids' code it passes through
  // is not left behind for a report.
  const char* const location = ErrorLocation;
  CommandStates states = InitialCommandStates();
  try {
    states = CommandStatesFor(Situation());
  } catch (...) {
    // A menu opened while the grids cannot be asked offers what a new window does.
  }
  EnterOperation(location);
  return states;
}

std::vector<ReopenMenuItem> HostAdapter::ReopenMenu() noexcept {
  try {
    return DescribeReopenMenu(ports_.files, recent_, document_.Game(), document_.Database());
  } catch (...) {
    return {};
  }
}

SendToMenu HostAdapter::SendToMenuModel(uintptr_t ownWindow) const noexcept {
  try {
    return BuildSendToMenu(slots_.Registry(), slots_.AddonButtons(), slots_.PluginsMenu(), ownWindow);
  } catch (...) {
    return {};
  }
}

// ---- Intents ------------------------------------------------------------------------------

void HostAdapter::Execute(CommandId id) noexcept {
  // A command that arrives while the window closes does nothing.
  if (closing_) return;
  const Command* command = FindCommand(id);
  if (command == nullptr) return;
  const OperationScope operation(command->code);
  views_.pump->ProcessPendingMessages();
  // The messages that just ran may have ordered the close (0x591).
  if (closing_) return;
  {
    // An exclusive command's button greys while it runs, and comes back
    // after a failure too.
    const bool exclusive = command->exclusive && !running_;
    if (exclusive) {
      running_ = id;
      UpdateCommandBar();
    }
    const BusyScope busy(hourglass_, command->busy);
    try {
      command->run(document_, services_);
    } catch (const ExplainedError& failure) {
      // Why it failed, on a line of its own.
      ReportFailure(FailureText(*command, document_) + "\r" + failure.what());
    } catch (...) {
      // The message names what is selected when the failure happens.
      ReportFailure(FailureText(*command, document_));
    }
    if (exclusive) running_.reset();
  }
  UpdateCommandBar();
}

void HostAdapter::BallCellChosen(int32_t set, GridCell cell) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kClickBallCell);
  Guarded(texts::failure::kChooseBall, [&] { document_.ChooseCell(set, cell); });
  UpdateCommandBar();
}

void HostAdapter::SelectRows(int32_t first, int32_t last, bool selected) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kResortList);  // the row selection event's code
  Guarded(texts::failure::kShowEntry, [&] {
    document_.SelectRows(first, last, selected);
    document_.ShowSelectedEntry();
  });
  UpdateCommandBar();
}

void HostAdapter::SetRowSelection(int32_t first, std::span<const uint8_t> selected) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kResortList);
  Guarded(texts::failure::kShowEntry, [&] {
    document_.SetRowSelection(first, selected);
    document_.ShowSelectedEntry();
  });
  UpdateCommandBar();
}

void HostAdapter::ColumnClicked(int32_t column) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kResortList);
  Guarded(texts::failure::kApplySort, [&] {
    document_.ClickColumn(column);
    const int32_t row = document_.List().FirstSelectedRow();
    EnterOperation(codes::kRevealRow);
    if (row >= 0) views_.list->RevealRow(row);
  });
}

void HostAdapter::SelectEntries(std::span<const int32_t> entries) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kSelectWinning);
  Guarded(texts::failure::kSelectWinning, [&] { zun::SelectEntries(document_, services_, entries); });
  UpdateCommandBar();
}

void HostAdapter::ExportCheckRows(const CheckResultRows& rows, const DrawCheckInput& input) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kExportCheck);
  try {
    zun::ExportCheckRows(services_, rows, input);
  } catch (const ExplainedError& failure) {
    ReportFailure(failure.what());
  } catch (...) {
    ReportFailure(texts::failure::kCsvExport);
  }
}

std::optional<WindowPlace> HostAdapter::CheckWindowPlace() noexcept {
  try {
    return ReadCheckWindowPlace(ports_.profile, Settings());
  } catch (...) {
    return std::nullopt;
  }
}

void HostAdapter::StoreCheckWindowPlace(const WindowPlace& place) noexcept {
  Guarded(texts::failure::kSaveSettings, [&] { SaveCheckWindowPlace(ports_.profile, Settings(), place); });
}

void HostAdapter::Reopen(int32_t index) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kReopenRecentFile);
  views_.pump->ProcessPendingMessages();
  // The messages that just ran may have ordered the close: no question, no
  // load against slots that are gone.
  if (closing_) return;
  Guarded(texts::failure::kReopen, [&] { ReopenRecentFile(document_, services_, index); });
  UpdateCommandBar();
}

// ---- Entries between windows ------------------------------------------------------------

void HostAdapter::TakeOfferedEntries() noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kTakeOfferedEntries);
  std::string droppedFile;
  Guarded(texts::failure::kTakeOffer, [&] { droppedFile = TakeOffer(document_, services_, slots_); });
  // Loaded outside the guard: the load reports its own failures.
  if (!droppedFile.empty()) LoadDroppedFile(droppedFile);
  UpdateCommandBar();
}

bool HostAdapter::AcceptsOffer(uintptr_t ownWindow) const noexcept {
  if (closing_) return false;
  try {
    return zun::AcceptsOffer(slots_, ownWindow);
  } catch (...) {
    return false;
  }
}

bool HostAdapter::OfferSelectedEntries(const WindowLocator* target, uintptr_t ownWindow) noexcept {
  if (closing_) return false;
  const bool drag = target == nullptr;
  const OperationScope operation(drag ? codes::kStartDrag : codes::kAskForIndexRoom);
  int32_t written = 0;
  try {
    written = OfferSelected(document_, services_, slots_, target, ownWindow);
  } catch (const OfferListingFailed&) {
    ReportFailure(texts::failure::kOfferListing);
  } catch (...) {
    ReportFailure(drag ? texts::failure::kOfferDrag : texts::failure::kOfferListing);
  }
  return written > 0;
}

void HostAdapter::SendTo(SendToList list, int32_t position, uintptr_t ownWindow) noexcept {
  if (closing_) return;
  std::optional<WindowLocator> target;
  try {
    target = SendToTarget(slots_, list == SendToList::PluginsMenu, position);
  } catch (...) {
    return;
  }
  if (target) OfferSelectedEntries(&*target, ownWindow);
}

}  // namespace zun
