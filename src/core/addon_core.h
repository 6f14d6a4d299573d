#pragma once

// The add-on's state and life cycle, free of the platform: the handshake
// with the host, start-up in its fixed order, the close, CanClose, the
// drop entry point, the session with its database, the list and grid
// models, the settings (geometry and recent files) and the commands. The
// Win32 side wires the ports, creates the windows when asked (StartUpSteps)
// and turns messages into the calls below; it decides nothing itself.
//
// Every public method is noexcept: no exception leaves the core for the
// host. Failures are reported through the error reporter.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/command_states.h"
#include "core/command_table.h"
#include "operations/recent_files.h"
#include "list/entry_list.h"
#include "list/send_to_menu.h"
#include "operations/database_session.h"
#include "operations/exchange.h"
#include "operations/file_operations.h"
#include "operations/workspace.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/host_messenger.h"
#include "platform/host_notifier.h"
#include "platform/memory_probe.h"
#include "platform/message_prompt.h"
#include "platform/profile_store.h"
#include "platform/random_source.h"
#include "platform/screen_cursor.h"
#include "platform/shared_memory.h"
#include "platform/views.h"
#include "selection/ball_choices.h"
#include "host/error_reporter.h"
#include "host/hourglass.h"
#include "host/host_slots.h"
#include "host/plugin_description.h"
#include "host/settings.h"

namespace zun {

// The platform's share of start-up, called by AddonCore::Start in order.
class StartUpSteps {
 public:
  virtual ~StartUpSteps() = default;
  // The host's version is refused: a message box, nothing else.
  virtual void RefuseVersion(const std::string& message) = 0;
  // The message dialog and the main window, owned by the host's window; the
  // main window reads the settings (AddonCore::LoadSettings) as it is made.
  virtual void CreateWindows() = 0;
  // The main window's handle to the host.
  virtual void HandOverWindow() = 0;
  // One ball grid per play set and the list's columns, from the game.
  virtual void BuildGameViews() = 0;
  // Shows the main window (its show step applies the stored geometry).
  virtual void ShowMainWindow() = 0;
  // Posts message 1525 to the main window for the host's loop to see.
  virtual void AnnounceStarted() = 0;
  // A start that failed: "Error in Plugin_ZUN: " and the error.
  virtual void ShowStartError(const std::string& message) = 0;
  // Undoes the windows (a failed start, or a start again).
  virtual void DestroyWindows() = 0;
};

class AddonCore {
 public:
  struct Ports {
    FileSystem& files;
    ProfileStore& profile;
    SharedMemory& memory;
    Clock& clock;
    MessagePrompt& prompt;
    ScreenCursor& cursor;
    RandomSource& random;
  };

  explicit AddonCore(Ports ports);
  ~AddonCore();
  AddonCore(const AddonCore&) = delete;
  AddonCore& operator=(const AddonCore&) = delete;

  // ---- The exports' work ---------------------------------------------------

  // Whether the window was open when the add-on last closed.
  uint8_t PluginData(PluginDescription* record, std::string_view folder, std::string_view prefix) noexcept;
  // Start-up in the host's order: version, folder and prefix, windows,
  // slots, window handle, page (grids, columns, user database), show,
  // message 1525. 1 when started; 0 with everything undone otherwise (the
  // windows destroyed and the views they had set dropped).
  uint8_t Start(StartUpSteps& steps, std::string_view folder, std::string_view prefix,
                std::string_view version) noexcept;
  // 1 when the add-on may close: the list is empty, or ConfirmSave agreed
  // (nothing unsaved, No, or Yes and the save succeeded).
  uint8_t CanClose() noexcept;
  // The names of files dropped from the shell on the host: the database
  // files among them that exist are loaded (TakeDroppedFiles' questions).
  void FilesDropped(const std::vector<std::string>& names) noexcept;
  // One file offered by another window (kind 3), taken as a drop of that
  // one name; a failure is reported as the drag-and-drop's.
  void LoadDroppedFile(const std::string& path) noexcept;

  // ---- The window's life -----------------------------------------------------

  // The host ordered the close for good (message 0x591).
  void OrderClose() noexcept { closing_ = true; }
  bool Closing() const noexcept { return closing_; }
  // The close steps' share of the core: the settings are written (`visible`
  // and `live` from the window), the selection cleared, the slots detached.
  void CloseForGood(bool visible, const WindowGeometry& live) noexcept;
  void LoadSettings() noexcept;
  WindowGeometry& Geometry() noexcept { return geometry_; }
  RecentFileList& RecentFiles() noexcept { return recentFiles_; }
  // The views the core refreshes; null members keep a do-nothing view.
  void SetViews(const Views& views) noexcept;
  // The file dialogs; null (the default) cancels every dialog.
  void SetFileDialogs(FileDialogs* dialogs) noexcept { dialogs_ = dialogs ? dialogs : &noDialogs_; }
  // Told of every saved database file; null (the default) tells nobody.
  void SetHostNotifier(HostNotifier* notifier) noexcept { notifier_ = notifier ? notifier : &noNotifier_; }
  // Asks the host for index room and posts offers; null (the default)
  // grants no room and posts nothing.
  void SetHostMessenger(HostMessenger* messenger) noexcept {
    messenger_ = messenger ? messenger : &noMessenger_;
  }
  // Asked before memory another module handed over is read; null (the
  // default) trusts every non-null pointer.
  void SetMemoryProbe(MemoryProbe* probe) noexcept { probe_ = probe ? probe : &noProbe_; }

  // ---- Events from the windows ---------------------------------------------

