// Random sequences of the user's commands, run through the command table
// against the document with no host, and on a plain reference written from
// the rules: after every step the database, the display order, the
// selection and the sort must agree.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>

#include "list/list_text.h"
#include "model/entry_text.h"
#include "core/command_table.h"
#include "support/document_fixture.h"

namespace zun {
namespace {

struct RefEntry {
  std::vector<std::vector<int8_t>> numbers;
  std::string source;
  bool operator==(const RefEntry&) const = default;
};

// The rules, spelled out plainly: entries in a vector, the display order
// re-sorted from the natural order with a stable sort, the selection a set
// of entry indexes.
struct Reference {
  const TZUN_Lotto_DBase* game = nullptr;
  std::vector<RefEntry> entries;
  std::vector<int32_t> order;
  std::set<int32_t> selected;
  int32_t column = 0;
  bool ascending = true;

  std::string Text(int32_t entry, int32_t column) const {
    if (column == 0) return std::to_string(entry + 1);
    const int32_t sets = game->PlaySets.size();
    if (column <= sets) {
      std::string text;
      const auto& numbers = entries[static_cast<size_t>(entry)].numbers[static_cast<size_t>(column - 1)];
      AppendSetText(text, game->PlaySets[column - 1], numbers);
      return text;
    }
    return entries[static_cast<size_t>(entry)].source;
  }
  void Sort() {
    order.resize(entries.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int32_t>(i);
    if (column == 0) {
      if (!ascending) std::reverse(order.begin(), order.end());
      return;
    }
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
      const int c = CompareListText(Text(a, column), Text(b, column));
      return ascending ? c < 0 : c > 0;
    });
  }
  void Append(RefEntry entry) {
    entries.push_back(std::move(entry));
    selected.clear();
    Sort();
  }
};

struct ModelFixture : testing::DocumentFixture {
  explicit ModelFixture(std::unique_ptr<TZUN_Lotto_Temp> g) : testing::DocumentFixture(std::move(g)) {
    reference.game = game.get();
    document.SetListener(&watcher);
  }

  // The rows the list would show, as last told.
  struct RowWatcher final : DocumentListener {
    explicit RowWatcher(const Document& d) : document(d) {}
    void EntriesChanged() override { rows = document.List().RowCount(); }
    const Document& document;
    int32_t rows = 0;
  } watcher{document};

  const Document& Doc() const { return document; }
  // A command as the window runs it, through its row of the table.
  void Run(CommandId id) { CommandFor(id).run(document, services); }

  Reference reference;
  std::mt19937 dice{7};

  int32_t Roll(int32_t below) { return static_cast<int32_t>(dice() % static_cast<uint32_t>(below)); }

  RefEntry EntryOf(int32_t e) const {
    RefEntry entry;
    const auto& record = Doc().Database()->Entries[e];
    for (int32_t s = 0; s < record.Numbers.size(); ++s) {
      const auto numbers = record.Numbers[s];
      entry.numbers.emplace_back(numbers.begin(), numbers.end());
    }
    entry.source = std::string(record.Source.view());
    return entry;
  }

  // A complete random pick made by clicking, and what it stores.
  RefEntry ClickPick() {
    Run(CommandId::Clear);
    RefEntry picked;
    for (int32_t s = 0; s < game->PlaySets.size(); ++s) {
      std::vector<int8_t> numbers;
      for (int tries = 0; Doc().Choices().ChosenCount(s) < game->PlaySets[s].NumberCount && tries < 10000; ++tries) {
        const auto& set = game->PlaySets[s];
        const GridCell cell{Roll(GridColumns(set)), Roll(GridRows(set))};
        if (!BallInCell(set, cell) || Doc().Choices().IsChosen(s, *BallInCell(set, cell))) continue;
        document.ChooseCell(s, cell);
      }
      for (int32_t n : Doc().Choices().Chosen(s)) numbers.push_back(static_cast<int8_t>(n));
      picked.numbers.push_back(numbers);
    }
    return picked;
  }

  void SelectRandomRows() {
    document.ClearSelection();
    reference.selected.clear();
    const int32_t rows = Doc().List().RowCount();
    for (int k = Roll(4); k >= 0 && rows > 0; --k) {
      const int32_t row = Roll(rows);
      document.SelectRows(row, row, true);
      reference.selected.insert(reference.order[static_cast<size_t>(row)]);
    }
  }

