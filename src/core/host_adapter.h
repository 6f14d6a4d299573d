#pragma once

// The add-on toward the host: the handshake and start-up in the host's
// order, the six slots with the document's database published in them
// after each change, the host's messages and offers, the close for good and
// a start again. Around it the Win32 side only wires the ports and decodes
// HWND, HDROP and MSG; inside it the document holds what the player edits
// and the operations change it.
//
// The windows read the document through Doc() (const) and send intents:
// Execute, BallCellChosen, SelectRows, ColumnClicked, Reopen, the offers.
// Every intent is noexcept: no exception leaves for the host. Failures are
// reported through the error reporter.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/command_situation.h"
#include "document/document.h"
#include "host/error_reporter.h"
#include "host/host_slots.h"
#include "host/hourglass.h"
#include "host/plugin_description.h"
#include "host/settings.h"
#include "list/send_to_menu.h"
#include "operations/check_result_rows.h"
#include "operations/recent_files.h"
#include "operations/services.h"
#include "platform/clock.h"
#include "platform/profile_store.h"
#include "platform/screen_cursor.h"
#include "platform/views.h"
#include "selection/grid_geometry.h"

namespace zun {

// The platform's share of the life cycle, called by the adapter in order.
class AddonWindows {
 public:
  virtual ~AddonWindows() = default;
  // The host's version is refused: a message box, nothing else.
  virtual void RefuseVersion(const std::string& message) = 0;
  // The message dialog and the main window, owned by the host's window; the
  // main window reads the settings (HostAdapter::LoadSettings) as it is made.
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
  // The close for good: the grids go (and drops are no longer taken), then
  // the message dialog (a question being shown ends first).
  virtual void FreeGameViews() = 0;
  virtual void ReleaseMessageDialog() = 0;
};

class HostAdapter final : private DocumentListener {
 public:
  // Everything of the platform the add-on uses, given once.
  struct Ports {
    AddonWindows& windows;
    FileSystem& files;
    ProfileStore& profile;
    SharedMemory& memory;
    Clock& clock;
    MessagePrompt& prompt;
    ScreenCursor& cursor;
    RandomSource& random;
    FileDialogs& dialogs;
    Clipboard& clipboard;
    HostNotifier& notifier;
    HostMessenger& messenger;
    const MemoryProbe& probe;
  };

  explicit HostAdapter(const Ports& ports);
  ~HostAdapter() override;
  HostAdapter(const HostAdapter&) = delete;
  HostAdapter& operator=(const HostAdapter&) = delete;

  // ---- The exports' work ---------------------------------------------------

  // Whether the window was open when the add-on last closed.
  uint8_t PluginData(PluginDescription* record, std::string_view folder, std::string_view prefix) noexcept;
  // Start-up in the host's order: version, folder and prefix, windows,
  // slots, window handle, page (grids, columns, user database), show,
  // message 1525. 1 when started; 0 with everything undone otherwise (the
  // windows destroyed and the views they had set dropped). A start again
  // drops the views of the old windows before they go.
  uint8_t Start(std::string_view folder, std::string_view prefix, std::string_view version) noexcept;
  // 1 when the add-on may close: the list is empty, or ConfirmSave agreed.
  uint8_t CanClose() noexcept;
  // The names of files dropped from the shell (on the host or on the
  // list): the database files among them that exist are loaded, after the
  // clear-or-append question.
  void FilesDropped(const std::vector<std::string>& names) noexcept;

  // ---- The window's life -----------------------------------------------------

  // The host ordered the close for good (message 0x591).
  void OrderClose() noexcept { closing_ = true; }
  bool Closing() const noexcept { return closing_; }
  // The close steps: the settings are written (`visible` and `live` from
  // the window), the selection cleared, the grids freed, the slots
  // detached, the message dialog released.
  void CloseForGood(bool visible, const WindowGeometry& live) noexcept;
  void LoadSettings() noexcept;
  const WindowGeometry& Geometry() const noexcept { return geometry_; }
  // The hide step keeps the window's place for the next show.
  void StoreGeometry(const WindowGeometry& geometry) noexcept { geometry_ = geometry; }
  const RecentFileList& RecentFiles() const noexcept { return recent_; }
  // The windows' views; null members keep a do-nothing view.
  void SetViews(const Views& views) noexcept;
  // The host's hourglass messages (0x59C, 0x59D).
  void SetHourglass(bool on) noexcept;

  // ---- What the windows read ---------------------------------------------------

