#pragma once

// The history of the changes of the entries, for undo and redo. A step
// holds what changed, never a copy of the database: entries appended are
// known by their range (and kept only once undone, for a redo), entries
// removed are kept with their positions, an entry replaced keeps its other
// version, an applied sort keeps its permutation. The oldest steps are
// dropped past a number of steps or of bytes, whichever comes first.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "model/user_database.h"

namespace zun {

struct EntryStep {
  enum class Kind {
    Appended,  // [first, first + count) were appended
    Removed,   // `entries` were removed from `positions` (ascending, before the removal)
    Replaced,  // entry `first` was replaced; `entries[0]` holds the other version
    Permuted,  // entry k became old entry `positions[k]` (Apply Sort), sorted by `sortColumn`
  };
  Kind kind = Kind::Appended;
  std::string name{};  // "Delete 512 Entries", as the menus show it after "Undo "
  int32_t first = 0;
  int32_t count = 0;
  std::vector<int32_t> positions{};
  // Appended: the entries, while the step is undone. Removed: the removed
  // entries, while it is done. Replaced: the version not in the database.
  std::vector<TZUN_Database_Structure> entries{};
  int32_t sortColumn = 0;  // Permuted: the sort the rows had before
  bool sortAscending = true;

  // What the step holds in memory.
  size_t Bytes() const noexcept;
  // What a Removed step holds at least, for `count` entries whose numbers
  // take `numberBytes`.
  static size_t RemovedBytes(size_t count, size_t numberBytes) noexcept {
    return sizeof(EntryStep) + count * (sizeof(int32_t) + sizeof(TZUN_Database_Structure)) + numberBytes;
  }
};

class EntryJournal {
 public:
  static constexpr size_t kMaxSteps = 64;
  static constexpr size_t kMaxBytes = size_t{256} << 20;

  explicit EntryJournal(size_t maxSteps = kMaxSteps, size_t maxBytes = kMaxBytes) noexcept
      : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

  bool CanUndo() const noexcept { return position_ > 0; }
  bool CanRedo() const noexcept { return position_ < steps_.size(); }
  // The names of the step an undo or a redo would take; empty for none.
  std::string UndoName() const { return CanUndo() ? steps_[position_ - 1].name : std::string(); }
  std::string RedoName() const { return CanRedo() ? steps_[position_].name : std::string(); }

  // A new step: the steps that were undone go, then the oldest while there
  // are too many or they hold too much. A step that alone holds too much is
  // not kept (what it would keep goes with it).
  void Record(EntryStep step);
  // Whether a step holding `bytes` would be kept. A change too big for the
  // history need not gather what it removes: it calls Forget instead.
  bool Keeps(size_t bytes) const noexcept { return maxSteps_ > 0 && bytes <= maxBytes_; }
  // A change the history does not hold: the steps before it no longer lead
  // to what is now, so they go, and no state is the saved one.
  void Forget() noexcept;
  // The step to undo (the position moves back) or redo (forward).
  EntryStep& StepToUndo() noexcept { return steps_[--position_]; }
  EntryStep& StepToRedo() noexcept { return steps_[position_++]; }
  // An undo or redo changed what a step holds.
  void Recount() noexcept;

  // The database as it stands is what was last saved or loaded.
  void MarkSaved() noexcept { saved_ = static_cast<int64_t>(position_); }
  // No state in the history is any file's content.
  void MarkUnsaved() noexcept { saved_ = -1; }
  bool AtSaved() const noexcept { return saved_ == static_cast<int64_t>(position_); }
  // A new history: New, a load that replaced the entries.
  void Clear() noexcept;

  size_t StepCount() const noexcept { return steps_.size(); }
  size_t Bytes() const noexcept { return bytes_; }

 private:
  void DropOldest();

  size_t maxSteps_;
  size_t maxBytes_;
  std::deque<EntryStep> steps_;
  size_t position_ = 0;  // steps before it are done, from it on undone
  int64_t saved_ = 0;    // the position of the saved state; -1 when none is
  size_t bytes_ = 0;
};

// "Delete 512 Entries", "Delete Entry": a verb and a count of entries.
std::string StepName(std::string_view verb, int64_t count, std::string_view one = "Entry",
                     std::string_view many = "Entries");

}  // namespace zun
