#include "core/addon_core.h"

#include <algorithm>
#include <exception>

#include "base/error_location.h"
#include "base/scope_guards.h"
#include "base/paths.h"
#include "list/html_export.h"
#include "base/reference_codes.h"
#include "operations/entry_editing.h"
#include "operations/entry_intake.h"
#include "operations/exchange.h"
#include "selection/quick_pick.h"
#include "host/host_version.h"

namespace zun {
namespace {

constexpr char kDeleteOneQuestion[] = "Are you Sure you want to delete this Entry?";
constexpr char kDeleteManyQuestion[] = "Are you Sure you want to delete all selected Entries?";
constexpr char kShellDropFailed[] = "Error while adding Entries from File Manager.";
constexpr char kFileOfferFailed[] = "Error while adding Entries from File DragDrop.";
constexpr char kOfferListingFailed[] = "Error seting up DragDrop Listings.";
constexpr char kOfferDragFailed[] = "Error while setting up Drag & Drop data";

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

AddonCore::AddonCore(Ports ports)
    : ports_(ports),
      errors_(ports.files, ports.clock, ports.prompt, ports.cursor),
      hourglass_(HourglassCursor(ports.cursor)),
      slots_(ports.memory),
      views_{&noList_, &noGrids_, &noStatus_, &noCommandBar_, &noPump_} {}

AddonCore::~AddonCore() {
  slots_.Detach();
  // The host keeps its slot after we are gone: it must not point at a
  // database that is freed with us.
  HostSlots::WithdrawUserDatabase(ports_.memory, session_.Database());
}

void AddonCore::SetViews(const Views& views) noexcept {
  views_.list = views.list ? views.list : &noList_;
  views_.grids = views.grids ? views.grids : &noGrids_;
  views_.status = views.status ? views.status : &noStatus_;
  views_.commandBar = views.commandBar ? views.commandBar : &noCommandBar_;
  views_.pump = views.pump ? views.pump : &noPump_;
}

Workspace AddonCore::Work() noexcept { return Workspace{slots_, session_, list_, choices_, ports_.random, views_}; }

ExchangeWork AddonCore::Exchange() noexcept {
  return ExchangeWork{Work(), ports_.memory, *probe_, *messenger_, ports_.prompt, errors_, hourglass_};
}

FileWork AddonCore::FileWorkspace() noexcept {
  return FileWork{Work(), ports_.files, ports_.prompt, *dialogs_, *notifier_, recentFiles_, errors_, hourglass_};
}

void AddonCore::ReportFailure(std::string_view message) noexcept {
  try {
    errors_.ReportError(message);
  } catch (...) {
    // Reporting failed too; nothing more can be done without risking the host.
  }
}

uint8_t AddonCore::PluginData(PluginDescription* record, std::string_view folder, std::string_view prefix) noexcept {
  bool visible = false;
  try {
    visible = ReadVisible(ports_.profile, SettingsLocation::For(folder, prefix));
  } catch (...) {
    visible = false;  // never fails: unreadable settings mean "not visible"
  }
  if (record != nullptr) FillPluginDescription(*record, visible);
  return visible ? 1 : 0;
}

uint8_t AddonCore::Start(StartUpSteps& steps, std::string_view folder, std::string_view prefix,
                         std::string_view version) noexcept {
  // A host that starts the add-on again from inside the start (a message
  // handled while the window is shown) is refused, not let in halfway.
  if (starting_) return 0;
  const FlagScope starting(starting_);
  try {
    if (!IsSupportedHostVersion(version)) {
      steps.RefuseVersion(VersionMismatchMessage(version));
      return 0;  // nothing created, nothing attached
    }
    // A host that starts the add-on again gets fresh windows.
    steps.DestroyWindows();
    slots_.Detach();
    errors_.SetHost(std::string(folder), std::string(prefix));
    steps.CreateWindows();
    if (!slots_.Attach()) {
      // The host's process and its game stay as they are: the add-on just
      // does not start.
      ReportFailure("Error Creating Memmory Map File...");
      steps.DestroyWindows();
      DropViews();
      return 0;
    }
    steps.HandOverWindow();
    closing_ = false;
    InitialisePage(steps);
    steps.ShowMainWindow();
    steps.AnnounceStarted();
    return 1;
  } catch (...) {
    const std::string text = CurrentErrorText();
    try {
      steps.ShowStartError("Error in Plugin_ZUN: " + text);
    } catch (...) {
    }
  }
  try {
    steps.DestroyWindows();
  } catch (...) {
  }
  DropViews();
  slots_.Detach();
  return 0;
}

void AddonCore::DropViews() noexcept {
  // The windows that implemented the views are gone; later events (a drop
  // the host forwards, a message still queued) must not reach them.
  SetViews(Views{nullptr, nullptr, nullptr, nullptr, nullptr});
}

void AddonCore::InitialisePage(StartUpSteps& steps) {
  const OperationScope operation(codes::kInitialisePage);
  ports_.random.SeedFromClock();
  EnterOperation(codes::kResetChoices);
  if (const TZUN_Lotto_DBase* game = slots_.Game()) choices_.Reset(game->PlaySets.span());
  steps.BuildGameViews();
  list_.Clear();
  views_.list->RowsChanged(0);
  Guarded("Error while Creating User Database", [&] { session_.CreateUserDatabase(slots_, ports_.files); });
  UpdateCommandBar();
}

uint8_t AddonCore::CanClose() noexcept {
  try {
    if (list_.RowCount() == 0 || session_.Database() == nullptr) return 1;
    return ConfirmSave() ? 1 : 0;
  } catch (...) {
    // Whatever went wrong, the user's entries are not thrown away.
    return 0;
  }
}

void AddonCore::FilesDropped(const std::vector<std::string>& names) noexcept {
  const OperationScope operation(codes::kShellFilesDropped);
  Guarded(kShellDropFailed, [&] {
    droppedFiles_ = names;
    if (closing_) return;
    FileWork work = FileWorkspace();
    TakeDroppedFiles(work, names, codes::kAcceptShellDropLoad);
  });
  UpdateCommandBar();
}

void AddonCore::LoadDroppedFile(const std::string& path) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kLoadDroppedFile);
  Guarded(kFileOfferFailed, [&] {
    FileWork work = FileWorkspace();
    TakeDroppedFiles(work, {path}, codes::kLoadDroppedFile);
  });
  UpdateCommandBar();
}

