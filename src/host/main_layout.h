#pragma once

// Where the main window's children stand in its client area: the command
// bar on the left, the selection frame, the splitter and the list filling
// the rest; the status panel and below it the progress bar at the bottom.

#include "base/box.h"

namespace zun {

struct MainLayout {
  Box buttons;
  Box selections;
  Box splitter;
  Box list;
  Box statusPanel;
  Box progressBar;
};

inline constexpr int kCommandBarWidth = 104;
inline constexpr int kSplitterWidth = 7;
inline constexpr int kStatusPanelHeight = 25;
inline constexpr int kProgressBarHeight = 16;
inline constexpr int kMinSelectionWidth = 65;
inline constexpr int kMinWindowWidth = 778;
inline constexpr int kMinWindowHeight = 291;
// The status panel's two labels.
inline constexpr int kFileCaptionLeft = 8;
inline constexpr int kFileNameLeft = 32;

MainLayout LayOutMainWindow(int clientWidth, int clientHeight, int selectionWidth);

// The selection frame's width: at least its minimum, and never so wide that
// the list is pushed out of the window.
int ClampSelectionWidth(int wanted, int clientWidth);

}  // namespace zun
