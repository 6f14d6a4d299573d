#include "operations/entry_intake.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <vector>

#include "base/error_location.h"
#include "base/percent.h"
#include "base/reference_codes.h"
#include "base/texts.h"

namespace zun {
namespace {

constexpr uintptr_t kPageSize = 4096;

// The element count of an array in the host's convention that another
// module made: -1 when its header or its elements cannot be read, or its
// count is negative. A null reference is an empty array.
template <class T>
int32_t ForeignCount(const MemoryProbe& probe, const T* first) {
  if (first == nullptr) return 0;
  const uintptr_t address = reinterpret_cast<uintptr_t>(first);
  if (address < sizeof(HostBlockHeader)) return -1;
  const auto* header = reinterpret_cast<const HostBlockHeader*>(address - sizeof(HostBlockHeader));
  if (!probe.Readable(header, sizeof *header)) return -1;
  const int32_t count = header->Length;
  if (count < 0) return -1;
  const uint64_t bytes = uint64_t{static_cast<uint32_t>(count)} * sizeof(T);
  if (bytes > std::numeric_limits<size_t>::max() - address) return -1;
  if (count != 0 && !probe.Readable(first, static_cast<size_t>(bytes))) return -1;
  return count;
}

// Whether an array another module made holds exactly `expected` elements,
// its header and elements readable: one question to the probe, since the
// count to expect is known.
template <class T>
bool ForeignArrayHolds(const MemoryProbe& probe, const T* first, int32_t expected) {
  if (first == nullptr) return expected == 0;
  const uintptr_t address = reinterpret_cast<uintptr_t>(first);
  if (address < sizeof(HostBlockHeader)) return false;
  const uint64_t bytes = sizeof(HostBlockHeader) + uint64_t{static_cast<uint32_t>(expected)} * sizeof(T);
  if (bytes > std::numeric_limits<size_t>::max()) return false;
  const auto* header = reinterpret_cast<const HostBlockHeader*>(address - sizeof(HostBlockHeader));
  return probe.Readable(header, static_cast<size_t>(bytes)) && header->Length == expected;
}

// The probe, remembering the pages it found readable while one offer is
// copied. Readability belongs to whole pages, so a range on pages already
// found readable needs no second question: an offer of many entries asks
// about each page of the source's heap about once, not about each entry
// (the system's probe is a call into the system per question).
class KnownPagesProbe final : public MemoryProbe {
 public:
  explicit KnownPagesProbe(const MemoryProbe& probe) : probe_(probe), pages_(kSlots, kNoPage) {}

  bool Readable(const void* address, size_t bytes) const override {
    const auto at = reinterpret_cast<uintptr_t>(address);
    // Ranges longer than a page, empty ones and ones that wrap go to the probe.
    if (address == nullptr || bytes == 0 || bytes > kPageSize || at + bytes < at) return probe_.Readable(address, bytes);
    const uintptr_t first = at / kPageSize, last = (at + bytes - 1) / kPageSize;
    if (Known(first) && Known(last)) return true;
    if (!probe_.Readable(address, bytes)) return false;
    Remember(first);
    Remember(last);
    return true;
  }

 private:
  static constexpr size_t kSlots = 4096;  // pages remembered at most, each in its slot
  static constexpr uintptr_t kNoPage = std::numeric_limits<uintptr_t>::max();

  bool Known(uintptr_t page) const { return pages_[page % kSlots] == page; }
  void Remember(uintptr_t page) const { pages_[page % kSlots] = page; }

