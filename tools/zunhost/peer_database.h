#pragma once

// A second user database in the host, as another add-on of the same kind
// would hold it: a visible window "Peer Database" listing its entries, its
// database for the host's game published behind a slot of its own, and its
// place in the host's registry. It exchanges entries with the add-on both
// ways, by every road the add-on has:
//
// - it offers its selected entries (all of them when none is selected) by
//   message, through the host (0x595, then 0x594 routed to the add-on's
//   window): kind 1 (a read-only offer), kind 2 (entries), kind 3 (the
//   entries saved to a file in the host's folder, offered by its path);
// - its list is an OLE drag source of the "ZUN_DragDrop" format, offering
//   kind 2, and the window a drop target for it;
// - it takes what the add-on sends to it (Send To, routed by the host) or
//   drops on it, copies the entries into its own database and says what
//   arrived on its status line.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/user_database.h"
#include "win32/ole_drag_drop.h"
#include "win32/win32_ports.h"
#include "zunhost/win32_scoped.h"

namespace zun::devhost {

class HostEnvironment;
class HostLog;

inline constexpr char kPeerDatabaseClass[] = "ZUN_Dev_Peer_Database";
// The slot the peer's offers name: a pointer to its database.
inline constexpr char kPeerDatabaseSlot[] = "ZUN_Mem_Map_Peer";

// Its buttons (WM_COMMAND identifiers): offers of each kind.
enum PeerCommand : int { kOfferReadOnly = 201, kOfferEntries, kOfferFile };

class PeerDatabase final : private win32::DropReceiver {
 public:
  PeerDatabase(HostEnvironment& environment, HostLog& log);
  ~PeerDatabase() override;
  PeerDatabase(const PeerDatabase&) = delete;
  PeerDatabase& operator=(const PeerDatabase&) = delete;

  // Creates its database for the host's game with `entries` entries of its
  // own (sources "peer 1", "peer 2", ...), publishes it, and shows its
  // window at the given place, attached to its registry entry. `folder` is
  // where a kind-3 offer writes its file. False with the reason in error.
  bool Create(const std::string& folder, int32_t entries, RECT place, std::string& error);

  HWND Handle() const noexcept { return window_.get(); }
  HWND List() const noexcept { return list_; }
  const TZUN_User_Lotto_DBase& Database() const noexcept { return *database_; }
  // The status line: what arrived last, or what was offered.
  std::string Status() const;
  // The lines the list shows, one per entry.
  std::vector<std::string> Lines() const;

  // Offers its selected entries (all without a selection) to the add-on
  // by message, as the buttons do.
  void OfferByMessage(int32_t kind);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnListMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void LayOut();
  void Refill();
  void SetStatus(const std::string& text);
  std::vector<int32_t> OfferedIndexes() const;
  // Fills the record as an offer of `indexes` from this window and asks the
  // host for room; returns the host's answer.
  LRESULT PrepareOffer(int32_t kind, const std::vector<int32_t>& indexes);
  void StartDrag();
  void TakeOffer();
  // DropReceiver: the add-on's rows (kind 2) dropped on the window.
  bool AcceptsOffer(HWND source) override;
  void TakeOffer(HWND source) override;

  HostEnvironment& environment_;
  HostLog& log_;
  std::unique_ptr<TZUN_User_Lotto_DBase> database_;
  UniqueHandle slot_;
  UniqueView slotView_;
  UniqueWindow window_;
  HWND list_ = nullptr;
  HWND status_ = nullptr;
  std::vector<HWND> buttons_;
  std::string folder_;
  std::string offeredFile_;  // TransferName of a kind-3 offer
  std::optional<POINT> pressedAt_;
  int pressedItem_ = -1;
  win32::DropRegistration drops_;
  win32::Win32SharedMemory memory_;
  win32::Win32MemoryProbe probe_;
};

}  // namespace zun::devhost
