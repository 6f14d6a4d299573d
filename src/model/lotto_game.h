#pragma once

// The host's game object and the records that describe a game, laid out byte
// for byte as the host keeps them: we read the host's object in place, and
// build objects of the same layout from game files ourselves. The host's
// layout is 32-bit, little-endian, with 4-byte references; every offset it
// relies on is asserted below, with the 64-bit test build's (base/host_layout.h).

#include <cstddef>
#include <cstdint>

#include "base/host_layout.h"
#include <string>
#include <string_view>

#include "model/host_memory.h"

namespace zun {

using Label = ShortString<5>;

// One part of a ball grid: its columns, its rows or its number labels.
struct Selection_Grid_Selection_Framework {
  int32_t Count;      // columns, rows or labels
  int32_t LineLimit;  // 1: at most one chosen ball per row (Columns) or per column (Rows)
  uint8_t HasLabels;
  uint8_t Pad9[3];
  HostArray<Label> Labels;
  uint8_t ExtraFlag;  // draw sets only
  uint8_t Pad17[3];
  int32_t ExtraValue;
  uint8_t InEntryOrder;  // Rows only: row labels listed in stored order, else by column
  uint8_t Pad25[3];

  bool LabelsOn() const noexcept { return HasLabels != 0; }
};

struct Selection_Grid_Framework {
  ShortString<20> GridName;
  uint8_t Pad21[3];
  Selection_Grid_Selection_Framework Columns;
  Selection_Grid_Selection_Framework Rows;
  Selection_Grid_Selection_Framework NumberLabels;
};

// A number set: what one entry (play set) or one draw (draw set) holds.
struct Lotto_Numbers_Framework {
  ShortString<30> SetName;
  uint8_t Pad31;
  int32_t NumberCount;
  int32_t SecondaryCount;
  int32_t HighestNumber;
  int32_t LowestNumber;
  uint8_t OwnPool;
  uint8_t AuxFlag;
  uint8_t Pad50[2];
  Selection_Grid_Framework Grid;
};

// Opaque 8-byte host values (prize amounts and the like): carried, never read.
struct HostValue8 {
  uint8_t Bytes[8];
};

struct Devision_Framework {
  ShortString<30> DivisionName;
  uint8_t Pad31;
  HostArray<int32_t> Matches;  // Devision_Match_X_Framework: one value per draw set
  int32_t DivisionValue;
};

struct Game_Play_Cost_Item {
  int32_t ItemCount;
  uint8_t Pad4[4];
  HostValue8 ItemValue;
};

struct Game_Play_Cost {
  HostValue8 CostValue;
  HostArray<Game_Play_Cost_Item> CostItems;
  uint8_t Pad12[4];
};

struct Game_Plays_Framework {
  ShortString<20> PlayName;
  uint8_t Pad21[3];
  HostArray<Devision_Framework> Divisions;
  HostArray<Game_Play_Cost> Costs;
};

struct GridDataItem {
  uint8_t Bytes[51];
};

namespace lotto {

// A draw: the lotto database's own TZUN_Database_Structure.
struct TZUN_Database_Structure {
  ShortString<10> DrawText;
  uint8_t Pad11;
  int32_t DrawId;
  HostArray<HostArray<uint8_t>> DrawNumbers;  // per draw set
  HostArray<Game_Plays_Framework> DrawPlays;  // prize data, per game play
  HostValue8 DrawValue1;
  HostValue8 DrawValue2;
  ShortString<15> MachineName;
  ShortString<15> BallSetName;
  HostArray<HostArray<GridDataItem>> GridData;  // per selection grid
  uint8_t Pad76[4];
};

}  // namespace lotto

// One element of a draw statistics array: a machine, ball set or pair, with
// its first and last draw (0-based positions in Draws) and its draw count.
struct Draw_Machines_BallSet_Framework {
  HostText StatName;
  int32_t FirstDraw;
  int32_t LastDraw;
  int32_t DrawCount;
};

// The host's game object. Objects of this layout come from the host (read in
// place, never written or freed) or from our own game-file reader.
struct TZUN_Lotto_DBase {
  const ClassInfo* ClassRef;
  HostText FileName;
  ShortString<40> GameName;
  ShortString<40> GameText2;
  uint8_t HasGameText3;
  ShortString<40> GameText3;
  HostArray<Lotto_Numbers_Framework> DrawSets;
  uint8_t HeaderByte;
  uint8_t IndexedFlags[7];  // flags 1 to 7
  HostArray<Game_Plays_Framework> GamePlays;
  uint8_t NoPrizeData;
  uint8_t Pad149[3];
  HostArray<Lotto_Numbers_Framework> PlaySets;
  uint8_t PlayFlag;  // 0: ball grids stacked, else side by side
  uint8_t HasMachineInfo;
  uint8_t GridByte1;
  uint8_t GridByte2;
  uint8_t HasGrids;
  uint8_t Pad161[3];
  HostArray<Selection_Grid_Framework> Grids;
  HostArray<lotto::TZUN_Database_Structure> Draws;

