#include "zunhost/peer_database.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "hostside/sample_games.h"
#include "operations/entry_intake.h"
#include "platform/file_system.h"
#include "host/host_messages.h"
#include "win32/window_text.h"
#include "zunhost/host_environment.h"
#include "zunhost/host_log.h"
#include "zunhost/host_registry.h"
#include "zunhost/message_description.h"

namespace zun::devhost {
namespace {

constexpr int kButtonHeight = 26;
constexpr int kStatusHeight = 20;
constexpr int kMargin = 6;
// A press on a selected line becomes a drag after this many pixels, as in
// the add-on's list.
constexpr int kDragDistance = 15;
constexpr UINT_PTR kListSubclassId = 1;

struct Button {
  PeerCommand command;
  const char* caption;
};
constexpr Button kButtons[] = {
    {kOfferReadOnly, "Offer read-only (1)"},
    {kOfferEntries, "Offer entries (2)"},
    {kOfferFile, "Offer as file (3)"},
};

std::string EntryLine(const TZUN_User_Lotto_DBase& database, int32_t entry) {
  std::string line = std::to_string(entry + 1) + ".  ";
  for (int32_t set = 0; set < database.NumberSets.size(); ++set)
    line += (set == 0 ? "" : "  |  ") + database.EntryNumbersText(entry, set);
  line += "   [" + std::string(database.Entries[entry].Source.view()) + "]";
  return line;
}

}  // namespace

PeerDatabase::PeerDatabase(HostEnvironment& environment, HostLog& log) : environment_(environment), log_(log) {}

PeerDatabase::~PeerDatabase() {
  drops_.Revoke();  // while the window exists
  window_.reset();
}

bool PeerDatabase::Create(const std::string& folder, int32_t entries, RECT place, std::string& error) {
  folder_ = folder;
  const TZUN_Lotto_Temp& game = environment_.Game();
  database_ = TZUN_User_Lotto_DBase::Create(PlatformFileSystem(), game.FileName.c_str());
  if (!database_) {
    error = "the peer database cannot be made for the game";
    return false;
  }
  const auto samples = hostside::MakeSampleDatabase(game, entries, 4242);
  for (int32_t i = 0; i < samples->Entries.size(); ++i) {
    database_->Entries.push_back(std::move(samples->Entries[i]));
    database_->Entries[i].Source.assign("peer " + std::to_string(i + 1));
  }

  slot_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHostSlotSize, kPeerDatabaseSlot));
  if (slot_) slotView_.reset(MapViewOfFile(slot_.get(), FILE_MAP_WRITE, 0, 0, kHostSlotSize));
  if (!slotView_) {
    error = std::string("cannot create the slot \"") + kPeerDatabaseSlot + "\"";
    return false;
  }
  const TZUN_User_Lotto_DBase* published = database_.get();
  std::memcpy(slotView_.get(), &published, sizeof published);

  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, kPeerDatabaseClass, &windowClass)) {
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kPeerDatabaseClass;
    if (RegisterClassA(&windowClass) == 0) {
      error = "cannot register the peer database's window class";
      return false;
    }
  }
  const HWND created =
      CreateWindowExA(0, kPeerDatabaseClass, kPeerDatabase, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.left,
                      place.top, place.right - place.left, place.bottom - place.top, nullptr, nullptr, instance, this);
  if (created == nullptr) {
    error = "cannot create the peer database's window";
    return false;
  }
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const Button& button : kButtons) {
    HWND child = CreateWindowExA(0, "BUTTON", button.caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0,
                                 created, reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.command)), instance,
                                 nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    buttons_.push_back(child);
  }
  status_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, 0, 0,
                            created, nullptr, instance, nullptr);
  list_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 0,
                          0, 0, 0, created, nullptr, instance, nullptr);
  SendMessageA(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowSubclass(list_, &ListProcedure, kListSubclassId, reinterpret_cast<DWORD_PTR>(this));
  LayOut();
  Refill();
  SetStatus("Nothing received yet.");
  // Offers dropped anywhere on the window.
  drops_.Register(created, *this);
  environment_.AttachWindow(kPeerDatabase, created);
  ShowWindow(created, SW_SHOWNOACTIVATE);
  UpdateWindow(created);
  return true;
}

std::string PeerDatabase::Status() const { return win32::WindowText(status_); }

std::vector<std::string> PeerDatabase::Lines() const {
  std::vector<std::string> lines;
  const int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string line(static_cast<size_t>(SendMessageA(list_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)), '\0');
    SendMessageA(list_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
    lines.push_back(std::move(line));
  }
  return lines;
}

void PeerDatabase::SetStatus(const std::string& text) {
  SetWindowTextA(status_, text.c_str());
  log_.Line("\"" + std::string(kPeerDatabase) + "\": " + text);
}

void PeerDatabase::Refill() {
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list_, LB_RESETCONTENT, 0, 0);
  for (int32_t i = 0; i < database_->Entries.size(); ++i)
    SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(EntryLine(*database_, i).c_str()));
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

