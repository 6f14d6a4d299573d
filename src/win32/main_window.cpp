#include "win32/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "base/texts.h"
#include "core/command_table.h"
#include "core/host_adapter.h"
#include "host/host_messages.h"
#include "win32/module.h"
#include "win32/resource_ids.h"
#include "win32/shortcut_keys.h"
#include "win32/window_text.h"

namespace zun::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

HWND Label(HWND parent, const char* text, int left) {
  HWND label = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, left, 6,
                               100, 14, parent, nullptr, nullptr, nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(AddonFont()), FALSE);
  return label;
}

}  // namespace

MainWindow::MainWindow(HostAdapter& adapter, const Win32ScreenCursor& cursor, HWND owner)
    : adapter_(adapter), cursor_(cursor), grids_(adapter), entryList_(adapter), commandBar_(adapter) {
  // Creation steps: the settings are read before the slots exist; nothing
  // read from them needs the host's data.
  LoadSettings();
  const WindowGeometry& geometry = StoredGeometry();
  CreateOfClass(kMainWindowClass, kExStyle, texts::kMainWindowCaption, kStyle, geometry.Left, geometry.Top, geometry.Width,
                geometry.Height, owner);
  CreateChildren();
  LayOutChildren();
  adapter_.SetViews(Views{&entryList_, &grids_, this, &commandBar_, this, this});
}

void MainWindow::CreateChildren() {
  buttons_ = MakeWindow<Panel>(Handle(), "TMainFrame_UDBase_Buttons", Bevel::None);
  selections_ =
      MakeWindow<ScrollFrame>(Handle(), "TMainFrame_UDBase_Selections", Bevel::RaisedInnerLoweredOuter);
  splitter_ = MakeWindow<Splitter>(
      Handle(), [this] { widthAtDragStart_ = selectionWidth_; },
      [this](int moved) {
        RECT client;
        GetClientRect(Handle(), &client);
        selectionWidth_ = ClampSelectionWidth(widthAtDragStart_ + moved, client.right);
        LayOutChildren();
      });
  list_ = MakeWindow<Panel>(Handle(), "TMainFrame_UDBase_List", Bevel::Sunken);
  // The shell's drop message reaches the host's loop, which hands it back
  // through DraggedDropped_Files. Over the entry list itself, files come
  // through its OLE drop target instead (EntryListWindow).
  DragAcceptFiles(list_->Handle(), TRUE);

  statusPanel_ = MakeWindow<Panel>(Handle(), "ZUN_StatusPanel", Bevel::RaisedInnerLoweredOuter);
  fileCaption_ = Label(statusPanel_->Handle(), texts::kFileCaption, kFileCaptionLeft);
  fileName_ = Label(statusPanel_->Handle(), texts::kNoFileLabel, kFileNameLeft);
  protocols_ = MakeWindow<Panel>(statusPanel_->Handle(), "TMainFrame_UDBase_Protocols", Bevel::None, false);
  image_ = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | SS_BITMAP, 0, 0, 32, 32, statusPanel_->Handle(), nullptr,
                           nullptr, nullptr);
  imageBitmap_.reset(LoadImageA(ModuleInstance(), MAKEINTRESOURCEA(IDB_ADDON_ICON), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  SendMessageA(image_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(imageBitmap_.get()));

  commandBar_.Create(buttons_->Handle());
  entryList_.Create(list_->Handle());

  progressBar_ = CreateWindowExA(0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 0, 0, 0, 0,
                                 Handle(), nullptr, nullptr, nullptr);
  SendMessageA(progressBar_, PBM_SETRANGE32, 0, 100);
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(AddonFont()), FALSE);
}

void MainWindow::LayOutChildren() {
  if (!buttons_ || !statusPanel_) return;  // a size message while the window is being created
  RECT client;
  GetClientRect(Handle(), &client);
  const MainLayout layout = LayOutMainWindow(client.right, client.bottom, selectionWidth_);
  selectionWidth_ = layout.selections.width;
  buttons_->Place(layout.buttons.left, layout.buttons.top, layout.buttons.width, layout.buttons.height);
  selections_->Place(layout.selections.left, layout.selections.top, layout.selections.width, layout.selections.height);
  splitter_->Place(layout.splitter.left, layout.splitter.top, layout.splitter.width, layout.splitter.height);
  list_->Place(layout.list.left, layout.list.top, layout.list.width, layout.list.height);
  commandBar_.FitToParent();
  entryList_.FitToParent();
  statusPanel_->Place(layout.statusPanel.left, layout.statusPanel.top, layout.statusPanel.width,
                      layout.statusPanel.height);
  SetWindowPos(fileName_, nullptr, kFileNameLeft, 6, std::max(layout.statusPanel.width - kFileNameLeft - 8, 0), 14,
               SWP_NOZORDER);
  SetWindowPos(progressBar_, nullptr, layout.progressBar.left, layout.progressBar.top, layout.progressBar.width,
               layout.progressBar.height, SWP_NOZORDER);
}

HWND MainWindow::Frame(const char* className) const { return FindWindowExA(Handle(), nullptr, className, nullptr); }

