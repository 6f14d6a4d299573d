#pragma once

// The check window's chart: for each number of each play set, a bar of the
// share of the checked entries that hold it beside a bar of the share of
// the checked draws that drew it, so a player sees which numbers they
// over- and under-play. Drawn with GDI, sized with its window.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "win32/window.h"

namespace zun::win32 {

inline constexpr char kCheckChartClass[] = "TZUN_CheckChart";

// What the chart shows, copied from a finished check.
struct ChartData {
  struct Set {
    std::string name;
    int32_t lowest = 0;
    std::vector<int64_t> entriesHolding;  // per number from `lowest` on
    std::vector<int64_t> drawsDrawing;
  };
  std::vector<Set> sets;
  int64_t entries = 0;
  int64_t draws = 0;
};

class CheckChart final : public Window {
 public:
  // The chart as a child of `parent`, empty.
  explicit CheckChart(HWND parent);
  void Show(ChartData data);
  void Clear() { Show({}); }
  void Place(int left, int top, int width, int height);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc, const RECT& area) const;

  ChartData data_;
};

}  // namespace zun::win32
