// The database's files through the core: new, save, save as, the save
// question, loads of one and of several files, drops and reopening, on an
// in-memory file system with scripted dialogs.

#include "base/allocation_limit.h"
#include "operations/file_operations.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>

#include "base/texts.h"
#include "core/command_states.h"
#include "core/command_table.h"
#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "model/sl5_file.h"
#include "platform/seeded_random.h"
#include "core/host_adapter.h"
#include "support/fake_ports.h"
#include "support/adapter_fixture.h"
#include "support/fake_views.h"
#include "support/memory_file_system.h"

namespace zun {
namespace {

constexpr char kQuestion[] = "Your Database have not been saved, Save it Now?";
const std::string kStart = "C:\\db\\start.sl5";

// What the session and the status panel say the database is.
struct FileState {
  bool modified;
  std::string current;
  bool multiple;
  std::string label;
  friend bool operator==(const FileState&, const FileState&) = default;
  friend std::ostream& operator<<(std::ostream& out, const FileState& s) {
    return out << "{modified " << s.modified << ", current \"" << s.current << "\", multiple " << s.multiple
               << ", label \"" << s.label << "\"}";
  }
};

struct FileFixture : testing::AdapterFixture {
  explicit FileFixture(std::unique_ptr<TZUN_Lotto_Temp> g = hostside::MakeLotto649(3))
      : testing::AdapterFixture(std::move(g)) {
    EXPECT_EQ(Start(), 1);
  }

  std::vector<uint8_t> Sl5(int32_t count, uint32_t seed) const {
    return Sl5Bytes(*hostside::MakeSampleDatabase(*game, count, seed));
  }
  void PutSl5(const std::string& path, int32_t count, uint32_t seed = 1) { files.files[path] = Sl5(count, seed); }
  void PutSl4(const std::string& path, int32_t count) {
    files.files[path] = hostside::Sl4Bytes(hostside::MakeOldRecords(count, 7));
  }
  // Loads through the Load command, answering the open dialog.
  void Load(std::vector<std::string> names) {
    dialogs.openAnswers.push_back(std::move(names));
    adapter.Execute(CommandId::Load);
  }
  void Drop(std::vector<std::string> names, std::initializer_list<int32_t> answers = {}) {
    prompt.answers.insert(prompt.answers.end(), answers);
    adapter.FilesDropped(names);
  }
  void Edit() { adapter.Execute(CommandId::QuickPick); }

