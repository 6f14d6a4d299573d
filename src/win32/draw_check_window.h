#pragma once

// "Check Against Draws": a window of the add-on, owned by the main window,
// resizable, its place kept in the settings. The player chooses the draws
// (the last one, the last N, all, or those between two) and the entries
// (the selected ones or all), and the check runs on a worker thread over a
// snapshot of both while the window and the host go on; a timer shows its
// progress and takes its result: the summary, the list of entry-draw pairs
// found (virtual, sorted by a click on a column), the chart. A change of
// the entries after the snapshot makes the result stale, and the window
// says so. The host owns the message loop: the window's keys (Esc, Tab,
// Enter) are taken by its controls themselves.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "analysis/draw_check_task.h"
#include "host/settings.h"
#include "operations/check_result_rows.h"
#include "operations/draw_checks.h"
#include "win32/check_chart.h"
#include "win32/window.h"

namespace zun {
class HostAdapter;
}

namespace zun::win32 {

inline constexpr char kCheckWindowClass[] = "TZUN_Check_Against_Draws";

// The ids of the window's controls (what WM_COMMAND names, and GetDlgItem finds).
enum CheckControlId : int {
  kLastDrawId = 101,
  kLastDrawsId,
  kLastCountId,
  kAllDrawsId,
  kBetweenId,
  kFromId,
  kToId,
  kSelectedEntriesId,
  kAllEntriesId,
  kAtLeastId,
  kAtLeastCountId,
  kCheckId,
  kCancelId,
  kSelectWinningId,
  kExportId,
  kCloseId,
  kListId,
  kSummaryId,
};

class DrawCheckWindow final : public Window {
 public:
  DrawCheckWindow(HostAdapter& adapter, HWND owner);
  ~DrawCheckWindow() override;

  // Shows the window in front, its choice of draws read from the game again.
  void Open();
  // Stops a check that runs, keeps the place, hides the window.
  void Close();

  // For the tests: whether a check runs, and the list and summary shown.
  bool Running() const noexcept { return task_ && !task_->Done(); }
  HWND ResultList() const noexcept { return list_; }
  std::string SummaryText() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateChildren();
  HWND Control(const char* className, const char* text, DWORD style, int id);
  void LayOut();
  void FillDrawChoices();
  CheckChoice ReadChoice() const;
  void StartCheck();
  void CancelCheck();
  void OnTimer();
  void TakeResult();
  void ShowState();
  void SetColumns();
  void OnCommand(int id, int code);
  bool OnNotify(NMHDR* header, LRESULT& result);
  // Esc closes, Tab moves on, Enter checks (or presses the focused button).
  bool OnKey(HWND control, WPARAM key);
  static LRESULT CALLBACK ControlSubclass(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);
  WindowPlace LivePlace() const;

  HostAdapter& adapter_;
  HWND owner_;
  HWND lastFocus_ = nullptr;  // the control that had the keyboard when the window lost it
  std::unique_ptr<DrawCheckTask> task_;
  std::unique_ptr<CheckResultRows> rows_;  // over the finished task's input and result
  uint64_t revision_ = 0;                  // of the entries the running or shown check read
  std::string status_;                     // cancelled, failed, nothing to check
  int32_t drawCount_ = -1;                 // the game's draws when the choices were filled

  HWND lastDraw_ = nullptr, lastDraws_ = nullptr, lastCount_ = nullptr, allDraws_ = nullptr, between_ = nullptr;
  HWND from_ = nullptr, to_ = nullptr;
  HWND selectedEntries_ = nullptr, allEntries_ = nullptr, atLeast_ = nullptr, atLeastCount_ = nullptr;
  HWND check_ = nullptr, cancel_ = nullptr, progress_ = nullptr, summary_ = nullptr, list_ = nullptr;
  HWND selectWinning_ = nullptr, export_ = nullptr, close_ = nullptr;
  std::vector<HWND> labels_;  // the group boxes and the texts between controls
  WindowPtr<CheckChart> chart_;
};

}  // namespace zun::win32
