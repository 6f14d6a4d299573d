#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "hostside/sample_games.h"
#include "list/entry_list.h"
#include "list/list_text.h"

namespace zun {
namespace {

using namespace std::string_view_literals;

std::unique_ptr<TZUN_User_Lotto_DBase> TwinPoolDatabase(int32_t count, uint32_t seed = 7) {
  return hostside::MakeSampleDatabase(*hostside::MakeTwinPool(0), count, seed);
}

// A database whose entries' sources are `sources`; column 3 is the source.
std::unique_ptr<TZUN_User_Lotto_DBase> WithSources(const std::vector<std::string_view>& sources) {
  auto database = TwinPoolDatabase(static_cast<int32_t>(sources.size()));
  for (size_t e = 0; e < sources.size(); ++e) database->Entries[static_cast<int32_t>(e)].Source.assign(sources[e]);
  return database;
}
constexpr int32_t kSourceColumn = 3;

std::vector<int32_t> Captions(const EntryList& list) {
  std::vector<int32_t> captions;
  for (int32_t row = 0; row < list.RowCount(); ++row) captions.push_back(list.EntryAt(row) + 1);
  return captions;
}

std::vector<std::string> ColumnTexts(const EntryList& list, const TZUN_User_Lotto_DBase& database, int32_t column) {
  std::vector<std::string> texts;
  for (int32_t row = 0; row < list.RowCount(); ++row) texts.push_back(list.CellText(database, row, column));
  return texts;
}

// ---- The reference model: the rules, written the plain way ------------------

std::string Folded(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool TextBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

struct ReferenceList {
  TZUN_User_Lotto_DBase database;  // changed alongside the real one, naively
  int32_t column = 0;
  bool ascending = true;
  std::set<int32_t> selected;

  int32_t Count() const { return database.Entries.size(); }

  std::string Text(int32_t entry, int32_t col) const {
    const int32_t sets = database.NumberSets.size();
    if (col == 0) return std::to_string(entry + 1);
    if (col >= 1 && col <= sets) return database.EntryNumbersText(entry, col - 1);
    if (col == sets + 1) return std::string(database.Entries[entry].Source.view());
    return {};
  }

  // The stable sort of the natural order, whatever came before.
  std::vector<int32_t> Order() const {
    std::vector<int32_t> order(static_cast<size_t>(Count()));
    std::iota(order.begin(), order.end(), 0);
    if (column == 0) {
      std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return ascending ? a < b : b < a; });
      return order;
    }
    std::vector<std::string> texts;
    for (int32_t e = 0; e < Count(); ++e) texts.push_back(Folded(Text(e, column)));
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
      return ascending ? TextBefore(texts[a], texts[b]) : TextBefore(texts[b], texts[a]);
    });
    return order;
  }

  void Click(int32_t col) {
    if (col == column) ascending = !ascending;
    column = col;
  }

  void ApplySort() {
    const auto order = Order();
    HostArray<TZUN_Database_Structure> sorted;
    std::set<int32_t> nowSelected;
    for (size_t k = 0; k < order.size(); ++k) {
      sorted.push_back(database.Entries[order[k]]);
      if (selected.count(order[k])) nowSelected.insert(static_cast<int32_t>(k));
    }
    database.Entries = sorted;
    selected = nowSelected;
    column = 0;
    ascending = true;
  }

  int32_t DeleteSelected() {
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
      auto& entries = database.Entries;
      for (int32_t e = *it; e + 1 < entries.size(); ++e) entries[e] = entries[e + 1];
      entries.resize(entries.size() - 1);
    }
    const auto deleted = static_cast<int32_t>(selected.size());
    selected.clear();
    return deleted;
  }
};

// Sources with ties under folding, common prefixes longer than 16 bytes,
// zero bytes and bytes above 0x7F.
const std::vector<std::string_view> kSources = {
    "Quick Pick", "QUICK PICK", "quick pick", "", "a.sl5", "[a].sl5", "\xE4.sl5", "\xC4.sl5",
    "my_lotto_picks_2021.sl5", "MY_LOTTO_PICKS_2021.SL5", "my_lotto_picks_2020.sl5", "my_lotto_picks_20",
    "my_lotto_picks_2", "abcdefghijklmnop", "abcdefghijklmnop\0"sv, "abcdefghijklmnopq",
    "ABCDEFGHIJKLMNOPQRSTUVWXabc", "abcdefghijklmnopqrstuvwxabd"};

