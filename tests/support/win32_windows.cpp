#include "support/win32_windows.h"

#include <commctrl.h>

namespace zun::testing {
namespace {

struct Search {
  const std::string* windowClass;
  std::vector<HWND> found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && ClassOf(window) == *search->windowClass)
    search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  return TRUE;
}

bool HasUpdateRegion(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != FALSE; }

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

std::vector<HWND> DescendantsOfClass(HWND window, const std::string& windowClass) {
  std::vector<HWND> found;
  for (HWND child : Descendants(window))
    if (ClassOf(child) == windowClass) found.push_back(child);
  return found;
}

std::vector<HWND> VisibleTopLevels(const std::string& windowClass) {
  Search search{&windowClass, {}};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND VisibleTopLevel(const std::string& windowClass, HWND other) {
  for (HWND window : VisibleTopLevels(windowClass))
    if (window != other) return window;
  return nullptr;
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

POINT ScreenPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

HWND UnpaintedPart(HWND window) {
  if (HasUpdateRegion(window)) return window;
  for (HWND child : Descendants(window))
    if (IsWindowVisible(child) && HasUpdateRegion(child)) return child;
  return nullptr;
}

}  // namespace zun::testing
