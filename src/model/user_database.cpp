#include "model/user_database.h"

#include <vector>

#include "base/error_location.h"
#include "base/reference_codes.h"

namespace zun {

namespace {
const ClassInfo kLottoClass{"TLotto", 4, nullptr};
const ClassInfo kUserDBaseClass{"TZUN_User_DBase", 28, &kLottoClass};
const ClassInfo kUserDBaseStatsClass{"TZUN_User_DBase_Stats", 28, &kUserDBaseClass};
const ClassInfo kUserDBaseFilesClass{"TZUN_User_DBase_Files", 28, &kUserDBaseStatsClass};
const ClassInfo kUserDBaseMiscClass{"TZUN_User_DBase_Misc", 28, &kUserDBaseFilesClass};
}  // namespace

const ClassInfo kUserLottoDBaseClass{"TZUN_User_Lotto_DBase", sizeof(TZUN_User_Lotto_DBase), &kUserDBaseMiscClass};

TZUN_User_Lotto_DBase::TZUN_User_Lotto_DBase() noexcept
    : ClassRef(&kUserLottoDBaseClass), Reserved4(0), PlayFlag(0), Pad9{}, Reserved16{}, Reserved28(0) {}

std::unique_ptr<TZUN_User_Lotto_DBase> TZUN_User_Lotto_DBase::Create(FileSystem& files, const std::string& gameFile) {
  const OperationScope operation(codes::kUserDbCreate);
  auto database = std::make_unique<TZUN_User_Lotto_DBase>();
  auto game = std::make_unique<TZUN_Lotto_Temp>();
  game->FileName = gameFile;
  game->ReadGameFile(files, true);  // a partial read still gives the sets read so far
  database->PlayFlag = game->PlayFlag;
  database->NumberSets.resize(game->PlaySets.size());
  for (int32_t i = 0; i < game->PlaySets.size(); ++i)
    database->NumberSets[i] = CopyNumberSetForUserDatabase(game->PlaySets[i]);
  return database;
}

void TZUN_User_Lotto_DBase::SizeEntry(int32_t entry, std::span<const int32_t> counts) {
  SizeEntry(entry, EntryNumbers::Shape(counts));
}

void TZUN_User_Lotto_DBase::SizeEntry(int32_t entry, const EntryNumbers::Shape& shape) {
  const OperationScope operation(codes::kUserDbSizeEntry);
  Entries.at(entry).Numbers.Reshape(shape);
}

EntryNumbers::Shape TZUN_User_Lotto_DBase::EntryShape() const {
  std::vector<int32_t> counts;
  counts.reserve(static_cast<size_t>(NumberSets.size()));
  for (const auto& set : NumberSets) counts.push_back(set.NumberCount);
  return EntryNumbers::Shape(counts);
}

void RefreshSetFlags(const TZUN_Lotto_DBase& game, TZUN_User_Lotto_DBase& database) {
  // The host's draw sets may be fewer than the play sets, and the database
  // may hold fewer sets than the game after loading a file that declares
  // none: only positions present on both sides are refreshed.
  const int32_t refreshed = std::min({game.PlaySets.size(), database.NumberSets.size(), game.DrawSets.size()});
  for (int32_t i = 0; i < refreshed; ++i) {
    database.NumberSets[i].OwnPool = game.DrawSets[i].OwnPool;
    database.NumberSets[i].AuxFlag = game.DrawSets[i].AuxFlag;
  }
}

TZUN_Database_Structure BlankEntry(const TZUN_Lotto_DBase& game) {
  std::vector<int32_t> counts;
  counts.reserve(static_cast<size_t>(game.PlaySets.size()));
  for (const auto& set : game.PlaySets) counts.push_back(set.NumberCount);
  TZUN_Database_Structure entry{};
  entry.Numbers = EntryNumbers(EntryNumbers::Shape(counts));
  return entry;
}

int32_t AppendBlankEntry(const TZUN_Lotto_DBase& game, TZUN_User_Lotto_DBase& database) {
  const OperationScope operation(codes::kAppendBlankEntry);
  RefreshSetFlags(game, database);
  // The numbers are made before the entry is added: running out of memory
  // leaves no half-made entry that could not be saved.
  TZUN_Database_Structure entry = BlankEntry(game);
  EnterOperation(codes::kUserDbSizeEntry);
  database.Entries.push_back(std::move(entry));
  return database.Entries.size() - 1;
}

}  // namespace zun