void AddonCore::TakeOfferedEntries(uintptr_t ownWindow) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kTakeOfferedEntries);
  std::string droppedFile;
  Guarded(kTakeOfferFailed, [&] {
    ExchangeWork exchange = Exchange();
    droppedFile = TakeOffer(exchange, ownWindow);
  });
  // Loaded outside the guard: the load reports its own failures.
  if (!droppedFile.empty()) LoadDroppedFile(droppedFile);
  UpdateCommandBar();
}

bool AddonCore::AcceptsOffer(uintptr_t ownWindow) const noexcept {
  if (closing_) return false;
  try {
    return zun::AcceptsOffer(slots_, ownWindow);
  } catch (...) {
    return false;
  }
}

bool AddonCore::OfferSelectedEntries(const WindowLocator* target, uintptr_t ownWindow) noexcept {
  if (closing_) return false;
  const bool drag = target == nullptr;
  const OperationScope operation(drag ? codes::kStartDrag : codes::kAskForIndexRoom);
  int32_t written = 0;
  Guarded(drag ? kOfferDragFailed : kOfferListingFailed, [&] {
    ExchangeWork exchange = Exchange();
    written = OfferSelected(exchange, target, ownWindow);
  });
  return written > 0;
}

SendToMenu AddonCore::SendToMenuModel(uintptr_t ownWindow) const noexcept {
  try {
    return BuildSendToMenu(slots_.Registry(), slots_.AddonButtons(), slots_.PluginsMenu(), ownWindow);
  } catch (...) {
    return {};
  }
}

