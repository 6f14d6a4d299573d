#pragma once

// Looking at windows as a person sees them: their classes and children, the
// visible top-level windows of this process, the texts of a list view, and
// where a window's points are on the screen.

#include <windows.h>

#include <string>
#include <vector>

namespace zun::testing {

std::string ClassOf(HWND window);
std::vector<HWND> Descendants(HWND window);
std::vector<HWND> DescendantsOfClass(HWND window, const std::string& windowClass);
// The visible top-level windows of this process of the class, front first.
std::vector<HWND> VisibleTopLevels(const std::string& windowClass);
// One of them other than `other`.
HWND VisibleTopLevel(const std::string& windowClass, HWND other = nullptr);
// The text a list view shows in a cell.
std::string ListItemText(HWND list, int row, int column);
POINT ScreenPoint(HWND window, int x, int y);
// The window itself or a visible child of it that has not yet painted all
// it was asked to; null once it is laid out and shown, as a person would
// look at it.
HWND UnpaintedPart(HWND window);

}  // namespace zun::testing
