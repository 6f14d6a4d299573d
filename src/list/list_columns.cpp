#include "list/list_columns.h"

#include <algorithm>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "base/texts.h"

namespace zun {
namespace {

constexpr int32_t kSeqWidth = 50;
constexpr int32_t kMinSetWidth = 50;
constexpr int32_t kSourceWidth = 215;

// Wide enough for the set's numbers in the list's font; the count comes from
// a game file, so the product is kept in 64 bits and capped.
int32_t SetWidth(int32_t numberCount, int32_t fontPoints) noexcept {
  const int64_t wanted = int64_t{fontPoints - 1} * 4 * (int64_t{numberCount} - 1);
  return static_cast<int32_t>(std::clamp<int64_t>(wanted, kMinSetWidth, INT32_MAX));
}

}  // namespace

std::vector<ListColumn> ListColumns(std::span<const Lotto_Numbers_Framework> playSets, int32_t fontPoints) {
  const OperationScope operation(codes::kSetupColumns);
  std::vector<ListColumn> columns;
  columns.reserve(playSets.size() + 2);
  columns.push_back({texts::list::kSeqColumn, kSeqWidth, kSeqWidth, kSeqWidth, ColumnAlign::Left});
  for (const auto& set : playSets)
    columns.push_back({std::string(set.SetName.view()), SetWidth(set.NumberCount, fontPoints), kMinSetWidth, 0,
                       ColumnAlign::Centre});
  columns.push_back({texts::list::kSourceColumn, kSourceWidth, kSourceWidth, kSourceWidth, ColumnAlign::Left});
  return columns;
}

}  // namespace zun