void MainWindow::SetFileLabel(const std::string& text) { SetWindowTextA(fileName_, text.c_str()); }

void MainWindow::SetProgress(int32_t percent) {
  // Only when the position changes: a million rows move it a hundred times.
  if (percent == progress_) return;
  progress_ = percent;
  SendMessageA(progressBar_, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

bool MainWindow::ShowIfHidden() {
  if (IsWindowVisible(Handle())) return false;
  ShowStep();
  return true;
}

void MainWindow::ProcessPendingMessages() { win32::ProcessPendingMessages(); }

void MainWindow::BuildGameViews() {
  selections_->ScrollTo(0, 0);  // the grids are placed from the frame's top left
  grids_.Build(selections_->Handle());
  selections_->SetContentSize(grids_.ContentWidth(), grids_.ContentHeight());
  entryList_.SetupColumns();
}

void MainWindow::OpenCheck() {
  if (!check_) check_ = MakeWindow<DrawCheckWindow>(adapter_, Handle());
  check_->Open();
}

void MainWindow::FreeGameViews() {
  // A check that runs stops, and its window goes with the game.
  check_.reset();
  const OperationScope operation(codes::kFreeBallGrids);
  entryList_.ReleaseDropTarget();
  grids_.Free();
  selections_->SetContentSize(0, 0);
}

bool MainWindow::RunShortcut(WPARAM key) {
  const Command* command = CommandForShortcut(PressedShortcut(key));
  if (command == nullptr) return false;
  adapter_.Execute(command->id);
  return true;
}

std::string MainWindow::FileLabel() const { return WindowText(fileName_); }

void MainWindow::ShowStep() {
  const OperationScope operation(codes::kShowMainWindow);
  const WindowGeometry& geometry = StoredGeometry();
  // The minimum size still applies: the default width 517 gives 778.
  SetWindowPos(Handle(), nullptr, geometry.Left, geometry.Top, std::max<int>(geometry.Width, kMinWindowWidth),
               std::max<int>(geometry.Height, kMinWindowHeight), SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(Handle(), &client);
  selectionWidth_ = ClampSelectionWidth(geometry.SelectionWidth, client.right);
  LayOutChildren();
  ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
  ProcessPendingMessages();
}

void MainWindow::HideStep() {
  const OperationScope operation(codes::kHideMainWindow);
  adapter_.StoreGeometry(LiveGeometry());
  ShowWindow(Handle(), SW_HIDE);
}

WindowGeometry MainWindow::LiveGeometry() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  RECT r;
  GetWindowRect(Handle(), &r);
  // A minimised window keeps its place and size in its normal position.
  if (IsIconic(Handle()) && GetWindowPlacement(Handle(), &placement)) r = placement.rcNormalPosition;
  WindowGeometry live;
  live.Top = r.top;
  live.Left = r.left;
  live.Height = r.bottom - r.top;
  live.Width = r.right - r.left;
  live.SelectionWidth = selectionWidth_;
  return live;
}

void MainWindow::LoadSettings() {
  adapter_.LoadSettings();
  selectionWidth_ = StoredGeometry().SelectionWidth;
}

const WindowGeometry& MainWindow::StoredGeometry() const { return adapter_.Geometry(); }

void MainWindow::OnCloseRequest() {
  if (adapter_.Closing())
    CloseSteps();
  else
    HideStep();  // the caption button only hides the window
}

void MainWindow::CloseSteps() {
  // The settings, the selection, the grids (FreeGameViews, asked back by
  // the adapter), the slots and the message dialog, in that order.
  adapter_.CloseForGood(IsWindowVisible(Handle()) != FALSE, LiveGeometry());
  HideStep();  // hidden as by the caption button: the hide step runs too
}

void MainWindow::TakeOfferedEntries() {
  const OperationScope operation(codes::kTakeOfferedEntries);
  adapter_.Guarded(texts::failure::kTakeOffer, [&] {
    SetFocus(Handle());
    ProcessPendingMessages();
  });
  adapter_.TakeOfferedEntries();
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kMsgShowWindow:
      ShowStep();
      return 1;
    case kMsgCloseForGood:
      adapter_.OrderClose();
      OnCloseRequest();
      return 1;
    case kMsgTakeOfferedEntries:
      TakeOfferedEntries();
      return 1;
    case kMsgHourglassOn:
      adapter_.SetHourglass(true);
      return 1;
    case kMsgHourglassOff:
      adapter_.SetHourglass(false);
      return 1;
    case WM_CLOSE:
      OnCloseRequest();
      return 0;
    case WM_SIZE:
      LayOutChildren();
      return 0;
    case WM_KEYDOWN:
      // Keys that no child took: the host owns the loop, so shortcuts are
      // found here rather than by an accelerator table of our own.
      if (RunShortcut(wParam)) return 0;
      return Default(message, wParam, lParam);
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {kMinWindowWidth, kMinWindowHeight};
      return 0;
    }
    case WM_SETCURSOR:
      if (cursor_.IsBusy()) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      return Default(message, wParam, lParam);
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace zun::win32