class Driver {
 public:
  Driver(std::unique_ptr<TZUN_User_Lotto_DBase> database, uint32_t seed) : db_(std::move(database)), random_(seed) {
    for (auto& entry : db_->Entries) entry.Source.assign(Pick(kSources));
    ref_.database.NumberSets = db_->NumberSets;
    ref_.database.Entries = db_->Entries;
    list_.Refill(*db_);
  }

  void Step() {
    const int32_t columns = db_->NumberSets.size() + 2;
    switch (Below(db_->Entries.size() < 20 ? 2 : 14)) {
      case 0: {
        const int32_t entry = Append();
        list_.AddRow(*db_, entry);
        break;
      }
      case 1: {
        const int32_t first = db_->Entries.size();
        for (int32_t n = Below(30); n >= 0; --n) Append();
        list_.AddRows(*db_, first);
        break;
      }
      case 2: {
        const int32_t entry = Below(db_->Entries.size());
        Fill(entry);
        list_.EntryChanged(*db_, entry);
        break;
      }
      case 3:
      case 4: {
        const int32_t column = Below(columns + 1);  // now and then one the database lacks
        list_.ClickColumn(*db_, column);
        ref_.Click(column);
        break;
      }
      case 5: {
        const bool ascending = Below(2) == 0;
        const int32_t column = Below(columns);
        list_.SetSort(*db_, ascending, column);
        ref_.ascending = ascending;
        ref_.column = column;
        break;
      }
      case 6:
      case 7: SelectionCommand(); break;
      case 8: {
        const auto order = ref_.Order();
        for (int32_t n = Below(6); n >= 0 && list_.RowCount() > 0; --n) {
          const int32_t row = Below(list_.RowCount());
          const bool select = Below(3) != 0;
          list_.SelectRow(row, select);
          if (select)
            ref_.selected.insert(order[static_cast<size_t>(row)]);
          else
            ref_.selected.erase(order[static_cast<size_t>(row)]);
        }
        break;
      }
      case 9:
        list_.ApplySort(*db_);
        ref_.ApplySort();
        break;
      case 10:
        ASSERT_EQ(list_.DeleteSelected(*db_), ref_.DeleteSelected());
        break;
      case 11: list_.Resort(*db_); break;
      case 12:
        list_.Refill(*db_);
        ref_.selected.clear();
        break;
      case 13:
        list_.ClearSelection();
        ref_.selected.clear();
        break;
    }
  }

  void ExpectSame() {
    const auto& entries = db_->Entries;
    ASSERT_EQ(entries.size(), ref_.Count());
    for (int32_t e = 0; e < entries.size(); ++e) {
      ASSERT_TRUE(entries[e].Numbers == ref_.database.Entries[e].Numbers) << "entry " << e;
      ASSERT_EQ(entries[e].Source.view(), ref_.database.Entries[e].Source.view()) << "entry " << e;
    }
    ASSERT_EQ(list_.SortColumn(), ref_.column);
    ASSERT_EQ(list_.SortAscending(), ref_.ascending);

    const auto order = ref_.Order();
    std::vector<int32_t> shown;
    for (int32_t row = 0; row < list_.RowCount(); ++row) shown.push_back(list_.EntryAt(row));
    ASSERT_EQ(shown, order);

    std::vector<int32_t> selectedInOrder;
    for (const int32_t entry : order)
      if (ref_.selected.count(entry)) selectedInOrder.push_back(entry);
    for (int32_t e = 0; e < ref_.Count(); ++e) ASSERT_EQ(list_.IsEntrySelected(e), ref_.selected.count(e) == 1);
    ASSERT_EQ(list_.SelectedCount(), static_cast<int32_t>(ref_.selected.size()));
    ASSERT_EQ(list_.SelectedEntries(), selectedInOrder);
    ASSERT_EQ(list_.FirstSelectedRow(),
              selectedInOrder.empty() ? -1 : list_.RowOf(selectedInOrder.front()));

    if (order.empty()) return;
    const int32_t row = Below(list_.RowCount());
    ASSERT_EQ(list_.RowOf(order[static_cast<size_t>(row)]), row);
    ASSERT_EQ(list_.IsRowSelected(row), ref_.selected.count(order[static_cast<size_t>(row)]) == 1);
    for (int32_t column = 0; column <= db_->NumberSets.size() + 2; ++column)
      ASSERT_EQ(list_.CellText(*db_, row, column), ref_.Text(order[static_cast<size_t>(row)], column));
  }

