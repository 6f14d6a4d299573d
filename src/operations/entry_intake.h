#pragma once

// Entries passing between windows through the drag-and-drop record.
//
// Taking: another add-on (or the host) offers entries of its user database
// by naming a memory map that holds a pointer to that database, and the
// indexes of the entries in EntryIndices. Everything behind the record is
// another module's memory and is checked before it is read:
//
// - The offer is refused as a whole, with the reason, when the map cannot
//   be opened, its name is missing, the database pointer is null or
//   unreadable, the database's number sets have another shape than ours
//   (count, and per set NumberCount, SecondaryCount, HighestNumber,
//   LowestNumber; OwnPool and AuxFlag, which appends rewrite from the
//   host, do not count), or EntryIndices is damaged: a negative count, more indexes
//   than the source has entries (an offer names each entry once), or a
//   block that cannot be read.
// - Single entries are skipped, and counted, when their index lies outside
//   the source's entries or their numbers do not have the sets' shape.
//
// The copies are all built before the first is appended, so a failure
// anywhere leaves the database as it was, and an offer of our own entries
// copies them safely.
//
// Offering: the record is filled with our map's name, the selected
// entries' indexes in display order and, for Send To, the target window;
// the host is asked for room first, and no more indexes are written than
// the room it made.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/document.h"
#include "model/user_database.h"
#include "operations/services.h"
#include "platform/host_messenger.h"
#include "platform/memory_probe.h"
#include "platform/shared_memory.h"
#include "host/host_records.h"
#include "host/host_slots.h"

namespace zun {

// The map our offers name: the slot our user database is published in.
inline constexpr const char* kOfferMapName = kHostSlots[1].name;

// The longest TransferName read (a path or a map's name).
inline constexpr size_t kMaxTransferName = 32767;

// Reads the zero-terminated text at `text`, at most `limit` characters,
// asking the probe before each page is read. False when the text is null,
// unreadable or longer than the limit.
bool ReadForeignText(const MemoryProbe& probe, const char* text, size_t limit, std::string& out);

// Copies of offered entries, built before anything is appended.
struct OfferedEntries {
  std::vector<TZUN_Database_Structure> entries;  // in the order offered
  int32_t offered = 0;                           // indexes in the offer
  int32_t skipped = 0;                           // indexes outside the source, entries of another shape
  std::string refusal;                           // not empty: the whole offer is refused, entries is empty
};

// Checks the source database against `target` and copies the entries
// `indices` names (numbers and source). Progress runs through `status`
// and ends at 0.
OfferedEntries CopyOfferedEntries(const TZUN_User_Lotto_DBase& target, const TZUN_User_Lotto_DBase* source,
                                  const HostArrayRef<int32_t>& indices, const MemoryProbe& probe,
                                  StatusView& status);

// Appends the copies as new entries (the document's one change), and
// scrolls the selected row, if any, into view once the rows are sorted.
// Returns how many were appended.
int32_t AppendOfferedEntries(Document& document, Services& services, std::vector<TZUN_Database_Structure>&& entries);

struct IntakeResult {
  int32_t taken = 0;
  int32_t offered = 0;
  int32_t skipped = 0;
  std::string refusal;  // not empty: nothing was taken, and why
};

// Kinds 1 and 2 of the record: opens the map the record names (writable
// for kind 2) and, for kind 2, takes the offered entries. Kind 1 takes
// nothing; other kinds are not for this function and take nothing.
IntakeResult TakeEntriesFromMap(Document& document, Services& services, const DragDropRecord& record);

// Writing the offered indexes failed (the host's array cannot be written):
// the offer's listing step, reported as such.
class OfferListingFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Fills the record for an offer of `selected` (entry indexes, display
// order) from `ownWindow`, to `target` (Send To) or to whoever takes the
// drag (null), and asks the host for room. Returns how many indexes were
// written: none when the host refused the room, and never more than the
// room it made. Throws OfferListingFailed when the room the host made
// cannot be written.
int32_t PrepareOffer(DragDropRecord& record, const std::vector<int32_t>& selected, const WindowLocator* target,
                     uintptr_t ownWindow, HostMessenger& messenger, const MemoryProbe& probe);

}  // namespace zun
