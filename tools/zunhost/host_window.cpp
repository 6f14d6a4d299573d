#include "zunhost/host_window.h"

#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>

#include "host/host_messages.h"
#include "win32/window_text.h"
#include "zunhost/shell_drop.h"
#include "zunhost/host_environment.h"
#include "zunhost/host_log.h"
#include "zunhost/png_writer.h"
#include "zunhost/screen_capture.h"

namespace zun::devhost {
namespace {

enum Timer : UINT_PTR {
  kScreenshotPrepare = 1,  // the add-on has had time to paint: raise it
  kScreenshotCapture,      // the raised window is on the screen: take it
};
constexpr UINT kPaintDelayMs = 1500;
constexpr UINT kRaiseDelayMs = 300;

// Keys work only while the host's window is active, so they never take
// keys meant for the add-on.
constexpr std::array<ACCEL, 5> kAccelerators = {{
    {FVIRTKEY | FCONTROL, '1', kShowAddon},
    {FVIRTKEY | FCONTROL, '2', kHourglassOn},
    {FVIRTKEY | FCONTROL, '3', kHourglassOff},
    {FVIRTKEY | FCONTROL, '4', kCloseAddon},
    {FVIRTKEY | FCONTROL, 'Q', kExit},
}};

UniqueMenu MakeMenuBar() {
  UniqueMenu bar(CreateMenu());
  const HMENU addon = CreatePopupMenu();
  if (!bar || addon == nullptr) {
    if (addon != nullptr) DestroyMenu(addon);
    return {};
  }
  AppendMenuA(addon, MF_STRING, kShowAddon, "&Show window\tCtrl+1");
  AppendMenuA(addon, MF_STRING, kHourglassOn, "Hourglass &on\tCtrl+2");
  AppendMenuA(addon, MF_STRING, kHourglassOff, "Hourglass o&ff\tCtrl+3");
  AppendMenuA(addon, MF_STRING, kCloseAddon, "&Close add-on\tCtrl+4");
  AppendMenuA(addon, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(addon, MF_STRING, kExit, "E&xit\tCtrl+Q");
  // From here the bar owns the popup.
  AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(addon), "&Add-on");
  return bar;
}

std::string HandleText(HWND window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
  return text;
}

}  // namespace

bool HostWindow::Create(std::string& error) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kHostWindowClass;
  if (!GetClassInfoA(instance, kHostWindowClass, &windowClass) && RegisterClassA(&windowClass) == 0) {
    error = "cannot register the host window class";
    return false;
  }
  UniqueMenu menu = MakeMenuBar();
  if (!menu) {
    error = "cannot create the host's menu";
    return false;
  }
  // Below the add-on's usual place (70, 70, some 780 x 380), so neither
  // covers the other.
  const int width = 600, height = 260;
  const int top = std::max(0, std::min(480, GetSystemMetrics(SM_CYSCREEN) - height));
  // The procedure takes ownership of the window at WM_NCCREATE.
  const HWND created = CreateWindowExA(0, kHostWindowClass, kHostWindowCaption, WS_OVERLAPPEDWINDOW, 70, top, width,
                                       height, nullptr, menu.get(), instance, this);
  if (created == nullptr) {
    error = "cannot create the host window";
    return false;
  }
  menu.release();  // the window destroys its menu
  accelerators_.reset(
      CreateAcceleratorTableA(const_cast<ACCEL*>(kAccelerators.data()), static_cast<int>(kAccelerators.size())));
  ShowWindow(window_.get(), SW_SHOWNORMAL);
  UpdateWindow(window_.get());
  return true;
}

void HostWindow::AttachAddon(const AddonExports& exports, HWND addonWindow) noexcept {
  addon_ = exports;
  addonWindow_ = addonWindow;
  addonClosed_ = false;
}

void HostWindow::ScheduleScreenshot(const std::string& path) {
  screenshotPath_ = path;
  PostToAddon(kMsgShowWindow);
  SetTimer(window_.get(), kScreenshotPrepare, kPaintDelayMs, nullptr);
}