  FileState State() const {
    const DatabaseSession& s = Doc().Session();
    return {s.DatabaseModified(), s.CurrentDatabaseFile(), s.MultipleFilesLoaded(), views.fileLabel};
  }
  int32_t EntryCount() const { return Doc().Database()->Entries.size(); }
  std::string Source(int32_t entry) const { return std::string(Doc().Database()->Entries[entry].Source.view()); }
  size_t Questions(const std::string& text) const {
    size_t n = 0;
    for (const auto& shown : prompt.shown) n += shown.text == text;
    return n;
  }
  const std::string& LastText() const { return prompt.shown.back().text; }

};

// ---- The session's state after each event ------------------------------

struct StateCase {
  const char* event;
  std::function<void(FileFixture&)> run;
  FileState expected;
  int32_t entries;
};

TEST(FileSessionState, EachEventLeavesTheStateItsRuleStates) {
  const std::string multi = texts::kMultipleFilesLabel;
  const std::vector<StateCase> cases = {
      {"new", [](FileFixture& f) { f.adapter.Execute(CommandId::New); }, {false, "", false, "---"}, 0},
      {"save after an edit",
       [](FileFixture& f) {
         f.Edit();
         f.adapter.Execute(CommandId::Save);
       },
       {false, kStart, false, kStart}, 4},
      {"save as",
       [](FileFixture& f) {
         f.dialogs.saveAnswers.push_back("C:\\db\\other.sl5");
         f.adapter.Execute(CommandId::SaveAs);
       },
       {false, "C:\\db\\other.sl5", false, "C:\\db\\other.sl5"}, 3},
      {"load one .sl5",
       [](FileFixture& f) { f.Load({"C:\\db\\b.sl5"}); },
       {false, "C:\\db\\b.sl5", false, "C:\\db\\b.sl5"}, 5},
      {"load one .sl4", [](FileFixture& f) { f.Load({"C:\\db\\old.sl4"}); }, {false, "", false, ""}, 2},
      {"several replacing, only the second taken",
       [](FileFixture& f) { f.Load({"C:\\db\\unfit.sl5", "C:\\db\\b.sl5"}); },
       {false, "C:\\db\\b.sl5", false, "C:\\db\\b.sl5"}, 5},
      {"several replacing, only an old file taken",
       [](FileFixture& f) { f.Load({"C:\\db\\old.sl4", "C:\\db\\unfit.sl5"}); },
       {false, "", false, ""}, 2},
      {"several replacing, two taken",
       [](FileFixture& f) { f.Load({"C:\\db\\b.sl5", "C:\\db\\old.sl4"}); },
       {false, "", true, multi}, 7},
      {"appended drop onto a saved database",
       [](FileFixture& f) { f.Drop({"C:\\db\\b.sl5"}, {kResultNo}); },
       {false, "", true, multi}, 8},
      {"appended drop onto unsaved changes",
       [](FileFixture& f) {
         f.Edit();
         f.Drop({"C:\\db\\b.sl5"}, {kResultNo});
       },
       {true, "", true, multi}, 9},
      {"replacing load that took nothing",
       [](FileFixture& f) { f.Load({"C:\\db\\unfit.sl5", "C:\\db\\unfit2.sl5"}); },
       {false, kStart, false, kStart}, 3},
      {"appending drop that took nothing",
       [](FileFixture& f) { f.Drop({"C:\\db\\unfit.sl5"}, {kResultNo}); },
       {false, kStart, true, kStart}, 3},
  };
  for (const StateCase& c : cases) {
    SCOPED_TRACE(c.event);
    FileFixture f;
    f.PutSl5(kStart, 3, 1);
    f.PutSl5("C:\\db\\b.sl5", 5, 2);
    f.PutSl4("C:\\db\\old.sl4", 2);
    auto unfit = hostside::MakeSampleDatabase(*f.game, 2, 3);
    unfit->NumberSets[0].HighestNumber = 45;
    f.files.files["C:\\db\\unfit.sl5"] = Sl5Bytes(*unfit);
    f.files.files["C:\\db\\unfit2.sl5"] = Sl5Bytes(*unfit);
    f.Load({kStart});
    ASSERT_EQ(f.State(), (FileState{false, kStart, false, kStart}));
    c.run(f);
    EXPECT_EQ(f.State(), c.expected);
    EXPECT_EQ(f.EntryCount(), c.entries);
    EXPECT_EQ(f.Doc().List().RowCount(), c.entries) << "the list shows every entry";
  }
}

TEST(FileSessionState, ApplySortMarksTheDatabaseModifiedWhenItMovesEntries) {
  FileFixture f;
  f.PutSl5(kStart, 3);
  f.PutSl5("C:\\db\\one.sl5", 1);
  f.Load({kStart});
  f.adapter.ColumnClicked(EntryList::kSeqColumn);  // "Seq." descending
  ASSERT_TRUE(f.adapter.CurrentCommandStates()[CommandId::ApplySort].shown);
  f.adapter.Execute(CommandId::ApplySort);
  EXPECT_TRUE(f.Doc().Session().DatabaseModified()) << "the new order is not in the file";
  f.prompt.answer = kResultCancel;
  EXPECT_EQ(f.adapter.CanClose(), 0);
  EXPECT_EQ(f.Questions(kQuestion), 1u);

  // One entry stays where it was: there is nothing to save.
  f.prompt.answer = kResultNo;
  f.Load({"C:\\db\\one.sl5"});
  f.adapter.ColumnClicked(EntryList::kSeqColumn);
  ASSERT_TRUE(f.adapter.CurrentCommandStates()[CommandId::ApplySort].shown);
  f.adapter.Execute(CommandId::ApplySort);
  EXPECT_FALSE(f.Doc().Session().DatabaseModified());
}

// ---- The save question -----------------------------------------------

TEST(FileConfirmSave, NothingUnsavedAsksNothing) {
  FileFixture f;
  f.Edit();
  f.adapter.Execute(CommandId::New);
  ASSERT_EQ(f.prompt.shown.size(), 1u) << "the edit was unsaved";
  EXPECT_EQ(f.prompt.shown[0].text, kQuestion);
  EXPECT_EQ(f.prompt.shown[0].caption, "Confirm Save");
  EXPECT_EQ(f.prompt.shown[0].iconKind, kIconConfirmation);
  EXPECT_EQ(f.prompt.shown[0].results, (std::vector<int32_t>{kResultYes, kResultNo, kResultCancel}));
  EXPECT_EQ(f.prompt.shown[0].buttons, (std::vector<std::string>{"&Yes", "&No", "&Cancel"}));
  EXPECT_EQ(f.EntryCount(), 1) << "the dialog's own close counts as Cancel";

  f.prompt.answer = kResultNo;
  f.adapter.Execute(CommandId::New);
  EXPECT_EQ(f.EntryCount(), 0);
  f.adapter.Execute(CommandId::New);
  EXPECT_EQ(f.prompt.shown.size(), 2u) << "an unchanged database is dropped without a question";
}

TEST(FileConfirmSave, YesWithoutAFileAsksForANameAndItsCancelStopsWhatWaited) {
  FileFixture f;
  f.PutSl5("C:\\db\\b.sl5", 4);
  f.Edit();
  f.prompt.answer = kResultYes;

  f.adapter.Execute(CommandId::New);
  ASSERT_EQ(f.dialogs.saved.size(), 1u) << "no current file: the save asks for a name";
  EXPECT_EQ(f.EntryCount(), 1) << "cancelled name: New stops";

  f.Load({"C:\\db\\b.sl5"});
  EXPECT_EQ(f.dialogs.saved.size(), 2u);
  EXPECT_TRUE(f.dialogs.opened.empty()) << "cancelled name: the open dialog never shows";
  EXPECT_EQ(f.EntryCount(), 1);

  EXPECT_EQ(f.adapter.CanClose(), 0) << "cancelled name: the close is refused";
  EXPECT_EQ(f.dialogs.saved.size(), 3u);

  f.dialogs.saveAnswers.push_back("C:\\db\\mine.sl5");
  EXPECT_EQ(f.adapter.CanClose(), 1);
  EXPECT_TRUE(f.files.FileExists("C:\\db\\mine.sl5"));
  EXPECT_EQ(f.State(), (FileState{false, "C:\\db\\mine.sl5", false, "C:\\db\\mine.sl5"}));
}

TEST(FileConfirmSave, YesShowsAHiddenWindowBeforeTheSaveAndNoLeavesItHidden) {
  FileFixture f;
  // Whether the window was hidden when the name was asked for.
  std::vector<bool> hiddenWhenAsked;
  f.dialogs.onAsk = [&] { hiddenWhenAsked.push_back(f.views.hidden); };
  f.dialogs.saveAnswers = {"C:\\db\\mine.sl5"};
  f.Edit();
  f.views.hidden = true;
  f.prompt.answer = kResultNo;
  EXPECT_EQ(f.adapter.CanClose(), 1);
  EXPECT_TRUE(f.views.hidden) << "No saves nothing and shows nothing";

  f.prompt.answer = kResultYes;
  const int pumps = f.views.pumps;
  EXPECT_EQ(f.adapter.CanClose(), 1);
  EXPECT_EQ(hiddenWhenAsked, (std::vector<bool>{false})) << "shown before the save asks for a name";
  EXPECT_EQ(f.views.shows, 1);
  EXPECT_GT(f.views.pumps, pumps) << "the window gets to paint before the save";
  EXPECT_TRUE(f.files.FileExists("C:\\db\\mine.sl5"));
}

TEST(FileConfirmSave, AFailedSaveKeepsTheEntriesAndStopsTheCaller) {
  FileFixture f;
  f.Edit();
  f.prompt.answer = kResultYes;
  f.files.failCommit = true;
  f.dialogs.saveAnswers = {"C:\\db\\mine.sl5", "C:\\db\\mine.sl5"};
  f.adapter.Execute(CommandId::New);
  EXPECT_EQ(f.EntryCount(), 1) << "New does not run after the save failed";
  EXPECT_NE(f.LastText().find("Error while saving SL5 File: mine.sl5"), std::string::npos);
  EXPECT_EQ(f.adapter.CanClose(), 0) << "nor does the close";
  EXPECT_TRUE(f.Doc().Session().DatabaseModified());
}

TEST(FileConfirmSave, CloseIsFreeWithAnEmptyListAndAsksOtherwise) {
  FileFixture f;
  EXPECT_EQ(f.adapter.CanClose(), 1);
  f.Edit();
  f.prompt.answer = kResultNo;
  EXPECT_EQ(f.adapter.CanClose(), 1) << "No lets the entries go";
  f.prompt.answer = kResultCancel;
  EXPECT_EQ(f.adapter.CanClose(), 0);
  EXPECT_EQ(f.Questions(kQuestion), 2u);
}

// ---- Saving -------------------------------------------------------------

TEST(FileSave, APlainSaveWithoutChangesWritesAndTellsNothing) {
  FileFixture f;
  f.PutSl5(kStart, 3);
  f.Load({kStart});
  const auto before = f.files.files;
  f.adapter.Execute(CommandId::Save);
  EXPECT_EQ(f.files.files, before);
  EXPECT_TRUE(f.notifier.saved.empty());
  EXPECT_TRUE(f.dialogs.saved.empty());
}

TEST(FileSave, SaveWritesTheCurrentFileStampsTheSourcesAndTellsTheHost) {
  FileFixture f;
  const std::string path = "C:\\db\\A rather long database name.sl5";
  f.PutSl5(path, 2);
  f.Load({path});
  f.Edit();
  EXPECT_EQ(f.Source(2), "Quick Pick");
  f.adapter.Execute(CommandId::Save);
  EXPECT_TRUE(f.dialogs.saved.empty()) << "a current file needs no name";
  EXPECT_FALSE(f.Doc().Session().DatabaseModified());
  for (int32_t e = 0; e < 3; ++e) EXPECT_EQ(f.Source(e), "A rather long database na") << "cut to 25";
  EXPECT_EQ(f.notifier.saved, (std::vector<std::string>{path}));
  TZUN_User_Lotto_DBase back;
  ASSERT_TRUE(back.LoadFromFile(f.files, false, path));
  EXPECT_EQ(back.Entries.size(), 3);
}

TEST(FileSave, SaveAsUsesItsDialogAndRemembersTheFile) {
  FileFixture f;
  f.Edit();
  f.dialogs.saveAnswers.push_back("C:\\db\\picks.sl5");
  f.adapter.Execute(CommandId::SaveAs);
  ASSERT_EQ(f.dialogs.saved.size(), 1u);
  const FileDialogOptions& options = f.dialogs.saved[0];
  EXPECT_EQ(options.title, "Save to ZUN File (*.sl5)");
  EXPECT_EQ(options.filter, "ZUN File (*.sl5)|*.sl5");
  EXPECT_EQ(options.defaultExtension, "*.sl5");
  EXPECT_TRUE(options.promptOverwrite);
  EXPECT_EQ(f.adapter.RecentFiles()[0], "C:\\db\\picks.sl5");
  EXPECT_EQ(f.notifier.saved, (std::vector<std::string>{"C:\\db\\picks.sl5"}));
  EXPECT_EQ(f.Source(0), "picks.sl5");

  f.adapter.Execute(CommandId::SaveAs);  // cancelled
  EXPECT_EQ(f.notifier.saved.size(), 1u);
  EXPECT_EQ(f.State().current, "C:\\db\\picks.sl5");
}

TEST(FileSave, AFailureAtAnyWriteStepLeavesTheOldFileAndTheDatabaseUnsaved) {
  struct Fault {
    const char* step;
    std::function<void(testing::MemoryFileSystem&)> set;
  };
  const std::vector<Fault> faults = {
      {"temporary file", [](auto& fs) { fs.failTemporaryFile = true; }},
      {"first byte", [](auto& fs) { fs.failWritesAfter = 0; }},
      {"inside the header", [](auto& fs) { fs.failWritesAfter = 10; }},
      {"inside the entries", [](auto& fs) { fs.failWritesAfter = 40; }},
      {"commit", [](auto& fs) { fs.failCommit = true; }},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.step);
    FileFixture f;
    f.PutSl5(kStart, 3);
    f.Load({kStart});
    const std::vector<uint8_t> old = f.files.files[kStart];
    f.Edit();
    fault.set(f.files);
    f.adapter.Execute(CommandId::Save);
    EXPECT_EQ(f.files.files[kStart], old);
    EXPECT_EQ(f.State(), (FileState{true, kStart, false, kStart}));
    EXPECT_NE(f.LastText().find("Error while saving SL5 File: start.sl5\r"), std::string::npos) << f.LastText();
    EXPECT_EQ(f.LastText().find("C:\\db"), std::string::npos) << "the name, not the folder";
    EXPECT_TRUE(f.notifier.saved.empty());
    EXPECT_EQ(f.Source(3), "Quick Pick") << "no stamp without a file";

    // Save As to another name fails the same way and does not take that name.
    f.dialogs.saveAnswers.push_back("C:\\db\\new.sl5");
    f.adapter.Execute(CommandId::SaveAs);
    EXPECT_FALSE(f.files.FileExists("C:\\db\\new.sl5"));
    EXPECT_EQ(f.State(), (FileState{true, kStart, false, kStart}));
    EXPECT_NE(f.adapter.RecentFiles()[0], "C:\\db\\new.sl5");
    EXPECT_NE(f.LastText().find("Error while saving SL5 File: new.sl5\r"), std::string::npos)
        << "the file that could not be written, not the current one: " << f.LastText();
  }
}

TEST(FileSave, SaveAsksForANameWheneverNoOneFileHoldsTheDatabaseChangedOrNot) {
  struct Case {
    const char* name;
    std::function<void(FileFixture&)> setUp;
  };
  const std::vector<Case> cases = {
      {"a new database", [](FileFixture&) {}},
      {"several files loaded",
       [](FileFixture& f) {
         f.PutSl5("C:\\db\\a.sl5", 2, 1);
         f.PutSl5("C:\\db\\b.sl5", 3, 2);
         f.Load({"C:\\db\\a.sl5", "C:\\db\\b.sl5"});
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileFixture f;
    c.setUp(f);
    ASSERT_FALSE(f.Doc().Session().DatabaseModified());
    f.dialogs.saveAnswers.push_back("C:\\db\\mine.sl5");
    f.adapter.Execute(CommandId::Save);
    ASSERT_EQ(f.dialogs.saved.size(), 1u);
    EXPECT_EQ(f.dialogs.saved[0].title, "Save to ZUN File (*.sl5)");
    EXPECT_TRUE(f.files.FileExists("C:\\db\\mine.sl5"));
    EXPECT_EQ(f.State(), (FileState{false, "C:\\db\\mine.sl5", false, "C:\\db\\mine.sl5"}));
  }
}

TEST(FileSave, SavingStampsTheSourcesButLeavesEveryRowWhereItStands) {
  FileFixture f;
  f.PutSl5(kStart, 3);
  f.Load({kStart});
  f.Edit();
  f.Edit();
  const int32_t sourceColumn = f.Database().NumberSets.size() + 1;
  f.adapter.ColumnClicked(sourceColumn);  // the quick picks first, then start.sl5's entries
  std::vector<int32_t> shown;
  for (int32_t row = 0; row < f.Doc().List().RowCount(); ++row) shown.push_back(f.Doc().List().EntryAt(row));
  ASSERT_EQ(shown, (std::vector<int32_t>{3, 4, 0, 1, 2}));
  const int rowChanges = f.views.rowChanges;

  f.adapter.Execute(CommandId::Save);
  ASSERT_FALSE(f.Doc().Session().DatabaseModified());
  ASSERT_EQ(f.Source(3), "start.sl5");
  std::vector<int32_t> after;
  for (int32_t row = 0; row < f.Doc().List().RowCount(); ++row) after.push_back(f.Doc().List().EntryAt(row));
  EXPECT_EQ(after, shown) << "the rows do not move under the user's eyes";
  EXPECT_GT(f.views.rowChanges, rowChanges) << "the source texts are shown anew";
  EXPECT_EQ(f.Doc().List().SortColumn(), sourceColumn);
}

TEST(FileSave, NewSaveAndSaveAsShowTheHourglassWhileTheyWorkAndClearItAfterwards) {
  struct Case {
    const char* name;
    std::function<void(FileFixture&)> run;
  };
  const std::vector<Case> cases = {
      {"new", [](FileFixture& f) { f.adapter.Execute(CommandId::New); }},
      {"save",
       [](FileFixture& f) {
         f.Edit();
         f.cursor.history.clear();
         f.adapter.Execute(CommandId::Save);
       }},
      {"save as",
       [](FileFixture& f) {
         f.dialogs.saveAnswers.push_back("C:\\db\\other.sl5");
         f.adapter.Execute(CommandId::SaveAs);
       }},
      {"a save as that fails",
       [](FileFixture& f) {
         f.files.failTemporaryFile = true;
         f.dialogs.saveAnswers.push_back("C:\\db\\other.sl5");
         f.adapter.Execute(CommandId::SaveAs);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileFixture f;
    f.PutSl5(kStart, 3);
    f.Load({kStart});
    f.cursor.history.clear();
    c.run(f);
    ASSERT_FALSE(f.cursor.history.empty()) << "the hourglass never showed";
    EXPECT_EQ(f.cursor.history.front(), kCursorHourGlass);
    EXPECT_EQ(f.cursor.history.back(), kCursorDefault);
    EXPECT_EQ(f.cursor.cursor, kCursorDefault);
  }
}

// A load run inside other busy work (a drop handled while a selection
// command pumps messages) must not take the hourglass away from that work.
TEST(FileLoad, ALoadInsideBusyWorkLeavesTheHourglassOnUntilTheOuterWorkEnds) {
  FileFixture f;
  f.PutSl5("C:\\db\\drop.sl5", 3);
  f.Edit();
  int pumps = 0;
  int32_t afterLoad = kCursorDefault;
  f.views.onPump = [&] {
    if (++pumps != 2) return;  // the command's own pump, under its hourglass
    f.Drop({"C:\\db\\drop.sl5"}, {kResultNo});
    afterLoad = f.cursor.cursor;
  };
  f.adapter.Execute(CommandId::SelectAll);
  ASSERT_EQ(f.EntryCount(), 4) << "the dropped file was appended";
  EXPECT_EQ(afterLoad, kCursorHourGlass);
  EXPECT_EQ(f.cursor.cursor, kCursorDefault);
}

TEST(FileSave, ASaveAsThatFailsNamesTheChosenFileEvenWhenItsFirstReportCannotShow) {
  FileFixture f;
  f.PutSl5(kStart, 3);
  f.Load({kStart});
  f.Edit();
  f.files.failCommit = true;
  f.prompt.failingShows = 1;
  f.dialogs.saveAnswers.push_back("C:\\db\\new.sl5");
  f.adapter.Execute(CommandId::SaveAs);
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.LastText().rfind("Error while saving SL5 File: new.sl5\r", 0), 0u) << f.LastText();
  EXPECT_EQ(f.State(), (FileState{true, kStart, false, kStart}));
}

// ---- Loading ------------------------------------------------------------

TEST(FileLoad, TheOpenDialogOffersEveryFormatAndACancelChangesNothing) {
  FileFixture f;
  f.Edit();
  f.prompt.answer = kResultNo;
  f.views.progress.clear();
  f.adapter.Execute(CommandId::Load);
  ASSERT_EQ(f.dialogs.opened.size(), 1u);
  const FileDialogOptions& options = f.dialogs.opened[0];
  EXPECT_EQ(options.title, "Load ZUN File (*.sl5)");
  EXPECT_EQ(options.filter,
            "ZUN File (*.sl5)|*.sl5|SL4 File (*.sl4)|*.sl4|SL3 File (*.sl3)|*.sl3|"
            "All Files (*.sl5, *.sl4, *.sl3)|*.sl5;*.sl4;*.sl3");
  EXPECT_EQ(options.defaultExtension, "*.sl5");
  EXPECT_TRUE(options.multiSelect);
  EXPECT_EQ(f.EntryCount(), 1);
  EXPECT_EQ(f.views.progress, (std::vector<int32_t>{0}));
}

TEST(FileLoad, AnUnsuitableSingleFileIsRefusedWithOneDialog) {
  FileFixture f;
  f.PutSl5(kStart, 3);
  f.Load({kStart});
  auto other = hostside::MakeSampleDatabase(*f.game, 2, 3);
  other->NumberSets[0].SecondaryCount += 1;
  f.files.files["C:\\db\\second.sl5"] = Sl5Bytes(*other);
  f.files.files["C:\\db\\nosets.sl5"] = std::vector<uint8_t>(8, 0);  // no sets, no entries
  f.files.files["C:\\db\\upper.SL5"] = f.Sl5(2, 4);
  for (const std::string path : {"C:\\db\\second.sl5", "C:\\db\\nosets.sl5", "C:\\db\\upper.SL5"}) {
    SCOPED_TRACE(path);
    const size_t shown = f.prompt.shown.size();
    f.Load({path});
    ASSERT_EQ(f.prompt.shown.size(), shown + 1);
    EXPECT_EQ(f.LastText(), "Unable to load file:\r" + path + "\r\rFile not suitable for current Lotto.");
    EXPECT_EQ(f.prompt.shown.back().caption, "Error");
    EXPECT_EQ(f.prompt.shown.back().iconKind, kIconError);
    EXPECT_EQ(f.prompt.shown.back().buttons, (std::vector<std::string>{"&OK"}));
    EXPECT_EQ(f.EntryCount(), 3);
    EXPECT_EQ(f.State(), (FileState{false, kStart, false, kStart}));
  }
  const size_t shown = f.prompt.shown.size();
  f.Load({"C:\\db\\missing.sl5"});
  EXPECT_EQ(f.prompt.shown.size(), shown) << "a missing single file is passed over";
}

TEST(FileLoad, ADamagedFileKeepsWhatWasReadButIsNotTheCurrentFile) {
  FileFixture f;
  std::vector<uint8_t> bytes = f.Sl5(4, 5);
  bytes.resize(bytes.size() - 3);  // the last entry breaks off
  f.files.files["C:\\db\\broken.sl5"] = bytes;
  const std::vector<uint8_t> damaged = bytes;
  f.Load({"C:\\db\\broken.sl5"});
  EXPECT_NE(f.LastText().find("Error while loading database file: broken.sl5"), std::string::npos);
  EXPECT_EQ(f.EntryCount(), 3);
  EXPECT_EQ(f.Doc().List().RowCount(), 3);
  EXPECT_EQ(f.State(), (FileState{true, "", false, ""}));
  f.adapter.Execute(CommandId::Save);
  EXPECT_EQ(f.dialogs.saved.size(), 1u) << "the next save asks for a name";
  EXPECT_EQ(f.files.files["C:\\db\\broken.sl5"], damaged);
  EXPECT_NE(f.adapter.RecentFiles()[0], "C:\\db\\broken.sl5");
}

struct Limit {
  explicit Limit(size_t bytes) { allocation_limit::Set(bytes); }
  ~Limit() { allocation_limit::Lift(); }
  size_t Taken(size_t from) const { return from - allocation_limit::Left(); }
};

// Files loaded together are read into one array sized for all of them: a
// merge takes what loading each file alone takes, not the arrays of a
// growing database on top.
TEST(FileLoad, FilesLoadedTogetherAreReadIntoOneArray) {
  constexpr int32_t kEach = 20'000;
  constexpr size_t kPlenty = size_t{1} << 30;
  const std::vector<std::string> names = {"C:\\db\\a.sl5", "C:\\db\\b.sl5", "C:\\db\\c.sl5", "C:\\db\\d.sl5"};
  size_t alone = 0, together = 0;
  {
    FileFixture f;
    f.PutSl5(names[0], kEach);
    const Limit limit(kPlenty);
    f.Load({names[0]});
    alone = limit.Taken(kPlenty);
  }
  FileFixture f;
  for (const std::string& name : names) f.PutSl5(name, kEach);
  {
    const Limit limit(kPlenty);
    f.Load(names);
    together = limit.Taken(kPlenty);
  }
  ASSERT_EQ(f.EntryCount(), 4 * kEach);
  EXPECT_LT(together, 4 * alone + kEach * sizeof(TZUN_Database_Structure)) << "alone " << alone;
}

// The allocator is limited as the host's address space would be: a file
// that does not fit is refused, and the database that was open stays.
TEST(FileLoad, AFileThatDoesNotFitInMemoryIsRefusedAndTheOpenDatabaseStays) {
  FileFixture f;
  f.PutSl5(kStart, 25);
  f.Load({kStart});
  f.Edit();  // modified, and asked about before the load (No: load anyway)
  const std::vector<uint8_t> open = Sl5Bytes(*f.Doc().Database());
  const FileState before = f.State();
  f.PutSl5("C:\\db\\big.sl5", 100'000);
  {
    const Limit limit(1 << 20);  // 100,000 entries need about 7 MB
    f.prompt.answers.push_back(kResultNo);
    f.Load({"C:\\db\\big.sl5"});
  }
  EXPECT_EQ(f.LastText().find("Error while loading database file: big.sl5"), 0u) << f.LastText();
  EXPECT_EQ(Sl5Bytes(*f.Doc().Database()), open);
  EXPECT_TRUE(f.State() == before) << "still the open file, still modified";
  EXPECT_EQ(f.Doc().List().RowCount(), 26);

  f.prompt.answers.push_back(kResultNo);
  f.Load({"C:\\db\\big.sl5"});
  EXPECT_EQ(f.EntryCount(), 100'000) << "with the memory there, it loads";
}

TEST(FileLoad, OldFilesImportWithTheirNameAsSource) {
  FileFixture f;
  f.files.files["C:\\old\\draws.sl3"] = hostside::Sl3Bytes(hostside::MakeOldRecords(3, 9));
  f.Load({"C:\\old\\draws.sl3"});
  ASSERT_EQ(f.EntryCount(), 3);
  EXPECT_EQ(f.Source(0), "draws.sl3");
  EXPECT_EQ(f.adapter.RecentFiles()[0], "C:\\old\\draws.sl3");
}

TEST(FileLoad, SeveralFilesAppendWithTheirSourcesAndReportProgress) {
  FileFixture f;
  f.PutSl5("C:\\db\\a.sl5", 2, 1);
  f.PutSl5("C:\\db\\b.sl5", 3, 2);
  f.PutSl4("C:\\db\\c.sl4", 1);
  f.views.progress.clear();
  f.Load({"C:\\db\\a.sl5", "C:\\db\\b.sl5", "C:\\db\\c.sl4"});
  ASSERT_EQ(f.EntryCount(), 6);
  // Read from the last name to the first.
  EXPECT_EQ(f.Source(0), "c.sl4");
  EXPECT_EQ(f.Source(1), "b.sl5");
  EXPECT_EQ(f.Source(5), "a.sl5");
  EXPECT_EQ(f.views.progress, (std::vector<int32_t>{0, 33, 33, 67, 0}));
  EXPECT_EQ(f.adapter.RecentFiles()[0], "C:\\db\\a.sl5");
  EXPECT_EQ(f.adapter.RecentFiles()[2], "C:\\db\\c.sl4");
  EXPECT_EQ(f.cursor.cursor, kCursorDefault);
}

TEST(FileLoad, ProblemsOfSeveralFilesAreReportedTogether) {
  FileFixture f;
  f.PutSl5("C:\\db\\good.sl5", 2);
  f.files.files["C:\\db\\stub.sl5"] = {1, 0};  // not even a header
  auto unfit = hostside::MakeSampleDatabase(*f.game, 0, 3);
  unfit->NumberSets[0].NumberCount = 5;
  f.files.files["C:\\db\\unfit.sl5"] = Sl5Bytes(*unfit);
  std::vector<uint8_t> cut = f.Sl5(3, 3);
  cut.pop_back();
  f.files.files["C:\\db\\cut.sl5"] = cut;

  f.Load({"C:\\db\\good.sl5", "C:\\db\\stub.sl5"});
  EXPECT_EQ(f.LastText(),
            "File(s) not suitable for current Lotto.\rC:\\db\\stub.sl5\r\r\r"
            "Error while loading database file(s):\rC:\\db\\stub.sl5\r")
      << "an unreadable header is both unsuitable and a failure";
  EXPECT_EQ(f.EntryCount(), 2);

  f.Load({"C:\\db\\good.sl5", "C:\\db\\unfit.sl5"});
  EXPECT_EQ(f.LastText(), "Unable to load file(s):\rC:\\db\\unfit.sl5\r\rFile(s) not suitable for current Lotto.");

  f.Load({"C:\\db\\good.sl5", "C:\\db\\cut.sl5"});
  EXPECT_EQ(f.LastText(), "Error while loading database file(s):\rC:\\db\\cut.sl5\r");
  EXPECT_EQ(f.EntryCount(), 2) << "a file that broke off adds nothing";
  EXPECT_EQ(f.State().current, "C:\\db\\good.sl5");
}

// ---- Drops and reopening --------------------------------------------------

TEST(FileDrop, OnlyExistingDatabaseFilesAreTaken) {
  FileFixture f;
  f.Edit();
  f.PutSl5("C:\\db\\upper.SL5", 2);
  f.files.files["C:\\db\\notes.txt"] = {1};
  f.Drop({"C:\\db\\upper.SL5", "C:\\db\\notes.txt", "C:\\db\\gone.sl5"});
  EXPECT_TRUE(f.prompt.shown.empty()) << "nothing usable: nothing asked";
  EXPECT_EQ(f.EntryCount(), 1);
  EXPECT_EQ(f.Doc().List().RowCount(), 1);
  EXPECT_EQ(f.adapter.LastDroppedFiles().size(), 3u);
}

TEST(FileDrop, AnEmptyListIsReplacedAndAFullOneAsksHowToTakeTheFiles) {
  FileFixture f;
  f.PutSl5("C:\\db\\a.sl5", 2, 1);
  f.Drop({"C:\\db\\a.sl5"});
  EXPECT_TRUE(f.prompt.shown.empty());
  EXPECT_EQ(f.State(), (FileState{false, "C:\\db\\a.sl5", false, "C:\\db\\a.sl5"}));

  f.Drop({"C:\\db\\a.sl5"}, {kResultCancel});
  EXPECT_EQ(f.prompt.shown.back().text, "Clear current List of all Entries");
  EXPECT_EQ(f.prompt.shown.back().caption, "Confirm Clear");
  EXPECT_EQ(f.prompt.shown.back().buttons, (std::vector<std::string>{"&Yes", "&No", "&Cancel"}));
  EXPECT_EQ(f.EntryCount(), 2);

  f.Edit();
  f.Drop({"C:\\db\\a.sl5"}, {kResultYes, kResultCancel});
  EXPECT_EQ(f.prompt.shown.back().text, kQuestion) << "clearing unsaved entries asks to save first";
  EXPECT_EQ(f.EntryCount(), 3);

  f.Drop({"C:\\db\\a.sl5"}, {kResultYes, kResultNo});
  EXPECT_EQ(f.EntryCount(), 2);
  EXPECT_EQ(f.State(), (FileState{false, "C:\\db\\a.sl5", false, "C:\\db\\a.sl5"}));

  f.OfferFile("C:\\db\\a.sl5");
  f.prompt.answers = {kResultNo};
  f.OfferFile("C:\\db\\a.sl5");
  EXPECT_EQ(f.EntryCount(), 4) << "No appends";
}

// An append copies OwnPool and AuxFlag from the game's draw sets into the
// database's sets, and a save writes them: in a game whose draw set and
// play set differ there, the add-on's own file is taken back everywhere.
TEST(FileSuitability, AFileSavedWithTheDrawSetsFlagsIsTakenBackByEveryLoad) {
  auto game = hostside::MakeLotto649(3);
  game->DrawSets[0].AuxFlag = 1;
  game->DrawSets[0].OwnPool = 1;
  FileFixture f(std::move(game));
  f.Edit();
  f.Edit();
  f.dialogs.saveAnswers.push_back("C:\\db\\mine.sl5");
  f.adapter.Execute(CommandId::SaveAs);
  ASSERT_EQ(f.State().current, "C:\\db\\mine.sl5");
  ASSERT_EQ(f.Database().NumberSets[0].AuxFlag, 1) << "the draw set's flag went into the file";

  const auto menu = f.adapter.ReopenMenu();
  ASSERT_EQ(menu.size(), 1u);
  EXPECT_TRUE(menu[0].suitable);
  f.adapter.Execute(CommandId::New);
  f.adapter.Reopen(0);
  EXPECT_EQ(f.EntryCount(), 2) << "reopened";
  f.Drop({"C:\\db\\mine.sl5"}, {kResultNo});
  EXPECT_EQ(f.EntryCount(), 4) << "dropped and appended";
  f.prompt.answer = kResultNo;
  f.Load({"C:\\db\\mine.sl5", "C:\\db\\mine.sl5"});
  EXPECT_EQ(f.EntryCount(), 4) << "merged twice over";
  EXPECT_TRUE(f.prompt.shown.empty() || f.prompt.shown.back().caption != "Error")
      << f.prompt.shown.back().text;
}

// Load clears the selection before its dialog opens; a drop brings the
// list to the front before it asks whether to clear it.
TEST(FileLoad, LoadClearsTheSelectionFirstAndADropFocusesTheListFirst) {
  FileFixture f;
  f.PutSl5(kStart, 3);
  f.Load({kStart});
  f.SelectRow(1);
  int32_t selectedWhenAsked = -1;
  f.dialogs.onAsk = [&] { selectedWhenAsked = f.Doc().List().SelectedCount(); };
  f.adapter.Execute(CommandId::Load);  // cancelled
  EXPECT_EQ(selectedWhenAsked, 0);

  int focusedWhenAsked = -1;
  f.prompt.onShow = [&] { focusedWhenAsked = f.views.focused; };
  f.Drop({kStart}, {kResultCancel});
  EXPECT_EQ(focusedWhenAsked, 1);
  EXPECT_EQ(f.prompt.shown.back().caption, "Confirm Clear");
}

// Files appended to the database are no one file's content: even when the
// append took nothing, a plain save asks for a name.
TEST(FileSave, SaveAfterAnAppendingDropAsksForAName) {
  FileFixture f;
  f.PutSl5(kStart, 3);
  f.Load({kStart});
  auto unfit = hostside::MakeSampleDatabase(*f.game, 2, 3);
  unfit->NumberSets[0].HighestNumber = 45;
  f.files.files["C:\\db\\unfit.sl5"] = Sl5Bytes(*unfit);
  f.files.files["C:\\db\\unfit2.sl5"] = Sl5Bytes(*unfit);
  f.Drop({"C:\\db\\unfit.sl5", "C:\\db\\unfit2.sl5"}, {kResultNo});
  ASSERT_TRUE(f.Doc().Session().MultipleFilesLoaded());
  f.Edit();
  f.dialogs.saved.clear();
  f.adapter.Execute(CommandId::Save);
  EXPECT_EQ(f.dialogs.saved.size(), 1u) << "the name is asked for, not the start file overwritten";
}

TEST(FileReopen, ReopensARecentFileAndMovesItToTheFront) {
  FileFixture f;
  f.PutSl5("C:\\db\\a.sl5", 2, 1);
  f.PutSl5("C:\\db\\b.sl5", 3, 2);
  f.SetRecentFile(0, "C:\\db\\a.sl5");
  f.SetRecentFile(1, "C:\\db\\gone.sl5");
  f.SetRecentFile(2, "C:\\db\\b.sl5");
  f.adapter.Reopen(2);
  EXPECT_EQ(f.EntryCount(), 3);
  EXPECT_EQ(f.State(), (FileState{false, "C:\\db\\b.sl5", false, "C:\\db\\b.sl5"}));
  EXPECT_EQ(f.adapter.RecentFiles()[0], "C:\\db\\b.sl5");
  EXPECT_EQ(f.adapter.RecentFiles()[1], "C:\\db\\a.sl5");
  EXPECT_EQ(f.adapter.RecentFiles()[2], "C:\\db\\gone.sl5");

  f.adapter.Reopen(2);
  EXPECT_TRUE(f.prompt.shown.empty()) << "a file that is gone is skipped without a word";
  EXPECT_EQ(f.State().current, "C:\\db\\b.sl5");

  f.Edit();
  f.prompt.answer = kResultCancel;
  f.adapter.Reopen(1);
  EXPECT_EQ(f.EntryCount(), 4) << "Cancel stops the reopening";
}

TEST(FileCommands, TheFileCommandsComeFromTheTableAndLoadIsEnabled) {
  EXPECT_EQ(CommandForShortcut({.key = 'N', .ctrl = true})->id, CommandId::New);
  EXPECT_EQ(CommandForShortcut({.key = 'S', .ctrl = true})->id, CommandId::Save);
  EXPECT_EQ(CommandForShortcut({.key = 'L', .ctrl = true})->id, CommandId::Load);
  EXPECT_STREQ(CommandFor(CommandId::New).code, "ZUN User DBase Builder 001006");
  EXPECT_STREQ(CommandFor(CommandId::Save).code, "ZUN User DBase Builder 001006");
  EXPECT_STREQ(CommandFor(CommandId::SaveAs).code, "ZUN User DBase Builder 001007");
  EXPECT_STREQ(CommandFor(CommandId::Load).code, "ZUN User DBase Builder 001008");
  EXPECT_STREQ(CommandFor(CommandId::SaveAs).caption, "Save SL5 DBase As");
  EXPECT_STREQ(CommandFor(CommandId::Load).hint, "Open SL5 File(s)");
  EXPECT_TRUE(CommandStatesFor(CommandSituation{})[CommandId::Load].enabled);
}

}  // namespace
}  // namespace zun
