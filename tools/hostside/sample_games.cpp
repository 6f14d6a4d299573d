#include "hostside/sample_games.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/byte_writer.h"
#include "base/combinations.h"
#include "model/sl5_file.h"

namespace zun::hostside {
namespace {

// A small fixed-seed generator: the samples must come out the same on every
// machine and with every standard library.
class SampleRandom {
 public:
  explicit SampleRandom(uint32_t seed) : state_(seed * 2654435761u + 1) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  int32_t Between(int32_t low, int32_t high) { return low + static_cast<int32_t>(Next() % uint32_t(high - low + 1)); }

 private:
  uint32_t state_;
};

// `count` distinct numbers from low..high, ascending.
std::vector<int32_t> Distinct(SampleRandom& random, int32_t count, int32_t low, int32_t high,
                              const std::vector<int32_t>& exclude = {}) {
  std::vector<int32_t> picked;
  while (static_cast<int32_t>(picked.size()) < count) {
    const int32_t n = random.Between(low, high);
    if (std::find(picked.begin(), picked.end(), n) == picked.end() &&
        std::find(exclude.begin(), exclude.end(), n) == exclude.end())
      picked.push_back(n);
  }
  std::sort(picked.begin(), picked.end());
  return picked;
}

HostValue8 Money(double amount) {
  HostValue8 value{};
  std::memcpy(value.Bytes, &amount, sizeof amount);
  return value;
}

Lotto_Numbers_Framework NumberSet(std::string_view name, int32_t count, int32_t low, int32_t high, int32_t columns,
                                  int32_t rows, bool ownPool = false) {
  Lotto_Numbers_Framework set{};
  set.SetName.assign(name);
  set.NumberCount = count;
  set.SecondaryCount = count;
  set.LowestNumber = low;
  set.HighestNumber = high;
  set.OwnPool = ownPool ? 1 : 0;
  set.Grid.Columns.Count = columns;
  set.Grid.Rows.Count = rows;
  return set;
}

// A draw set as the host stores it: no secondary count in the file.
Lotto_Numbers_Framework DrawSet(Lotto_Numbers_Framework set) {
  set.SecondaryCount = 0;
  return set;
}

void SetLabels(Selection_Grid_Selection_Framework& part, const std::vector<std::string>& labels) {
  part.HasLabels = 1;
  part.Labels.resize(static_cast<int32_t>(labels.size()));
  for (size_t i = 0; i < labels.size(); ++i) part.Labels[static_cast<int32_t>(i)].assign(labels[i]);
}

std::unique_ptr<TZUN_Lotto_Temp> NewGame(std::string_view name, std::string_view text2) {
  auto game = std::make_unique<TZUN_Lotto_Temp>();
  game->GameName.assign(name);
  game->GameText2.assign(text2);
  game->HeaderByte = 1;
  game->NoPrizeData = 1;
  game->HasMachineInfo = 1;
  return game;
}

void NameDraw(lotto::TZUN_Database_Structure& draw, int32_t index, SampleRandom& random) {
  static const char* const kMachines[] = {"Arthur", "Guinevere", "Lancelot", "Merlin"};
  static const char* const kBallSets[] = {"Set 1", "Set 2", "Set 3", "Set 4", "Set 5"};
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/2026", 1 + index % 28, 1 + (index / 28) % 12);
  draw.DrawText.assign(text);
  draw.DrawId = 1001 + index;
  // A few draws name no machine ("-"), as the host records unknown ones.
  const uint32_t r = random.Next();
  draw.MachineName.assign(r % 17 == 0 ? "-" : kMachines[r % 4]);
  draw.BallSetName.assign(r % 13 == 0 ? "-" : kBallSets[(r / 4) % 5]);
}

void AddDrawNumbers(lotto::TZUN_Database_Structure& draw, const std::vector<std::vector<int32_t>>& sets) {
  draw.DrawNumbers.resize(static_cast<int32_t>(sets.size()));
  for (size_t s = 0; s < sets.size(); ++s) {
    auto& numbers = draw.DrawNumbers[static_cast<int32_t>(s)];
    numbers.resize(static_cast<int32_t>(sets[s].size()));
    for (size_t k = 0; k < sets[s].size(); ++k) numbers[static_cast<int32_t>(k)] = static_cast<uint8_t>(sets[s][k]);
  }
}

}  // namespace

std::unique_ptr<TZUN_Lotto_Temp> MakeLotto649(int32_t drawCount) {
  auto game = NewGame("Lotto 6/49", "Six from forty-nine, bonus ball");
  game->DrawSets.push_back(DrawSet(NumberSet("Main Numbers", 6, 1, 49, 10, 5)));
  game->DrawSets.push_back(DrawSet(NumberSet("Bonus Ball", 1, 1, 49, 10, 5)));
  game->PlaySets.push_back(NumberSet("Main Numbers", 6, 1, 49, 10, 5));

  // One game play with prize divisions and a ticket cost: draws carry prize data.
  game->NoPrizeData = 0;
  auto& play = game->GamePlays.emplace_back();
  play.PlayName.assign("Lotto");
  const struct {
    const char* name;
    int32_t main, bonus;
  } divisions[] = {{"Jackpot", 6, 0}, {"Five plus Bonus", 5, 1}, {"Five", 5, 0}, {"Four", 4, 0}, {"Three", 3, 0}};
  for (const auto& d : divisions) {
    auto& division = play.Divisions.emplace_back();
    division.DivisionName.assign(d.name);
    division.Matches.push_back(d.main);
    division.Matches.push_back(d.bonus);
    division.DivisionValue = d.main * 10 + d.bonus;
  }
  auto& cost = play.Costs.emplace_back();
  cost.CostValue = Money(2.0);
  cost.CostItems.emplace_back().ItemValue = Money(2.0);

  SampleRandom random(649);
  for (int32_t i = 0; i < drawCount; ++i) {
    auto& draw = game->Draws.emplace_back();
    NameDraw(draw, i, random);
    const auto main = Distinct(random, 6, 1, 49);
    AddDrawNumbers(draw, {main, Distinct(random, 1, 1, 49, main)});
    auto& drawPlay = draw.DrawPlays.emplace_back();
    drawPlay.Divisions.resize(static_cast<int32_t>(std::size(divisions)));
    auto& item = drawPlay.Costs.emplace_back().CostItems.emplace_back();
    item.ItemValue = Money(2.0);
    item.ItemCount = random.Between(100000, 900000);
    draw.DrawValue1 = Money(random.Between(1, 20) * 1000000.0);
    draw.DrawValue2 = Money(random.Between(1, 99) * 10000.0);
  }
  return game;
}

std::unique_ptr<TZUN_Lotto_Temp> MakeTwinPool(int32_t drawCount) {
  auto game = NewGame("Twin Pool 5+2", "Five from fifty, two stars from twelve");
  game->PlayFlag = 1;  // grids side by side
  auto main = NumberSet("Main Numbers", 5, 1, 50, 10, 5);
  auto stars = NumberSet("Lucky Stars", 2, 1, 12, 4, 3, true);
  std::vector<std::string> starLabels;
  for (int n = 1; n <= 12; ++n) starLabels.push_back((n < 10 ? "S0" : "S") + std::to_string(n));
  SetLabels(stars.Grid.NumberLabels, starLabels);
  stars.Grid.NumberLabels.Count = 12;
  game->DrawSets.push_back(DrawSet(main));
  game->DrawSets.push_back(DrawSet(stars));
  game->PlaySets.push_back(main);
  game->PlaySets.push_back(stars);

  // One selection grid of the host's own, with data for every draw.
  game->HasGrids = 1;
  game->GridByte1 = 2;
  game->GridByte2 = 1;
  auto& grid = game->Grids.emplace_back();
  grid.GridName.assign("Ticket");
  grid.Columns.Count = 3;
  grid.Rows.Count = 2;

  SampleRandom random(52);
  for (int32_t i = 0; i < drawCount; ++i) {
    auto& draw = game->Draws.emplace_back();
    NameDraw(draw, i, random);
    AddDrawNumbers(draw, {Distinct(random, 5, 1, 50), Distinct(random, 2, 1, 12)});
    auto& items = draw.GridData.emplace_back();
    items.resize(6);
    for (auto& item : items) item.Bytes[0] = static_cast<uint8_t>(random.Next());
  }
  return game;
}

std::unique_ptr<TZUN_Lotto_Temp> MakePickThree(int32_t drawCount) {
  auto game = NewGame("Pick 3", "Three digits, one per position");
  // Column c is digit position c, row r is digit r - 1: number n lies in
  // column (n - 1) mod 3 + 1 and row (n - 1) div 3 + 1.
  auto digits = NumberSet("Digits", 3, 1, 30, 3, 10);
  std::vector<std::string> rowLabels;
  for (int d = 0; d <= 9; ++d) rowLabels.push_back(std::to_string(d));
  SetLabels(digits.Grid.Rows, rowLabels);
  digits.Grid.Rows.InEntryOrder = 0;  // listed by position
  digits.Grid.Rows.LineLimit = 1;     // one digit in each position
  game->DrawSets.push_back(DrawSet(digits));
  game->PlaySets.push_back(digits);

  SampleRandom random(3);
  for (int32_t i = 0; i < drawCount; ++i) {
    auto& draw = game->Draws.emplace_back();
    NameDraw(draw, i, random);
    std::vector<int32_t> numbers;
    for (int32_t position = 1; position <= 3; ++position) numbers.push_back(position + 3 * random.Between(0, 9));
    AddDrawNumbers(draw, {numbers});
  }
  return game;
}

std::vector<SampleGame> MakeSampleGames() {
  std::vector<SampleGame> games;
  games.push_back({"Lotto649.dat", MakeLotto649()});
  games.push_back({"TwinPool.dat", MakeTwinPool()});
  games.push_back({"PickThree.dat", MakePickThree()});
  return games;
}

std::unique_ptr<TZUN_User_Lotto_DBase> MakeSampleDatabase(const TZUN_Lotto_DBase& game, int32_t count,
                                                          uint32_t seed) {
  auto database = std::make_unique<TZUN_User_Lotto_DBase>();
  database->PlayFlag = game.PlayFlag;
  for (const auto& set : game.PlaySets) database->NumberSets.push_back(CopyNumberSetForUserDatabase(set));
  SampleRandom random(seed);
  for (int32_t e = 0; e < count; ++e) {
    const int32_t index = AppendBlankEntry(game, *database);
    auto& entry = database->Entries[index];
    for (int32_t s = 0; s < database->NumberSets.size(); ++s) {
      const auto& set = database->NumberSets[s];
      std::vector<int32_t> numbers;
      if (set.Grid.Rows.LineLimit == 1) {  // one ball in each column
        for (int32_t c = 1; c <= set.Grid.Columns.Count && static_cast<int32_t>(numbers.size()) < set.NumberCount; ++c)
          numbers.push_back(set.LowestNumber + c - 1 + set.Grid.Columns.Count * random.Between(0, set.Grid.Rows.Count - 1));
      } else {
        numbers = Distinct(random, set.NumberCount, set.LowestNumber, set.HighestNumber);
      }
      std::sort(numbers.begin(), numbers.end());
      for (size_t k = 0; k < numbers.size(); ++k) entry.Numbers[s][k] = static_cast<int8_t>(numbers[k]);
    }
  }
  return database;
}

std::vector<OldEntryRecord> MakeOldRecords(int32_t count, uint32_t seed) {
  SampleRandom random(seed);
  std::vector<OldEntryRecord> records(static_cast<size_t>(count), OldEntryRecord{});
  for (auto& record : records) {
    record.RecordName.assign("OLDPICKS");
    const auto numbers = Distinct(random, 6, 1, 49);
    for (int k = 0; k < 6; ++k) record.RecordNumbers[k] = static_cast<uint8_t>(numbers[static_cast<size_t>(k)]);
  }
  return records;
}

std::vector<uint8_t> Sl4Bytes(const std::vector<OldEntryRecord>& records) {
  std::vector<uint8_t> bytes(records.size() * sizeof(OldEntryRecord));
  if (!records.empty()) std::memcpy(bytes.data(), records.data(), bytes.size());
  return bytes;
}

std::vector<uint8_t> Sl3Bytes(const std::vector<OldEntryRecord>& records) {
  ByteWriter out;
  for (const auto& record : records)
    for (int k = 5; k >= 0; --k) out.U16(record.RecordNumbers[k]);  // stored last number first
  return std::move(out.Buffer());
}

std::vector<uint8_t> CombinationsSl5(const TZUN_Lotto_DBase& game, int32_t count) {
  TZUN_User_Lotto_DBase database;
  database.NumberSets.resize(1);
  database.NumberSets[0] = CopyNumberSetForUserDatabase(game.PlaySets[0]);
  const auto& set = database.NumberSets[0];
  const int32_t pick = set.NumberCount;
  std::vector<uint8_t> bytes = Sl5Bytes(database);
  const size_t countAt = bytes.size() - 4;
  bytes.reserve(bytes.size() + size_t(count) * size_t(pick));
  const int32_t available = set.HighestNumber - set.LowestNumber + 1;
  std::vector<int32_t> picks(static_cast<size_t>(std::max(pick, 0)));
  for (int32_t i = 0; i < pick; ++i) picks[static_cast<size_t>(i)] = i;
  int32_t written = 0;
  if (pick > 0 && pick <= available) {
    do {
      for (const int32_t p : picks) bytes.push_back(static_cast<uint8_t>(static_cast<int8_t>(set.LowestNumber + p)));
    } while (++written < count && NextCombination(picks, available));
  }
  std::memcpy(bytes.data() + countAt, &written, 4);
  return bytes;
}

}  // namespace zun::hostside
