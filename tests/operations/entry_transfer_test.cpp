// Entries as text through the window's commands: copy, cut and paste on a
// clipboard of text, import from a CSV file, and the history's undo and
// redo with their names and the modified mark.

#include "operations/entry_transfer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/sl5_file.h"
#include "support/adapter_fixture.h"

namespace zun {
namespace {

using Numbers = std::vector<std::vector<int8_t>>;

Numbers NumbersOf(const TZUN_Database_Structure& entry) {
  Numbers numbers;
  for (int32_t s = 0; s < entry.Numbers.size(); ++s) numbers.emplace_back(entry.Numbers[s].begin(), entry.Numbers[s].end());
  return numbers;
}

struct Snapshot {
  std::vector<Numbers> numbers;
  std::vector<std::string> sources;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const TZUN_User_Lotto_DBase& database, int32_t from = 0) {
  Snapshot snapshot;
  for (int32_t e = from; e < database.Entries.size(); ++e) {
    snapshot.numbers.push_back(NumbersOf(database.Entries[e]));
    snapshot.sources.emplace_back(database.Entries[e].Source.view());
  }
  return snapshot;
}

// A started adapter holding a sample game's 25 picks.
struct TransferFixture : testing::AdapterFixture {
  explicit TransferFixture(std::unique_ptr<TZUN_Lotto_Temp> g = hostside::MakeLotto649(3))
      : AdapterFixture(std::move(g)) {
    EXPECT_EQ(Start(), 1);
    files.files["C:\\db\\picks.sl5"] = Sl5Bytes(*hostside::MakeSampleDatabase(*game, 25, 4));
    dialogs.openAnswers.push_back({"C:\\db\\picks.sl5"});
    adapter.Execute(CommandId::Load);
    EXPECT_EQ(Database().Entries.size(), 25);
  }
  void Run(CommandId id) { adapter.Execute(id); }
};

// What is copied pastes back as the same entries, numbers, labels and
// source alike, in every sample game; what is exported imports back where
// the export says which number each field is. (The digit game's export
// writes each digit's row label in stored order, which does not say which
// position the digit stood in: those fields read back position by
// position, as the list shows them, and give the entries only when they
// were stored position by position.)
TEST(EntryTransfer, ACopyPastesBackAndAnExportImportsBackInEverySampleGame) {
  for (auto make : {hostside::MakeLotto649, hostside::MakeTwinPool, hostside::MakePickThree}) {
    TransferFixture f(make(3));
    SCOPED_TRACE(std::string(f.game->GameName.view()));
    f.Run(CommandId::SelectAll);
    f.Run(CommandId::Copy);
    ASSERT_FALSE(f.clipboard.text.empty());
    const Snapshot all = Take(f.Database());
    f.Run(CommandId::Paste);
    EXPECT_TRUE(f.prompt.shown.empty()) << f.prompt.shown.back().text;
    EXPECT_EQ(Take(f.Database(), 25), all) << "pasted back";

    if (make == hostside::MakePickThree) continue;
    f.dialogs.saveAnswers.push_back("C:\\out\\picks.csv");
    f.Run(CommandId::ExportCsv);
    f.dialogs.openAnswers.push_back({"C:\\out\\picks.csv"});
    f.Run(CommandId::ImportCsv);
    ASSERT_EQ(f.Database().Entries.size(), 100);
    Snapshot exported = Take(f.Database());
    exported.numbers.resize(50);
    EXPECT_EQ(Take(f.Database(), 50).numbers, exported.numbers) << "imported back, sources apart";
    EXPECT_TRUE(f.prompt.shown.empty());
  }
}

TEST(EntryTransfer, TheCopyIsTheRowsCellsInDisplayOrderSeparatedByTabs) {
  TransferFixture f;
  f.adapter.ColumnClicked(0);  // "Seq." descending
  f.SelectRow(0);
  f.SelectRow(2);
  // A source from a file may hold tabs and line breaks; they would split the row.
  const_cast<TZUN_User_Lotto_DBase&>(f.Database()).Entries[22].Source.assign("a\tb\r\nc");
  f.Run(CommandId::Copy);
  const std::string first = f.clipboard.text.substr(0, f.clipboard.text.find("\r\n"));
  EXPECT_EQ(first.substr(0, 3), "25\t") << "the last entry stands first, descending";
  EXPECT_EQ(std::count(first.begin(), first.end(), '\t'), 2) << "Seq., the set, the source";
  EXPECT_EQ(first.substr(first.rfind('\t') + 1), "picks.sl5");
  EXPECT_NE(f.clipboard.text.find("\r\n23\t"), std::string::npos);
  EXPECT_EQ(f.clipboard.text.substr(f.clipboard.text.size() - 9), "\ta b  c\r\n");
}

TEST(EntryTransfer, CutDeletesWithoutAskingUnlessTheCopyFailedAndUndoBringsItBack) {
  TransferFixture f;
  const Snapshot before = Take(f.Database());
  f.SelectRow(3);
  f.SelectRow(4);
  f.clipboard.refusePut = true;
  f.Run(CommandId::Cut);
  EXPECT_EQ(f.Database().Entries.size(), 25) << "nothing deleted when the copy failed";
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].text,
            "Error while cutting Entries.\rThe clipboard cannot be opened.\rRef: ZUN User DBase Builder 010003\r"
            "Please contact ZUN Developer.");