 private:
  int32_t Below(int32_t n) { return static_cast<int32_t>(random_() % static_cast<uint32_t>(n)); }
  std::string_view Pick(const std::vector<std::string_view>& from) {
    return from[static_cast<size_t>(Below(static_cast<int32_t>(from.size())))];
  }

  // New numbers, mostly from the low end of each set so that texts tie.
  void Fill(int32_t entry) {
    auto& record = db_->Entries[entry];
    for (int32_t s = 0; s < db_->NumberSets.size(); ++s) {
      const auto& set = db_->NumberSets[s];
      const int32_t span = Below(4) == 0 ? set.HighestNumber - set.LowestNumber + 1 : 3;
      for (auto& number : record.Numbers[s]) number = static_cast<int8_t>(set.LowestNumber + Below(span));
    }
    if (Below(2) == 0) record.Source.assign(Pick(kSources));
    ref_.database.Entries[entry] = record;
  }

  int32_t Append() {
    const int32_t entry = db_->Entries.size();
    db_->Entries.emplace_back();
    db_->SizeEntry(entry, db_->EntryShape());
    ref_.database.Entries.emplace_back();
    Fill(entry);
    db_->Entries[entry].Source.assign(Pick(kSources));
    ref_.database.Entries[entry] = db_->Entries[entry];
    return entry;
  }

  void SelectionCommand() {
    const auto command = static_cast<zun::SelectionCommand>(Below(4));
    list_.ApplySelectionCommand(command);
    std::set<int32_t> now;
    for (int32_t e = 0; e < ref_.Count(); ++e) {
      const int32_t seq = e + 1;
      const bool was = ref_.selected.count(e) == 1;
      if (command == SelectionCommand::All || (command == SelectionCommand::Even && seq % 2 == 0) ||
          (command == SelectionCommand::Odd && seq % 2 == 1) || (command == SelectionCommand::Invert && !was))
        now.insert(e);
    }
    ref_.selected = now;
  }

  std::unique_ptr<TZUN_User_Lotto_DBase> db_;
  EntryList list_;
  ReferenceList ref_;
  std::mt19937 random_;
};

void RunModel(std::unique_ptr<TZUN_User_Lotto_DBase> database, uint32_t seed, int steps) {
  Driver driver(std::move(database), seed);
  ASSERT_NO_FATAL_FAILURE(driver.ExpectSame());
  for (int step = 0; step < steps; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    ASSERT_NO_FATAL_FAILURE(driver.Step());
    ASSERT_NO_FATAL_FAILURE(driver.ExpectSame());
  }
}

TEST(EntryListModel, TwinPoolAgreesWithTheReferenceAfterEveryStep) {
  RunModel(TwinPoolDatabase(300, 11), 2024, 2500);
}

// One set of 12 plain numbers (texts of 57 characters, longer than a sort
// key's chunk) and one of 2; every entry's numbers 1, with `random` numbers
// from 1 to 3 at the end of the long set.
std::unique_ptr<TZUN_User_Lotto_DBase> LongTextDatabase(int32_t count, int32_t random, uint32_t seed) {
  auto database = std::make_unique<TZUN_User_Lotto_DBase>();
  for (const int32_t numbers : {12, 2}) {
    auto& set = database->NumberSets.emplace_back();
    set.SetName.assign("Set");
    set.NumberCount = numbers;
    set.LowestNumber = 1;
    set.HighestNumber = 3;
    set.Grid.Columns.Count = 10;
  }
  std::mt19937 numbers(seed);
  database->Entries.resize(count);
  for (int32_t e = 0; e < count; ++e) {
    database->SizeEntry(e, database->EntryShape());
    auto longSet = database->Entries[e].Numbers[0];
    for (size_t k = 0; k < longSet.size(); ++k)
      longSet[k] = static_cast<int8_t>(k + static_cast<size_t>(random) < 12 ? 1 : 1 + numbers() % 3);
  }
  return database;
}

