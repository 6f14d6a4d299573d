#include "host/main_layout.h"

#include <algorithm>

namespace zun {

int ClampSelectionWidth(int wanted, int clientWidth) {
  const int room = clientWidth - kCommandBarWidth - kSplitterWidth;
  return std::max(kMinSelectionWidth, std::min(wanted, room));
}

MainLayout LayOutMainWindow(int clientWidth, int clientHeight, int selectionWidth) {
  MainLayout out;
  const int width = std::max(clientWidth, 0);
  out.progressBar = {0, clientHeight - kProgressBarHeight, width, kProgressBarHeight};
  out.statusPanel = {0, out.progressBar.top - kStatusPanelHeight, width, kStatusPanelHeight};
  const int height = std::max(out.statusPanel.top, 0);
  const int selection = ClampSelectionWidth(selectionWidth, width);
  out.buttons = {0, 0, kCommandBarWidth, height};
  out.selections = {kCommandBarWidth, 0, selection, height};
  out.splitter = {out.selections.left + selection, 0, kSplitterWidth, height};
  const int listLeft = out.splitter.left + kSplitterWidth;
  out.list = {listLeft, 0, std::max(width - listLeft, 0), height};
  return out;
}

}  // namespace zun