void AddonCore::SendTo(SendToList list, int32_t position, uintptr_t ownWindow) noexcept {
  if (closing_) return;
  std::optional<WindowLocator> target;
  try {
    target = SendToTarget(slots_, list == SendToList::PluginsMenu, position);
  } catch (...) {
    return;
  }
  if (target) OfferSelectedEntries(&*target, ownWindow);
}

void AddonCore::Reopen(int32_t index) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kReopenRecentFile);
  views_.pump->ProcessPendingMessages();
  Guarded("Error while opening SL5 File.", [&] {
    if (index < 0 || index >= kRecentFileCount) return;
    if (!ConfirmSave()) return;
    const std::string path = recentFiles_[static_cast<size_t>(index)];
    if (path.empty() || !ports_.files.FileExists(path)) return;
    FileWork work = FileWorkspace();
    LoadRequest request;
    request.names = {path};
    request.preset = true;
    request.fromRecent = true;
    request.recentIndex = index;
    LoadDatabaseFiles(work, request);
  });
  UpdateCommandBar();
}

std::vector<ReopenMenuItem> AddonCore::ReopenMenu() noexcept {
  try {
    return DescribeReopenMenu(ports_.files, recentFiles_, slots_.Game(), session_.Database());
  } catch (...) {
    return {};
  }
}

void AddonCore::LoadSettings() noexcept {
  const OperationScope operation(codes::kLoadSettings);
  Guarded("Error while Loading ZUN Settings.",
          [&] { zun::LoadSettings(ports_.profile, Settings(), geometry_, recentFiles_); });
}

void AddonCore::CloseForGood(bool visible, const WindowGeometry& live) noexcept {
  const OperationScope operation(codes::kSaveSettings);
  Guarded("Error while Saving ZUN Settings.",
          [&] { zun::SaveSettings(ports_.profile, Settings(), visible, live, recentFiles_); });
  EnterOperation(codes::kClearRowSelection);
  list_.ClearSelection();
  slots_.Detach();
}

void AddonCore::Execute(CommandId id) noexcept {
  // A command that arrives while the window closes does nothing.
  if (closing_) return;
  const Command* found = nullptr;
  for (const Command& command : Commands())
    if (command.id == id) found = &command;
  if (found == nullptr) return;
  const Command& command = *found;
  const OperationScope operation(command.code);
  views_.pump->ProcessPendingMessages();
  // The messages that just ran may have ordered the close (0x591).
  if (closing_) return;
  {
    const BusyScope busy(hourglass_, command.busy);
    try {
      command.action(*this);
    } catch (...) {
      // The message names what is selected when the failure happens.
      const bool one = list_.SelectedCount() == 1;
      ReportFailure(!one && command.failureMessageForMany ? command.failureMessageForMany : command.failureMessage);
    }
  }
  UpdateCommandBar();
}

void AddonCore::BallCellChosen(int32_t set, GridCell cell) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kClickBallCell);
  Guarded("Error while selecting Winning Lotto Numbers.", [&] {
    Workspace work = Work();
    if (work.choices.Click(work.PlaySets(), set, cell)) work.ShowChoices();
  });
  UpdateCommandBar();
}

void AddonCore::RowSelectionChanged() noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kResortList);
  Guarded("Error while Displaying your Lotto Numbers.", [&] {
    Workspace work = Work();
    ShowSelectedEntryOnGrids(work);
  });
  UpdateCommandBar();
}

void AddonCore::ColumnClicked(int32_t column) noexcept {
  if (closing_) return;
  const OperationScope operation(codes::kResortList);
  Guarded("Error while applying entries sort.", [&] {
    Workspace work = Work();
    list_.ClickColumn(work.Database(), column);
    work.ShowRows();
    const int32_t row = list_.FirstSelectedRow();
    EnterOperation(codes::kRevealRow);
    if (row >= 0) views_.list->RevealRow(row);
  });
}