  f.clipboard.refusePut = false;
  f.Run(CommandId::Cut);
  EXPECT_EQ(f.Database().Entries.size(), 23);
  EXPECT_EQ(f.prompt.shown.size(), 1u) << "no question";
  EXPECT_EQ(f.Doc().UndoName(), "Cut 2 Entries");
  f.Run(CommandId::Undo);
  EXPECT_EQ(Take(f.Database()), before);
  EXPECT_EQ(f.Doc().List().SelectedCount(), 2) << "the cut rows come back selected";
  EXPECT_FALSE(f.Doc().Session().DatabaseModified()) << "back to the file as it was loaded";
  f.Run(CommandId::Paste);
  EXPECT_EQ(f.Database().Entries.size(), 27);
  EXPECT_EQ(f.Doc().UndoName(), "Paste 2 Entries");
}

TEST(EntryTransfer, RefusedLinesAreReportedByNumberAndTheRestTaken) {
  TransferFixture f;
  f.clipboard.text = "1 2 3 4 5 6\r\n\r\n1 2 3 4 5 50\r\nnonsense\r\n7 8 9 10 11 12 mine\r\n";
  f.Run(CommandId::Paste);
  EXPECT_EQ(f.Database().Entries.size(), 27);
  EXPECT_EQ(f.Database().Entries[26].Source.view(), "mine");
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].caption, "Information");
  EXPECT_EQ(f.prompt.shown[0].text,
            "Took 2 of 4 lines.\rline 3: 50 is not a number of Main Numbers (1\x96" "49)\r"
            "line 4: nonsense is not a number of Main Numbers (1\x96" "49)");
  EXPECT_TRUE(f.Doc().List().IsEntrySelected(25) == false);
  EXPECT_EQ(f.Doc().UndoName(), "Paste 2 Entries");

  f.prompt.shown.clear();
  f.clipboard.holdsText = false;
  f.Run(CommandId::Paste);
  EXPECT_TRUE(f.prompt.shown.empty()) << "a clipboard without text gives nothing to say";
}