// Millions of rows are keyed and sorted on all cores, in parts: the rows
// still stand in text order, equal texts in "Seq." order, both ways.
TEST(EntryList, MillionsOfRowsSortAsFewDo) {
  const auto db = hostside::MakeSampleDatabase(*hostside::MakeLotto649(0), 1'100'000, 4);
  EntryList list;
  list.Refill(*db);
  for (const bool ascending : {true, false}) {
    list.SetSort(*db, ascending, 1);
    std::vector<uint8_t> shown(static_cast<size_t>(db->Entries.size()), 0);
    std::string before = list.CellText(*db, 0, 1);
    int32_t ties = 0;
    for (int32_t row = 0; row < list.RowCount(); ++row) {
      ASSERT_EQ(shown[static_cast<size_t>(list.EntryAt(row))]++, 0) << "row " << row << " repeats an entry";
      if (row == 0) continue;
      const std::string text = list.CellText(*db, row, 1);
      const int order = CompareListText(before, text) * (ascending ? 1 : -1);
      ASSERT_TRUE(order < 0 || (order == 0 && list.EntryAt(row - 1) < list.EntryAt(row))) << "row " << row;
      ties += order == 0;
      before = text;
    }
    EXPECT_GT(ties, 0) << "the sample repeats some entries";
  }
}

TEST(EntryListModel, OtherGamesAgreeWithTheReference) {
  RunModel(hostside::MakeSampleDatabase(*hostside::MakeLotto649(0), 200, 5), 99, 1000);
  RunModel(hostside::MakeSampleDatabase(*hostside::MakePickThree(0), 200, 6), 7, 600);
  RunModel(LongTextDatabase(200, 12, 8), 5, 1000);
}

// Large sorts take another path (a radix sort of the keys, also for large
// runs of equal first chunks) than the model's few hundred entries.
TEST(EntryListModel, LargeSortsAgreeWithTheReference) {
  for (const auto& database : {hostside::MakeSampleDatabase(*hostside::MakeLotto649(0), 40000, 3),
                               LongTextDatabase(40000, 5, 4)}) {
    for (int32_t e = 0; e < database->Entries.size(); ++e)
      database->Entries[e].Source.assign(kSources[static_cast<size_t>(e * 7919) % kSources.size()]);
    ReferenceList ref;
    ref.database.NumberSets = database->NumberSets;
    ref.database.Entries = database->Entries;
    EntryList list;
    list.Refill(*database);
    for (int32_t column = 1; column <= database->NumberSets.size() + 1; ++column) {
      for (const bool ascending : {true, false}) {
        list.SetSort(*database, ascending, column);
        ref.column = column;
        ref.ascending = ascending;
        std::vector<int32_t> shown;
        for (int32_t row = 0; row < list.RowCount(); ++row) shown.push_back(list.EntryAt(row));
        ASSERT_TRUE(shown == ref.Order()) << "column " << column << (ascending ? " ascending" : " descending");
      }
    }
  }
}

// Entries whose set holds fewer numbers than others: a text that is the
// start of another sorts before it, in either direction's mirror.
TEST(EntryListModel, ShorterSetsSortBeforeTheLongerTextsTheyBegin) {
  const std::vector<std::vector<int8_t>> sets = {{1, 3}, {1, 3, 12}, {1}, {}, {1, 2, 40}, {1, 3}, {-5, 7}};
  auto database = hostside::MakeSampleDatabase(*hostside::MakeLotto649(0), static_cast<int32_t>(sets.size()), 1);
  ReferenceList ref;
  ref.database.NumberSets = database->NumberSets;
  for (size_t e = 0; e < sets.size(); ++e) {
    const int32_t count = static_cast<int32_t>(sets[e].size());
    database->SizeEntry(static_cast<int32_t>(e), std::span<const int32_t>(&count, 1));
    std::copy(sets[e].begin(), sets[e].end(), database->Entries[static_cast<int32_t>(e)].Numbers[0].begin());
  }
  ref.database.Entries = database->Entries;
  EntryList list;
  list.Refill(*database);
  for (const bool ascending : {true, false}) {
    list.SetSort(*database, ascending, 1);
    ref.column = 1;
    ref.ascending = ascending;
    EXPECT_EQ(list.DisplayOrder(), ref.Order()) << (ascending ? "ascending" : "descending");
  }
}

// ---- Edge cases ---------------------------------------------------------------

TEST(EntryList, HeaderClicksInvertTheSameColumnAndKeepTheDirectionForAnother) {
  const auto db = WithSources({"c", "a", "b", "a", "c"});
  EntryList list;
  list.Refill(*db);
  EXPECT_TRUE(list.InNaturalOrder());
  list.ClickColumn(*db, 0);  // the first "Seq." click after the start
  EXPECT_EQ(Captions(list), (std::vector<int32_t>{5, 4, 3, 2, 1}));
  EXPECT_FALSE(list.SortAscending());
  list.ClickColumn(*db, kSourceColumn);  // keeps descending; ties stay in Seq. order
  EXPECT_EQ(Captions(list), (std::vector<int32_t>{1, 5, 3, 2, 4}));
  list.ClickColumn(*db, kSourceColumn);
  EXPECT_EQ(Captions(list), (std::vector<int32_t>{2, 4, 3, 1, 5}));
  list.ClickColumn(*db, 0);  // ascending "Seq." is natural order again
  EXPECT_TRUE(list.InNaturalOrder());
  EXPECT_EQ(Captions(list), (std::vector<int32_t>{1, 2, 3, 4, 5}));
}

