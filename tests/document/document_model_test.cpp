// Random sequences of the user's commands, undo and redo among them, run
// through the command table against the document with no host, and on a
// plain reference written from the rules (entries in a vector, a history
// of snapshots): after every step the database, the display order, the
// selection, the sort and the modified mark must agree.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>

#include "core/command_table.h"
#include "list/list_text.h"
#include "model/entry_text.h"
#include "support/document_fixture.h"

namespace zun {
namespace {

struct RefEntry {
  std::vector<std::vector<int8_t>> numbers;
  std::string source;
  bool operator==(const RefEntry&) const = default;
};

// The rules, spelled out plainly.
struct Reference {
  // What the document looks like: entries, sort, selection, the mark.
  struct State {
    std::vector<RefEntry> entries;
    std::set<int32_t> selected;
    int32_t column = 0;
    bool ascending = true;
  };
  // One step of the history: the states on either side, and what each
  // direction selects.
  struct Step {
    State before, after;
    std::set<int32_t> selectedByUndo, selectedByRedo;
    bool sortStep = false;  // Apply Sort: the sort itself changes both ways
  };

  const TZUN_Lotto_DBase* game = nullptr;
  State now;
  std::vector<int32_t> order;
  std::vector<Step> history;
  size_t position = 0;
  int64_t saved = 0;  // the history position of the saved state; -1 for none

  std::string Text(int32_t entry, int32_t column) const {
    if (column == 0) return std::to_string(entry + 1);
    const int32_t sets = game->PlaySets.size();
    if (column <= sets) {
      std::string text;
      const auto& numbers = now.entries[static_cast<size_t>(entry)].numbers[static_cast<size_t>(column - 1)];
      AppendSetText(text, game->PlaySets[column - 1], numbers);
      return text;
    }
    return now.entries[static_cast<size_t>(entry)].source;
  }
  void Sort() {
    order.resize(now.entries.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int32_t>(i);
    if (now.column == 0) {
      if (!now.ascending) std::reverse(order.begin(), order.end());
      return;
    }
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
      const int c = CompareListText(Text(a, now.column), Text(b, now.column));
      return now.ascending ? c < 0 : c > 0;
    });
  }
  bool Modified() const { return saved != static_cast<int64_t>(position); }

  // A change of the entries: `change` edits `now`; the step remembers what
  // undo and redo select.
  template <class Change>
  void Record(Change change, std::set<int32_t> byUndo, std::set<int32_t> byRedo) {
    Step step;
    step.before = now;
    change();
    step.after = now;
    step.selectedByUndo = std::move(byUndo);
    step.selectedByRedo = std::move(byRedo);
    history.resize(position);
    if (saved > static_cast<int64_t>(position)) saved = -1;
    history.push_back(std::move(step));
    ++position;
    Sort();
  }
  void Undo() {
    if (position == 0) return;
    const Step& step = history[--position];
    now.entries = step.before.entries;
    now.selected = step.selectedByUndo;
    if (step.sortStep) {
      now.column = step.before.column;
      now.ascending = step.before.ascending;
    }
    Sort();
  }
  void Redo() {
    if (position == history.size()) return;
    const Step& step = history[position++];
    now.entries = step.after.entries;
    now.selected = step.selectedByRedo;
    if (step.sortStep) {
      now.column = 0;
      now.ascending = true;
    }
    Sort();
  }
};
struct ModelFixture : testing::DocumentFixture {
  explicit ModelFixture(std::unique_ptr<TZUN_Lotto_Temp> g) : testing::DocumentFixture(std::move(g)) {
    reference.game = game.get();
    document.SetListener(&watcher);
    prompt.answer = kResultYes;  // deletions go ahead
  }

  // The rows the list would show, as last told.
  struct RowWatcher final : DocumentListener {
    explicit RowWatcher(const Document& d) : document(d) {}
    void EntriesChanged() override { rows = document.List().RowCount(); }
    const Document& document;
    int32_t rows = 0;
  } watcher{document};

  Reference reference;
  std::vector<RefEntry> clipboard;  // what the last copy put there
  std::mt19937 dice{7};

  int32_t Roll(int32_t below) { return static_cast<int32_t>(dice() % static_cast<uint32_t>(below)); }
  // A command as the window runs it, through its row of the table.
  void Run(CommandId id) { CommandFor(id).run(document, services); }

