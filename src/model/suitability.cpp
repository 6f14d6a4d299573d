#include "model/suitability.h"

#include "base/error_location.h"
#include "base/reference_codes.h"

namespace zun {
namespace {

bool SameFlags(const Lotto_Numbers_Framework& a, const Lotto_Numbers_Framework& b) noexcept {
  return a.OwnPool == b.OwnPool && a.AuxFlag == b.AuxFlag;
}

// A set of a file against the game's play set and, when the game has one,
// its draw set at the same position.
bool SetFits(const Lotto_Numbers_Framework& file, const Lotto_Numbers_Framework& play,
             const Lotto_Numbers_Framework* draw) noexcept {
  return file.NumberCount == play.NumberCount && file.SecondaryCount == play.SecondaryCount &&
         file.HighestNumber == play.HighestNumber && file.LowestNumber == play.LowestNumber &&
         (SameFlags(file, play) || (draw != nullptr && SameFlags(file, *draw)));
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
  for (int32_t i = 0; i < sets.size(); ++i) {
    const Lotto_Numbers_Framework* draw = i < game.DrawSets.size() ? &game.DrawSets[i] : nullptr;
    if (!SetFits(sets[i], game.PlaySets[i], draw)) return false;
  }
  return true;
}

bool TakesOldFormats(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database) {
  const auto& draw = game.DrawSets;
  if (draw.size() != 2 || !IsPlainSet(draw[0], 6, 49) || !IsPlainSet(draw[1], 1, 49)) return false;
  const auto& sets = database.NumberSets;
  return sets.size() == 1 && IsPlainSet(sets[0], 6, 49) && sets[0].SecondaryCount == 6;
}

bool IsSuitableFile(FileSystem& files, const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database,
                    const DatabaseFileName& file, std::string* failures) {
  const OperationScope operation(codes::kIsSuitableFile);
  if (file.kind == FileKind::Sl5) {
    TZUN_User_Lotto_DBase header;
    if (!header.LoadFromFile(files, true, file.path)) {
      if (failures != nullptr) *failures += file.path + "\r";
      return false;
    }
    // A file that declares no number sets fits no game: its entries would
    // carry no numbers, and loading it would take the sets away from the
    // database the host reads.
    if (header.NumberSets.empty()) return false;
    return SetsFitGame(header, game);
  }
  if (IsOldFormat(file.kind)) return TakesOldFormats(game, database);
  return false;
}

}  // namespace zun