  const MemoryProbe& probe_;
  mutable std::vector<uintptr_t> pages_;
};

// Whether two sets have the game's shape alike: counts and range. OwnPool
// and AuxFlag are not compared: every append rewrites them from the host's
// draw sets, so two databases of one game may differ there.
bool SameShape(const Lotto_Numbers_Framework& a, const Lotto_Numbers_Framework& b) noexcept {
  return a.NumberCount == b.NumberCount && a.SecondaryCount == b.SecondaryCount &&
         a.HighestNumber == b.HighestNumber && a.LowestNumber == b.LowestNumber;
}

// Whether the source's number sets can be read and have the shape of ours
// one by one.
bool SetsMatch(const MemoryProbe& probe, const TZUN_User_Lotto_DBase& target, const TZUN_User_Lotto_DBase& source) {
  const Lotto_Numbers_Framework* sets = source.NumberSets.data();
  const int32_t count = ForeignCount(probe, sets);
  if (count != target.NumberSets.size()) return false;
  for (int32_t s = 0; s < count; ++s)
    if (!SameShape(sets[s], target.NumberSets[s])) return false;
  return true;
}

// Copies one foreign entry into `copy` when its numbers have `shape`.
bool CopyEntry(const MemoryProbe& probe, const TZUN_Database_Structure& entry, const EntryNumbers::Shape& shape,
               TZUN_Database_Structure& copy) {
  const auto* sets = static_cast<const int8_t* const*>(entry.Numbers.HostReference());
  if (!ForeignArrayHolds(probe, sets, shape.SetCount())) return false;
  for (int32_t s = 0; s < shape.SetCount(); ++s)
    if (!ForeignArrayHolds(probe, sets[s], shape.Count(s))) return false;
  copy.Numbers = EntryNumbers(shape);
  for (int32_t s = 0; s < shape.SetCount(); ++s)
    if (shape.Count(s) != 0) std::memcpy(copy.Numbers[s].data(), sets[s], static_cast<size_t>(shape.Count(s)));
  copy.Source.assign(entry.Source.view());
  return true;
}

OfferedEntries Refused(int32_t offered, std::string reason) {
  OfferedEntries result;
  result.offered = offered;
  result.refusal = std::move(reason);
  return result;
}

}  // namespace

bool ReadForeignText(const MemoryProbe& probe, const char* text, size_t limit, std::string& out) {
  out.clear();
  if (text == nullptr) return false;
  uintptr_t at = reinterpret_cast<uintptr_t>(text);
  for (;;) {
    // One page at a time: a readable page says nothing of the next one.
    const size_t inPage = static_cast<size_t>(kPageSize - at % kPageSize);
    const char* chunk = reinterpret_cast<const char*>(at);
    if (!probe.Readable(chunk, inPage)) return false;
    size_t n = 0;
    while (n < inPage && chunk[n] != '\0') ++n;
    if (out.size() + n > limit) return false;
    out.append(chunk, n);
    if (n < inPage) return true;
    at += inPage;
    if (at == 0) return false;  // ran off the end of the address space
  }
}

OfferedEntries CopyOfferedEntries(const TZUN_User_Lotto_DBase& target, const TZUN_User_Lotto_DBase* source,
                                  const HostArrayRef<int32_t>& indices, const MemoryProbe& probe,
                                  StatusView& status) {
  EnterOperation(codes::kCopyDroppedEntries);
  const int32_t offered = ForeignCount(probe, indices.data());
  if (offered < 0) return Refused(0, texts::offer::kListDamaged);
  if (source == nullptr || !probe.Readable(source, sizeof *source))
    return Refused(offered, texts::offer::kUnreachable);
  if (!SetsMatch(probe, target, *source)) return Refused(offered, texts::offer::kOtherGame);
  const TZUN_Database_Structure* entries = source->Entries.data();
  const int32_t available = ForeignCount(probe, entries);
  if (available < 0) return Refused(offered, texts::offer::kUnreachable);
  // An honest offer names each entry at most once.
  if (offered > available) return Refused(offered, texts::offer::kListDamaged);

  OfferedEntries result;
  result.offered = offered;
  result.entries.reserve(static_cast<size_t>(offered));
  const EntryNumbers::Shape shape = target.EntryShape();
  const KnownPagesProbe entryProbe(probe);
  const int32_t* index = indices.data();
  // Progress is shown per step of about a percent, not per entry.
  const int32_t step = std::max(1, offered / 100);
  int32_t nextShown = 0;
  for (int32_t i = 0; i < offered; ++i) {
    const int32_t entry = index[i];
    TZUN_Database_Structure copy{};
    if (entry >= 0 && entry < available && CopyEntry(entryProbe, entries[entry], shape, copy))
      result.entries.push_back(std::move(copy));
    else
      ++result.skipped;
    if (i == nextShown) {
      status.SetProgress(Percent(i + 1, offered));
      nextShown += step;
    }
  }
  status.SetProgress(0);
  return result;
}

int32_t AppendOfferedEntries(Document& document, Services& services, std::vector<TZUN_Database_Structure>&& entries) {
  if (entries.empty()) return 0;
  const auto count = static_cast<int32_t>(entries.size());
  document.AppendEntries(std::move(entries), StepName("Take", count));
  // The new rows took their sorted places; the selected row stays in view.
  const int32_t selected = document.List().FirstSelectedRow();
  if (selected >= 0) services.views.list->RevealRow(selected);
  return count;
}

IntakeResult TakeEntriesFromMap(Document& document, Services& services, const DragDropRecord& record) {
  const MemoryProbe& probe = services.probe;
  IntakeResult result;
  const int32_t kind = record.TransferKind;
  if (kind != static_cast<int32_t>(TransferKind::ReadOnlySlot) &&
      kind != static_cast<int32_t>(TransferKind::WritableSlot))
    return result;
  EnterOperation(codes::kOpenDropMap);
  std::string name;
  if (!ReadForeignText(probe, record.TransferName, kMaxTransferName, name) || name.empty()) {
    result.refusal = texts::offer::kNoMap;
    return result;
  }
  const bool writable = kind == static_cast<int32_t>(TransferKind::WritableSlot);
  std::unique_ptr<MappedSlot> map = services.memory.Open(name.c_str(), kSlotSize, writable);
  if (!map || map->View() == nullptr) {
    result.refusal = texts::offer::kMapClosedHead + name + texts::offer::kMapClosedTail;
    return result;
  }
  if (!writable) {
    // A read-only offer is opened and closed; nothing is taken from it.
    EnterOperation(codes::kCloseDropMap);
    return result;
  }
  const void* pointer;
  std::memcpy(&pointer, map->View(), sizeof pointer);
  OfferedEntries copies =
      CopyOfferedEntries(document.RequireDatabase(), static_cast<const TZUN_User_Lotto_DBase*>(pointer),
                         record.EntryIndices, probe, *services.views.status);
  // A refused copy keeps its own code for the report; the map closes either way.
  if (copies.refusal.empty()) EnterOperation(codes::kCloseDropMap);
  map.reset();
  result.offered = copies.offered;
  result.skipped = copies.skipped;
  result.refusal = std::move(copies.refusal);
  if (!result.refusal.empty()) return result;
  EnterOperation(codes::kCopyDroppedEntries);
  result.taken = AppendOfferedEntries(document, services, std::move(copies.entries));
  return result;
}

int32_t PrepareOffer(DragDropRecord& record, const std::vector<int32_t>& selected, const WindowLocator* target,
                     uintptr_t ownWindow, HostMessenger& messenger, const MemoryProbe& probe) {
  record.TransferKind = static_cast<int32_t>(TransferKind::WritableSlot);
  record.TransferName = kOfferMapName;
  record.SourceWindow = ownWindow;
  if (target != nullptr) {
    record.SendToParams[0] = target->Group;
    record.SendToParams[1] = target->SubGroup;
    record.SendToParams[2] = target->Node;
    record.SendToParams[3] = target->Window;
    record.SendToInSubGroup = target->InSubGroup;
  }
  EnterOperation(codes::kAskForIndexRoom);
  const auto count = static_cast<int32_t>(std::min<size_t>(selected.size(), std::numeric_limits<int32_t>::max()));
  if (messenger.RequestIndexRoom(record.ReplyWindow, count) != 1) return 0;
  EnterOperation(codes::kListSelectedEntries);
  // Read after the answer: the host sized the array while it answered, and
  // may have made less room than it granted. Its memory is checked before
  // it is written.
  const HostArrayRef<int32_t> indices = record.EntryIndices;
  const int32_t made = ForeignCount(probe, indices.data());
  if (made < 0) throw OfferListingFailed("The host's list of offered entries cannot be written.");
  const int32_t room = std::min(count, made);
  for (int32_t i = 0; i < room; ++i) indices[i] = selected[static_cast<size_t>(i)];
  return room;
}

}  // namespace zun
