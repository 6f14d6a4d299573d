#include "win32/message_dialog.h"

#include <commctrl.h>

#include "base/scope_guards.h"

namespace zun::win32 {
namespace {

constexpr int kFirstButtonId = 1000;
// A caption without caption-bar icons: the dialog ends by its buttons (or
// by Alt+F4 through the system, which gives cancel).
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// Disables the other windows of this thread while the dialog is open, as a
// modal dialog does, and enables them again afterwards.
class ThreadWindowsDisabled {
 public:
  explicit ThreadWindowsDisabled(HWND except) : except_(except) {
    EnumThreadWindows(GetCurrentThreadId(), &ThreadWindowsDisabled::Collect, reinterpret_cast<LPARAM>(this));
    for (HWND window : disabled_) EnableWindow(window, FALSE);
  }
  ~ThreadWindowsDisabled() {
    for (HWND window : disabled_)
      if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM self) {
    auto* me = reinterpret_cast<ThreadWindowsDisabled*>(self);
    try {  // nothing may be thrown through the system's frames
      if (window != me->except_ && IsWindowVisible(window) && IsWindowEnabled(window))
        me->disabled_.push_back(window);
    } catch (...) {
      return FALSE;
    }
    return TRUE;
  }
  HWND except_;
  std::vector<HWND> disabled_;
};

}  // namespace

std::string WithLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) out += '\n';
  }
  return out;
}

int32_t ShowSystemMessageBox(HWND owner, std::string_view text, std::string_view caption, uint8_t iconKind,
                             std::span<const int32_t> results) {
  const UINT icon = iconKind == kIconError          ? MB_ICONERROR
                    : iconKind == kIconConfirmation ? MB_ICONQUESTION
                                                    : MB_ICONINFORMATION;
  const UINT buttons = results.size() >= 3 ? MB_YESNOCANCEL : results.size() == 2 ? MB_YESNO : MB_OK;
  const int answer = MessageBoxA(owner, WithLineBreaks(text).c_str(), std::string(caption).c_str(),
                                 buttons | icon | MB_TASKMODAL);
  const size_t pressed = answer == IDYES || answer == IDOK ? 0 : answer == IDNO ? 1 : 2;
  if (results.size() >= 3 || (pressed < results.size() && answer != IDCANCEL)) return results[pressed];
  return results.empty() && answer == IDOK ? kResultOk : kResultCancel;
}

MessageDialog::MessageDialog(HWND owner) {
  CreateOfClass(kMessageDialogClass, kExStyle, "", kStyle, 0, 0, 300, 150, owner);
  label_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                           64, kMessageLabelTop, 0, 0, Handle(), nullptr, nullptr, nullptr);
  SendMessageA(label_, WM_SETFONT, reinterpret_cast<WPARAM>(AddonFont()), FALSE);
  panel_ = MakeWindow<Panel>(Handle(), "ZUN_MessageButtons", Bevel::None);
  panel_->Place(16, 66, 75, 26);

  const int size = kMessageIconSize;
  images_.reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 4, 0));
  for (const LPCSTR icon : {IDI_APPLICATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION})
    ImageList_AddIcon(images_.get(), static_cast<HICON>(LoadImageA(nullptr, icon, IMAGE_ICON, size, size, LR_SHARED)));
}

int32_t MessageDialog::ShowMessagePage(std::string_view text, std::string_view caption, uint8_t iconKind,
                                       std::span<const int32_t> results, std::span<const std::string> buttons) {
  // A second message while one is open (an error inside a question) goes to
  // the system's box, which keeps both readable; so does any message after
  // the dialog's window went with its owner.
  if (running_ || !IsWindow(Handle())) return ShowSystemMessageBox(Handle(), text, caption, iconKind, results);
  const std::string shown = WithLineBreaks(text);
  SetWindowTextA(Handle(), std::string(caption).c_str());
  SetWindowTextA(label_, shown.c_str());
  iconKind_ = iconKind;
  CreateButtons(results, buttons);
  LayOut(shown);
  const int32_t result = RunModal();
  DestroyButtons();
  return result;
}

