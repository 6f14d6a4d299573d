#include "win32/check_chart.h"

#include <algorithm>
#include <string>

#include "base/texts.h"
#include "win32/panel.h"

namespace zun::win32 {
namespace {

constexpr COLORREF kEntriesColour = RGB(0x33, 0x66, 0xCC);
constexpr COLORREF kDrawsColour = RGB(0xE0, 0x80, 0x20);
constexpr COLORREF kAxisColour = RGB(0x80, 0x80, 0x80);
constexpr int kMargin = 6;
constexpr int kLegendHeight = 16;
constexpr int kTitleHeight = 14;
constexpr int kLabelHeight = 14;
constexpr int kSetGap = 16;

double Share(int64_t count, int64_t total) { return total > 0 ? static_cast<double>(count) / total : 0.0; }

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  if (right <= left || bottom <= top) return;
  const RECT box{left, top, right, bottom};
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
}

void Text(HDC dc, int left, int top, const std::string& text, COLORREF colour = RGB(0, 0, 0)) {
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, left, top, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

CheckChart::CheckChart(HWND parent) {
  CreateOfClass(kCheckChartClass, WS_EX_CLIENTEDGE, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), LoadCursor(nullptr, IDC_ARROW), CS_HREDRAW | CS_VREDRAW);
}

void CheckChart::Show(ChartData data) {
  data_ = std::move(data);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void CheckChart::Place(int left, int top, int width, int height) {
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CheckChart::Paint(HDC dc, const RECT& area) const {
  FillBox(dc, area.left, area.top, area.right, area.bottom, GetSysColor(COLOR_WINDOW));
  if (data_.sets.empty()) return;
  SelectObject(dc, AddonFont());

  // The legend: what each colour stands for.
  int x = kMargin;
  FillBox(dc, x, kMargin + 3, x + 10, kMargin + 13, kEntriesColour);
  Text(dc, x + 14, kMargin, texts::check::kChartEntries);
  SIZE extent{};
  GetTextExtentPoint32A(dc, texts::check::kChartEntries,
                        static_cast<int>(std::char_traits<char>::length(texts::check::kChartEntries)), &extent);
  x += 14 + extent.cx + 16;
  FillBox(dc, x, kMargin + 3, x + 10, kMargin + 13, kDrawsColour);
  Text(dc, x + 14, kMargin, texts::check::kChartDraws);

  // The sets side by side, each as wide as its share of all the numbers.
  size_t numbers = 0;
  for (const ChartData::Set& set : data_.sets) numbers += set.entriesHolding.size();
  if (numbers == 0) return;
  const int top = kMargin + kLegendHeight + kTitleHeight;
  const int bottom = area.bottom - kMargin - kLabelHeight;
  const int width = area.right - 2 * kMargin - kSetGap * static_cast<int>(data_.sets.size() - 1);
  if (bottom - top < 8 || width < 8) return;

  // One scale for both bars: the largest share of any number.
  double largest = 0;
  for (const ChartData::Set& set : data_.sets) {
    for (size_t n = 0; n < set.entriesHolding.size(); ++n) {
      largest = std::max(largest, Share(set.entriesHolding[n], data_.entries));
      if (n < set.drawsDrawing.size()) largest = std::max(largest, Share(set.drawsDrawing[n], data_.draws));
    }
  }
  if (largest <= 0) largest = 1;

  const HPEN axis = CreatePen(PS_SOLID, 1, kAxisColour);
  const HGDIOBJ oldPen = SelectObject(dc, axis);
  int left = kMargin;
  for (const ChartData::Set& set : data_.sets) {
    const size_t count = set.entriesHolding.size();
    const int setWidth = static_cast<int>(static_cast<double>(width) * count / numbers);
    Text(dc, left, kMargin + kLegendHeight, set.name);
    MoveToEx(dc, left, bottom, nullptr);
    LineTo(dc, left + setWidth, bottom);
    const double slot = count > 0 ? static_cast<double>(setWidth) / count : 0;
    const int bar = std::max(1, static_cast<int>(slot / 2) - 1);
    // A number's label where there is room for it: every one, or every 5th or 10th.
    const int every = slot >= 16 ? 1 : slot >= 6 ? 5 : 10;
    for (size_t n = 0; n < count; ++n) {
      const int at = left + static_cast<int>(slot * n);
      const auto height = [&](double share) { return static_cast<int>((bottom - top) * share / largest); };
      FillBox(dc, at, bottom - height(Share(set.entriesHolding[n], data_.entries)), at + bar, bottom, kEntriesColour);
      if (n < set.drawsDrawing.size())
        FillBox(dc, at + bar, bottom - height(Share(set.drawsDrawing[n], data_.draws)), at + 2 * bar, bottom,
                kDrawsColour);
      const int number = set.lowest + static_cast<int>(n);
      if (number % every == 0 || (every > 1 && n == 0)) Text(dc, at, bottom + 1, std::to_string(number), kAxisColour);
    }
    left += setWidth + kSetGap;
  }
  SelectObject(dc, oldPen);
  DeleteObject(axis);
}

LRESULT CheckChart::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the painting covers all of it, off screen first
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC screen = BeginPaint(Handle(), &paint);
      RECT area;
      GetClientRect(Handle(), &area);
      // Drawn off screen, then copied: no flicker while the window is sized.
      const HDC dc = CreateCompatibleDC(screen);
      const HBITMAP picture =
          CreateCompatibleBitmap(screen, std::max<int>(area.right, 1), std::max<int>(area.bottom, 1));
      const HGDIOBJ old = SelectObject(dc, picture);
      Paint(dc, area);
      BitBlt(screen, 0, 0, area.right, area.bottom, dc, 0, 0, SRCCOPY);
      SelectObject(dc, old);
      DeleteObject(picture);
      DeleteDC(dc);
      EndPaint(Handle(), &paint);
      return 0;
    }
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace zun::win32
