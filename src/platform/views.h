#pragma once

// What the add-on's windows show of the document. The document changes
// (the entry list, the ball choices, the session) and the host adapter
// tells the views through these ports; the views paint what the document
// holds and keep no state of their own that it would have to ask for. Each
// port has a do-nothing default, so the add-on runs before its windows
// exist and in tests that watch only some of them.

#include <array>
#include <cstdint>
#include <string>

#include "platform/command_id.h"

namespace zun {

class EntryListView {
 public:
  virtual ~EntryListView() = default;
  // The rows changed (their number, order or texts): show rowCount rows
  // and repaint them from the list model.
  virtual void RowsChanged(int32_t /*rowCount*/) {}
  // The model's selection changed; all of it may have.
  virtual void SelectionChanged() {}
  // Scroll the row fully into view.
  virtual void RevealRow(int32_t /*row*/) {}
  // The list takes the keyboard focus (what is dropped on it comes there).
  virtual void Focus() {}
};

class BallGridsView {
 public:
  virtual ~BallGridsView() = default;
  // The chosen balls changed: repaint every grid from the choices.
  virtual void RepaintGrids() {}
};

// The main window's own parts: its status panel and the window itself.
class StatusView {
 public:
  virtual ~StatusView() = default;
  // The text after "File: " in the status panel.
  virtual void SetFileLabel(const std::string& /*text*/) {}
  // The progress bar, 0 to 100.
  virtual void SetProgress(int32_t /*percent*/) {}
  // Shows the main window if it is hidden (the user is about to work in
  // it, e.g. to answer the save dialog). Returns whether it was hidden.
  virtual bool ShowIfHidden() { return false; }
};

// What a command's tool button or menu item shows: whether it can be
// chosen, whether it carries a check mark, whether it is there at all.
struct CommandState {
  bool enabled = false;
  bool checked = false;
  bool shown = true;
  std::string caption{};  // instead of the command's own, when not empty ("Undo Delete 512 Entries")
  friend bool operator==(const CommandState&, const CommandState&) = default;
};

// The enabling rule's result: one state per command, and one for each of
// the two submenus that are no commands of their own. The tool bar and the
// menus apply it as it is; none of them decides anything itself.
class CommandStates {
 public:
  CommandState& operator[](CommandId id) { return states_.at(static_cast<size_t>(id)); }
  const CommandState& operator[](CommandId id) const { return states_.at(static_cast<size_t>(id)); }

  CommandState reopen;  // the file menu's Reopen submenu
  CommandState sendTo;  // the list popup's Send To submenu
  // The list popup's "Export to *.csv" greys with the list's other items when
  // there are no rows; the file menu's also exports a current file's
  // (empty) database.
  CommandState listCsv;

  friend bool operator==(const CommandStates&, const CommandStates&) = default;

 private:
  std::array<CommandState, kCommandIdLimit> states_{};
};

class CommandBarView {
 public:
  virtual ~CommandBarView() = default;
  // The rule was applied again: the tool buttons take their commands' states.
  virtual void ShowCommandStates(const CommandStates& /*states*/) {}
};

// Lets pending window messages run between the steps of long work, as the
// host's loop would.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void ProcessPendingMessages() {}
};

// The window that checks the entries against the draws.
class CheckView {
 public:
  virtual ~CheckView() = default;
  // Shows the window in front (made the first time it is asked for).
  virtual void OpenCheck() {}
};

// All of them, as the host adapter holds them.
struct Views {
  EntryListView* list;
  BallGridsView* grids;
  StatusView* status;
  CommandBarView* commandBar;
  MessagePump* pump;
  CheckView* check = nullptr;
};

}  // namespace zun
