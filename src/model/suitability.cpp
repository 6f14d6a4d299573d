#include "model/suitability.h"

namespace zun {
namespace {

bool SameSet(const Lotto_Numbers_Framework& a, const Lotto_Numbers_Framework& b) noexcept {
  return a.NumberCount == b.NumberCount && a.SecondaryCount == b.SecondaryCount &&
         a.HighestNumber == b.HighestNumber && a.LowestNumber == b.LowestNumber && a.OwnPool == b.OwnPool &&
         a.AuxFlag == b.AuxFlag;
}

bool IsPlainSet(const Lotto_Numbers_Framework& set, int32_t count, int32_t highest) noexcept {
  return set.NumberCount == count && set.HighestNumber == highest && set.LowestNumber == 1 && set.OwnPool == 0 &&
         set.AuxFlag == 0;
}

}  // namespace

bool SetsFitGame(const TZUN_User_Lotto_DBase& fileHeader, const TZUN_Lotto_DBase& game) {
  const auto& sets = fileHeader.NumberSets;
  if (sets.empty()) return true;
  if (sets.size() != game.PlaySets.size()) return false;
  for (int32_t i = 0; i < sets.size(); ++i)
    if (!SameSet(sets[i], game.PlaySets[i])) return false;
  return true;
}

bool TakesOldFormats(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database) {
  const auto& draw = game.DrawSets;
  if (draw.size() != 2 || !IsPlainSet(draw[0], 6, 49) || !IsPlainSet(draw[1], 1, 49)) return false;
  const auto& sets = database.NumberSets;
  return sets.size() == 1 && IsPlainSet(sets[0], 6, 49) && sets[0].SecondaryCount == 6;
}

}  // namespace zun
