#include "model/game_file_reader.h"

#include <vector>

#include "base/byte_reader.h"
#include "base/checked_math.h"
#include "base/error_location.h"
#include "base/reference_codes.h"
#include "model/draw_statistics.h"
#include "platform/file_system.h"

namespace zun {
namespace {

// Smallest size in the file of each kind of record, for refusing counts
// before sizing.
constexpr size_t kLabelBytes = sizeof(Label);
constexpr size_t kMinGridPartBytes = 4 + 4 + 1;
constexpr size_t kMinDrawSetBytes = 31 + 3 * 4 + 2 + (kMinGridPartBytes + 1) + (kMinGridPartBytes + 2) + 1;
constexpr size_t kMinPlaySetBytes = 31 + 4 * 4 + 2 + kMinGridPartBytes + (kMinGridPartBytes + 1) + 1;
constexpr size_t kGridBytes = 21 + 4 + 4;
constexpr size_t kMinGamePlayBytes = 21 + 4 + 4;
constexpr size_t kMinCostBytes = 8 + 4;
constexpr size_t kItemBytes = 8;
constexpr size_t kGridItemBytes = sizeof(GridDataItem);

// The draws may take at most this many bytes of memory per byte of file,
// plus a fixed allowance: a real game takes a few bytes per byte.
constexpr int64_t kDrawMemoryPerFileByte = 64;
constexpr int64_t kDrawMemoryAllowance = int64_t{16} << 20;
// What one heap block of a dynamic array costs, roughly, beyond its elements.
constexpr int64_t kBlockOverhead = 32;

int64_t ArrayMemory(int64_t count, int64_t elementSize) {
  return count <= 0 ? 0 : SaturatingAdd(kBlockOverhead, SaturatingMul(count, elementSize));
}

class GameFileParser {
 public:
  GameFileParser(TZUN_Lotto_Temp& game, std::span<const uint8_t> bytes) : game_(game), in_(bytes) {}

  void ReadDefinition() {
    Read(game_.GameName);
    Read(game_.GameText2);
    game_.HasGameText3 = in_.U8();
    if (game_.HasGameText3) Read(game_.GameText3);

    const int32_t drawSetCount = in_.Count(kMinDrawSetBytes);
    game_.HeaderByte = in_.U8();
    game_.DrawSets.resize(drawSetCount);
    for (auto& set : game_.DrawSets) ReadDrawSet(set);

    game_.HasGrids = in_.U8();
    if (game_.HasGrids) {
      game_.GridByte1 = in_.U8();
      game_.GridByte2 = in_.U8();
      game_.Grids.resize(in_.Count(kGridBytes));
      for (auto& grid : game_.Grids) {
        Read(grid.GridName);
        grid.Columns.Count = in_.I32();
        grid.Rows.Count = in_.I32();
      }
    }

    in_.Bytes(game_.IndexedFlags, sizeof game_.IndexedFlags);

    game_.GamePlays.resize(in_.Count(kMinGamePlayBytes));
    for (auto& play : game_.GamePlays) ReadGamePlay(play);

    game_.NoPrizeData = in_.U8();
    game_.HasMachineInfo = in_.U8();
    const int32_t playSetCount = in_.Count(kMinPlaySetBytes);
    game_.PlayFlag = in_.U8();
    game_.PlaySets.resize(playSetCount);
    for (auto& set : game_.PlaySets) ReadPlaySet(set);
  }