void AddonCore::UpdateCommandBar() noexcept {
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

CommandStates AddonCore::CurrentCommandStates() const noexcept {
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

CommandSituation AddonCore::Situation() const {
  CommandSituation situation;
  situation.rowCount = list_.RowCount();
  situation.selectedCount = list_.SelectedCount();
  situation.quickPickRunning = quickPickRunning_;
  situation.naturalOrder = list_.InNaturalOrder();
  situation.currentFile = !session_.CurrentDatabaseFile().empty();
  situation.modified = session_.DatabaseModified();
  situation.recentFiles =
      std::any_of(recentFiles_.begin(), recentFiles_.end(), [](const std::string& path) { return !path.empty(); });
  const TZUN_Lotto_DBase* game = slots_.Game();
  try {
    situation.htmlTemplate = game != nullptr && ports_.files.FileExists(game->HtmlPath(kListTemplateName));
  } catch (...) {
    situation.htmlTemplate = false;
  }
  situation.allSetsComplete = game != nullptr && choices_.AllSetsComplete(game->PlaySets.span());
  return situation;
}

void AddonCore::ConfirmAndDeleteSelected() {
  const int32_t selected = list_.SelectedCount();
  if (selected == 0) return;  // no question without a selection
  static const int32_t kResults[] = {kResultYes, kResultNo};
  static const std::string kButtons[] = {"&Yes", "&No"};
  const int32_t answer = ports_.prompt.ShowMessagePage(selected == 1 ? kDeleteOneQuestion : kDeleteManyQuestion,
                                                       "Confirm Deletion", kIconConfirmation, kResults, kButtons);
  if (answer != kResultYes) return;
  Workspace work = Work();
  DeleteSelectedEntries(work);
  ClearBallGrids(work);
}

void AddonCore::RunQuickPick() {
  // The button stays disabled while a pick runs, and comes back after a
  // failure too.
  const FlagScope running(quickPickRunning_);
  UpdateCommandBar();
  Workspace work = Work();
  try {
    AddQuickPickEntry(work);
  } catch (const NoQuickPickPossible& impossible) {
    // The game's grids admit no entry: the user is told why, on a line of its own.
    ReportFailure(std::string(CommandFor(CommandId::QuickPick).failureMessage) + "\r" + impossible.what());
  }
}

void AddonCore::RunSelectionCommand(SelectionCommand command) {
  views_.pump->ProcessPendingMessages();
  list_.ApplySelectionCommand(command);
  Workspace work = Work();
  work.ShowSelection();
  ShowSelectedEntryOnGrids(work);
}

void AddonCore::RunApplySort() {
  Workspace work = Work();
  // The order the user asked for is the database's now: it is unsaved like
  // any other edit (a close asks to save it).
  if (list_.ApplySort(work.Database())) session_.EntriesEdited();
  work.ShowRows();
  work.ShowSelection();
}

bool AddonCore::ConfirmSave() {
  FileWork work = FileWorkspace();
  return zun::ConfirmSave(work);
}

void AddonCore::RunNew() {
  FileWork work = FileWorkspace();
  if (!zun::ConfirmSave(work)) return;
  NewDatabase(work);
}

void AddonCore::RunSave() {
  // The failure names the file being saved, which the table cannot.
  try {
    FileWork work = FileWorkspace();
    SaveDatabase(work);
  } catch (...) {
    ReportFailure("Error while saving SL5 File: " + std::string(FileNameOf(session_.CurrentDatabaseFile())));
  }
}

void AddonCore::RunSaveAs() {
  try {
    FileWork work = FileWorkspace();
    SaveDatabaseAs(work);
  } catch (...) {
    ReportFailure("Error while saving SL5 File: " + std::string(FileNameOf(session_.CurrentDatabaseFile())));
  }
}

void AddonCore::RunLoad() {
  FileWork work = FileWorkspace();
  if (!zun::ConfirmSave(work)) return;
  LoadRequest request;
  request.clear = true;
  LoadDatabaseFiles(work, request);
}

}  // namespace zun