  RefEntry EntryOf(int32_t e) const {
    RefEntry entry;
    const auto& record = document.Database()->Entries[e];
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
      for (int tries = 0; document.Choices().ChosenCount(s) < game->PlaySets[s].NumberCount && tries < 10000; ++tries) {
        const auto& set = game->PlaySets[s];
        const GridCell cell{Roll(GridColumns(set)), Roll(GridRows(set))};
        if (!BallInCell(set, cell) || document.Choices().IsChosen(s, *BallInCell(set, cell))) continue;
        document.ChooseCell(s, cell);
      }
      for (int32_t n : document.Choices().Chosen(s)) numbers.push_back(static_cast<int8_t>(n));
      picked.numbers.push_back(numbers);
    }
    return picked;
  }

  void SelectRandomRows() {
    document.ClearSelection();
    reference.now.selected.clear();
    const int32_t rows = document.List().RowCount();
    for (int k = Roll(4); k >= 0 && rows > 0; --k) {
      const int32_t row = Roll(rows);
      document.SelectRows(row, row, true);
      reference.now.selected.insert(reference.order[static_cast<size_t>(row)]);
    }
  }

  std::set<int32_t> Range(size_t from, size_t to) {
    std::set<int32_t> range;
    for (size_t i = from; i < to; ++i) range.insert(static_cast<int32_t>(i));
    return range;
  }

  // Entries appended at the end: undo selects none, redo the new ones.
  void Appended(std::vector<RefEntry> added) {
    const size_t first = reference.now.entries.size();
    reference.Record(
        [&] {
          for (RefEntry& e : added) reference.now.entries.push_back(std::move(e));
          reference.now.selected.clear();
        },
        {}, Range(first, first + added.size()));
    reference.now.selected.clear();
  }

  // The selected entries removed: undo selects them again.
  void Removed() {
    const std::set<int32_t> gone = reference.now.selected;
    reference.Record(
        [&] {
          std::vector<RefEntry> kept;
          for (size_t e = 0; e < reference.now.entries.size(); ++e)
            if (gone.count(static_cast<int32_t>(e)) == 0) kept.push_back(reference.now.entries[e]);
          reference.now.entries = kept;
          reference.now.selected.clear();
        },
        gone, {});
  }

