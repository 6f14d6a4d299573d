#include "hostside/game_file_writer.h"

#include "base/byte_writer.h"

namespace zun::hostside {
namespace {

class GameFileWriter {
 public:
  explicit GameFileWriter(const TZUN_Lotto_DBase& game) : game_(game) {}

  std::vector<uint8_t> Write() {
    WriteDefinition();
    WriteDraws();
    return std::move(out_.Buffer());
  }

 private:
  template <int N>
  void Text(const ShortString<N>& text) {
    out_.Bytes(&text, sizeof text);
  }

  void Labels(const Selection_Grid_Selection_Framework& part) {
    // The reader takes Count labels; write exactly that many.
    Label blank{};
    for (int32_t i = 0; i < part.Count; ++i) Text(i < part.Labels.size() ? part.Labels[i] : blank);
  }

  void GridPart(const Selection_Grid_Selection_Framework& part, bool isRows, bool hasExtra) {
    out_.I32(part.Count);
    out_.I32(part.LineLimit);
    out_.U8(part.HasLabels);
    if (isRows) out_.U8(part.InEntryOrder);
    if (part.HasLabels) Labels(part);
    if (hasExtra) {
      out_.U8(part.ExtraFlag);
      if (part.ExtraFlag) out_.I32(part.ExtraValue);
    }
  }

  void NumberLabels(const Selection_Grid_Selection_Framework& part) {
    out_.U8(part.HasLabels);
    if (part.HasLabels) {
      out_.I32(part.Count);
      Labels(part);
    }
  }

  void WriteDefinition() {
    Text(game_.GameName);
    Text(game_.GameText2);
    out_.U8(game_.HasGameText3);
    if (game_.HasGameText3) Text(game_.GameText3);

    out_.I32(game_.DrawSets.size());
    out_.U8(game_.HeaderByte);
    for (const auto& set : game_.DrawSets) {
      Text(set.SetName);
      out_.I32(set.NumberCount);
      out_.I32(set.HighestNumber);
      out_.I32(set.LowestNumber);
      out_.U8(set.OwnPool);
      out_.U8(set.AuxFlag);
      GridPart(set.Grid.Columns, false, true);
      GridPart(set.Grid.Rows, true, true);
      NumberLabels(set.Grid.NumberLabels);
    }

    out_.U8(game_.HasGrids);
    if (game_.HasGrids) {
      out_.U8(game_.GridByte1);
      out_.U8(game_.GridByte2);
      out_.I32(game_.Grids.size());
      for (const auto& grid : game_.Grids) {
        Text(grid.GridName);
        out_.I32(grid.Columns.Count);
        out_.I32(grid.Rows.Count);
      }
    }

    out_.Bytes(game_.IndexedFlags, sizeof game_.IndexedFlags);

    out_.I32(game_.GamePlays.size());
    for (const auto& play : game_.GamePlays) {
      Text(play.PlayName);
      out_.I32(play.Divisions.size());
      for (const auto& division : play.Divisions) {
        Text(division.DivisionName);
        for (int32_t s = 0; s < game_.DrawSets.size(); ++s)
          out_.I32(s < division.Matches.size() ? division.Matches[s] : 0);
        out_.I32(division.DivisionValue);
      }
      out_.I32(play.Costs.size());
      for (const auto& cost : play.Costs) {
        out_.Bytes(&cost.CostValue, sizeof cost.CostValue);
        out_.I32(cost.CostItems.size());
        for (const auto& item : cost.CostItems) out_.Bytes(&item.ItemValue, sizeof item.ItemValue);
      }
    }

    out_.U8(game_.NoPrizeData);
    out_.U8(game_.HasMachineInfo);
    out_.I32(game_.PlaySets.size());
    out_.U8(game_.PlayFlag);
    for (const auto& set : game_.PlaySets) {
      Text(set.SetName);
      out_.I32(set.NumberCount);
      out_.I32(set.SecondaryCount);
      out_.I32(set.HighestNumber);
      out_.I32(set.LowestNumber);
      out_.U8(set.OwnPool);
      out_.U8(set.AuxFlag);
      GridPart(set.Grid.Columns, false, false);
      GridPart(set.Grid.Rows, true, false);
      NumberLabels(set.Grid.NumberLabels);
    }
  }

  // Draws are written in the reader's passes; each draw must have the shape
  // the definition gives it.
  void WriteDraws() {
    const auto& draws = game_.Draws;
    out_.I32(draws.size());
    for (const auto& draw : draws) Text(draw.DrawText);
    for (const auto& draw : draws) out_.I32(draw.DrawId);
    for (const auto& draw : draws)
      for (int32_t s = 0; s < game_.DrawSets.size(); ++s) {
        const int32_t count = game_.DrawSets[s].NumberCount;
        for (int32_t k = 0; k < count; ++k) {
          const bool present = s < draw.DrawNumbers.size() && k < draw.DrawNumbers[s].size();
          out_.U8(present ? draw.DrawNumbers[s][k] : 0);
        }
      }
    if (!game_.NoPrizeData) {
      for (const auto& draw : draws)
        for (int32_t p = 0; p < game_.GamePlays.size(); ++p)
          for (int32_t c = 0; c < game_.GamePlays[p].Costs.size(); ++c)
            for (int32_t i = 0; i < game_.GamePlays[p].Costs[c].CostItems.size(); ++i) {
              const Game_Play_Cost_Item* item = DrawItem(draw, p, c, i);
              const Game_Play_Cost_Item blank{};
              out_.Bytes(&(item ? *item : blank).ItemValue, 8);
              out_.I32((item ? *item : blank).ItemCount);
            }
      for (const auto& draw : draws) {
        out_.Bytes(&draw.DrawValue1, 8);
        out_.Bytes(&draw.DrawValue2, 8);
      }
    }
    if (game_.HasMachineInfo) {
      for (const auto& draw : draws) {
        Text(draw.MachineName);
        Text(draw.BallSetName);
      }
    }
    if (game_.HasGrids) {
      for (const auto& draw : draws)
        for (int32_t g = 0; g < game_.Grids.size(); ++g) {
          const int32_t items = game_.Grids[g].Rows.Count * game_.Grids[g].Columns.Count;
          for (int32_t i = 0; i < items; ++i) {
            const GridDataItem blank{};
            const bool present = g < draw.GridData.size() && i < draw.GridData[g].size();
            out_.Bytes(present ? &draw.GridData[g][i] : &blank, sizeof blank);
          }
        }
    }
  }

  static const Game_Play_Cost_Item* DrawItem(const lotto::TZUN_Database_Structure& draw, int32_t p, int32_t c,
                                             int32_t i) {
    if (!draw.DrawPlays.contains(p) || !draw.DrawPlays[p].Costs.contains(c)) return nullptr;
    const auto& items = draw.DrawPlays[p].Costs[c].CostItems;
    return items.contains(i) ? &items[i] : nullptr;
  }

  const TZUN_Lotto_DBase& game_;
  ByteWriter out_;
};

}  // namespace

std::vector<uint8_t> WriteGameFile(const TZUN_Lotto_DBase& game) { return GameFileWriter(game).Write(); }

}  // namespace zun::hostside
