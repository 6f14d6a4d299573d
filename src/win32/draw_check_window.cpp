#include "win32/draw_check_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/error_location.h"
#include "base/explained_error.h"
#include "base/reference_codes.h"
#include "base/texts.h"
#include "base/thousands.h"
#include "core/host_adapter.h"
#include "win32/panel.h"
#include "win32/window_text.h"

namespace zun::win32 {
namespace {

namespace text = texts::check;

// Not WS_CLIPCHILDREN: a group box leaves its inside for the window to paint.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr int kMinWidth = 720;
constexpr int kMinHeight = 480;
constexpr int kDefaultWidth = 760;
constexpr int kDefaultHeight = 560;

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMs = 100;
constexpr UINT_PTR kKeysSubclassId = 0x4B59;

// Layout, in pixels.
constexpr int kMargin = 8;
constexpr int kGroupHeight = 46;
constexpr int kRowHeight = 22;
constexpr int kButtonHeight = 24;
constexpr int kSummaryHeight = 44;

bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND button, bool checked) {
  SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int32_t NumberIn(HWND edit, int32_t fallback) {
  const std::string value = WindowText(edit);
  char* end = nullptr;
  const long number = std::strtol(value.c_str(), &end, 10);
  if (value.empty() || end == nullptr || *end != '\0' || number < 0 || number > 1'000'000) return fallback;
  return static_cast<int32_t>(number);
}

int32_t SelectedDraw(HWND combo) {
  const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return -1;
  return static_cast<int32_t>(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

}  // namespace

DrawCheckWindow::DrawCheckWindow(HostAdapter& adapter, HWND owner) : adapter_(adapter), owner_(owner) {
  const OperationScope operation(codes::kCheckWindow);
  RECT at{};
  GetWindowRect(owner, &at);
  WindowPlace place{at.top + 40, at.left + 40, kDefaultHeight, kDefaultWidth};
  if (const auto stored = adapter_.CheckWindowPlace()) place = *stored;
  CreateOfClass(kCheckWindowClass, kExStyle, text::kCaption, kStyle, place.Left, place.Top,
                std::max(place.Width, kMinWidth), std::max(place.Height, kMinHeight), owner);
  CreateChildren();
  LayOut();
}

DrawCheckWindow::~DrawCheckWindow() {
  // The rows read the task's result: they go first, then the task (which
  // stops the check and waits for its thread).
  rows_.reset();
  task_.reset();
}

HWND DrawCheckWindow::Control(const char* className, const char* caption, DWORD style, int id) {
  HWND control = CreateWindowExA(0, className, caption, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(AddonFont()), FALSE);
  SetWindowSubclass(control, ControlSubclass, kKeysSubclassId, reinterpret_cast<DWORD_PTR>(this));
  if (id == 0) labels_.push_back(control);
  return control;
}

void DrawCheckWindow::CreateChildren() {
  constexpr DWORD kRadio = BS_AUTORADIOBUTTON | WS_TABSTOP;
  // The group boxes first: the controls over them come later in the Z order.
  Control("BUTTON", text::kDrawsGroup, BS_GROUPBOX, 0);
  Control("BUTTON", text::kEntriesGroup, BS_GROUPBOX, 0);
  lastDraw_ = Control("BUTTON", text::kLastDraw, kRadio | WS_GROUP, kLastDrawId);
  lastDraws_ = Control("BUTTON", text::kLastDraws, kRadio, kLastDrawsId);
  lastCount_ = Control("EDIT", "10", ES_NUMBER | WS_TABSTOP | WS_BORDER, kLastCountId);
  Control("STATIC", text::kDrawsTail, SS_LEFT, 0);
  allDraws_ = Control("BUTTON", text::kAllDraws, kRadio, kAllDrawsId);
  between_ = Control("BUTTON", text::kBetween, kRadio, kBetweenId);
  from_ = Control("COMBOBOX", nullptr, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kFromId);
  Control("STATIC", text::kAnd, SS_CENTER, 0);
  to_ = Control("COMBOBOX", nullptr, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kToId);
  selectedEntries_ = Control("BUTTON", text::kSelectedEntries, kRadio | WS_GROUP, kSelectedEntriesId);
  allEntries_ = Control("BUTTON", text::kAllEntries, kRadio, kAllEntriesId);
  atLeast_ = Control("BUTTON", text::kAtLeast, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kAtLeastId);
  atLeastCount_ = Control("EDIT", "3", ES_NUMBER | WS_TABSTOP | WS_BORDER, kAtLeastCountId);
  Control("STATIC", text::kNumbers, SS_LEFT, 0);
  check_ = Control("BUTTON", text::kCheck, BS_DEFPUSHBUTTON | WS_TABSTOP, kCheckId);
  summary_ = Control("STATIC", "", SS_LEFT | SS_NOPREFIX, kSummaryId);
  progress_ = Control(PROGRESS_CLASSA, nullptr, PBS_SMOOTH, 0);
  labels_.pop_back();
  SendMessageA(progress_, PBM_SETRANGE32, 0, 100);
  cancel_ = Control("BUTTON", text::kCancel, BS_PUSHBUTTON | WS_TABSTOP, kCancelId);
  list_ =
      Control(WC_LISTVIEWA, nullptr, LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER, kListId);
  SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  chart_ = MakeWindow<CheckChart>(Handle());
  selectWinning_ = Control("BUTTON", text::kSelectWinning, BS_PUSHBUTTON | WS_TABSTOP, kSelectWinningId);
  export_ = Control("BUTTON", text::kExport, BS_PUSHBUTTON | WS_TABSTOP, kExportId);
  close_ = Control("BUTTON", text::kClose, BS_PUSHBUTTON | WS_TABSTOP, kCloseId);

  SetChecked(allDraws_, true);
  SetChecked(allEntries_, true);
  SetColumns();
  ShowState();
}

void DrawCheckWindow::LayOut() {
  if (close_ == nullptr) return;  // a size message while the window is being created
  RECT client;
  GetClientRect(Handle(), &client);
  const int width = client.right;
  const int height = client.bottom;
  const auto place = [](HWND control, int left, int top, int w, int h) {
    SetWindowPos(control, nullptr, left, top, std::max(w, 0), std::max(h, 0), SWP_NOZORDER | SWP_NOACTIVATE);
  };
  // The group boxes and the texts between controls, in the order made.
  HWND drawsBox = labels_[0], entriesBox = labels_[1], drawsTail = labels_[2], andText = labels_[3],
       numbersText = labels_[4];
  const int inner = width - 2 * kMargin;

  int y = kMargin;
  place(drawsBox, kMargin, y, inner, kGroupHeight);
  int x = kMargin + 10;
  const int row = y + 18;
  place(lastDraw_, x, row, 110, kRowHeight), x += 114;
  place(lastDraws_, x, row, 66, kRowHeight), x += 68;
  place(lastCount_, x, row + 1, 44, kRowHeight - 2), x += 48;
  place(drawsTail, x, row + 4, 40, kRowHeight - 4), x += 44;
  place(allDraws_, x, row, 80, kRowHeight), x += 86;
  place(between_, x, row, 52, kRowHeight), x += 54;
  place(from_, x, row, 110, 240), x += 114;
  place(andText, x, row + 4, 20, kRowHeight - 4), x += 24;
  place(to_, x, row, 110, 240);

  y += kGroupHeight + 6;
  place(entriesBox, kMargin, y, inner, kGroupHeight);
  x = kMargin + 10;
  const int second = y + 18;
  place(selectedEntries_, x, second, 150, kRowHeight), x += 154;
  place(allEntries_, x, second, 90, kRowHeight), x += 104;
  place(atLeast_, x, second, 180, kRowHeight), x += 182;
  place(atLeastCount_, x, second + 1, 36, kRowHeight - 2), x += 40;
  place(numbersText, x, second + 4, 56, kRowHeight - 4);
  place(check_, kMargin + inner - 10 - 90, second - 1, 90, kButtonHeight);

  y += kGroupHeight + 6;
  place(summary_, kMargin, y, inner - 300, kSummaryHeight);
  place(progress_, kMargin + inner - 290, y + 4, 200, 16);
  place(cancel_, kMargin + inner - 82, y, 82, kButtonHeight);

  y += kSummaryHeight + 4;
  const int buttons = height - kMargin - kButtonHeight;
  const int spare = std::max(buttons - 8 - y, 0);
  const int chartHeight = std::max(spare * 2 / 5, std::min(spare, 110));
  place(list_, kMargin, y, inner, spare - chartHeight - 6);
  chart_->Place(kMargin, y + spare - chartHeight, inner, chartHeight);
  place(selectWinning_, kMargin, buttons, 150, kButtonHeight);
  place(export_, kMargin + 158, buttons, 120, kButtonHeight);
  place(close_, kMargin + inner - 90, buttons, 90, kButtonHeight);
}

void DrawCheckWindow::Open() {
  const OperationScope operation(codes::kCheckWindow);
  // A game of many thousand draws fills the two lists slowly: only when they are used.
  if (Checked(between_)) FillDrawChoices();
  // The selected entries when there are any, as the popup was opened on them.
  const bool selection = adapter_.Doc().List().SelectedCount() > 0;
  if (!Running()) {
    SetChecked(selectedEntries_, selection);
    SetChecked(allEntries_, !selection);
  }
  ShowState();
  ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(Handle());
  SetFocus(check_);
  SetTimer(Handle(), kTimerId, kTimerMs, nullptr);
}

void DrawCheckWindow::Close() {
  CancelCheck();
  KillTimer(Handle(), kTimerId);
  if (IsWindowVisible(Handle())) adapter_.StoreCheckWindowPlace(LivePlace());
  ShowWindow(Handle(), SW_HIDE);
  // Back to the main window, as a dialog goes.
  if (owner_ != nullptr && IsWindowVisible(owner_)) SetForegroundWindow(owner_);
}

WindowPlace DrawCheckWindow::LivePlace() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  RECT r;
  GetWindowRect(Handle(), &r);
  if ((IsIconic(Handle()) || IsZoomed(Handle())) && GetWindowPlacement(Handle(), &placement))
    r = placement.rcNormalPosition;
  return WindowPlace{r.top, r.left, r.bottom - r.top, r.right - r.left};
}

void DrawCheckWindow::FillDrawChoices() {
  const TZUN_Lotto_DBase* game = adapter_.Doc().Game();
  const int32_t count = game == nullptr ? 0 : game->Draws.size();
  if (count == drawCount_) return;
  drawCount_ = count;
  for (HWND combo : {from_, to_}) {
    SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    SendMessageA(combo, CB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(count) * 12);
    // Newest first, as a player looks for them.
    for (int32_t d = count - 1; d >= 0; --d) {
      const std::string label(game->Draws[d].DrawText.view());
      const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
      if (index >= 0) SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(d));
    }
    SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
  }
  // From the oldest to the newest by default: all of them.
  SendMessageA(from_, CB_SETCURSEL, count > 0 ? static_cast<WPARAM>(count - 1) : 0, 0);
  SendMessageA(to_, CB_SETCURSEL, 0, 0);
}

CheckChoice DrawCheckWindow::ReadChoice() const {
  CheckChoice choice;
  choice.draws = Checked(lastDraw_)    ? CheckChoice::Draws::Last
                 : Checked(lastDraws_) ? CheckChoice::Draws::LastCount
                 : Checked(between_)   ? CheckChoice::Draws::Between
                                       : CheckChoice::Draws::All;
  choice.lastCount = NumberIn(lastCount_, 10);
  choice.from = SelectedDraw(from_);
  choice.to = SelectedDraw(to_);
  choice.selectedOnly = Checked(selectedEntries_);
  choice.atLeast = Checked(atLeast_) ? std::max(NumberIn(atLeastCount_, 3), 1) : 0;
  return choice;
}

void DrawCheckWindow::StartCheck() {
  const OperationScope operation(codes::kCheckDraws);
  CancelCheck();
  rows_.reset();
  task_.reset();
  status_.clear();
  chart_->Clear();
  SendMessageA(list_, LVM_SETITEMCOUNT, 0, 0);
  const CheckChoice choice = ReadChoice();
  revision_ = adapter_.Doc().EntriesRevision();
  try {
    // The snapshot is made here, on the window's thread, from the document
    // as it is now; the worker reads nothing else.
    task_ = std::make_unique<DrawCheckTask>(MakeCheckInput(adapter_.Doc(), choice));
  } catch (const ExplainedError& nothing) {
    status_ = nothing.what();  // no draws or no entries: said in the window
  } catch (...) {
    adapter_.Guarded(texts::failure::kCheckDraws, [] { throw; });
  }
  SetTimer(Handle(), kTimerId, kTimerMs, nullptr);
  ShowState();
}

void DrawCheckWindow::CancelCheck() {
  if (!Running()) return;
  task_->Cancel();
  rows_.reset();
  task_.reset();  // waits for the thread, which stops within a few thousand entries
  status_ = text::kCancelled;
  ShowState();
}

void DrawCheckWindow::OnTimer() {
  if (task_ && task_->Done() && !rows_ && status_.empty()) TakeResult();
  ShowState();
}

void DrawCheckWindow::TakeResult() {
  if (!task_->Completed()) {
    status_ = task_->Failure().empty() ? std::string(text::kCancelled) : task_->Failure();
    if (!task_->Failure().empty())
      adapter_.Guarded(texts::failure::kCheckDraws, [&] { throw ExplainedError(task_->Failure()); });
    task_.reset();
    return;
  }
  adapter_.Guarded(texts::failure::kCheckDraws, [&] {
    rows_ = std::make_unique<CheckResultRows>(task_->Input(), task_->Result());
    SendMessageA(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows_->RowCount()), 0);
    InvalidateRect(list_, nullptr, TRUE);
    const DrawCheckInput& input = task_->Input();
    const DrawCheckResult& result = task_->Result();
    ChartData chart;
    chart.entries = result.entriesChecked;
    chart.draws = result.drawsChecked;
    for (size_t s = 0; s < input.playSets.size(); ++s) {
      ChartData::Set set;
      set.name.assign(input.playSets[s].SetName.view());
      set.lowest = input.playSets[s].LowestNumber;
      if (s < result.entriesHolding.size()) set.entriesHolding = result.entriesHolding[s];
      if (s < result.drawsDrawing.size()) set.drawsDrawing = result.drawsDrawing[s];
      chart.sets.push_back(std::move(set));
    }
    chart_->Show(std::move(chart));
  });
}

