#include "win32/entry_list_view.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <cwchar>
#include <exception>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "base/scope_guards.h"
#include "base/texts.h"
#include "core/command_table.h"
#include "core/host_adapter.h"
#include "host/host_messages.h"
#include "list/list_columns.h"
#include "list/send_to_menu.h"
#include "win32/menu_builder.h"
#include "win32/module.h"
#include "win32/panel.h"
#include "win32/shortcut_keys.h"
#include "win32/window_text.h"

namespace zun::win32 {
namespace {

// Sets the bits of `mask` of one row's state (all rows for -1).
void SetRowState(HWND list, int row, UINT state, UINT mask) {
  LVITEMA item{};
  item.stateMask = mask;
  item.state = state;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int ControlRowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

HWND HeaderOf(HWND list) { return reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)); }

// Posted to the control by a drop of the shell's files: they are taken
// once the drag that brought them has ended.
constexpr UINT kMsgTakeDroppedFiles = WM_APP + 0x21;

// The width a header notification announces for a column, if it announces
// one. NMHEADERA and NMHEADERW differ only in the text their item points to.
template <class HeaderNotification>
bool AnnouncedWidth(const HeaderNotification& change, int& column, int& width) {
  if (change.pitem == nullptr || (change.pitem->mask & HDI_WIDTH) == 0) return false;
  column = change.iItem;
  width = change.pitem->cxy;
  return true;
}

}  // namespace

EntryListWindow::~EntryListWindow() {
  pushing_ = true;  // whatever the control reports while it goes is not the user's doing
  dropRegistration_.Revoke();
  DestroyControl();
}

HWND EntryListWindow::Companion() const { return HeaderOf(Handle()); }

void EntryListWindow::TieNotifications(ReflectedControl* target) {
  SystemControl::TieNotifications(target);
  // The column widths are kept within their limits where the header asks
  // its list view first: not every list view passes HDN_ITEMCHANGING on to
  // its parent (Wine's passes none), but every header sends it to the list.
  if (target != nullptr)
    SetWindowSubclass(Handle(), ListSubclass, kWidthSubclassId, reinterpret_cast<DWORD_PTR>(this));
  else
    RemoveWindowSubclass(Handle(), ListSubclass, kWidthSubclassId);
}

LRESULT CALLBACK EntryListWindow::ListSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self) {
  // Shift+F10 and the context-menu key: the popup opens at the focused row
  // (a right click comes as NM_RCLICK, with the pointer's place).
  if (message == WM_CONTEXTMENU && self != 0 && GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) {
    auto& owner = *reinterpret_cast<EntryListWindow*>(self);
    try {
      owner.ShowPopupMenu(owner.FocusedRowPoint());
    } catch (...) {
      ReportUnexpectedError("list popup menu");
    }
    return 0;
  }
  if (self != 0) {
    auto& owner = *reinterpret_cast<EntryListWindow*>(self);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    try {
      if (owner.paintingDocumentSelection_) {
        if (owner.OnSelectingInput(message, wParam, at)) return 0;
        // The selected rows change colour with the focus; the control
        // repaints only the selection it holds.
        if (message == WM_SETFOCUS || message == WM_KILLFOCUS) InvalidateRect(window, nullptr, FALSE);
      }
      switch (message) {
        case WM_LBUTTONDOWN: {
          // The control selects the pressed row first (and, in some
          // versions, tracks the pointer until it moves or is released).
          const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
          owner.OnPressed(at);
          return result;
        }
        case WM_MOUSEMOVE:
          if (owner.OnPointerMoved(wParam, at)) return 0;
          break;
        case WM_LBUTTONUP: {
          const int32_t pressed = owner.pressedRow_;
          const bool clicked = pressed >= 0 && owner.pressedAt_.has_value();
          owner.Disarm();
          if (clicked) {  // a press on the painted selection, released without a drag
            owner.adapter_.SelectRows(-1, -1, false);
            owner.adapter_.SelectRows(pressed, pressed, true);
            owner.FocusRow(pressed);
            return 0;
          }
          break;
        }
        case kMsgTakeDroppedFiles:
          owner.TakePendingFiles();
          return 0;
        case WM_DESTROY:
          // The registration goes while the window still exists, however
          // the window goes (with its parent, too).
          owner.dropRegistration_.Revoke();
          break;
        default:
          break;
      }
    } catch (...) {
      owner.Disarm();
      ReportUnexpectedError("list drag and drop");
    }
  }
  if (message == WM_NOTIFY && self != 0) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    auto& owner = *reinterpret_cast<EntryListWindow*>(self);
    if (header != nullptr && header->hwndFrom == HeaderOf(window) &&
        (header->code == HDN_ITEMCHANGINGA || header->code == HDN_ITEMCHANGINGW)) {
      try {
        if (owner.OnHeaderItemChanging(header)) return TRUE;
      } catch (...) {
        ReportUnexpectedError("column width");
      }
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// ---- The control --------------------------------------------------------------

void EntryListWindow::Create(HWND panel) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  RECT area{};
  GetClientRect(panel, &area);
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_OWNERDATA |
                      LVS_SHOWSELALWAYS;
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style, 0, 0, area.right, area.bottom, panel,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEntryListControlId)), ModuleInstance(),
                              nullptr);
  if (list == nullptr) throw std::runtime_error("Cannot create the entry list");
  limits_.clear();
  Adopt(list);
  TieNotifications(this);
  const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  SendMessageA(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(face));
  SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(face));
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(AddonFont()), TRUE);
  // Rows of other windows and the shell's files are dropped on the
  // control itself. Where the thread cannot take OLE drops, files still
  // come through the host's WM_DROPFILES.
  dropRegistration_.Register(list, *this);
}

