#include "dialog_clicker.h"

#include <commctrl.h>

#include <chrono>

#include "win32/window_text.h"

namespace zun::testing {
namespace {

struct Search {
  const std::string* windowClass;
  HWND other;
  HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (window != search->other && process == GetCurrentProcessId() && IsWindowVisible(window) &&
      ClassOf(window) == *search->windowClass) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  return TRUE;
}

}  // namespace

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::vector<HWND> Descendants(HWND window) {
  std::vector<HWND> all;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND VisibleTopLevel(const std::string& windowClass, HWND other) {
  Search search{&windowClass, other};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ListItemText(HWND list, int row, int column) {
  char text[512] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

DialogClicker::DialogClicker(std::string windowClass, std::string button, std::function<void(HWND)> lookFirst)
    : windowClass_(std::move(windowClass)),
      button_(std::move(button)),
      lookFirst_(std::move(lookFirst)),
      thread_([this] { Watch(); }) {}

DialogClicker::~DialogClicker() { Done(); }

bool DialogClicker::Done() {
  if (thread_.joinable()) thread_.join();
  return clicked_;
}

void DialogClicker::Watch() {
  // Generous: on a fresh Wine prefix the first text a dialog draws builds
  // the font cache, which takes a while on a busy machine.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  HWND dialog = nullptr;
  while (dialog == nullptr && std::chrono::steady_clock::now() < deadline) {
    Sleep(20);
    dialog = VisibleTopLevel(windowClass_);
  }
  if (dialog == nullptr) return;
  Sleep(50);  // let it finish laying out and painting, as a person would look first
  caption = win32::WindowText(dialog);
  GetWindowRect(dialog, &windowRect);
  GetClientRect(dialog, &clientRect);
  HWND target = nullptr;
  bool firstLabel = true;
  for (HWND child : Descendants(dialog)) {
    const std::string kind = ClassOf(child);
    if (_stricmp(kind.c_str(), "Static") == 0 && IsWindowVisible(child)) {
      if (!text.empty()) text += "|";
      text += win32::WindowText(child);
      if (firstLabel) {
        GetWindowRect(child, &labelRect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&labelRect), 2);
        firstLabel = false;
      }
    } else if (_stricmp(kind.c_str(), "Button") == 0) {
      buttons.push_back(win32::WindowText(child));
      if (win32::WindowText(child) == button_) target = child;
    }
  }
  if (lookFirst_) lookFirst_(dialog);
  if (button_.empty()) {
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    clicked_ = true;
  } else if (target != nullptr) {
    SendMessageA(target, BM_CLICK, 0, 0);
    clicked_ = true;
  }
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace zun::testing