void MessageDialog::CreateButtons(std::span<const int32_t> results, std::span<const std::string> buttons) {
  DestroyButtons();
  results_.assign(results.begin(), results.end());
  for (size_t i = 0; i < results_.size(); ++i) {
    const std::string caption = i < buttons.size() ? buttons[i] : std::string();
    HWND button = CreateWindowExA(0, "BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                  0, 0, 75, 25, panel_->Handle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + i)), nullptr, nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(AddonFont()), FALSE);
    buttons_.push_back(button);
  }
}

void MessageDialog::DestroyButtons() {
  for (HWND button : buttons_) DestroyWindow(button);
  buttons_.clear();
}

void MessageDialog::LayOut(const std::string& text) {
  MessageLayoutInput in;
  {
    WindowDc dc(label_);
    SelectedObject font(dc.get(), AddonFont());
    RECT extent{0, 0, 0, 0};
    DrawTextA(dc.get(), text.c_str(), -1, &extent, DT_CALCRECT | DT_NOPREFIX | DT_LEFT | DT_EXPANDTABS);
    in.textWidth = extent.right - extent.left;
    in.textHeight = extent.bottom - extent.top;
  }
  in.buttonCount = static_cast<int>(buttons_.size());
  if (!buttons_.empty()) {
    RECT first;
    GetWindowRect(buttons_[0], &first);
    in.buttonWidth = first.right - first.left;
    in.buttonHeight = first.bottom - first.top;
  }
  in.iconKind = iconKind_;
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  in.frameWidth = frame.right - frame.left;
  in.frameHeight = frame.bottom - frame.top;
  layout_ = LayOutMessage(in);

  // Centred on the desktop.
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN) + (GetSystemMetrics(SM_CXVIRTUALSCREEN) - layout_.outerWidth) / 2;
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN) + (GetSystemMetrics(SM_CYVIRTUALSCREEN) - layout_.outerHeight) / 2;
  SetWindowPos(Handle(), nullptr, left, top, layout_.outerWidth, layout_.outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(label_, nullptr, layout_.labelLeft, layout_.labelTop, in.textWidth, in.textHeight, SWP_NOZORDER);
  panel_->Place(layout_.panelLeft, layout_.panelTop, layout_.panelWidth, layout_.panelHeight);
  for (size_t i = 0; i < buttons_.size(); ++i)
    SetWindowPos(buttons_[i], nullptr, layout_.buttonLefts[i], 0, in.buttonWidth, in.buttonHeight, SWP_NOZORDER);
  InvalidateRect(Handle(), nullptr, TRUE);
}

int32_t MessageDialog::RunModal() {
  modalResult_ = kResultCancel;
  finished_ = false;
  const FlagScope running(running_);
  // Where the user was: the dialog is owned by the host's window, which the
  // system would activate when the dialog hides, taking the keys (Delete,
  // the Ctrl shortcuts, the arrows) away from the add-on's window.
  const HWND activeBefore = GetActiveWindow();
  const HWND focusBefore = GetFocus();
  {
    ThreadWindowsDisabled others(Handle());
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    if (!buttons_.empty()) SetFocus(buttons_[0]);
    MSG msg;
    while (!finished_) {
      const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
      if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // the host's loop ends after us
        Finish(kResultCancel);
      } else if (got == -1 || !IsWindow(Handle())) {
        Finish(kResultCancel);
      } else if (!IsDialogMessageA(Handle(), &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }  // the other windows are enabled again before the dialog hides, so one of them is activated
  const bool giveBack = activeBefore != nullptr && activeBefore != Handle() && IsWindow(activeBefore) &&
                        IsWindowVisible(activeBefore);
  if (giveBack) SetActiveWindow(activeBefore);
  ShowWindow(Handle(), SW_HIDE);
  if (giveBack && focusBefore != nullptr && IsWindow(focusBefore) && GetAncestor(focusBefore, GA_ROOT) == activeBefore)
    SetFocus(focusBefore);
  return modalResult_;
}

void MessageDialog::Finish(int32_t result) {
  if (finished_) return;
  modalResult_ = result;
  finished_ = true;
  // A result set while a sent message was handled (a click from another
  // thread, a close from the system) must still wake the modal loop.
  PostMessageA(Handle(), WM_NULL, 0, 0);
}

int MessageDialog::FocusedButton() const {
  const HWND focus = GetFocus();
  for (size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i] == focus) return static_cast<int>(i);
  return -1;
}

LRESULT MessageDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= kFirstButtonId && id < kFirstButtonId + static_cast<int>(results_.size())) {
        if (HIWORD(wParam) == BN_CLICKED) Finish(results_[static_cast<size_t>(id - kFirstButtonId)]);
      } else if (id == IDOK) {
        // Enter: the focused button. The buttons are neither default nor
        // cancel buttons, so Escape does nothing.
        const int focused = FocusedButton();
        if (focused >= 0) Finish(results_[static_cast<size_t>(focused)]);
      }
      return 0;
    }
    case DM_GETDEFID: {
      const int focused = FocusedButton();
      return focused >= 0 ? MAKELRESULT(kFirstButtonId + focused, DC_HASDEFID) : 0;
    }
    case WM_CLOSE:
      if (running_) Finish(kResultCancel);  // closed through the system
      return 0;
    case WM_DESTROY:
      if (running_) Finish(kResultCancel);  // destroyed with its owner: the call ends
      return 0;
    case WM_PAINT: {
      PaintContext paint(Handle());
      const int image = MessageIconImage(iconKind_);
      if (image >= 0) ImageList_Draw(images_.get(), image, paint.dc(), kMessageIconLeft, kMessageIconTop, ILD_NORMAL);
      return 0;
    }
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace zun::win32