void PeerDatabase::LayOut() {
  RECT client{};
  GetClientRect(window_.get(), &client);
  const int buttonWidth = (client.right - kMargin * (static_cast<int>(buttons_.size()) + 1)) /
                          std::max<int>(1, static_cast<int>(buttons_.size()));
  for (size_t i = 0; i < buttons_.size(); ++i)
    MoveWindow(buttons_[i], kMargin + static_cast<int>(i) * (buttonWidth + kMargin), kMargin, buttonWidth,
               kButtonHeight, TRUE);
  const int statusTop = kMargin * 2 + kButtonHeight;
  MoveWindow(status_, kMargin, statusTop, client.right - 2 * kMargin, kStatusHeight, TRUE);
  const int listTop = statusTop + kStatusHeight;
  MoveWindow(list_, kMargin, listTop, client.right - 2 * kMargin, std::max<int>(0, client.bottom - listTop - kMargin),
             TRUE);
}

std::vector<int32_t> PeerDatabase::OfferedIndexes() const {
  std::vector<int32_t> indexes;
  const int selected = static_cast<int>(SendMessageA(list_, LB_GETSELCOUNT, 0, 0));
  if (selected > 0) {
    std::vector<int> items(static_cast<size_t>(selected));
    const int got = static_cast<int>(
        SendMessageA(list_, LB_GETSELITEMS, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(items.data())));
    indexes.assign(items.begin(), items.begin() + std::max(got, 0));
  } else {
    for (int32_t i = 0; i < database_->Entries.size(); ++i) indexes.push_back(i);
  }
  return indexes;
}

LRESULT PeerDatabase::PrepareOffer(int32_t kind, const std::vector<int32_t>& indexes) {
  DragDropRecord& record = environment_.DragDrop();
  record.SourceWindow = reinterpret_cast<HostWindowHandle>(window_.get());
  record.TransferKind = kind;
  if (kind == static_cast<int32_t>(TransferKind::DatabaseFile)) {
    offeredFile_ = folder_ + "\\peer-offer.sl5";
    // The offered entries alone, in a file of the game's shape.
    auto copy = TZUN_User_Lotto_DBase::Create(PlatformFileSystem(), environment_.Game().FileName.c_str());
    if (!copy) throw std::runtime_error("cannot make the database for the file");
    for (int32_t index : indexes) copy->Entries.push_back(database_->Entries[index]);
    if (!copy->SaveToFile(PlatformFileSystem(), offeredFile_)) throw std::runtime_error("cannot write " + offeredFile_);
    record.TransferName = offeredFile_.c_str();
  } else {
    record.TransferName = kPeerDatabaseSlot;
  }
  const HWND reply = reinterpret_cast<HWND>(record.ReplyWindow);
  const LRESULT granted = SendMessageA(reply, kMsgRequestIndexRoom, indexes.size(), 0);
  if (granted == 1) {
    const HostArrayRef<int32_t> room = record.EntryIndices;
    const int32_t count = std::min<int32_t>(room.size(), static_cast<int32_t>(indexes.size()));
    for (int32_t i = 0; i < count; ++i) room[i] = indexes[static_cast<size_t>(i)];
  }
  return granted;
}

void PeerDatabase::OfferByMessage(int32_t kind) {
  const std::vector<int32_t> indexes = OfferedIndexes();
  const LRESULT granted = PrepareOffer(kind, indexes);
  DragDropRecord& record = environment_.DragDrop();
  const WindowLocator& addon = environment_.Registry().AddonLocator();
  record.SendToParams[0] = addon.Group;
  record.SendToParams[1] = addon.SubGroup;
  record.SendToParams[2] = addon.Node;
  record.SendToParams[3] = addon.Window;
  record.SendToInSubGroup = addon.InSubGroup;
  SetStatus("Offered " + std::to_string(indexes.size()) + " entries by message, " + TransferKindName(kind) +
            (granted == 1 ? "" : " (the host made no room)"));
  PostMessageA(reinterpret_cast<HWND>(record.ReplyWindow), kMsgTakeOfferedEntries, 0, 0);
}

void PeerDatabase::StartDrag() {
  const std::vector<int32_t> indexes = OfferedIndexes();
  if (indexes.empty() || PrepareOffer(static_cast<int32_t>(TransferKind::WritableSlot), indexes) != 1) return;
  auto* offer = new win32::DragOffer(window_.get());
  const DWORD effect = win32::RunDrag(*offer);
  offer->Release();
  SetStatus("Dragged " + std::to_string(indexes.size()) + " entries: " +
            (effect == DROPEFFECT_COPY ? "taken" : "not taken"));
}

bool PeerDatabase::AcceptsOffer(HWND) {
  const DragDropRecord& record = environment_.DragDrop();
  return record.SourceWindow != reinterpret_cast<HostWindowHandle>(window_.get()) &&
         record.TransferKind == static_cast<int32_t>(TransferKind::WritableSlot);
}