TEST(EntryList, AddedAndChangedRowsGoAfterTheirEqualsInEitherDirection) {
  auto db = WithSources({"b", "a", "b"});
  EntryList list;
  list.Refill(*db);
  list.SetSort(*db, false, kSourceColumn);
  EXPECT_EQ(Captions(list), (std::vector<int32_t>{1, 3, 2}));
  const auto append = [&](std::string_view source) {
    const int32_t entry = db->Entries.size();
    db->Entries.push_back(db->Entries[0]);
    db->Entries[entry].Source.assign(source);
    list.AddRow(*db, entry);
  };
  append("B");
  append("A");
  EXPECT_EQ(Captions(list), (std::vector<int32_t>{1, 3, 4, 2, 5}));
  db->Entries[0].Source.assign("A");
  list.EntryChanged(*db, 0);
  EXPECT_EQ(Captions(list), (std::vector<int32_t>{3, 4, 1, 2, 5}));
  EXPECT_EQ(list.CellText(*db, 2, kSourceColumn), "A");
}

TEST(EntryList, SelectEvenAndOddGoBySeqNotByRowUnderASort) {
  const auto db = TwinPoolDatabase(5);
  EntryList list;
  list.Refill(*db);
  list.ClickColumn(*db, 0);  // rows show Seq. 5 4 3 2 1
  list.SelectRow(0, true);   // Seq. 5
  list.SelectRow(2, true);   // Seq. 3
  list.ApplySelectionCommand(SelectionCommand::Even);
  EXPECT_EQ(list.SelectedEntries(), (std::vector<int32_t>{3, 1}));  // Seq. 4 and 2, in display order
  EXPECT_EQ(list.SelectedCount(), 2);
  EXPECT_EQ(list.FirstSelectedRow(), 1);
  list.ApplySelectionCommand(SelectionCommand::Invert);
  EXPECT_EQ(list.SelectedEntries(), (std::vector<int32_t>{4, 2, 0}));
  list.ApplySelectionCommand(SelectionCommand::Odd);
  EXPECT_EQ(list.SelectedEntries(), (std::vector<int32_t>{4, 2, 0}));
  list.ApplySelectionCommand(SelectionCommand::All);
  EXPECT_EQ(list.SelectedCount(), 5);
}

TEST(EntryList, SelectedEntriesComeInDisplayOrder) {
  const auto db = WithSources({"x", "B", "x", "x", "A", "x", "x", "x", "C", "x"});
  EntryList list;
  list.Refill(*db);
  list.SetSort(*db, true, kSourceColumn);  // captions 5, 2, 9 on top
  for (int32_t row = 0; row < 3; ++row) list.SelectRow(row, true);
  EXPECT_EQ(list.SelectedEntries(), (std::vector<int32_t>{4, 1, 8}));
}

TEST(EntryList, ApplySortUnderANumberColumnRenumbersTopToBottomAndKeepsTheSelection) {
  const auto db = TwinPoolDatabase(40);
  const auto setsBefore = db->NumberSets;
  EntryList list;
  list.Refill(*db);
  list.SetSort(*db, false, 1);
  const auto numbersBefore = ColumnTexts(list, *db, 1);
  const auto starsBefore = ColumnTexts(list, *db, 2);
  list.SelectRow(7, true);
  const std::string selectedText = list.CellText(*db, 7, 1);

  list.ApplySort(*db);
  EXPECT_TRUE(list.InNaturalOrder());
  std::vector<int32_t> natural(40);
  std::iota(natural.begin(), natural.end(), 1);
  EXPECT_EQ(Captions(list), natural);
  EXPECT_EQ(ColumnTexts(list, *db, 1), numbersBefore);
  EXPECT_EQ(ColumnTexts(list, *db, 2), starsBefore);
  EXPECT_EQ(list.SelectedEntries(), std::vector<int32_t>{7});
  EXPECT_EQ(db->EntryNumbersText(7, 0), selectedText);
  ASSERT_EQ(db->NumberSets.size(), setsBefore.size());
  for (int32_t s = 0; s < setsBefore.size(); ++s) {
    EXPECT_EQ(db->NumberSets[s].SetName.view(), setsBefore[s].SetName.view());
    EXPECT_EQ(db->NumberSets[s].NumberCount, setsBefore[s].NumberCount);
  }
}