  void Step() {
    switch (Roll(9)) {
      case 0: {  // Add
        RefEntry picked = ClickPick();
        Run(CommandId::Add);
        reference.Append(std::move(picked));
        break;
      }
      case 1: {  // Quick Pick: its numbers are random; the rest is checked
        Run(CommandId::QuickPick);
        RefEntry drawn = EntryOf(Doc().Database()->Entries.size() - 1);
        EXPECT_EQ(drawn.source, "Quick Pick");
        reference.Append(std::move(drawn));
        break;
      }
      case 2: {  // Apply to the first selected row
        SelectRandomRows();
        RefEntry picked = ClickPick();
        picked.source = "";
        Run(CommandId::Apply);
        for (size_t row = 0; row < reference.order.size(); ++row) {
          const int32_t entry = reference.order[row];
          if (reference.selected.count(entry) == 0) continue;
          reference.entries[static_cast<size_t>(entry)] = picked;
          break;
        }
        reference.Sort();
        break;
      }
      case 3: {  // Delete, answered Yes
        SelectRandomRows();
        prompt.answer = kResultYes;
        Run(CommandId::Delete);
        std::vector<RefEntry> kept;
        for (size_t e = 0; e < reference.entries.size(); ++e)
          if (reference.selected.count(static_cast<int32_t>(e)) == 0) kept.push_back(reference.entries[e]);
        reference.entries = kept;
        reference.selected.clear();
        reference.Sort();
        break;
      }
      case 4: {  // A header click
        const int32_t column = Roll(game->PlaySets.size() + 2);
        document.ClickColumn(column);
        if (column == reference.column) reference.ascending = !reference.ascending;
        reference.column = column;
        reference.Sort();
        break;
      }
      case 5: {  // A selection command
        static const CommandId kCommands[] = {CommandId::SelectAll, CommandId::SelectEven, CommandId::SelectOdd,
                                              CommandId::InvertSelection};
        const CommandId command = kCommands[Roll(4)];
        Run(command);
        for (int32_t e = 0; e < static_cast<int32_t>(reference.entries.size()); ++e) {
          const bool even = (e + 1) % 2 == 0;
          const bool was = reference.selected.count(e) != 0;
          const bool now = command == CommandId::SelectAll    ? true
                           : command == CommandId::SelectEven ? even
                           : command == CommandId::SelectOdd  ? !even
                                                              : !was;
          if (now)
            reference.selected.insert(e);
          else
            reference.selected.erase(e);
        }
        break;
      }
      case 6: {  // Apply Sort
        SelectRandomRows();
        Run(CommandId::ApplySort);
        std::vector<RefEntry> sorted;
        std::set<int32_t> selected;
        for (size_t row = 0; row < reference.order.size(); ++row) {
          const int32_t entry = reference.order[row];
          sorted.push_back(reference.entries[static_cast<size_t>(entry)]);
          if (reference.selected.count(entry) != 0) selected.insert(static_cast<int32_t>(row));
        }
        reference.entries = sorted;
        reference.selected = selected;
        reference.column = 0;
        reference.ascending = true;
        reference.Sort();
        break;
      }
      default:  // a plain selection change
        SelectRandomRows();
        break;
    }
  }

  void ExpectAgreement(int step) {
    SCOPED_TRACE("step " + std::to_string(step));
    const TZUN_User_Lotto_DBase& database = *Doc().Database();
    ASSERT_EQ(database.Entries.size(), static_cast<int32_t>(reference.entries.size()));
    for (int32_t e = 0; e < database.Entries.size(); ++e)
      ASSERT_EQ(EntryOf(e), reference.entries[static_cast<size_t>(e)]) << "entry " << e;
    ASSERT_EQ(Doc().List().RowCount(), static_cast<int32_t>(reference.order.size()));
    for (int32_t row = 0; row < Doc().List().RowCount(); ++row) {
      ASSERT_EQ(Doc().List().EntryAt(row), reference.order[static_cast<size_t>(row)]) << "row " << row;
      ASSERT_EQ(Doc().List().IsRowSelected(row), reference.selected.count(reference.order[static_cast<size_t>(row)]) != 0)
          << "row " << row;
    }
    EXPECT_EQ(Doc().List().SortColumn(), reference.column);
    EXPECT_EQ(Doc().List().SortAscending(), reference.ascending);
    EXPECT_EQ(watcher.rows, Doc().List().RowCount()) << "the listener was told";
  }
};

void RunSequence(std::unique_ptr<TZUN_Lotto_Temp> game, int steps) {
  ModelFixture f(std::move(game));
  for (int step = 0; step < steps; ++step) {
    f.Step();
    f.ExpectAgreement(step);
    if (::testing::Test::HasFatalFailure()) return;
  }
  EXPECT_TRUE(f.prompt.shown.size() > 0) << "deletions asked first";
}

TEST(DocumentModel, SixFromFortyNineAgreesWithTheReferenceAfterEveryStep) {
  RunSequence(hostside::MakeLotto649(2), 400);
}

TEST(DocumentModel, TwoSetsAndTheDigitGameAgreeWithTheReference) {
  RunSequence(hostside::MakeTwinPool(2), 250);
  RunSequence(hostside::MakePickThree(2), 250);
}

}  // namespace
}  // namespace zun
