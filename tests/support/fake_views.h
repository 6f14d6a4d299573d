#pragma once

// Views that record what they were told, a document listener that counts
// the changes it heard of, and the platform's life-cycle steps recorded in
// their order: for tests of the adapter and the document without windows.

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/host_adapter.h"
#include "document/document.h"
#include "platform/views.h"

namespace zun::testing {

class RecordingViews final : public EntryListView,
                             public BallGridsView,
                             public StatusView,
                             public CommandBarView,
                             public MessagePump,
                             public CheckView {
 public:
  int32_t rowCount = -1;
  int rowChanges = 0;
  int selectionChanges = 0;
  std::vector<int32_t> revealed;
  int focused = 0;
  int gridRepaints = 0;
  bool failRepaints = false;  // the grids cannot be painted
  std::string fileLabel = "---";
  std::vector<int32_t> progress;
  std::vector<CommandStates> commandStates;
  int pumps = 0;
  // Runs inside each pump, as a message handled meanwhile would.
  std::function<void()> onPump;
  int checkOpens = 0;
  bool hidden = false;  // the main window
  int shows = 0;        // times it was shown because it was hidden

  void RowsChanged(int32_t count) override {
    rowCount = count;
    ++rowChanges;
  }
  void SelectionChanged() override { ++selectionChanges; }
  void RevealRow(int32_t row) override { revealed.push_back(row); }
  void Focus() override { ++focused; }
  void RepaintGrids() override {
    if (failRepaints) throw std::runtime_error("cannot repaint the grids");
    ++gridRepaints;
  }
  void SetFileLabel(const std::string& text) override { fileLabel = text; }
  void SetProgress(int32_t percent) override { progress.push_back(percent); }
  void ShowCommandStates(const CommandStates& states) override { commandStates.push_back(states); }
  bool ShowIfHidden() override {
    if (!hidden) return false;
    hidden = false;
    ++shows;
    return true;
  }
  void ProcessPendingMessages() override {
    ++pumps;
    if (onPump) onPump();
  }

  void OpenCheck() override { ++checkOpens; }

  Views All() { return Views{this, this, this, this, this, this}; }
  // Whether the command's button was last shown enabled.
  bool Enabled(CommandId id) const { return commandStates.back()[id].enabled; }
};

class RecordingChanges final : public DocumentListener {
 public:
  int entries = 0;
  int selection = 0;
  int choices = 0;
  int session = 0;
  void EntriesChanged() override { ++entries; }
  void SelectionChanged() override { ++selection; }
  void ChoicesChanged() override { ++choices; }
  void SessionChanged() override { ++session; }
};

class RecordingWindows final : public AddonWindows {
 public:
  std::vector<std::string> steps;
  std::string shownError;
  std::string failAt;  // the step that throws
  // Runs inside CreateWindows, as the main window reads its settings.
  std::function<void()> onCreateWindows;
  // Then the new main window hands its views over, as its last step.
  std::function<void()> handOverViews;
  // Runs inside DestroyWindows, as the windows go.
  std::function<void()> onDestroyWindows;

  void RefuseVersion(const std::string& message) override { Do("refuse " + message); }
  void CreateWindows() override {
    Do("create windows");
    if (onCreateWindows) onCreateWindows();
    if (handOverViews) handOverViews();
  }
  void HandOverWindow() override { Do("hand over window"); }
  void BuildGameViews() override { Do("build game views"); }
  void ShowMainWindow() override { Do("show"); }
  void AnnounceStarted() override { Do("announce"); }
  void ShowStartError(const std::string& message) override {
    shownError = message;
    steps.push_back("start error");
  }
  void DestroyWindows() override {
    steps.push_back("destroy windows");
    if (onDestroyWindows) onDestroyWindows();
  }
  void FreeGameViews() override { Do("free game views"); }
  void ReleaseMessageDialog() override { Do("release message dialog"); }

 private:
  void Do(const std::string& step) {
    steps.push_back(step);
    if (step == failAt) throw std::runtime_error("cannot " + step);
  }
};

}  // namespace zun::testing
