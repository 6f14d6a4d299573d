#include "model/entry_text.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "model/user_database.h"

namespace zun {
namespace {

constexpr std::string_view kSeparator = " - ";

enum class TextRule { ColumnLabel, RowLabelInEntryOrder, RowLabelByColumn, NumberLabel, PlainNumber };

TextRule RuleFor(const Lotto_Numbers_Framework& set) noexcept {
  const auto& grid = set.Grid;
  if (grid.Columns.LabelsOn()) return TextRule::ColumnLabel;
  if (grid.Rows.LabelsOn())
    return grid.Rows.InEntryOrder ? TextRule::RowLabelInEntryOrder : TextRule::RowLabelByColumn;
  if (grid.NumberLabels.LabelsOn()) return TextRule::NumberLabel;
  return TextRule::PlainNumber;
}

int32_t Column(const Lotto_Numbers_Framework& set, int32_t number) noexcept {
  return TZUN_User_Lotto_DBase::GridPosition(set.LowestNumber, set.Grid.Columns.Count, false, number);
}

int32_t Row(const Lotto_Numbers_Framework& set, int32_t number) noexcept {
  return TZUN_User_Lotto_DBase::GridPosition(set.LowestNumber, set.Grid.Columns.Count, true, number);
}

// Label `index` (0-based) of a labels array, or the plain number when the
// array has no such label.
void AppendLabel(std::string& out, const HostArray<Label>& labels, int64_t index, int32_t number) {
  if (index >= 0 && index < labels.size())
    out += labels[static_cast<int32_t>(index)].view();
  else
    AppendPlainNumber(out, number);
}

void AppendOne(std::string& out, const Lotto_Numbers_Framework& set, TextRule rule, int32_t number) {
  const auto& grid = set.Grid;
  switch (rule) {
    case TextRule::ColumnLabel:
      AppendLabel(out, grid.Columns.Labels, int64_t{Column(set, number)} - 1, number);
      break;
    case TextRule::RowLabelInEntryOrder:
    case TextRule::RowLabelByColumn:
      AppendLabel(out, grid.Rows.Labels, int64_t{Row(set, number)} - 1, number);
      break;
    case TextRule::NumberLabel:
      AppendLabel(out, grid.NumberLabels.Labels, int64_t{number} - 1, number);
      break;
    case TextRule::PlainNumber:
      AppendPlainNumber(out, number);
      break;
  }
}

// Column by column, and within a column in stored order; numbers outside
// the grid's columns are left out. A stable sort of the numbers by column
// gives that order in time that depends on the numbers alone, not on the
// grid's width (which a damaged game file can make enormous).
void AppendByColumn(std::string& out, const Lotto_Numbers_Framework& set, std::span<const int8_t> numbers) {
  struct Placed {
    int32_t column;
    int8_t number;
  };
  constexpr size_t kOnStack = 64;
  Placed onStack[kOnStack];
  std::vector<Placed> onHeap;
  Placed* placed = onStack;
  if (numbers.size() > kOnStack) {
    onHeap.resize(numbers.size());
    placed = onHeap.data();
  }
  size_t count = 0;
  for (const int8_t number : numbers) {
    const int32_t column = Column(set, number);
    if (column < 1 || column > set.Grid.Columns.Count) continue;
    // Insertion keeps equal columns in stored order.
    size_t at = count++;
    for (; at > 0 && placed[at - 1].column > column; --at) placed[at] = placed[at - 1];
    placed[at] = {column, number};
  }
  for (size_t i = 0; i < count; ++i) {
    if (i != 0) out += kSeparator;
    AppendOne(out, set, TextRule::RowLabelByColumn, placed[i].number);
  }
}

}  // namespace

void AppendPlainNumber(std::string& out, int32_t number) {
  char digits[12];
  int n = 0;
  auto magnitude = static_cast<uint32_t>(number < 0 ? -int64_t{number} : number);
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (n < 2) digits[n++] = '0';
  if (number < 0) out += '-';
  while (n > 0) out += digits[--n];
}

void AppendSetText(std::string& out, const Lotto_Numbers_Framework& set, std::span<const int8_t> numbers) {
  const TextRule rule = RuleFor(set);
  if (rule == TextRule::RowLabelByColumn) {
    AppendByColumn(out, set, numbers);
    return;
  }
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i != 0) out += kSeparator;
    AppendOne(out, set, rule, numbers[i]);
  }
}

void AppendNumberText(std::string& out, const Lotto_Numbers_Framework& set, std::span<const int8_t> numbers,
                      int32_t position) {
  if (position < 0 || static_cast<size_t>(position) >= numbers.size())
    throw std::out_of_range("number position outside the set");
  const int32_t number = numbers[static_cast<size_t>(position)];
  const TextRule rule = RuleFor(set);
  if (rule == TextRule::RowLabelByColumn) {
    const int32_t column = Column(set, number);
    if (column < 1 || column > set.Grid.Columns.Count) return;  // outside the grid: empty text
  }
  AppendOne(out, set, rule, number);
}

int32_t TZUN_User_Lotto_DBase::GridPosition(int32_t lowest, int32_t width, bool wantRow, int32_t number) noexcept {
  const OperationScope operation(codes::kGridPosition);
  if (width <= 0) return 0;  // a grid without columns has no positions
  const int64_t p = int64_t{number} - lowest + 1;
  // p / width rounded up, exactly; p may be zero or negative for a number
  // below the grid.
  int64_t row = p / width;
  if (p % width != 0 && p > 0) ++row;
  const int64_t result = wantRow ? row : p - (row - 1) * width;
  return static_cast<int32_t>(std::clamp<int64_t>(result, INT32_MIN, INT32_MAX));
}

std::string TZUN_User_Lotto_DBase::EntryNumbersText(int32_t entry, int32_t set) const {
  const OperationScope operation(codes::kEntryNumbersText);
  std::string text;
  AppendSetText(text, NumberSets.at(set), Entries.at(entry).Numbers.at(set));
  return text;
}

std::string TZUN_User_Lotto_DBase::NumberText(int32_t entry, int32_t set, int32_t position) const {
  const OperationScope operation(codes::kNumberText);
  std::string text;
  AppendNumberText(text, NumberSets.at(set), Entries.at(entry).Numbers.at(set), position);
  return text;
}

}  // namespace zun