void PeerDatabase::TakeOffer(HWND) {
  // Taken once the drag has ended, as a routed offer is.
  PostMessageA(window_.get(), kMsgTakeOfferedEntries, 0, 0);
}

void PeerDatabase::TakeOffer() {
  const DragDropRecord& record = environment_.DragDrop();
  const HWND source = reinterpret_cast<HWND>(record.SourceWindow);
  if (source == window_.get()) return;
  const std::string from = source != nullptr && IsWindow(source) ? "\"" + win32::WindowText(source) + "\"" : "?";
  if (record.TransferKind != static_cast<int32_t>(TransferKind::WritableSlot)) {
    SetStatus("Refused an offer of " + TransferKindName(record.TransferKind) + " from " + from);
    return;
  }
  std::string name;
  if (!ReadForeignText(probe_, record.TransferName, kMaxTransferName, name)) name.clear();
  const std::unique_ptr<MappedSlot> map = memory_.Open(name.c_str(), kSlotSize, true);
  if (!map || map->View() == nullptr) {
    SetStatus("Cannot open \"" + name + "\" offered by " + from);
    return;
  }
  const TZUN_User_Lotto_DBase* offering;
  std::memcpy(&offering, map->View(), sizeof offering);
  StatusView noProgress;
  OfferedEntries copies = CopyOfferedEntries(*database_, offering, record.EntryIndices, probe_, noProgress);
  if (!copies.refusal.empty()) {
    SetStatus("Refused the offer from " + from + ": " + copies.refusal);
    return;
  }
  const auto taken = static_cast<int32_t>(copies.entries.size());
  for (TZUN_Database_Structure& entry : copies.entries) database_->Entries.push_back(std::move(entry));
  Refill();
  SendMessageA(list_, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, database_->Entries.size() - taken)), 0);
  SetStatus("Received " + std::to_string(taken) + " entries from " + from +
            (copies.skipped > 0 ? ", " + std::to_string(copies.skipped) + " skipped" : ""));
}

LRESULT CALLBACK PeerDatabase::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<PeerDatabase*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_.reset(window);
  }
  auto* self = reinterpret_cast<PeerDatabase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (const std::exception& e) {
    self->log_.Line(std::string("error in the peer database: ") + e.what());
  } catch (...) {
    self->log_.Line("error in the peer database");
  }
  return 0;
}

LRESULT PeerDatabase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_.get();
  switch (message) {
    case WM_SIZE:
      if (list_ != nullptr) LayOut();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) >= kOfferReadOnly && LOWORD(wParam) <= kOfferFile && HIWORD(wParam) == BN_CLICKED)
        OfferByMessage(LOWORD(wParam) - kOfferReadOnly + 1);
      return 0;
    case kMsgTakeOfferedEntries:
      TakeOffer();
      return 1;
    case WM_CLOSE:
      ShowWindow(window, SW_HIDE);  // it stays open for offers; the host ends it
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      if (list_ != nullptr) RemoveWindowSubclass(list_, &ListProcedure, kListSubclassId);
      list_ = nullptr;
      window_.release();
      return DefWindowProcA(window, message, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK PeerDatabase::ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) {
  try {
    if (reinterpret_cast<PeerDatabase*>(self)->OnListMessage(message, wParam, lParam)) return 0;
  } catch (const std::exception& e) {
    reinterpret_cast<PeerDatabase*>(self)->log_.Line(std::string("error in the peer database: ") + e.what());
  } catch (...) {
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

bool PeerDatabase::OnListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDOWN: {
      // A press on a selected line without Ctrl or Shift keeps the
      // selection: it may become a drag of all of it.
      const LRESULT hit = SendMessageA(list_, LB_ITEMFROMPOINT, 0, lParam);
      const int item = LOWORD(hit);
      if (HIWORD(hit) != 0 || (wParam & (MK_CONTROL | MK_SHIFT)) != 0 ||
          SendMessageA(list_, LB_GETSEL, static_cast<WPARAM>(item), 0) <= 0)
        return false;
      pressedAt_ = at;
      pressedItem_ = item;
      SetFocus(list_);
      SetCapture(list_);
      return true;
    }
    case WM_MOUSEMOVE:
      if (!pressedAt_) return false;
      if (std::abs(at.x - pressedAt_->x) < kDragDistance && std::abs(at.y - pressedAt_->y) < kDragDistance)
        return true;
      pressedAt_.reset();
      ReleaseCapture();
      StartDrag();
      return true;
    case WM_LBUTTONUP:
      if (!pressedAt_) return false;
      // A click without a drag: that line alone is selected.
      pressedAt_.reset();
      ReleaseCapture();
      SendMessageA(list_, LB_SETSEL, FALSE, -1);
      SendMessageA(list_, LB_SETSEL, TRUE, pressedItem_);
      return true;
    case WM_CAPTURECHANGED:
      pressedAt_.reset();
      return false;
    default:
      return false;
  }
}

}  // namespace zun::devhost