  void ReadDraws(size_t fileSize) {
    // Draws are read in passes (all texts, all ids, all numbers...), so a
    // file that breaks off in a later pass still gives every draw its
    // earlier fields. The count only has to fit the first pass; the memory
    // the draws take is what must stay in proportion to the file.
    const int32_t drawCount = in_.Count(sizeof(ShortString<10>));
    const int64_t budget =
        SaturatingAdd(SaturatingMul(kDrawMemoryPerFileByte, static_cast<int64_t>(fileSize)), kDrawMemoryAllowance);
    if (SaturatingMul(drawCount, DrawMemory()) > budget) ByteReader::Fail();

    auto& draws = game_.Draws;
    draws.resize(drawCount);
    const int32_t setCount = game_.DrawSets.size();
    for (auto& draw : draws) {
      draw.DrawNumbers.resize(setCount);
      for (int32_t s = 0; s < setCount; ++s) draw.DrawNumbers[s].resize(game_.DrawSets[s].NumberCount);
    }
    for (auto& draw : draws) Read(draw.DrawText);
    for (auto& draw : draws) draw.DrawId = in_.I32();
    for (auto& draw : draws)
      for (auto& numbers : draw.DrawNumbers) in_.Bytes(numbers.data(), static_cast<size_t>(numbers.size()));

    if (!game_.NoPrizeData) ReadPrizeData();

    if (game_.HasMachineInfo) {
      for (auto& draw : draws) {
        Read(draw.MachineName);
        Read(draw.BallSetName);
      }
    }

    if (game_.HasGrids) {
      for (auto& draw : draws) {
        draw.GridData.resize(game_.Grids.size());
        for (int32_t g = 0; g < game_.Grids.size(); ++g) {
          auto& items = draw.GridData[g];
          items.resize(GridItemCount(game_.Grids[g]));
          in_.Bytes(items.data(), static_cast<size_t>(items.size()) * kGridItemBytes);
        }
      }
    }
  }

 private:
  template <int N>
  void Read(ShortString<N>& text) {
    in_.Bytes(&text, sizeof text);
  }

  int32_t NumberCount() {
    const int32_t count = in_.I32();
    if (count < 0 || count > kMaxNumbersPerSet) ByteReader::Fail();
    return count;
  }

  void ReadLabels(Selection_Grid_Selection_Framework& part) {
    if (part.Count < 0 || static_cast<uint64_t>(part.Count) * kLabelBytes > in_.Remaining()) ByteReader::Fail();
    part.Labels.resize(part.Count);
    in_.Bytes(part.Labels.data(), static_cast<size_t>(part.Count) * kLabelBytes);
  }

  // Columns or Rows; draw sets carry the extra value, play sets do not.
  void ReadGridPart(Selection_Grid_Selection_Framework& part, bool isRows, bool hasExtra) {
    part.Count = in_.I32();
    part.LineLimit = in_.I32();
    part.HasLabels = in_.U8();
    if (isRows) part.InEntryOrder = in_.U8();
    if (part.HasLabels) ReadLabels(part);
    if (hasExtra) {
      part.ExtraFlag = in_.U8();
      if (part.ExtraFlag) part.ExtraValue = in_.I32();
    }
  }

  void ReadNumberLabels(Selection_Grid_Selection_Framework& part) {
    part.HasLabels = in_.U8();
    if (part.HasLabels) {
      part.Count = in_.I32();
      ReadLabels(part);
    }
  }

  void ReadDrawSet(Lotto_Numbers_Framework& set) {
    Read(set.SetName);
    set.NumberCount = NumberCount();
    set.HighestNumber = in_.I32();
    set.LowestNumber = in_.I32();
    set.OwnPool = in_.U8();
    set.AuxFlag = in_.U8();
    ReadGridPart(set.Grid.Columns, false, true);
    ReadGridPart(set.Grid.Rows, true, true);
    ReadNumberLabels(set.Grid.NumberLabels);
  }

  void ReadPlaySet(Lotto_Numbers_Framework& set) {
    Read(set.SetName);
    set.NumberCount = NumberCount();
    set.SecondaryCount = in_.I32();
    set.HighestNumber = in_.I32();
    set.LowestNumber = in_.I32();
    set.OwnPool = in_.U8();
    set.AuxFlag = in_.U8();
    ReadGridPart(set.Grid.Columns, false, false);
    ReadGridPart(set.Grid.Rows, true, false);
    ReadNumberLabels(set.Grid.NumberLabels);
  }

  void ReadGamePlay(Game_Plays_Framework& play) {
    Read(play.PlayName);
    const int32_t setCount = game_.DrawSets.size();
    play.Divisions.resize(in_.Count(31 + 4 * static_cast<size_t>(setCount) + 4));
    for (auto& division : play.Divisions) {
      Read(division.DivisionName);
      division.Matches.resize(setCount);
      for (auto& match : division.Matches) match = in_.I32();
      division.DivisionValue = in_.I32();
    }
    play.Costs.resize(in_.Count(kMinCostBytes));
    for (auto& cost : play.Costs) {
      in_.Bytes(&cost.CostValue, sizeof cost.CostValue);
      cost.CostItems.resize(in_.Count(kItemBytes));
      for (auto& item : cost.CostItems) in_.Bytes(&item.ItemValue, sizeof item.ItemValue);
    }
  }