void EntryListWindow::SetupColumns() {
  if (!Handle()) return;
  const OperationScope operation(codes::kSetupColumns);
  const TZUN_Lotto_DBase* game = adapter_.Doc().Game();
  std::vector<ListColumn> columns =
      ListColumns(game ? game->PlaySets.span() : std::span<const Lotto_Numbers_Framework>{});
  DeleteColumns();
  for (size_t i = 0; i < columns.size(); ++i) {
    ListColumn& column = columns[i];
    LVCOLUMNA item{};
    item.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    item.fmt = column.align == ColumnAlign::Centre ? LVCFMT_CENTER : LVCFMT_LEFT;
    item.cx = column.width;
    item.pszText = column.caption.data();
    item.iSubItem = static_cast<int>(i);
    if (SendMessageA(Handle(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&item)) == -1)
      throw std::runtime_error("Cannot add a column to the entry list");
    limits_.push_back(WidthLimits{column.minWidth, column.maxWidth});
  }
}

void EntryListWindow::DeleteColumns() {
  limits_.clear();
  const int count = static_cast<int>(SendMessageA(HeaderOf(Handle()), HDM_GETITEMCOUNT, 0, 0));
  for (int i = count - 1; i >= 0; --i) SendMessageA(Handle(), LVM_DELETECOLUMN, static_cast<WPARAM>(i), 0);
}

// ---- What the document tells --------------------------------------------------------

