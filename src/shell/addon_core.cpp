#include "shell/addon_core.h"

#include <exception>

#include "base/error_location.h"
#include "base/paths.h"
#include "base/reference_codes.h"
#include "commands/command_bar.h"
#include "operations/entry_editing.h"
#include "shell/host_version.h"

namespace zun {
namespace {

constexpr char kDeleteOneQuestion[] = "Are you Sure you want to delete this Entry?";
constexpr char kDeleteManyQuestion[] = "Are you Sure you want to delete all selected Entries?";

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

FileWork AddonCore::FileWorkspace() noexcept {
  return FileWork{Work(), ports_.files, ports_.prompt, *dialogs_, *notifier_, recentFiles_, errors_, ports_.cursor};
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
  struct Starting {
    bool& flag;
    explicit Starting(bool& f) : flag(f) { flag = true; }
    ~Starting() { flag = false; }
  } starting(starting_);
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
  slots_.Detach();
  return 0;
}

void AddonCore::InitialisePage(StartUpSteps& steps) {
  EnterOperation(codes::kInitialisePage);
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
  EnterOperation(codes::kShellFilesDropped);
  Guarded("Error while adding Entries from File Manager.", [&] {
    droppedFiles_ = names;
    if (closing_) return;
    FileWork work = FileWorkspace();
    TakeDroppedFiles(work, names);
  });
  UpdateCommandBar();
}

void AddonCore::LoadDroppedFile(const std::string& path) noexcept {
  if (closing_) return;
  EnterOperation(codes::kLoadDroppedFile);
  Guarded("Error while adding Entries from File Manager.", [&] {
    FileWork work = FileWorkspace();
    TakeDroppedFiles(work, {path});
  });
  UpdateCommandBar();
}

void AddonCore::Reopen(int32_t index) noexcept {
  if (closing_) return;
  EnterOperation(codes::kReopenRecentFile);
  views_.pump->ProcessPendingMessages();
  Guarded("Error while opening SL5 File.", [&] {
    if (index < 0 || index >= kRecentFileCount) return;
    if (!ConfirmSave()) return;
    EnterOperation(codes::kReopenRecentFile);
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
  EnterOperation(codes::kLoadSettings);
  Guarded("Error while Loading ZUN Settings.",
          [&] { zun::LoadSettings(ports_.profile, Settings(), geometry_, recentFiles_); });
}

void AddonCore::CloseForGood(bool visible, const WindowGeometry& live) noexcept {
  EnterOperation(codes::kSaveSettings);
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
  EnterOperation(command.code);
  views_.pump->ProcessPendingMessages();
  if (command.busy) SetBusy(ports_.cursor, true);
  try {
    command.action(*this);
  } catch (...) {
    // The message names what is selected when the failure happens.
    const bool one = list_.SelectedCount() == 1;
    ReportFailure(!one && command.failureMessageForMany ? command.failureMessageForMany : command.failureMessage);
  }
  if (command.busy) SetBusy(ports_.cursor, false);
  UpdateCommandBar();
}

void AddonCore::BallCellChosen(int32_t set, GridCell cell) noexcept {
  if (closing_) return;
  EnterOperation(codes::kClickBallCell);
  Guarded("Error while selecting Winning Lotto Numbers.", [&] {
    Workspace work = Work();
    if (work.choices.Click(work.PlaySets(), set, cell)) work.ShowChoices();
  });
  UpdateCommandBar();
}

void AddonCore::RowSelectionChanged() noexcept {
  if (closing_) return;
  EnterOperation(codes::kResortList);
  Guarded("Error while Displaying your Lotto Numbers.", [&] {
    Workspace work = Work();
    ShowSelectedEntryOnGrids(work);
  });
  UpdateCommandBar();
}

void AddonCore::ColumnClicked(int32_t column) noexcept {
  if (closing_) return;
  EnterOperation(codes::kResortList);
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
  try {
    const TZUN_Lotto_DBase* game = slots_.Game();
    const bool complete = game != nullptr && choices_.AllSetsComplete(game->PlaySets.span());
    views_.commandBar->ShowButtonStates(CommandBarStates(complete, list_.SelectedCount(), quickPickRunning_));
  } catch (...) {
    // The buttons keep their states; nothing the user made is touched.
  }
}

AddonCore::PopupStates AddonCore::ListPopupStates() const noexcept {
  PopupStates states;
  states.rowsPresent = list_.RowCount() > 0;
  states.applySortVisible = states.rowsPresent && !list_.InNaturalOrder();
  return states;
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
  struct Running {
    AddonCore& core;
    explicit Running(AddonCore& c) : core(c) {
      core.quickPickRunning_ = true;
      core.UpdateCommandBar();
    }
    ~Running() { core.quickPickRunning_ = false; }
  } running(*this);
  Workspace work = Work();
  AddQuickPickEntry(work);
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
  list_.ApplySort(work.Database());
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