void HostWindow::DropFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  HGLOBAL drop = MakeShellDrop(paths);
  if (drop == nullptr || !PostMessageA(window_.get(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) {
    log_.Line("drop failed: " + SystemErrorText(GetLastError()));
    if (drop != nullptr) GlobalFree(drop);
  }
}

int HostWindow::RunMessageLoop() {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) break;
    if (got == -1) {
      log_.Line("GetMessage failed: " + SystemErrorText(GetLastError()));
      return 1;
    }
    // Dropped files go to the add-on's export, whoever's window they fell
    // on; the host finishes the drop, so it is not dispatched as well.
    if (message.message == WM_DROPFILES) {
      OnDrop(message);
      continue;
    }
    if (message.message == kMsgAddonStarted && addonWindow_ != nullptr && message.hwnd == addonWindow_)
      log_.Line("add-on -> its window: " + environment_.Describe(message.message, message.wParam, message.lParam));
    if (accelerators_ && IsHostWindow(message.hwnd) &&
        TranslateAcceleratorA(window_.get(), accelerators_.get(), &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

bool HostWindow::IsHostWindow(HWND window) const noexcept {
  return window_ && (window == window_.get() || IsChild(window_.get(), window));
}

void HostWindow::OnDrop(const MSG& message) {
  const auto drop = reinterpret_cast<HDROP>(message.wParam);
  const DropFinisher finisher(drop);
  const UINT files = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::string line = "drop: " + std::to_string(files) + " file(s) on \"" + win32::WindowText(message.hwnd) + "\"";
  if (addon_.DraggedDroppedFiles == nullptr || addonClosed_) {
    log_.Line(line + ", no add-on to take them");
    return;
  }
  log_.Line(line);
  const uint8_t taken = addon_.DraggedDroppedFiles(&message);
  log_.Line("DraggedDropped_Files: " + std::to_string(taken));
}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  // Nothing may unwind into the system's code that called us.
  try {
    if (message == WM_NCCREATE) self->window_.reset(window);
    return self->OnMessage(message, wParam, lParam);
  } catch (const std::exception& e) {
    self->log_.Line(std::string("error in the host window: ") + e.what());
  } catch (...) {
    self->log_.Line("error in the host window");
  }
  return 0;
}

LRESULT HostWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_.get();
  switch (message) {
    case WM_CREATE:
      logView_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, 0, 0,
                                 0, 0, window, nullptr, GetModuleHandleA(nullptr), nullptr);
      if (logView_ != nullptr) {
        SendMessageA(logView_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        SendMessageA(logView_, EM_SETLIMITTEXT, 0, 0);
        log_.ShowIn(logView_);
      }
      return 0;
    case WM_SIZE:
      if (logView_ != nullptr) MoveWindow(logView_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_TIMER:
      KillTimer(window, wParam);
      if (wParam == kScreenshotPrepare) {
        RaiseAddon();
        SetTimer(window, kScreenshotCapture, kRaiseDelayMs, nullptr);
      } else if (wParam == kScreenshotCapture) {
        TakeScreenshot();
      }
      return 0;
    case WM_CLOSE: CloseHost(false, 0); return 0;
    case WM_DESTROY:
      log_.ShowIn(nullptr);
      PostQuitMessage(exitCode_);
      return 0;
    case WM_NCDESTROY:
      window_.release();  // the system destroys it; nothing is left to destroy
      return DefWindowProcA(window, message, wParam, lParam);
    case kMsgRequestIndexRoom: {
      log_.Line("add-on -> host: " + environment_.Describe(message, wParam, lParam));
      const LRESULT granted = environment_.AnswerIndexRequest(wParam);
      log_.Line("  answered " + std::to_string(granted));
      return granted;
    }
    case kMsgTakeOfferedEntries: {
      log_.Line("add-on -> host: " + environment_.Describe(message, wParam, lParam));
      const HWND target = environment_.RouteOffer();
      log_.Line(target != nullptr ? "  routed to \"" + win32::WindowText(target) + "\" (" + HandleText(target) + ")"
                                  : std::string("  not routed: the target is unknown, closed or has no window"));
      return 1;
    }
    case kMsgDatabaseSaved: log_.Line("add-on -> host: " + environment_.Describe(message, wParam, lParam)); return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void HostWindow::OnCommand(int command) {
  switch (command) {
    case kShowAddon: PostToAddon(kMsgShowWindow); break;
    case kHourglassOn: PostToAddon(kMsgHourglassOn); break;
    case kHourglassOff: PostToAddon(kMsgHourglassOff); break;
    case kCloseAddon: CloseAddon(false); break;
    case kExit: CloseHost(false, 0); break;
  }
}

void HostWindow::PostToAddon(UINT message) {
  if (addonWindow_ == nullptr || addonClosed_ || !IsWindow(addonWindow_)) {
    log_.Line("host: no add-on window for " + environment_.Describe(message, 0, 0));
    return;
  }
  log_.Line("host -> add-on: " + environment_.Describe(message, 0, 0) + " (posted)");
  PostMessageA(addonWindow_, message, 0, 0);
}

LRESULT HostWindow::SendToAddon(UINT message) {
  if (addonWindow_ == nullptr || !IsWindow(addonWindow_)) {
    log_.Line("host: no add-on window for " + environment_.Describe(message, 0, 0));
    return 0;
  }
  log_.Line("host -> add-on: " + environment_.Describe(message, 0, 0) + " (sent)");
  const LRESULT result = SendMessageA(addonWindow_, message, 0, 0);
  log_.Line("  answered " + std::to_string(result));
  return result;
}

bool HostWindow::CloseAddon(bool force) {
  if (addon_.CanClose == nullptr || addonClosed_) return true;
  const uint8_t mayClose = addon_.CanClose();
  log_.Line("Addon_CanClose_ZUN: " + std::to_string(mayClose));
  if (mayClose == 0 && !force) {
    log_.Line("host: the add-on stays open");
    return false;
  }
  SendToAddon(kMsgCloseForGood);
  addonClosed_ = true;
  return true;
}

void HostWindow::CloseHost(bool force, int exitCode) {
  if (!CloseAddon(force)) return;
  exitCode_ = exitCode;
  if (window_) DestroyWindow(window_.get());
}

void HostWindow::RaiseAddon() {
  if (addonWindow_ == nullptr || !IsWindow(addonWindow_)) return;
  SetWindowPos(addonWindow_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(addonWindow_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void HostWindow::TakeScreenshot() {
  RgbImage image;
  std::string error;
  if (!CaptureWindow(addonWindow_, image, error)) {
    log_.Line("screenshot failed: " + error);
    CloseHost(true, 1);
    return;
  }
  if (!WriteWholeFile(screenshotPath_, EncodePng(image.width, image.height, image.rgb))) {
    log_.Line("screenshot failed: cannot write " + screenshotPath_ + " (" + SystemErrorText(GetLastError()) + ")");
    CloseHost(true, 1);
    return;
  }
  log_.Line("screenshot: " + screenshotPath_);
  CloseHost(true, 0);
}

}  // namespace zun::devhost