std::string DrawCheckWindow::SummaryText() const { return WindowText(summary_); }

void DrawCheckWindow::ShowState() {
  const bool running = Running();
  const bool stale = (running || rows_) && adapter_.Doc().EntriesRevision() != revision_;
  std::string summary;
  if (running) {
    summary = text::kChecking + std::to_string(task_->Percent()) + "%";
    SendMessageA(progress_, PBM_SETPOS, static_cast<WPARAM>(task_->Percent()), 0);
  } else if (rows_) {
    const DrawCheckResult& result = task_->Result();
    summary = result.Summary(task_->Input());
    if (result.Truncated())
      summary += "\r\n" + std::string(text::kListedHead) + WithThousands(kMaxListedHits) + text::kListedTail;
    for (const std::string& note : task_->Input().notes) summary += "\r\n" + note;
  } else {
    summary = status_;
  }
  if (stale) summary = std::string(text::kStale) + "\r\n" + summary;
  if (summary != WindowText(summary_)) SetWindowTextA(summary_, summary.c_str());

  ShowWindow(progress_, running ? SW_SHOW : SW_HIDE);
  ShowWindow(cancel_, running ? SW_SHOW : SW_HIDE);
  EnableWindow(check_, !running);
  const bool rows = rows_ && rows_->RowCount() > 0;
  // Stale rows name entries that may have moved: they are not selected.
  EnableWindow(selectWinning_, rows && !stale);
  EnableWindow(export_, rows);
  const bool between = Checked(between_);
  EnableWindow(from_, between);
  EnableWindow(to_, between);
  EnableWindow(lastCount_, Checked(lastDraws_));
  EnableWindow(atLeastCount_, Checked(atLeast_));
  EnableWindow(selectedEntries_, adapter_.Doc().List().SelectedCount() > 0 || Checked(selectedEntries_));
  if (!running && !IsWindowVisible(Handle())) KillTimer(Handle(), kTimerId);
}