void EntryListWindow::RowsChanged(int32_t rowCount) {
  if (!Handle()) return;
  {
    FlagScope pushing(pushing_);
    // The page the user looks at stays: without NOSCROLL the control
    // scrolls to its focused row at every change of the count.
    SendMessageA(Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(std::max<int32_t>(rowCount, 0)), LVSICF_NOSCROLL);
  }
  // The rows may show other entries now (a sort, a deletion): the selected
  // entries may stand on other rows than the control remembers.
  PushSelection();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void EntryListWindow::SelectionChanged() {
  if (!reporting_) PushSelection();
}

void EntryListWindow::Focus() {
  if (Handle()) SetFocus(Handle());
}

void EntryListWindow::RevealRow(int32_t row) {
  if (!Handle() || row < 0 || row >= ControlRowCount(Handle())) return;
  FlagScope pushing(pushing_);
  SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  SetRowState(Handle(), row, LVIS_FOCUSED, LVIS_FOCUSED);
}

void EntryListWindow::PushSelection() {
  if (!Handle()) return;
  FlagScope pushing(pushing_);
  const EntryList& model = adapter_.Doc().List();
  const int32_t rows = std::min<int32_t>(model.RowCount(), ControlRowCount(Handle()));
  const int32_t selected = model.SelectedCount();
  // The control's own selection goes first (painting the document's, it
  // holds none: asked to clear it, it would ask for every row's state).
  if (!paintingDocumentSelection_) SetRowState(Handle(), -1, 0, LVIS_SELECTED);
  if (selected > kMostRowsPushed && selected < model.RowCount() && rows == model.RowCount()) {
    PaintSelectionFromDocument(true);
    return;
  }
  PaintSelectionFromDocument(false);
  if (selected == 0 || rows == 0) return;
  if (selected == model.RowCount() && rows == model.RowCount()) {
    SetRowState(Handle(), -1, LVIS_SELECTED, LVIS_SELECTED);
    return;
  }
  // The control has no message for a range of rows: one per selected row.
  // Each would repaint its row at once (off the page too, at a cost per
  // row of a visit to the window system): the rows are repainted together.
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  for (int32_t row = 0; row < rows; ++row)
    if (model.IsRowSelected(row)) SetRowState(Handle(), row, LVIS_SELECTED, LVIS_SELECTED);
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void EntryListWindow::PaintSelectionFromDocument(bool on) {
  if (on != paintingDocumentSelection_) {
    paintingDocumentSelection_ = on;
    SendMessageA(Handle(), LVM_SETCALLBACKMASK, on ? LVIS_SELECTED : 0, 0);
  }
  if (on) InvalidateRect(Handle(), nullptr, FALSE);
}

bool EntryListWindow::OnSelectingInput(UINT message, WPARAM wParam, POINT at) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const EntryList& model = adapter_.Doc().List();
  const auto toggle = [&](int32_t row) {
    adapter_.SelectRows(row, row, !model.IsRowSelected(row));
    FocusRow(row);
  };
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
      const int32_t row = RowAt(at);
      const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
      if (left && ctrl && row >= 0) {
        SetFocus(Handle());
        if (!shift) {
          toggle(row);
          return true;
        }
        // Ctrl+Shift: the rows from the last one clicked join the selection.
        const auto mark = static_cast<int32_t>(SendMessageA(Handle(), LVM_GETSELECTIONMARK, 0, 0));
        const int32_t from = mark >= 0 && mark < model.RowCount() ? mark : row;
        adapter_.SelectRows(std::min(from, row), std::max(from, row), true);
        FocusRow(row);
        return true;
      }
      if (row >= 0 && !shift && model.IsRowSelected(row)) {
        // The popup acts on the selection (the control asks us whether the
        // row is selected); a press may drag the selection.
        if (!left) return false;
        SetFocus(Handle());
        FocusRow(row);
        OnPressed(at);
        if (pressedAt_) pressedRow_ = row;
        return true;
      }
      break;
    }
    case WM_KEYDOWN: {
      if (wParam == VK_SPACE && ctrl) {
        const auto row =
            static_cast<int32_t>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        if (row >= 0 && row < model.RowCount()) toggle(row);
        return true;
      }
      constexpr WPARAM kMovingKeys[] = {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_SPACE};
      // With Ctrl the focus moves and the selection stays.
      if (ctrl || std::find(std::begin(kMovingKeys), std::end(kMovingKeys), wParam) == std::end(kMovingKeys))
        return false;
      break;
    }
    default: return false;
  }
  // A new selection begins: the document's is cleared, so the control's
  // (none) is the same, and the control makes the new one.
  adapter_.SelectRows(-1, -1, false);
  return false;
}

void EntryListWindow::FocusRow(int32_t row) {
  FlagScope pushing(pushing_);
  SetRowState(Handle(), row, LVIS_FOCUSED, LVIS_FOCUSED);
  SendMessageA(Handle(), LVM_SETSELECTIONMARK, 0, row);
}

int32_t EntryListWindow::RowAt(POINT at) const {
  LVHITTESTINFO hit{};
  hit.pt = at;
  const auto row = static_cast<int32_t>(SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return row >= 0 && (hit.flags & LVHT_ONITEM) != 0 ? row : -1;
}

// ---- Notifications ----------------------------------------------------------------

bool EntryListWindow::OnNotify(NMHDR* header, LRESULT& result) {
  if (!Handle() || header == nullptr) return false;
  if (header->hwndFrom == Handle()) return OnListNotify(header, result);
  return false;
}

bool EntryListWindow::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  return message == WM_NOTIFY && OnNotify(reinterpret_cast<NMHDR*>(lParam), result);
}