  void Step() {
    switch (Roll(13)) {
      case 0: {  // Add
        RefEntry picked = ClickPick();
        Run(CommandId::Add);
        Appended({std::move(picked)});
        break;
      }
      case 1: {  // Quick Pick: its numbers are random; the rest is checked
        Run(CommandId::QuickPick);
        RefEntry drawn = EntryOf(document.Database()->Entries.size() - 1);
        EXPECT_EQ(drawn.source, "Quick Pick");
        Appended({std::move(drawn)});
        break;
      }
      case 2: {  // Apply to the first selected row
        SelectRandomRows();
        RefEntry picked = ClickPick();
        picked.source = "";
        Run(CommandId::Apply);
        for (size_t row = 0; row < reference.order.size(); ++row) {
          const int32_t entry = reference.order[row];
          if (reference.now.selected.count(entry) == 0) continue;
          const std::set<int32_t> changed{entry};
          reference.Record([&] { reference.now.entries[static_cast<size_t>(entry)] = picked; }, changed, changed);
          break;
        }
        reference.Sort();
        break;
      }
      case 3:  // Delete, answered Yes
        SelectRandomRows();
        Run(CommandId::Delete);
        if (!reference.now.selected.empty()) Removed();
        break;
      case 4: {  // A header click. (Not the source column: a save stamps the
                 // sources of the entries the database holds, not of those
                 // the history keeps, which the plain snapshots cannot follow.)
        const int32_t column = Roll(game->PlaySets.size() + 1);
        document.ClickColumn(column);
        if (column == reference.now.column) reference.now.ascending = !reference.now.ascending;
        reference.now.column = column;
        reference.Sort();
        break;
      }
      case 5: {  // A selection command
        static const CommandId kCommands[] = {CommandId::SelectAll, CommandId::SelectEven, CommandId::SelectOdd,
                                              CommandId::InvertSelection};
        const CommandId command = kCommands[Roll(4)];
        Run(command);
        for (int32_t e = 0; e < static_cast<int32_t>(reference.now.entries.size()); ++e) {
          const bool even = (e + 1) % 2 == 0;
          const bool was = reference.now.selected.count(e) != 0;
          const bool now = command == CommandId::SelectAll    ? true
                           : command == CommandId::SelectEven ? even
                           : command == CommandId::SelectOdd  ? !even
                                                              : !was;
          if (now)
            reference.now.selected.insert(e);
          else
            reference.now.selected.erase(e);
        }
        break;
      }
      case 6: {  // Apply Sort
        SelectRandomRows();
        Run(CommandId::ApplySort);
        std::vector<RefEntry> sorted;
        std::set<int32_t> selected, movedTo, movedFrom;
        for (size_t row = 0; row < reference.order.size(); ++row) {
          const int32_t entry = reference.order[row];
          sorted.push_back(reference.now.entries[static_cast<size_t>(entry)]);
          if (reference.now.selected.count(entry) != 0) selected.insert(static_cast<int32_t>(row));
          if (entry != static_cast<int32_t>(row)) {
            movedTo.insert(static_cast<int32_t>(row));
            movedFrom.insert(entry);
          }
        }
        if (!movedTo.empty()) {
          reference.Record(
              [&] {
                reference.now.entries = sorted;
                reference.now.column = 0;
                reference.now.ascending = true;
              },
              movedFrom, movedTo);
          reference.history.back().sortStep = true;
        }
        reference.now.column = 0;
        reference.now.ascending = true;
        reference.now.selected = selected;
        reference.Sort();
        break;
      }
      case 7: {  // Cut: copied, then deleted without a question
        SelectRandomRows();
        std::vector<RefEntry> cut;
        for (const int32_t entry : reference.order)
          if (reference.now.selected.count(entry) != 0) cut.push_back(reference.now.entries[static_cast<size_t>(entry)]);
        Run(CommandId::Cut);
        if (!cut.empty()) {
          clipboard = cut;
          Removed();
        }
        break;
      }
      case 8: {  // Copy the selection (none copies nothing), paste the clipboard at the end
        SelectRandomRows();
        std::vector<RefEntry> copied;
        for (const int32_t entry : reference.order)
          if (reference.now.selected.count(entry) != 0) copied.push_back(reference.now.entries[static_cast<size_t>(entry)]);
        Run(CommandId::Copy);
        if (!copied.empty()) clipboard = copied;
        Run(CommandId::Paste);
        if (!clipboard.empty()) Appended(clipboard);
        break;
      }
      case 9:
      case 10:
        Run(CommandId::Undo);
        reference.Undo();
        break;
      case 11:
        Run(CommandId::Redo);
        reference.Redo();
        break;
      default:  // Save As: the state now is the saved one
        dialogs.saveAnswers.push_back("C:\\db\\model.sl5");
        Run(CommandId::SaveAs);
        reference.saved = static_cast<int64_t>(reference.position);
        for (RefEntry& e : reference.now.entries) e.source = "model.sl5";
        break;
    }
  }

  void ExpectAgreement(int step) {
    SCOPED_TRACE("step " + std::to_string(step));
    const TZUN_User_Lotto_DBase& database = *document.Database();
    ASSERT_EQ(database.Entries.size(), static_cast<int32_t>(reference.now.entries.size()));
    for (int32_t e = 0; e < database.Entries.size(); ++e) {
      RefEntry actual = EntryOf(e);
      RefEntry expected = reference.now.entries[static_cast<size_t>(e)];
      // Sources are stamped by a save whatever the history says; the
      // numbers are what the history keeps.
      ASSERT_EQ(actual.numbers, expected.numbers) << "entry " << e;
    }
    ASSERT_EQ(document.List().RowCount(), static_cast<int32_t>(reference.order.size()));
    for (int32_t row = 0; row < document.List().RowCount(); ++row) {
      ASSERT_EQ(document.List().EntryAt(row), reference.order[static_cast<size_t>(row)]) << "row " << row;
      ASSERT_EQ(document.List().IsRowSelected(row),
                reference.now.selected.count(reference.order[static_cast<size_t>(row)]) != 0)
          << "row " << row;
    }
    EXPECT_EQ(document.List().SortColumn(), reference.now.column);
    EXPECT_EQ(document.List().SortAscending(), reference.now.ascending);
    EXPECT_EQ(document.Session().DatabaseModified(), reference.Modified());
    EXPECT_EQ(watcher.rows, document.List().RowCount()) << "the listener was told";
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
  RunSequence(hostside::MakeLotto649(2), 500);
}

TEST(DocumentModel, TwoSetsAndTheDigitGameAgreeWithTheReference) {
  RunSequence(hostside::MakeTwinPool(2), 300);
  RunSequence(hostside::MakePickThree(2), 300);
}

}  // namespace
}  // namespace zun
