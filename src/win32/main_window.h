#pragma once

// The add-on's one window, "User Database Builder": it hosts the frames of
// the command bar, the ball grids and the entry list, the status panel and
// the progress bar; keeps its place and size between runs; hides when the
// user closes it and closes for good only on the host's order.

#include <memory>
#include <string>

#include "platform/views.h"
#include "host/main_layout.h"
#include "host/settings.h"
#include "win32/ball_grid.h"
#include "win32/command_bar_view.h"
#include "win32/draw_check_window.h"
#include "win32/entry_list_view.h"
#include "win32/panel.h"
#include "win32/scroll_frame.h"
#include "win32/scoped.h"
#include "win32/splitter.h"
#include "win32/win32_ports.h"
#include "win32/window.h"

namespace zun {
class HostAdapter;
}

namespace zun::win32 {

class MainWindow final : public Window, public StatusView, public MessagePump, public CheckView {
 public:
  // Creation steps: the settings are loaded, the window is created hidden.
  // Its views are the adapter's from here on. `cursor` says whether the
  // hourglass shows over it.
  MainWindow(HostAdapter& adapter, const Win32ScreenCursor& cursor, HWND owner);

  // Each time the window is shown: the stored place and size are applied.
  void ShowStep();
  // Each time the window is hidden: its place and size are stored.
  void HideStep();

  // Reads the geometry and the recent files into the adapter.
  void LoadSettings();

  // The ball grids and the list's columns for the host's game (start-up),
  // and their release (the close for good).
  void BuildGameViews();
  void FreeGameViews();

  const WindowGeometry& StoredGeometry() const;
  int SelectionWidth() const { return selectionWidth_; }
  // StatusView and MessagePump, for the adapter.
  void SetFileLabel(const std::string& text) override;
  void SetProgress(int32_t percent) override;
  bool ShowIfHidden() override;
  void ProcessPendingMessages() override;
  // CheckView: the check window, made the first time it is asked for.
  void OpenCheck() override;
  DrawCheckWindow* CheckWindow() const { return check_.get(); }
  std::string FileLabel() const;
  BallGrids& Grids() { return grids_; }
  EntryListWindow& EntryList() { return entryList_; }
  CommandBarWindow& CommandBar() { return commandBar_; }
  HWND ProgressBar() const { return progressBar_; }
  HWND Frame(const char* className) const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateChildren();
  void LayOutChildren();
  void OnCloseRequest();
  void CloseSteps();
  void TakeOfferedEntries();
  // Delete and the Ctrl shortcuts, wherever the focus is in the window.
  bool RunShortcut(WPARAM key);
  WindowGeometry LiveGeometry() const;

  HostAdapter& adapter_;
  const Win32ScreenCursor& cursor_;
  int selectionWidth_ = WindowGeometry{}.SelectionWidth;
  int widthAtDragStart_ = 0;

  WindowPtr<Panel> buttons_;
  WindowPtr<ScrollFrame> selections_;  // scrolls the grids when they do not fit
  WindowPtr<Splitter> splitter_;
  WindowPtr<Panel> list_;
  WindowPtr<Panel> statusPanel_;
  WindowPtr<Panel> protocols_;
  HWND fileCaption_ = nullptr;
  HWND fileName_ = nullptr;
  HWND image_ = nullptr;
  UniqueGdiObject imageBitmap_;  // a static control does not free the picture it is given
  HWND progressBar_ = nullptr;
  int32_t progress_ = 0;
  // The views of the document; they live as long as the window.
  BallGrids grids_;
  EntryListWindow entryList_;
  CommandBarWindow commandBar_;
  WindowPtr<DrawCheckWindow> check_;  // owned by this window: it goes first
};

}  // namespace zun::win32
