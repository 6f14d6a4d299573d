#pragma once

// Views that record what the core told them, and start-up steps that record
// their order, for tests of the core without windows.

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/views.h"
#include "core/addon_core.h"

namespace zun::testing {

class RecordingViews final : public EntryListView,
                             public BallGridsView,
                             public StatusView,
                             public CommandBarView,
                             public MessagePump {
 public:
  int32_t rowCount = -1;
  int rowChanges = 0;
  int selectionChanges = 0;
  std::vector<int32_t> revealed;
  int gridRepaints = 0;
  bool failRepaints = false;  // the grids cannot be painted
  std::string fileLabel = "---";
  std::vector<int32_t> progress;
  std::vector<CommandStates> commandStates;
  int pumps = 0;
  // Runs inside each pump, as a message handled meanwhile would.
  std::function<void()> onPump;
  bool hidden = false;  // the main window
  int shows = 0;        // times it was shown because it was hidden

  void RowsChanged(int32_t count) override {
    rowCount = count;
    ++rowChanges;
  }
  void SelectionChanged() override { ++selectionChanges; }
  void RevealRow(int32_t row) override { revealed.push_back(row); }
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

  Views All() { return Views{this, this, this, this, this}; }
  // Whether the command's button was last shown enabled.
  bool Enabled(CommandId id) const { return commandStates.back()[id].enabled; }
};

class RecordingStartUp final : public StartUpSteps {
 public:
  std::vector<std::string> steps;
  std::string shownError;
  std::string failAt;  // the step that throws
  // Runs inside CreateWindows, as the main window reads its settings.
  std::function<void()> onCreateWindows;

  void RefuseVersion(const std::string& message) override { Do("refuse " + message); }
  void CreateWindows() override {
    Do("create windows");
    if (onCreateWindows) onCreateWindows();
  }
  void HandOverWindow() override { Do("hand over window"); }
  void BuildGameViews() override { Do("build game views"); }
  void ShowMainWindow() override { Do("show"); }
  void AnnounceStarted() override { Do("announce"); }
  void ShowStartError(const std::string& message) override {
    shownError = message;
    steps.push_back("start error");
  }
  void DestroyWindows() override { steps.push_back("destroy windows"); }

 private:
  void Do(const std::string& step) {
    steps.push_back(step);
    if (step == failAt) throw std::runtime_error("cannot " + step);
  }
};

}  // namespace zun::testing