  const Document& Doc() const noexcept { return document_; }
  // The enabling rule's result as things stand; the menus read it as they open.
  CommandStates CurrentCommandStates() const noexcept;
  // What the Reopen menu shows, built when it opens.
  std::vector<ReopenMenuItem> ReopenMenu() noexcept;
  // The "Send To" menu as the host's registry stands now.
  SendToMenu SendToMenuModel(uintptr_t ownWindow) const noexcept;
  ErrorReporter& Errors() noexcept { return errors_; }
  const ErrorReporter& Errors() const noexcept { return errors_; }
  const HostSlots& Slots() const noexcept { return slots_; }
  SettingsLocation Settings() const { return SettingsLocation::For(errors_.HostFolder(), errors_.HostPrefix()); }
  const std::vector<std::string>& LastDroppedFiles() const noexcept { return droppedFiles_; }

  // ---- Intents from the windows --------------------------------------------------

  // Runs a command: its code, pending messages, a guard that reports its
  // failure, the busy cursor when it asks for one; then the buttons follow.
  void Execute(CommandId id) noexcept;
  // A ball cell clicked, or the grid's current cell moved onto it.
  void BallCellChosen(int32_t set, GridCell cell) noexcept;
  // The user selected or deselected rows first to last (all for first -1)
  // in the list; one selected row then shows on the grids.
  void SelectRows(int32_t first, int32_t last, bool selected) noexcept;
  // As SelectRows, each row from `first` on with its own state.
  void SetRowSelection(int32_t first, std::span<const uint8_t> selected) noexcept;
  // A click on a column header.
  void ColumnClicked(int32_t column) noexcept;
  // The Reopen menu's item for recent file `index` (0..14).
  void Reopen(int32_t index) noexcept;
  // Applies the enabling rule again and shows the result on the tool bar.
  void UpdateCommandBar() noexcept;

  // ---- The check against the draws ----------------------------------------------------

  // "Select Winning Entries": exactly these entries' rows selected (database
  // positions), the first scrolled into view.
  void SelectEntries(std::span<const int32_t> entries) noexcept;
  // The check's rows as a CSV file, after the save dialog.
  void ExportCheckRows(const CheckResultRows& rows, const DrawCheckInput& input) noexcept;
  // The check window's place in the settings; none when not stored.
  std::optional<WindowPlace> CheckWindowPlace() noexcept;
  void StoreCheckWindowPlace(const WindowPlace& place) noexcept;
  // The error reporter and the file dialogs, for the work a window guards
  // itself (a check's snapshot).
  Services& ServicesForWindows() noexcept { return services_; }

  // ---- Entries between windows -----------------------------------------------------

  // An offer arrived (message 0x594, or a drop on the list): kind 3 loads
  // the file it names as a drop; kind 2 takes the entries (see
  // operations/entry_intake.h for what is refused or skipped).
  void TakeOfferedEntries() noexcept;
  // Whether a drag that the record announces may be dropped on the list of
  // `ownWindow`: entries (kind 2) or a file (kind 3) offered by another
  // window.
  bool AcceptsOffer(uintptr_t ownWindow) const noexcept;
  // Offers the selected entries from `ownWindow`: to `target` (Send To) or,
  // with a null target, to whoever takes the drag. Returns whether indexes
  // were written: for a drag, whether to start it.
  bool OfferSelectedEntries(const WindowLocator* target, uintptr_t ownWindow) noexcept;
  enum class SendToList { AddonButtons, PluginsMenu };
  // The menu item at `position` of a locator list was chosen.
  void SendTo(SendToList list, int32_t position, uintptr_t ownWindow) noexcept;

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

 private:
  // DocumentListener: the host and the windows follow the document.
  void EntriesChanged() override;
  void SelectionChanged() override;
  void ChoicesChanged() override;
  void SessionChanged() override;

  void InitialisePage();
  // One file offered by another window (kind 3), taken as a drop.
  void LoadDroppedFile(const std::string& path) noexcept;
  // Back to the do-nothing views, before the windows behind them go.
  void DropViews() noexcept;
  void ReportFailure(std::string_view message) noexcept;
  // What the enabling rule looks at; throws when the grids cannot be asked.
  CommandSituation Situation() const;

  Ports ports_;
  ErrorReporter errors_;
  Hourglass hourglass_;
  HostSlots slots_;
  Document document_{slots_};
  WindowGeometry geometry_;
  RecentFileList recent_;
  EntryListView noList_;
  BallGridsView noGrids_;
  StatusView noStatus_;
  CommandBarView noCommandBar_;
  MessagePump noPump_;
  CheckView noCheck_;
  Views views_{&noList_, &noGrids_, &noStatus_, &noCommandBar_, &noPump_, &noCheck_};
  Services services_;
  bool closing_ = false;
  bool starting_ = false;
  std::optional<CommandId> running_;
  std::vector<std::string> droppedFiles_;
};

}  // namespace zun