  // Runs a command: its code, a guard that reports its failure message,
  // the busy cursor when it asks for one; then the buttons are refreshed.
  void Execute(CommandId id) noexcept;
  // A ball cell clicked, or the grid's current cell moved onto it.
  void BallCellChosen(int32_t set, GridCell cell) noexcept;
  // The user changed which rows are selected (the list model already holds it).
  void RowSelectionChanged() noexcept;
  // A click on a column header.
  void ColumnClicked(int32_t column) noexcept;
  // The Reopen menu's item for recent file `index` (0..14): asks to save,
  // then loads that file alone. A file that no longer exists is skipped
  // without a word.
  void Reopen(int32_t index) noexcept;
  // What the Reopen menu shows, built when it opens.
  std::vector<ReopenMenuItem> ReopenMenu() noexcept;
  // Applies the enabling rule again and shows the result on the tool bar.
  void UpdateCommandBar() noexcept;
  // The enabling rule's result as things stand (core/command_states.h);
  // the menus read it as they open.
  CommandStates CurrentCommandStates() const noexcept;

  // ---- Entries between windows ---------------------------------------------

  // An offer arrived (0x594 to the main window, or a drop on the list): the
  // drag-and-drop record is read. Kind 3 loads the file TransferName names;
  // kinds 1 and 2 open the map it names, and kind 2 takes the offered
  // entries (see operations/entry_intake.h for what is refused or skipped).
  // An offer from `ownWindow` itself and other kinds do nothing.
  void TakeOfferedEntries(uintptr_t ownWindow) noexcept;
  // Whether a drag that the record announces may be dropped on the list of
  // `ownWindow`: entries (kind 2) or a file (kind 3) offered by another
  // window. The list never takes its own rows, nor a read-only offer.
  bool AcceptsOffer(uintptr_t ownWindow) const noexcept;
  // Offers the selected entries from `ownWindow`: to `target` (Send To;
  // the offer is posted to the host whether or not it made room) or, with
  // a null target, to whoever takes the drag (nothing is posted). Without
  // a selection nothing is offered. Returns whether indexes were written:
  // for a drag, whether to start it.
  bool OfferSelectedEntries(const WindowLocator* target, uintptr_t ownWindow) noexcept;
  // The "Send To" menu as the host's registry stands now.
  SendToMenu SendToMenuModel(uintptr_t ownWindow) const noexcept;
  enum class SendToList { AddonButtons, PluginsMenu };
  // The menu item at `position` of a locator list was chosen: the selected
  // entries are offered to the window that locator names now.
  void SendTo(SendToList list, int32_t position, uintptr_t ownWindow) noexcept;

  // ---- What the views paint ------------------------------------------------

  const TZUN_Lotto_DBase* Game() const noexcept { return slots_.Game(); }
  const TZUN_User_Lotto_DBase* Database() const noexcept { return session_.Database(); }
  const EntryList& List() const noexcept { return list_; }
  EntryList& List() noexcept { return list_; }
  const BallChoices& Choices() const noexcept { return choices_; }
  const DatabaseSession& Session() const noexcept { return session_; }
  bool QuickPickRunning() const noexcept { return quickPickRunning_; }

  // ---- Shared services -------------------------------------------------------

  ErrorReporter& Errors() noexcept { return errors_; }
  const ErrorReporter& Errors() const noexcept { return errors_; }
  HostSlots& Slots() noexcept { return slots_; }
  MessagePrompt& Prompt() noexcept { return ports_.prompt; }
  ScreenCursor& Cursor() noexcept { return ports_.cursor; }
  SettingsLocation Settings() const { return SettingsLocation::For(errors_.HostFolder(), errors_.HostPrefix()); }
  const std::vector<std::string>& LastDroppedFiles() const noexcept { return droppedFiles_; }
  Workspace Work() noexcept;
  FileWork FileWorkspace() noexcept;
  ExchangeWork Exchange() noexcept;

  // Runs work under a guard: an error is reported with `message` and the
  // work is left. Returns whether it finished.
  template <class Work>
  bool Guarded(std::string_view message, Work&& work) noexcept {
    try {
      work();
      return true;
    } catch (...) {
      ReportFailure(message);
    }
    return false;
  }

  // The command actions (the table's entries call these).
  void ConfirmAndDeleteSelected();
  void RunQuickPick();
  void RunSelectionCommand(SelectionCommand command);
  void RunApplySort();
  void RunNew();
  void RunSave();
  void RunSaveAs();
  void RunLoad();
  // Whether unsaved entries may be dropped (see zun::ConfirmSave).
  bool ConfirmSave();

 private:
  void InitialisePage(StartUpSteps& steps);
  // Back to the do-nothing views, once the windows behind them are destroyed.
  void DropViews() noexcept;
  void ReportFailure(std::string_view message) noexcept;
  // What the enabling rule looks at; throws when the grids cannot be asked.
  CommandSituation Situation() const;

  Ports ports_;
  ErrorReporter errors_;
  Hourglass hourglass_;
  HostSlots slots_;
  DatabaseSession session_;
  EntryList list_;
  BallChoices choices_;
  WindowGeometry geometry_;
  RecentFileList recentFiles_;
  Views views_;
  EntryListView noList_;
  BallGridsView noGrids_;
  StatusView noStatus_;
  CommandBarView noCommandBar_;
  MessagePump noPump_;
  NoFileDialogs noDialogs_;
  HostNotifier noNotifier_;
  HostMessenger noMessenger_;
  MemoryProbe noProbe_;
  FileDialogs* dialogs_ = &noDialogs_;
  HostNotifier* notifier_ = &noNotifier_;
  HostMessenger* messenger_ = &noMessenger_;
  MemoryProbe* probe_ = &noProbe_;
  bool closing_ = false;
  bool starting_ = false;
  bool quickPickRunning_ = false;
  std::vector<std::string> droppedFiles_;
};

}  // namespace zun