bool EntryListWindow::OnListNotify(NMHDR* header, LRESULT& result) {
  result = 0;
  switch (header->code) {
    case LVN_GETDISPINFOA:
      OnGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(header));
      return true;
    case LVN_GETDISPINFOW:
      OnGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(header));
      return true;
    case LVN_ITEMCHANGED:
      OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(header));
      return true;
    case LVN_ODSTATECHANGED:
      OnRangeStateChanged(*reinterpret_cast<const NMLVODSTATECHANGE*>(header));
      return true;
    case LVN_COLUMNCLICK:
      adapter_.ColumnClicked(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
      return true;
    case LVN_KEYDOWN:
      OnKeyDown(*reinterpret_cast<const NMLVKEYDOWN*>(header));
      return true;
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
      result = -1;  // typing does not search the rows (it would move the selection to row 0)
      return true;
    case NM_RCLICK: {
      POINT at{};
      GetCursorPos(&at);
      ShowPopupMenu(at);
      return true;
    }
    default:
      return false;
  }
}

std::string EntryListWindow::CellText(int row, int column) const {
  const TZUN_User_Lotto_DBase* database = adapter_.Doc().Database();
  const EntryList& model = adapter_.Doc().List();
  if (database == nullptr || row < 0 || row >= model.RowCount() || column < 0) return {};
  try {
    return model.CellText(*database, row, column);
  } catch (const std::exception&) {
    // The row shows empty: a report from here would come back at every repaint.
    return {};
  }
}

