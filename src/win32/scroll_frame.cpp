#include "win32/scroll_frame.h"

#include <algorithm>

namespace zun::win32 {
namespace {

constexpr int kLineStep = 18;  // one ball cell

}  // namespace

ScrollFrame::ScrollFrame(HWND parent, const char* className, Bevel bevel)
    : Panel(parent, className, bevel, static_cast<DWORD>(WS_VISIBLE)) {}

void ScrollFrame::SetContentSize(int width, int height) {
  contentWidth_ = std::max(width, 0);
  contentHeight_ = std::max(height, 0);
  position_ = {0, 0};
  UpdateBars();
}

int ScrollFrame::Limit(int bar) const {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int content = bar == SB_HORZ ? contentWidth_ : contentHeight_;
  const int page = bar == SB_HORZ ? client.right : client.bottom;
  return std::max(content - page, 0);
}

void ScrollFrame::UpdateBars() {
  if (updating_) return;
  updating_ = true;
  // Showing one bar takes room from the other direction: settle both, at
  // most a few rounds (each round can only add a bar).
  for (int round = 0; round < 3; ++round) {
    RECT before{};
    GetClientRect(Handle(), &before);
    for (int bar : {SB_HORZ, SB_VERT}) {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_RANGE | SIF_PAGE;
      info.nMin = 0;
      info.nMax = std::max((bar == SB_HORZ ? contentWidth_ : contentHeight_) - 1, 0);
      info.nPage = static_cast<UINT>(bar == SB_HORZ ? before.right : before.bottom);
      SetScrollInfo(Handle(), bar, &info, TRUE);  // a page that holds the range hides the bar
    }
    RECT after{};
    GetClientRect(Handle(), &after);
    if (after.right == before.right && after.bottom == before.bottom) break;
  }
  updating_ = false;
  // A larger frame may show content that was scrolled away: keep the
  // position within the new limits.
  ScrollTo(position_.x, position_.y);
}

void ScrollFrame::ScrollTo(int x, int y) {
  const POINT wanted{std::clamp(x, 0, Limit(SB_HORZ)), std::clamp(y, 0, Limit(SB_VERT))};
  const int dx = position_.x - wanted.x;
  const int dy = position_.y - wanted.y;
  position_ = wanted;
  if (dx != 0 || dy != 0) {
    ScrollWindowEx(Handle(), dx, dy, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE);
    InvalidateRect(Handle(), nullptr, TRUE);  // the bevel stays at the edge
  }
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  info.nPos = position_.x;
  SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
  info.nPos = position_.y;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void ScrollFrame::OnScroll(int bar, WORD request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &info);
  int target = bar == SB_HORZ ? position_.x : position_.y;
  const int page = static_cast<int>(info.nPage);
  switch (request) {
    case SB_LINEUP: target -= kLineStep; break;
    case SB_LINEDOWN: target += kLineStep; break;
    case SB_PAGEUP: target -= std::max(page - kLineStep, kLineStep); break;
    case SB_PAGEDOWN: target += std::max(page - kLineStep, kLineStep); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: target = info.nTrackPos; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = Limit(bar); break;
    default: return;
  }
  if (bar == SB_HORZ)
    ScrollTo(target, position_.y);
  else
    ScrollTo(position_.x, target);
}

LRESULT ScrollFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      const bool sideways = Limit(SB_VERT) == 0 || (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0;
      if (sideways)
        ScrollTo(position_.x - notches * 3 * kLineStep, position_.y);
      else
        ScrollTo(position_.x, position_.y - notches * 3 * kLineStep);
      return 0;
    }
    case WM_SIZE:
      UpdateBars();
      return Panel::HandleMessage(message, wParam, lParam);
    default:
      return Panel::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace zun::win32