  // Each draw's prize data takes the shape of the game plays: divisions and
  // costs sized as defined (divisions are not stored per draw), then the
  // items' values and counts, then two values per draw.
  void ReadPrizeData() {
    auto& draws = game_.Draws;
    const auto& plays = game_.GamePlays;
    for (auto& draw : draws) {
      draw.DrawPlays.resize(plays.size());
      for (int32_t p = 0; p < plays.size(); ++p) {
        auto& play = draw.DrawPlays[p];
        play.Divisions.resize(plays[p].Divisions.size());
        play.Costs.resize(plays[p].Costs.size());
        for (int32_t c = 0; c < plays[p].Costs.size(); ++c)
          play.Costs[c].CostItems.resize(plays[p].Costs[c].CostItems.size());
      }
    }
    for (auto& draw : draws)
      for (auto& play : draw.DrawPlays)
        for (auto& cost : play.Costs)
          for (auto& item : cost.CostItems) {
            in_.Bytes(&item.ItemValue, sizeof item.ItemValue);
            item.ItemCount = in_.I32();
          }
    for (auto& draw : draws) {
      in_.Bytes(&draw.DrawValue1, sizeof draw.DrawValue1);
      in_.Bytes(&draw.DrawValue2, sizeof draw.DrawValue2);
    }
  }

  static int32_t GridItemCount(const Selection_Grid_Framework& grid) {
    const int64_t items = int64_t{grid.Rows.Count} * grid.Columns.Count;
    if (grid.Rows.Count < 0 || grid.Columns.Count < 0 || items > INT32_MAX) ByteReader::Fail();
    return static_cast<int32_t>(items);
  }

  int64_t DrawMemory() const {
    int64_t memory = sizeof(lotto::TZUN_Database_Structure);
    memory = SaturatingAdd(memory, ArrayMemory(game_.DrawSets.size(), sizeof(void*)));
    for (const auto& set : game_.DrawSets) memory = SaturatingAdd(memory, ArrayMemory(set.NumberCount, 1));
    if (!game_.NoPrizeData) {
      const auto& plays = game_.GamePlays;
      memory = SaturatingAdd(memory, ArrayMemory(plays.size(), sizeof(Game_Plays_Framework)));
      for (const auto& play : plays) {
        memory = SaturatingAdd(memory, ArrayMemory(play.Divisions.size(), sizeof(Devision_Framework)));
        memory = SaturatingAdd(memory, ArrayMemory(play.Costs.size(), sizeof(Game_Play_Cost)));
        for (const auto& cost : play.Costs)
          memory = SaturatingAdd(memory, ArrayMemory(cost.CostItems.size(), sizeof(Game_Play_Cost_Item)));
      }
    }
    if (game_.HasGrids) {
      memory = SaturatingAdd(memory, ArrayMemory(game_.Grids.size(), sizeof(void*)));
      for (const auto& grid : game_.Grids)
        memory = SaturatingAdd(memory, ArrayMemory(GridItemCount(grid), kGridItemBytes));
    }
    return memory;
  }

  TZUN_Lotto_Temp& game_;
  ByteReader in_;
};

}  // namespace

bool ParseGameFile(TZUN_Lotto_Temp& game, std::span<const uint8_t> bytes, bool headerOnly) {
  GameFileParser parser(game, bytes);
  try {
    parser.ReadDefinition();
    if (!headerOnly) parser.ReadDraws(bytes.size());
    return true;
  } catch (const ByteReader::Failure&) {
    return false;
  }
}

bool TZUN_Lotto_Temp::ReadGameFile(FileSystem& files, bool headerOnly) {
  OperationScope operation(codes::kReadGameFile);
  const std::string path(FileName.view());
  if (!files.FileExists(path)) {
    operation.Failed();
    return false;
  }
  std::vector<uint8_t> bytes;
  const bool ok = files.ReadFile(path, bytes) && ParseGameFile(*this, bytes, headerOnly);
  ComputeDrawStatistics(*this);
  if (!ok) operation.Failed();  // the caller's report names the read, whatever ran after it
  return ok;
}

}  // namespace zun