void EntryListWindow::OnGetDisplayInfo(NMLVDISPINFOA& info) const {
  LVITEMA& item = info.item;
  if ((item.mask & LVIF_STATE) != 0) item.state = RowState(item.iItem, item.state, item.stateMask);
  if ((item.mask & LVIF_TEXT) == 0) return;
  CopyText(CellText(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
}

void EntryListWindow::OnGetDisplayInfo(NMLVDISPINFOW& info) const {
  LVITEMW& item = info.item;
  if ((item.mask & LVIF_STATE) != 0) item.state = RowState(item.iItem, item.state, item.stateMask);
  if ((item.mask & LVIF_TEXT) == 0) return;
  CopyText(CellText(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
}

UINT EntryListWindow::RowState(int row, UINT state, UINT mask) const {
  if ((mask & LVIS_SELECTED) == 0) return state;
  const EntryList& model = adapter_.Doc().List();
  const bool selected = row >= 0 && row < model.RowCount() && model.IsRowSelected(row);
  return (state & ~LVIS_SELECTED) | (selected ? LVIS_SELECTED : 0);
}

void EntryListWindow::OnItemChanged(const NMLISTVIEW& change) {
  if (pushing_ || adapter_.Closing()) return;
  if ((change.uChanged & LVIF_STATE) == 0 || ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) == 0) return;
  const bool selected = (change.uNewState & LVIS_SELECTED) != 0;
  const int32_t rows = adapter_.Doc().List().RowCount();
  if (change.iItem != -1 && (change.iItem < 0 || change.iItem >= rows)) return;
  const FlagScope reporting(reporting_);
  adapter_.SelectRows(change.iItem, change.iItem, selected);  // -1: every row
}

void EntryListWindow::OnRangeStateChanged(const NMLVODSTATECHANGE& change) {
  if (pushing_ || adapter_.Closing()) return;
  const bool was = (change.uOldState & LVIS_SELECTED) != 0;
  const bool now = (change.uNewState & LVIS_SELECTED) != 0;
  if (was == now) return;
  const int32_t first = std::max(change.iFrom, 0);
  const int32_t last = std::min(change.iTo, adapter_.Doc().List().RowCount() - 1);
  if (first > last) return;
  // The whole range took the new state: one intent, without asking the
  // control row by row (Shift+End on millions of rows took minutes so).
  const FlagScope reporting(reporting_);
  adapter_.SelectRows(first, last, now);
}

void EntryListWindow::OnKeyDown(const NMLVKEYDOWN& key) {
  if (const Command* command = CommandForShortcut(PressedShortcut(key.wVKey))) adapter_.Execute(command->id);
}

POINT EntryListWindow::FocusedRowPoint() const {
  // Below the focused row's caption, or at the list's top left without one.
  POINT at{4, 4};
  const int row = static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  RECT cell{};
  cell.left = LVIR_LABEL;
  if (row >= 0 && SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell))) {
    RECT client{};
    GetClientRect(Handle(), &client);
    at = {cell.left + 4, std::clamp<LONG>(cell.bottom, client.top, client.bottom)};
  }
  ClientToScreen(Handle(), &at);
  return at;
}

void EntryListWindow::ShowPopupMenu(POINT at) {
  const uintptr_t own = OwnWindow();
  const UniqueMenu menu = BuildListPopup(adapter_.CurrentCommandStates(), adapter_.SendToMenuModel(own));
  RunMenuChoice(adapter_, TrackMenu(menu.get(), at, TPM_RIGHTBUTTON | TPM_NONOTIFY, Handle()), own);
}

// ---- Drag and drop -------------------------------------------------------------------

uintptr_t EntryListWindow::OwnWindow() const {
  return reinterpret_cast<uintptr_t>(GetAncestor(Handle(), GA_ROOT));
}

void EntryListWindow::OnPressed(POINT at) {
  Disarm();
  // A press the control has already seen end (it tracks some itself).
  if (!Handle() || GetKeyState(VK_LBUTTON) >= 0 || adapter_.Closing()) return;
  LVHITTESTINFO hit{};
  hit.pt = at;
  const int row = static_cast<int>(SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row < 0 || (hit.flags & LVHT_ONITEM) == 0 || !adapter_.Doc().List().IsRowSelected(row)) return;
  pressedAt_ = at;
  if (GetCapture() != Handle()) {
    SetCapture(Handle());
    capturing_ = true;
  }
}

bool EntryListWindow::OnPointerMoved(WPARAM keys, POINT at) {
  if (!pressedAt_) return false;
  if ((keys & MK_LBUTTON) == 0) {
    Disarm();
    return false;
  }
  if (std::abs(at.x - pressedAt_->x) < kDragDistance && std::abs(at.y - pressedAt_->y) < kDragDistance) return false;
  Disarm();
  StartDrag();
  return true;
}

void EntryListWindow::Disarm() {
  pressedAt_.reset();
  pressedRow_ = -1;
  if (capturing_) {
    capturing_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
  }
}

void EntryListWindow::StartDrag() {
  // The record is prepared and the host asked for room first; without the
  // room there are no indexes to offer, and no drag.
  const uintptr_t own = OwnWindow();
  if (!adapter_.OfferSelectedEntries(nullptr, own)) return;
  const OperationScope operation(codes::kStartDrag);
  const ComPtr<DragOffer> offer = MakeComObject<DragOffer>(reinterpret_cast<HWND>(own));
  if (!offer) {
    adapter_.Errors().ReportError(texts::failure::kOfferDrag);
    return;
  }
  if (dragRunner_)
    dragRunner_(*offer);
  else
    RunDrag(*offer);
}

bool EntryListWindow::AcceptsOffer(HWND) { return Handle() != nullptr && adapter_.AcceptsOffer(OwnWindow()); }

void EntryListWindow::TakeOffer(HWND) {
  // The same intake as the host's message: the main window takes it.
  PostMessageA(reinterpret_cast<HWND>(OwnWindow()), kMsgTakeOfferedEntries, 0, 0);
}

void EntryListWindow::TakeFiles(std::vector<std::string> names) {
  droppedFiles_ = std::move(names);
  PostMessageA(Handle(), kMsgTakeDroppedFiles, 0, 0);
}

void EntryListWindow::TakePendingFiles() {
  std::vector<std::string> names = std::move(droppedFiles_);
  droppedFiles_.clear();
  if (names.empty()) return;
  // As the host hands them over from WM_DROPFILES.
  const OperationScope operation(codes::kShellFilesDropped);
  adapter_.FilesDropped(names);
}

bool EntryListWindow::OnHeaderItemChanging(NMHDR* header) {
  int column = -1;
  int width = 0;
  const bool announced = header->code == HDN_ITEMCHANGINGA
                             ? AnnouncedWidth(*reinterpret_cast<const NMHEADERA*>(header), column, width)
                             : AnnouncedWidth(*reinterpret_cast<const NMHEADERW*>(header), column, width);
  if (!announced || column < 0 || static_cast<size_t>(column) >= limits_.size()) return false;
  const WidthLimits& limit = limits_[static_cast<size_t>(column)];
  int within = std::max(width, limit.minWidth);
  if (limit.maxWidth > 0) within = std::min(within, limit.maxWidth);
  if (within == width) return false;
  // Refused, and the nearest allowed width set instead: a header takes no
  // width written back into the notification.
  if (!clamping_) {
    FlagScope clamping(clamping_);
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = within;
    SendMessageA(HeaderOf(Handle()), HDM_SETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
  }
  return true;
}

}  // namespace zun::win32
