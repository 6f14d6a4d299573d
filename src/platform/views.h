#pragma once

// What the add-on's windows show of the core's state. The core changes its
// models (the entry list, the ball choices, the session) and then tells the
// views through these ports; the views paint what the models hold and keep
// no state of their own that the core would have to ask for. Each port has
// a do-nothing default, so the core runs before its windows exist and in
// tests that watch only some of them.

#include <cstdint>
#include <string>

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

// Which tool buttons are enabled (the enabling rule's result).
struct ButtonStates {
  bool load = false;
  bool add = false;
  bool apply = false;
  bool remove = false;
  bool quickPick = true;
  bool clear = true;
  friend bool operator==(const ButtonStates&, const ButtonStates&) = default;
};

class CommandBarView {
 public:
  virtual ~CommandBarView() = default;
  virtual void ShowButtonStates(const ButtonStates& /*states*/) {}
};

// Lets pending window messages run between the steps of long work, as the
// host's loop would.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void ProcessPendingMessages() {}
};

// All of them, as the core holds them.
struct Views {
  EntryListView* list;
  BallGridsView* grids;
  StatusView* status;
  CommandBarView* commandBar;
  MessagePump* pump;
};

}  // namespace zun