void DrawCheckWindow::SetColumns() {
  while (SendMessageA(list_, LVM_DELETECOLUMN, 0, 0)) {
  }
  const TZUN_Lotto_DBase* game = adapter_.Doc().Game();
  std::vector<std::pair<std::string, int>> columns = {{text::kEntryColumn, 60}};
  if (game != nullptr)
    for (const auto& set : game->PlaySets)
      columns.emplace_back(std::string(set.SetName.view()), 40 * std::max(set.NumberCount, 2) + 20);
  columns.emplace_back(text::kDrawColumn, 90);
  columns.emplace_back(text::kMatchesColumn, 70);
  columns.emplace_back(text::kDivisionColumn, 140);
  for (size_t i = 0; i < columns.size(); ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    column.fmt = i == 0 ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = columns[i].second;
    column.pszText = columns[i].first.data();
    column.iSubItem = static_cast<int>(i);
    SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
}

void DrawCheckWindow::OnCommand(int id, int code) {
  switch (id) {
    case kCheckId:
      if (code == BN_CLICKED) StartCheck();
      break;
    case kCancelId:
      if (code == BN_CLICKED) CancelCheck();
      break;
    case kCloseId:
      if (code == BN_CLICKED) Close();
      break;
    case kSelectWinningId:
      if (code == BN_CLICKED && rows_) adapter_.SelectEntries(rows_->Entries());
      break;
    case kExportId:
      if (code == BN_CLICKED && rows_) adapter_.ExportCheckRows(*rows_, task_->Input());
      break;
    case kFromId:
    case kToId:
      if (code == CBN_SELCHANGE) {
        SetChecked(lastDraw_, false), SetChecked(lastDraws_, false), SetChecked(allDraws_, false);
        SetChecked(between_, true);
      }
      ShowState();
      break;
    default:
      if (id == kBetweenId && code == BN_CLICKED) FillDrawChoices();
      if (code == BN_CLICKED) ShowState();  // a radio button or the check box
      break;
  }
}

bool DrawCheckWindow::OnNotify(NMHDR* header, LRESULT& result) {
  if (header == nullptr || header->hwndFrom != list_) return false;
  switch (header->code) {
    case LVN_GETDISPINFOA: {
      LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
      if ((item.mask & LVIF_TEXT) != 0 && rows_)
        CopyText(rows_->CellText(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
      return true;
    }
    case LVN_GETDISPINFOW: {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
      if ((item.mask & LVIF_TEXT) != 0 && rows_)
        CopyText(rows_->CellText(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
      return true;
    }
    case LVN_COLUMNCLICK:
      if (rows_) {
        const auto& click = *reinterpret_cast<NMLISTVIEW*>(header);
        rows_->ClickColumn(click.iSubItem);
        InvalidateRect(list_, nullptr, FALSE);
      }
      result = 0;
      return true;
    default:
      return false;
  }
}

bool DrawCheckWindow::OnKey(HWND control, WPARAM key) {
  const bool droppedDown = SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0) != 0 && (control == from_ || control == to_);
  if (droppedDown) return false;  // the list of draws takes its own keys
  switch (key) {
    case VK_ESCAPE:
      PostMessageA(Handle(), WM_CLOSE, 0, 0);
      return true;
    case VK_TAB: {
      const bool back = GetKeyState(VK_SHIFT) < 0;
      if (HWND next = GetNextDlgTabItem(Handle(), control, back)) SetFocus(next);
      return true;
    }
    case VK_RETURN: {
      // A button takes Enter as a click; anywhere else Enter checks.
      char className[16] = {};
      GetClassNameA(control, className, sizeof className);
      const bool button =
          lstrcmpiA(className, "BUTTON") == 0 && (GetWindowLongA(control, GWL_STYLE) & 0x0F) <= BS_DEFPUSHBUTTON;
      if (button)
        SendMessageA(control, BM_CLICK, 0, 0);
      else if (IsWindowEnabled(check_))
        StartCheck();
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK DrawCheckWindow::ControlSubclass(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                  DWORD_PTR self) {
  auto& window = *reinterpret_cast<DrawCheckWindow*>(self);
  try {
    if (message == WM_KEYDOWN && window.OnKey(control, wParam)) return 0;
    // The characters of the keys taken above would only beep in an edit.
    if (message == WM_CHAR && (wParam == '\t' || wParam == '\r' || wParam == 0x1B)) return 0;
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, ControlSubclass, kKeysSubclassId);
  } catch (...) {
    ReportUnexpectedError("check window keys");
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

LRESULT DrawCheckWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
      return Default(message, wParam, lParam);
    }
    case WM_TIMER:
      if (wParam == kTimerId) OnTimer();
      return 0;
    case WM_SIZE:
      LayOut();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {kMinWidth, kMinHeight};
      return 0;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ACTIVATE:
      // As a dialog does: the control that had the keyboard gets it back
      // when the window comes back (after a file dialog, say).
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Handle(), focus)) lastFocus_ = focus;
      }
      return Default(message, wParam, lParam);
    case WM_SETFOCUS:
      if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_))
        SetFocus(lastFocus_);
      else
        SetFocus(IsWindowEnabled(check_) ? check_ : close_);
      return 0;
    case WM_DESTROY:
      KillTimer(Handle(), kTimerId);
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace zun::win32
