#include "document/entry_journal.h"

#include <utility>

#include "base/thousands.h"

namespace zun {

size_t EntryStep::Bytes() const noexcept {
  size_t bytes = sizeof(EntryStep) + name.capacity() + positions.capacity() * sizeof(int32_t) +
                 entries.capacity() * sizeof(TZUN_Database_Structure);
  for (const TZUN_Database_Structure& entry : entries) bytes += entry.Numbers.MemoryBytes();
  return bytes;
}

void EntryJournal::Record(EntryStep step) {
  // What was undone cannot be redone after a new change.
  if (!Keeps(step.Bytes())) return Forget();
  while (steps_.size() > position_) steps_.pop_back();
  if (saved_ > static_cast<int64_t>(position_)) saved_ = -1;
  steps_.push_back(std::move(step));
  ++position_;
  Recount();
  while (steps_.size() > maxSteps_ || bytes_ > maxBytes_) DropOldest();
}

void EntryJournal::Forget() noexcept {
  Clear();
  saved_ = -1;
}

void EntryJournal::DropOldest() {
  steps_.pop_front();
  --position_;
  saved_ = saved_ > 0 ? saved_ - 1 : -1;
  Recount();
}

void EntryJournal::Recount() noexcept {
  bytes_ = 0;
  for (const EntryStep& step : steps_) bytes_ += step.Bytes();
}

void EntryJournal::Clear() noexcept {
  steps_.clear();
  position_ = 0;
  saved_ = 0;
  bytes_ = 0;
}

std::string StepName(std::string_view verb, int64_t count, std::string_view one, std::string_view many) {
  std::string name(verb);
  name += ' ';
  if (count == 1) return name.append(one);
  return name.append(WithThousands(count)).append(" ").append(many);
}

}  // namespace zun