TEST(EntryList, ApplySortKeepsEntriesThatHaveNoRowYetAfterTheRows) {
  auto db = WithSources({"e0", "e1", "e2"});
  EntryList list;
  list.Refill(*db);
  list.SetSort(*db, false, 0);
  list.SelectRow(0, true);
  db->Entries.push_back(db->Entries[0]);
  db->Entries[3].Source.assign("e3");
  list.ApplySort(*db);
  EXPECT_EQ(ColumnTexts(list, *db, kSourceColumn), (std::vector<std::string>{"e2", "e1", "e0", "e3"}));
  EXPECT_EQ(list.SelectedEntries(), std::vector<int32_t>{0});
  EXPECT_EQ(list.SelectedCount(), 1);
}

TEST(EntryList, DeletingTheLastEntryAndThenEveryRow) {
  auto db = WithSources({"e0", "e1", "e2", "e3"});
  EntryList list;
  list.Refill(*db);
  list.SelectRow(3, true);
  EXPECT_EQ(list.DeleteSelected(*db), 1);
  EXPECT_EQ(db->Entries.size(), 3);
  EXPECT_EQ(ColumnTexts(list, *db, kSourceColumn), (std::vector<std::string>{"e0", "e1", "e2"}));
  EXPECT_EQ(list.DeleteSelected(*db), 0);  // nothing selected any more

  list.ApplySelectionCommand(SelectionCommand::All);
  EXPECT_EQ(list.DeleteSelected(*db), 3);
  EXPECT_EQ(db->Entries.size(), 0);
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(list.SelectedCount(), 0);
  EXPECT_EQ(list.FirstSelectedRow(), -1);
  EXPECT_EQ(list.CellText(*db, 0, 0), "");

  db->Entries.resize(1);  // the list works on from empty
  list.AddRow(*db, 0);
  EXPECT_EQ(Captions(list), std::vector<int32_t>{1});
  EXPECT_FALSE(list.IsRowSelected(0));
}

TEST(EntryList, DeletingUnderADescendingSortKeepsTheSurvivorsOrderAndRenumbers) {
  auto db = WithSources({"m", "b", "z", "b", "q", "a", "z"});
  EntryList list;
  list.Refill(*db);
  list.SetSort(*db, false, kSourceColumn);
  EXPECT_EQ(Captions(list), (std::vector<int32_t>{3, 7, 5, 1, 2, 4, 6}));
  list.SelectRow(1, true);  // z (Seq. 7)
  list.SelectRow(3, true);  // m (Seq. 1)
  list.SelectRow(5, true);  // b (Seq. 4)
  EXPECT_EQ(list.DeleteSelected(*db), 3);
  EXPECT_EQ(ColumnTexts(list, *db, kSourceColumn), (std::vector<std::string>{"z", "q", "b", "a"}));
  EXPECT_EQ(Captions(list), (std::vector<int32_t>{2, 3, 1, 4}));
  EXPECT_EQ(list.SortColumn(), kSourceColumn);
  EXPECT_FALSE(list.SortAscending());
  EXPECT_EQ(list.SelectedCount(), 0);
}

TEST(EntryList, CellTextsAndColumnsOutOfRange) {
  const auto db = WithSources({"Quick Pick", "picks.sl5"});
  EntryList list;
  list.Refill(*db);
  list.ClickColumn(*db, 0);
  EXPECT_EQ(list.CellText(*db, 0, 0), "2");
  EXPECT_EQ(list.CellText(*db, 0, 1), db->EntryNumbersText(1, 0));
  EXPECT_EQ(list.CellText(*db, 0, 2), db->EntryNumbersText(1, 1));
  EXPECT_EQ(list.CellText(*db, 0, 3), "picks.sl5");
  EXPECT_EQ(list.CellText(*db, 0, 4), "");
  EXPECT_EQ(list.CellText(*db, 0, -1), "");
  EXPECT_EQ(list.CellText(*db, 2, 0), "");
  EXPECT_EQ(EntryColumnText(*db, 0, 3), "Quick Pick");
  EXPECT_EQ(EntryColumnText(*db, 5, 0), "");
  EXPECT_EQ(list.RowOf(0), 1);
  EXPECT_EQ(list.RowOf(9), -1);
}

}  // namespace
}  // namespace zun
