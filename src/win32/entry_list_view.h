#pragma once

// The entry list: a virtual report list view (LVS_OWNERDATA) over the
// document's list. It asks the list for the text of each cell it paints and
// never holds a copy of the entries. The document's selection is the
// truth: the control's selection is pushed from it, and the user's changes
// to the control's selection go to the adapter as intents.
//
// The control keeps a selection as ranges of rows, told one row at a time:
// Select Even on millions of rows would take hours. Past kMostRowsPushed
// selected rows the control holds none and asks the document for each row
// it paints (the callback mask); a click or key that would start a new
// selection clears the document's first and leaves the rest to the
// control, and Ctrl+click, Ctrl+Shift+click, Ctrl+Space and a press that
// may drag the selection are handled here.
//
// The control and its header are tied to this object (SystemControl),
// so the panel that receives their notifications hands them here first;
// OnNotify also takes them from any window that passes them on.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/views.h"
#include "win32/ole_drag_drop.h"
#include "win32/scoped.h"
#include "win32/system_control.h"

namespace zun {
class HostAdapter;
}

namespace zun::win32 {

inline constexpr int kEntryListControlId = 0x4C31;

// How far (in pixels, along either axis) the pointer moves from a press on
// a selected row before the press becomes a drag of the selected entries.
inline constexpr int kDragDistance = 15;

class EntryListWindow final : public EntryListView, public SystemControl, private DropReceiver {
 public:
  explicit EntryListWindow(HostAdapter& adapter) : adapter_(adapter) {}
  ~EntryListWindow() override;
  EntryListWindow(const EntryListWindow&) = delete;
  EntryListWindow& operator=(const EntryListWindow&) = delete;

  // Creates the control in `panel`, filling its client area, with no columns.
  void Create(HWND panel);

  // The columns of the document's game: "Seq.", one per play set, the source.
  void SetupColumns();

  // A notification from the control or its header. Returns whether it was
  // one of theirs; `result` is then what the window procedure returns.
  bool OnNotify(NMHDR* header, LRESULT& result);
  // ReflectedControl: WM_NOTIFY goes to OnNotify.
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // EntryListView
  void RowsChanged(int32_t rowCount) override;
  void SelectionChanged() override;
  void RevealRow(int32_t row) override;
  void Focus() override;

  // The control stops taking drops (the close for good); its OLE
  // registration is revoked while the window still exists.
  void ReleaseDropTarget() noexcept { dropRegistration_.Revoke(); }
  bool TakesDrops() const noexcept { return dropRegistration_.Registered(); }
  // What runs a drag once the record is prepared: the platform's drag by
  // default; the benchmark stops the clock there instead.
  using DragRunner = std::function<void(DragOffer&)>;
  void SetDragRunner(DragRunner runner) { dragRunner_ = std::move(runner); }

 private:
  struct WidthLimits {
    int32_t minWidth = 0;
    int32_t maxWidth = 0;  // 0: none
  };

  bool OnListNotify(NMHDR* header, LRESULT& result);
  void OnGetDisplayInfo(NMLVDISPINFOA& info) const;
  void OnGetDisplayInfo(NMLVDISPINFOW& info) const;
  // A row's state as the control asks for it: the selection is the document's.
  UINT RowState(int row, UINT state, UINT mask) const;
  void OnItemChanged(const NMLISTVIEW& change);
  void OnRangeStateChanged(const NMLVODSTATECHANGE& change);
  void OnKeyDown(const NMLVKEYDOWN& key);
  // The list's popup menu at a screen point: the pointer's for a right
  // click, FocusedRowPoint for the keyboard.
  void ShowPopupMenu(POINT at);
  POINT FocusedRowPoint() const;
  // A column's width about to change. True refuses the change: the width
  // was outside the column's limits, and the nearest width within them has
  // been set instead.
  bool OnHeaderItemChanging(NMHDR* header);
  static LRESULT CALLBACK ListSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  static constexpr UINT_PTR kWidthSubclassId = 1;

  // Drags out: a press on a selected row arms the drag, a move of
  // kDragDistance starts it, a release or a move without the button
  // disarms it.
  void OnPressed(POINT at);
  bool OnPointerMoved(WPARAM keys, POINT at);
  void Disarm();
  void StartDrag();
  // DropReceiver: what is dragged over the control. An offer is taken
  // through the main window's 0x594 intake, files through the shell
  // drop's, both once the drag has ended.
  bool AcceptsOffer(HWND source) override;
  void TakeOffer(HWND source) override;
  bool AcceptsFiles() override { return true; }
  void TakeFiles(std::vector<std::string> names) override;
  void TakePendingFiles();
  uintptr_t OwnWindow() const;

  // The text of a cell as the model gives it; empty for a row or column
  // the model does not have.
  std::string CellText(int row, int column) const;
  // Pushes the document's selection into the control.
  void PushSelection();
  // The control paints the document's selection (holding none) or its own.
  void PaintSelectionFromDocument(bool on);
  // A click or key while the control paints the document's selection: true
  // when it was handled here, false when the control is to have it.
  bool OnSelectingInput(UINT message, WPARAM wParam, POINT at);
  void FocusRow(int32_t row);
  // The row under a point of the control's client area, or -1.
  int32_t RowAt(POINT at) const;
  void DeleteColumns();
  // The header reports as the list's own; the tie also subclasses the
  // list (ListSubclass).
  HWND Companion() const override;
  void TieNotifications(ReflectedControl* target) override;

  HostAdapter& adapter_;
  std::vector<WidthLimits> limits_;
  // Set while the control's selection is set from the document: the
  // notifications that causes are not the user's changes.
  bool pushing_ = false;
  // Set while the user's change goes to the adapter: the control has it
  // already, so the document's news of it is not pushed back.
  bool reporting_ = false;
  // Set while a width is being brought within its limits.
  bool clamping_ = false;
  static constexpr int32_t kMostRowsPushed = 2'000;
  bool paintingDocumentSelection_ = false;
  // A press on the painted selection: a release without a drag selects
  // this row alone.
  int32_t pressedRow_ = -1;
  std::optional<POINT> pressedAt_;  // a press that may become a drag
  bool capturing_ = false;          // the pointer was captured for it by us
  DragRunner dragRunner_;
  DropRegistration dropRegistration_;
  std::vector<std::string> droppedFiles_;  // dropped, to be taken once the drag has ended
};

}  // namespace zun::win32