// Undo and redo walk the history; the modified mark is true to the file:
// back at the state last saved it clears, anywhere else it is set.
TEST(EntryHistory, UndoAndRedoWalkEveryKindOfStepAndTheModifiedMarkFollowsTheFile) {
  TransferFixture f;
  const Snapshot loaded = Take(f.Database());
  std::vector<Snapshot> states{loaded};
  std::vector<std::string> names;
  const auto step = [&](const std::function<void()>& change, const std::string& name) {
    change();
    states.push_back(Take(f.Database()));
    names.push_back(name);
    EXPECT_EQ(f.Doc().UndoName(), name);
  };
  step([&] { f.Run(CommandId::QuickPick); }, "Quick Pick");
  step([&] {
    f.Pick(0, {1, 2, 3, 4, 5, 6});
    f.Run(CommandId::Add);
  }, "Add Entry");
  step([&] {
    f.SelectRow(1);
    f.Run(CommandId::Clear);
    f.Pick(0, {11, 12, 13, 14, 15, 16});
    f.Run(CommandId::Apply);
  }, "Apply Changes");
  step([&] {
    f.adapter.SelectRows(-1, -1, false);
    f.SelectRow(0);
    f.SelectRow(5);
    f.SelectRow(9);
    f.prompt.answer = kResultYes;
    f.Run(CommandId::Delete);
  }, "Delete 3 Entries");
  step([&] {
    f.adapter.ColumnClicked(1);
    f.Run(CommandId::ApplySort);
  }, "Apply Sort");

  for (size_t k = states.size() - 1; k > 0; --k) {
    EXPECT_EQ(f.Doc().UndoName(), names[k - 1]);
    f.Run(CommandId::Undo);
    EXPECT_EQ(Take(f.Database()), states[k - 1]) << "after undoing " << names[k - 1];
    EXPECT_EQ(f.Doc().Session().DatabaseModified(), k - 1 != 0) << names[k - 1];
    EXPECT_EQ(f.Doc().List().RowCount(), f.Database().Entries.size());
  }
  EXPECT_EQ(f.Doc().UndoName(), "");
  EXPECT_FALSE(f.adapter.CurrentCommandStates()[CommandId::Undo].enabled);
  for (size_t k = 1; k < states.size(); ++k) {
    f.Run(CommandId::Redo);
    EXPECT_EQ(Take(f.Database()), states[k]) << "after redoing " << names[k - 1];
    EXPECT_TRUE(f.Doc().Session().DatabaseModified());
  }

  // Saved in the middle of the history: undoing back there clears the mark.
  f.Run(CommandId::Undo);
  f.dialogs.saveAnswers.push_back("C:\\db\\mine.sl5");
  f.Run(CommandId::SaveAs);
  EXPECT_FALSE(f.Doc().Session().DatabaseModified());
  f.Run(CommandId::Undo);
  EXPECT_TRUE(f.Doc().Session().DatabaseModified());
  f.Run(CommandId::Redo);
  EXPECT_FALSE(f.Doc().Session().DatabaseModified());
  // A new change after an undo: what was undone cannot be redone.
  f.Run(CommandId::Undo);
  f.Run(CommandId::QuickPick);
  EXPECT_EQ(f.Doc().RedoName(), "");
  // New starts a new history.
  f.prompt.answer = kResultNo;
  f.Run(CommandId::New);
  EXPECT_EQ(f.Doc().UndoName(), "");
}

TEST(EntryHistory, UndoSelectsTheChangedRowsAndTheMenusNameTheStep) {
  TransferFixture f;
  f.adapter.ColumnClicked(1);
  for (int32_t row : {2, 7, 11}) f.SelectRow(row);
  const std::vector<int32_t> entries = f.Doc().List().SelectedEntries();
  f.prompt.answer = kResultYes;
  f.Run(CommandId::Delete);
  const CommandStates states = f.adapter.CurrentCommandStates();
  EXPECT_EQ(states[CommandId::Undo].caption, "Undo Delete 3 Entries");
  EXPECT_TRUE(states[CommandId::Undo].enabled);
  EXPECT_FALSE(states[CommandId::Redo].enabled);
  f.views.revealed.clear();
  f.Run(CommandId::Undo);
  std::vector<int32_t> selected = f.Doc().List().SelectedEntries();
  std::sort(selected.begin(), selected.end());
  std::vector<int32_t> expected = entries;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(selected, expected);
  ASSERT_FALSE(f.views.revealed.empty());
  EXPECT_EQ(f.views.revealed.back(), f.Doc().List().FirstSelectedRow()) << "scrolled into view";
  EXPECT_EQ(f.adapter.CurrentCommandStates()[CommandId::Redo].caption, "Redo Delete 3 Entries");
}

// The journal holds what changed and drops its oldest steps past its
// limits; a step too big to keep leaves no history behind it.
TEST(EntryHistory, TheJournalIsBoundedByStepsAndBytes) {
  EntryJournal journal(3, 1 << 20);
  for (int i = 0; i < 5; ++i)
    journal.Record(EntryStep{.kind = EntryStep::Kind::Appended, .name = "Step " + std::to_string(i)});
  EXPECT_EQ(journal.StepCount(), 3u);
  EXPECT_EQ(journal.UndoName(), "Step 4");
  EntryStep big{.kind = EntryStep::Kind::Removed, .name = "Big"};
  big.positions.resize(300'000);
  journal.Record(std::move(big));
  EXPECT_EQ(journal.StepCount(), 0u);
  EXPECT_FALSE(journal.CanUndo());
  EXPECT_FALSE(journal.AtSaved()) << "no state left is the saved one";
  EXPECT_EQ(StepName("Delete", 1'000'000), "Delete 1,000,000 Entries");
  EXPECT_EQ(StepName("Delete", 1), "Delete Entry");
}

}  // namespace
}  // namespace zun