  // The path of a file in the game's HTML folder: for C:\Games\Lotto649.dat
  // and "List.html", C:\Games\html\Lotto649\List.html.
  std::string HtmlPath(std::string_view fileName) const;
};

struct TZUN_Lotto_Stats : TZUN_Lotto_DBase {
  HostArray<Draw_Machines_BallSet_Framework> MachineStats;
  HostArray<Draw_Machines_BallSet_Framework> BallSetStats;
  HostArray<Draw_Machines_BallSet_Framework> MachineBallSetStats;
};

class FileSystem;

// The class the add-on instantiates to read a game file itself.
struct TZUN_Lotto_Temp : TZUN_Lotto_Stats {
  TZUN_Lotto_Temp() noexcept;

  // Reads the file named by FileName: the definition, and with headerOnly
  // false the draws too; then builds the draw statistics. False when the file
  // is missing (nothing touched) or any read failed (what was read stays).
  bool ReadGameFile(FileSystem& files, bool headerOnly);
};

extern const ClassInfo kLottoTempClass;

// The copy of a play set that a user database keeps: counts, range, flags,
// the grid shape, line limits and labels; no grid name, no extra values.
Lotto_Numbers_Framework CopyNumberSetForUserDatabase(const Lotto_Numbers_Framework& set);

// ---- Layout the host relies on ------------------------------------------

static_assert(sizeof(Label) == 6);
static_assert(sizeof(Selection_Grid_Selection_Framework) == HostLayout(28, 40));
static_assert(offsetof(Selection_Grid_Selection_Framework, Count) == 0);
static_assert(offsetof(Selection_Grid_Selection_Framework, LineLimit) == 4);
static_assert(offsetof(Selection_Grid_Selection_Framework, HasLabels) == 8);
static_assert(offsetof(Selection_Grid_Selection_Framework, Labels) == HostLayout(12, 16));
static_assert(offsetof(Selection_Grid_Selection_Framework, ExtraFlag) == HostLayout(16, 24));
static_assert(offsetof(Selection_Grid_Selection_Framework, ExtraValue) == HostLayout(20, 28));
static_assert(offsetof(Selection_Grid_Selection_Framework, InEntryOrder) == HostLayout(24, 32));

static_assert(sizeof(Selection_Grid_Framework) == HostLayout(108, 144));
static_assert(offsetof(Selection_Grid_Framework, GridName) == 0);
static_assert(offsetof(Selection_Grid_Framework, Columns) == 24);
static_assert(offsetof(Selection_Grid_Framework, Rows) == HostLayout(52, 64));
static_assert(offsetof(Selection_Grid_Framework, NumberLabels) == HostLayout(80, 104));

static_assert(sizeof(Lotto_Numbers_Framework) == HostLayout(160, 200));
static_assert(offsetof(Lotto_Numbers_Framework, SetName) == 0);
static_assert(offsetof(Lotto_Numbers_Framework, NumberCount) == 32);
static_assert(offsetof(Lotto_Numbers_Framework, SecondaryCount) == 36);
static_assert(offsetof(Lotto_Numbers_Framework, HighestNumber) == 40);
static_assert(offsetof(Lotto_Numbers_Framework, LowestNumber) == 44);
static_assert(offsetof(Lotto_Numbers_Framework, OwnPool) == 48);
static_assert(offsetof(Lotto_Numbers_Framework, AuxFlag) == 49);
static_assert(offsetof(Lotto_Numbers_Framework, Grid) == HostLayout(52, 56));

static_assert(sizeof(Devision_Framework) == HostLayout(40, 48));
static_assert(offsetof(Devision_Framework, Matches) == 32);
static_assert(offsetof(Devision_Framework, DivisionValue) == HostLayout(36, 40));
static_assert(sizeof(Game_Play_Cost_Item) == 16);
static_assert(offsetof(Game_Play_Cost_Item, ItemValue) == 8);
static_assert(sizeof(Game_Play_Cost) == HostLayout(16, 24));
static_assert(offsetof(Game_Play_Cost, CostItems) == 8);
static_assert(sizeof(Game_Plays_Framework) == HostLayout(32, 40));
static_assert(offsetof(Game_Plays_Framework, Divisions) == 24);
static_assert(offsetof(Game_Plays_Framework, Costs) == HostLayout(28, 32));

static_assert(sizeof(lotto::TZUN_Database_Structure) == HostLayout(80, 96));
static_assert(offsetof(lotto::TZUN_Database_Structure, DrawId) == 12);
static_assert(offsetof(lotto::TZUN_Database_Structure, DrawNumbers) == 16);
static_assert(offsetof(lotto::TZUN_Database_Structure, DrawPlays) == HostLayout(20, 24));
static_assert(offsetof(lotto::TZUN_Database_Structure, DrawValue1) == HostLayout(24, 32));
static_assert(offsetof(lotto::TZUN_Database_Structure, DrawValue2) == HostLayout(32, 40));
static_assert(offsetof(lotto::TZUN_Database_Structure, MachineName) == HostLayout(40, 48));
static_assert(offsetof(lotto::TZUN_Database_Structure, BallSetName) == HostLayout(56, 64));
static_assert(offsetof(lotto::TZUN_Database_Structure, GridData) == HostLayout(72, 80));

static_assert(sizeof(Draw_Machines_BallSet_Framework) == HostLayout(16, 24));
static_assert(offsetof(Draw_Machines_BallSet_Framework, FirstDraw) == HostLayout(4, 8));
static_assert(offsetof(Draw_Machines_BallSet_Framework, LastDraw) == HostLayout(8, 12));
static_assert(offsetof(Draw_Machines_BallSet_Framework, DrawCount) == HostLayout(12, 16));

static_assert(sizeof(TZUN_Lotto_DBase) == HostLayout(172, 208));
static_assert(offsetof(TZUN_Lotto_DBase, FileName) == HostLayout(4, 8));
static_assert(offsetof(TZUN_Lotto_DBase, GameName) == HostLayout(8, 16));
static_assert(offsetof(TZUN_Lotto_DBase, GameText2) == HostLayout(49, 57));
static_assert(offsetof(TZUN_Lotto_DBase, HasGameText3) == HostLayout(90, 98));
static_assert(offsetof(TZUN_Lotto_DBase, GameText3) == HostLayout(91, 99));
static_assert(offsetof(TZUN_Lotto_DBase, DrawSets) == HostLayout(132, 144));
static_assert(offsetof(TZUN_Lotto_DBase, HeaderByte) == HostLayout(136, 152));
static_assert(offsetof(TZUN_Lotto_DBase, IndexedFlags) == HostLayout(137, 153));
static_assert(offsetof(TZUN_Lotto_DBase, GamePlays) == HostLayout(144, 160));
static_assert(offsetof(TZUN_Lotto_DBase, NoPrizeData) == HostLayout(148, 168));
static_assert(offsetof(TZUN_Lotto_DBase, PlaySets) == HostLayout(152, 176));
static_assert(offsetof(TZUN_Lotto_DBase, PlayFlag) == HostLayout(156, 184));
static_assert(offsetof(TZUN_Lotto_DBase, HasMachineInfo) == HostLayout(157, 185));
static_assert(offsetof(TZUN_Lotto_DBase, GridByte1) == HostLayout(158, 186));
static_assert(offsetof(TZUN_Lotto_DBase, GridByte2) == HostLayout(159, 187));
static_assert(offsetof(TZUN_Lotto_DBase, HasGrids) == HostLayout(160, 188));
static_assert(offsetof(TZUN_Lotto_DBase, Grids) == HostLayout(164, 192));
static_assert(offsetof(TZUN_Lotto_DBase, Draws) == HostLayout(168, 200));

// The statistics follow the base object directly. offsetof on a derived class
// is conditionally supported; both our compilers support it for this plain
// single inheritance.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(offsetof(TZUN_Lotto_Stats, MachineStats) == HostLayout(172, 208));
static_assert(offsetof(TZUN_Lotto_Stats, BallSetStats) == HostLayout(176, 216));
static_assert(offsetof(TZUN_Lotto_Stats, MachineBallSetStats) == HostLayout(180, 224));
#pragma GCC diagnostic pop
static_assert(sizeof(TZUN_Lotto_Stats) == HostLayout(184, 232));
static_assert(sizeof(TZUN_Lotto_Temp) == HostLayout(184, 232));

}  // namespace zun
