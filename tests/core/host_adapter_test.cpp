// The add-on's core without windows: start-up in the host's order, the
// commands run through the table, the close, all on fakes of the ports.

#include "core/host_adapter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "hostside/sample_games.h"
#include "model/sl5_file.h"
#include "support/adapter_fixture.h"

namespace zun {
namespace {

// The core on fakes, plus the numbers of an entry as plain bytes.
struct AdapterFixture : testing::AdapterFixture {
  using testing::AdapterFixture::AdapterFixture;
  std::vector<int8_t> Numbers(int32_t entry, int32_t set = 0) const {
    const auto numbers = Database().Entries[entry].Numbers[set];
    return {numbers.begin(), numbers.end()};
  }
};

TEST(HostAdapterStart, RunsTheStepsInTheHostsOrderAndPublishesAnEmptyDatabase) {
  AdapterFixture f;
  f.windows.onCreateWindows = [&] {
    EXPECT_EQ(f.adapter.Slots().AttachedCount(), 0) << "the windows come before the slots";
    f.adapter.LoadSettings();
  };
  EXPECT_EQ(f.Start(), 1);
  EXPECT_EQ(f.windows.steps, (std::vector<std::string>{"destroy windows", "create windows", "hand over window",
                                                     "build game views", "show", "announce"}));
  EXPECT_EQ(f.adapter.Slots().AttachedCount(), 6);
  ASSERT_NE(f.Doc().Database(), nullptr);
  EXPECT_EQ(f.adapter.Slots().PublishedUserDatabase(), f.Doc().Database());
  EXPECT_EQ(f.Database().Entries.size(), 0);
  EXPECT_EQ(f.Doc().Choices().SetCount(), 1) << "choices sized for the game's play sets";
  EXPECT_FALSE(f.views.Enabled(CommandId::Add));
  EXPECT_EQ(f.adapter.Errors().HostFolder(), "C:\\Host");
  EXPECT_EQ(f.adapter.Errors().HostPrefix(), "Test ");
}

TEST(HostAdapterStart, AnotherVersionIsRefusedWithNothingMadeOrAttached) {
  AdapterFixture f;
  EXPECT_EQ(f.adapter.Start("C:\\Host", "Test ", "0.390"), 0);
  EXPECT_EQ(f.windows.steps,
            (std::vector<std::string>{"refuse Error in User DBase Builder: ZUN Version does not match\r0.39 :: 0.390"}));
  EXPECT_EQ(f.adapter.Slots().AttachedCount(), 0);
  EXPECT_EQ(f.Doc().Database(), nullptr);
}

TEST(HostAdapterStart, ASlotThatCannotBeOpenedRefusesTheStartWithAReport) {
  AdapterFixture f;
  f.memory.failOn = "Track_DragDrop";
  EXPECT_EQ(f.Start(), 0);
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].text.substr(0, 34), "Error Creating Memmory Map File...");
  EXPECT_EQ(f.windows.steps.back(), "destroy windows");
  EXPECT_EQ(f.adapter.Slots().AttachedCount(), 0);
  EXPECT_EQ(f.Doc().Database(), nullptr);
}

TEST(HostAdapterStart, AFailingStepShowsItsErrorAndUndoesTheStart) {
  AdapterFixture f;
  f.windows.failAt = "build game views";
  EXPECT_EQ(f.Start(), 0);
  EXPECT_EQ(f.windows.shownError, "Error in Plugin_ZUN: cannot build game views");
  EXPECT_EQ(f.windows.steps.back(), "destroy windows");
  EXPECT_EQ(f.adapter.Slots().AttachedCount(), 0);
}

// After a start that failed, the windows are gone: nothing the core does
// later may reach the views they had handed over.
TEST(HostAdapterStart, AFailedStartLetsGoOfTheViewsOfTheWindowsItDestroyed) {
  struct Case {
    const char* name;
    std::function<void(AdapterFixture&)> spoil;
  };
  const Case cases[] = {
      {"a failing step", [](AdapterFixture& f) { f.windows.failAt = "build game views"; }},
      {"a slot that cannot be opened", [](AdapterFixture& f) { f.memory.failOn = "Track_DragDrop"; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AdapterFixture f;
    f.files.files["C:\\db\\a.sl5"] = {1, 2, 3};
    c.spoil(f);
    ASSERT_EQ(f.Start(), 0);
    ASSERT_EQ(f.windows.steps.back(), "destroy windows");
    const size_t buttons = f.views.commandStates.size();
    const int rows = f.views.rowChanges, repaints = f.views.gridRepaints, pumps = f.views.pumps;
    const size_t progress = f.views.progress.size();

    f.adapter.FilesDropped({"C:\\db\\a.sl5"});
    f.adapter.Execute(CommandId::QuickPick);
    f.adapter.Execute(CommandId::Clear);
    f.adapter.BallCellChosen(0, {0, 0});
    f.adapter.ColumnClicked(1);
    EXPECT_EQ(f.views.commandStates.size(), buttons);
    EXPECT_EQ(f.views.rowChanges, rows);
    EXPECT_EQ(f.views.gridRepaints, repaints);
    EXPECT_EQ(f.views.pumps, pumps);
    EXPECT_EQ(f.views.progress.size(), progress);
  }
}

TEST(HostAdapterStart, AStartFromInsideTheStartIsRefused) {
  AdapterFixture f;
  uint8_t inner = 9;
  f.windows.onCreateWindows = [&] { inner = f.adapter.Start("C:\\Host", "Test ", "0.39"); };
  EXPECT_EQ(f.Start(), 1);
  EXPECT_EQ(inner, 0);
}

TEST(HostAdapterEditing, AddTakesOnlyCompletePicksAndStoresThemAscending) {
  AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  f.Pick(0, {22, 3, 17, 49, 1});
  EXPECT_FALSE(f.views.Enabled(CommandId::Add));
  f.adapter.Execute(CommandId::Add);
  EXPECT_EQ(f.Database().Entries.size(), 0) << "five picks store no entry with a zero in it";
  EXPECT_EQ(f.adapter.CanClose(), 1);

  f.Pick(0, {30});
  EXPECT_TRUE(f.views.Enabled(CommandId::Add));
  EXPECT_FALSE(f.views.Enabled(CommandId::Apply)) << "nothing selected";
  f.adapter.Execute(CommandId::Add);
  ASSERT_EQ(f.Database().Entries.size(), 1);
  EXPECT_EQ(f.Numbers(0), (std::vector<int8_t>{1, 3, 17, 22, 30, 49}));
  EXPECT_EQ(f.Database().Entries[0].Source.view(), "");
  EXPECT_TRUE(f.Doc().Session().DatabaseModified());
  EXPECT_EQ(f.views.rowCount, 1);
  EXPECT_EQ(f.adapter.CanClose(), 0) << "unsaved entries are not thrown away";
}

TEST(HostAdapterEditing, ApplyRewritesTheSelectedEntryAndDeleteAsksFirst) {
  AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  f.Pick(0, {1, 2, 3, 4, 5, 6});
  f.adapter.Execute(CommandId::Add);
  f.adapter.Execute(CommandId::QuickPick);
  ASSERT_EQ(f.Database().Entries.size(), 2);

  f.SelectRow(1);
  const std::vector<int8_t> picked = f.Numbers(1);
  EXPECT_EQ(f.Doc().Choices().Chosen(0), std::vector<int32_t>(picked.begin(), picked.end()))
      << "one selected row shows its entry on the grids";
  EXPECT_TRUE(f.views.Enabled(CommandId::Apply));
  EXPECT_TRUE(f.views.Enabled(CommandId::Delete));
  f.adapter.Execute(CommandId::Clear);
  f.Pick(0, {44, 45, 46, 47, 48, 49});
  f.adapter.Execute(CommandId::Apply);
  EXPECT_EQ(f.Numbers(1), (std::vector<int8_t>{44, 45, 46, 47, 48, 49}));
  EXPECT_EQ(f.Database().Entries[1].Source.view(), "") << "an applied entry is the user's own";

  f.prompt.answer = kResultNo;
  f.adapter.Execute(CommandId::Delete);
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].text, "Are you Sure you want to delete this Entry?");
  EXPECT_EQ(f.prompt.shown[0].caption, "Confirm Deletion");
  EXPECT_EQ(f.prompt.shown[0].results, (std::vector<int32_t>{kResultYes, kResultNo}));
  EXPECT_EQ(f.Database().Entries.size(), 2) << "No changes nothing";

  f.adapter.Execute(CommandId::SelectAll);
  f.prompt.answer = kResultYes;
  f.adapter.Execute(CommandId::Delete);
  EXPECT_EQ(f.prompt.shown.back().text, "Are you Sure you want to delete all selected Entries?");
  EXPECT_EQ(f.Database().Entries.size(), 0);
  EXPECT_EQ(f.Doc().Choices().ChosenCount(0), 0) << "the grids are cleared after a deletion";
  EXPECT_TRUE(f.Doc().Session().DatabaseModified());

  const size_t asked = f.prompt.shown.size();
  f.adapter.Execute(CommandId::Delete);
  EXPECT_EQ(f.prompt.shown.size(), asked) << "no question without a selection";
}

TEST(HostAdapterEditing, QuickPickDisablesItsButtonWhileItRunsAndMarksItsSource) {
  AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  f.views.commandStates.clear();
  f.adapter.Execute(CommandId::QuickPick);
  ASSERT_EQ(f.Database().Entries.size(), 1);
  EXPECT_EQ(f.Database().Entries[0].Source.view(), "Quick Pick");
  ASSERT_GE(f.views.commandStates.size(), 2u);
  EXPECT_FALSE(f.views.commandStates.front()[CommandId::QuickPick].enabled) << "disabled while it runs";
  EXPECT_TRUE(f.views.Enabled(CommandId::QuickPick)) << "enabled again afterwards";
}

TEST(HostAdapterEditing, AGameThatAdmitsNoQuickPickIsReportedAndAddsNothing) {
  auto game = hostside::MakeLotto649(3);
  game->PlaySets[0].NumberCount = 50;  // more numbers than balls
  AdapterFixture f(std::move(game));
  ASSERT_EQ(f.Start(), 1);
  f.adapter.Execute(CommandId::QuickPick);
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].caption, "Error");
  EXPECT_NE(f.prompt.shown[0].text.find("Error while generating QP entries.\rNo quick pick is possible: "),
            std::string::npos)
      << "the reason follows on its own line: " << f.prompt.shown[0].text;
  EXPECT_NE(f.prompt.shown[0].text.find("asks for 50 numbers but has only 49 balls."), std::string::npos);
  EXPECT_NE(f.prompt.shown[0].text.find("Ref: ZUN User DBase Builder 009009"), std::string::npos);
  EXPECT_EQ(f.Database().Entries.size(), 0);
  EXPECT_TRUE(f.views.Enabled(CommandId::QuickPick)) << "enabled again after the failure";
  EXPECT_EQ(f.cursor.cursor, kCursorDefault);
}

TEST(HostAdapterEditing, ApplySortIsOfferedOnlyOutOfNaturalOrderAndKeepsTheModifiedFlag) {
  AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  EXPECT_FALSE(f.adapter.CurrentCommandStates()[CommandId::SelectAll].enabled);
  for (int i = 0; i < 5; ++i) f.adapter.Execute(CommandId::QuickPick);
  EXPECT_TRUE(f.adapter.CurrentCommandStates()[CommandId::SelectAll].enabled);
  EXPECT_FALSE(f.adapter.CurrentCommandStates()[CommandId::ApplySort].shown);
  f.adapter.ColumnClicked(1);
  EXPECT_TRUE(f.adapter.CurrentCommandStates()[CommandId::ApplySort].shown);
  std::vector<std::vector<int8_t>> shown;
  for (int32_t row = 0; row < 5; ++row) shown.push_back(f.Numbers(f.Doc().List().EntryAt(row)));
  f.adapter.Execute(CommandId::ApplySort);
  EXPECT_FALSE(f.adapter.CurrentCommandStates()[CommandId::ApplySort].shown);
  for (int32_t e = 0; e < 5; ++e) EXPECT_EQ(f.Numbers(e), shown[static_cast<size_t>(e)]);
  EXPECT_TRUE(f.Doc().Session().DatabaseModified()) << "the quick picks were unsaved before and still are";
}

TEST(HostAdapterEditing, TheEnablingStepGivesItsCallersCodeBackAndAskingForTheStatesMovesNone) {
  AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  EnterOperation(codes::kRefreshReopenMenu);
  f.adapter.UpdateCommandBar();
  EXPECT_STREQ(ErrorLocation, codes::kRefreshReopenMenu) << "not the grids' code it passed through, nor its own";
  static_cast<void>(f.adapter.CurrentCommandStates());  // a menu opening
  EXPECT_STREQ(ErrorLocation, codes::kRefreshReopenMenu);
}

// Every failure a user can meet is shown and logged with its message and
// the code of the step that failed: the "Ref:" line is what support reads.
// Each case breaks one thing through the fakes and runs the event or
// command through the adapter.
struct FailureCase {
  const char* name;
  int entries;                                   // quick picks made before
  std::function<void(AdapterFixture&)> spoil;       // what breaks
  std::function<void(AdapterFixture&)> run;         // the event or command
  std::string message;                           // as given to the report
  const char* code;                              // ErrorLocation when it failed
};

struct FailureFixture : AdapterFixture {
  // The host takes its game away: the slot holds a null pointer.
  void EmptyGameSlot() { std::memset(memory.blocks["ZUN_Mem_Map"].data(), 0, sizeof(void*)); }
};

void RunCommand(CommandId id, AdapterFixture& f) { f.adapter.Execute(id); }

std::string CsvHeaderOf(const TZUN_Lotto_DBase& game) {
  std::string header = "\"Seq.\"";
  for (const auto& set : game.PlaySets)
    for (int32_t k = 1; k <= set.NumberCount; ++k)
      header += ";\"" + std::string(set.SetName.view()) + "_" + std::to_string(k) + "\"";
  return header + "\r\n";
}

TEST(HostAdapterFailures, EachFailureReportsItsMessageAndTheCodeOfTheStepThatFailed) {
  const auto emptySlot = [](AdapterFixture& f) { static_cast<FailureFixture&>(f).EmptyGameSlot(); };
  const auto failingPrompt = [](AdapterFixture& f) { f.prompt.failingShows = 1; };
  const auto selectRows = [](std::initializer_list<int32_t> rows) {
    return [rows](AdapterFixture& f) {
      for (int32_t row : rows) f.SelectRow(row);
    };
  };
  const auto saveAs = [](const char* path) {
    return [path](AdapterFixture& f) { static_cast<FailureFixture&>(f).dialogs.saveAnswers.push_back(path); };
  };
  const auto both = [](std::function<void(AdapterFixture&)> a, std::function<void(AdapterFixture&)> b) {
    return [a, b](AdapterFixture& f) {
      a(f);
      b(f);
    };
  };
  // The game's template, beside the game file the fixture publishes.
  const auto named = hostside::MakeLotto649(3);
  named->FileName = "C:\\Games\\Game.dat";
  const std::string templatePath = named->HtmlPath("User_DBase_Builder_List.html");
  const auto withTemplate = [templatePath](const std::string& text) {
    return [templatePath, text](AdapterFixture& f) {
      f.files.files[templatePath].assign(text.begin(), text.end());
      static_cast<FailureFixture&>(f).dialogs.saveAnswers.push_back("C:\\out\\list.html");
    };
  };
  const std::string html = "Error saving to HTML File: ";

  const FailureCase cases[] = {
      // The command bar.
      {"add without a game", 0, emptySlot, [](AdapterFixture& f) { RunCommand(CommandId::Add, f); },
       "Error while adding your Lotto Numbers.", "ZUN User DBase Builder 009002"},
      {"clear without a game", 0, emptySlot, [](AdapterFixture& f) { RunCommand(CommandId::Clear, f); },
       "Error while adding your Lotto Numbers.", "ZUN User DBase Builder 003017"},
      {"apply without a game", 1, both(selectRows({0}), emptySlot), [](AdapterFixture& f) { RunCommand(CommandId::Apply, f); },
       "Error while applying changes.", "ZUN User DBase Builder 009005"},
      {"delete one, the question fails", 2, both(selectRows({1}), failingPrompt),
       [](AdapterFixture& f) { RunCommand(CommandId::Delete, f); }, "Error while deleting Entry.",
       "ZUN User DBase Builder 001004"},
      {"delete two, the question fails", 2, both(selectRows({0, 1}), failingPrompt),
       [](AdapterFixture& f) { RunCommand(CommandId::Delete, f); }, "Error while deleting Entries.",
       "ZUN User DBase Builder 001004"},
      // Deleted, then the grids cannot be cleared: nothing is selected any more.
      {"delete one, then no game to clear", 2,
       both(selectRows({1}), both(emptySlot, [](AdapterFixture& f) { f.prompt.answer = kResultYes; })),
       [](AdapterFixture& f) { RunCommand(CommandId::Delete, f); }, "Error while deleting Entries.",
       "ZUN User DBase Builder 003017"},
      {"quick pick without a game", 0, emptySlot, [](AdapterFixture& f) { RunCommand(CommandId::QuickPick, f); },
       "Error while generating QP entries.", "ZUN User DBase Builder 009008"},
      {"new, the save question fails", 1, failingPrompt, [](AdapterFixture& f) { RunCommand(CommandId::New, f); },
       "Error while creating a new SL5 File.", "ZUN User DBase Builder 009010"},
      // Cleared, then the repaint fails: the clearing step's code, though the
      // choices' reset ran inside it and the step never named itself again.
      {"new, then the grids cannot be repainted", 1,
       [](AdapterFixture& f) {
         f.prompt.answer = kResultNo;
         f.views.failRepaints = true;
       },
       [](AdapterFixture& f) { RunCommand(CommandId::New, f); }, "Error while creating a new SL5 File.",
       "ZUN User DBase Builder 003017"},
      {"new without a game to clear", 1, both(emptySlot, [](AdapterFixture& f) { f.prompt.answer = kResultNo; }),
       [](AdapterFixture& f) { RunCommand(CommandId::New, f); }, "Error while creating a new SL5 File.",
       "ZUN User DBase Builder 003017"},
      {"save as, the disk takes nothing", 1,
       both(saveAs("C:\\db\\new.sl5"), [](AdapterFixture& f) { f.files.failWritesAfter = 0; }),
       [](AdapterFixture& f) { RunCommand(CommandId::SaveAs, f); }, "Error while saving SL5 File: new.sl5",
       "ZUN Builder SubMain-Files 001001"},
      {"save, the disk takes nothing", 1,
       [](AdapterFixture& f) {
         static_cast<FailureFixture&>(f).dialogs.saveAnswers.push_back("C:\\db\\mine.sl5");
         f.adapter.Execute(CommandId::SaveAs);
         f.adapter.Execute(CommandId::QuickPick);
         f.files.failWritesAfter = 0;
       },
       [](AdapterFixture& f) { RunCommand(CommandId::Save, f); }, "Error while saving SL5 File: mine.sl5",
       "ZUN Builder SubMain-Files 001001"},
      {"load, the save question fails", 1, failingPrompt, [](AdapterFixture& f) { RunCommand(CommandId::Load, f); },
       "Error while opening an SL File.", "ZUN User DBase Builder 009010"},
      {"reopen, the save question fails", 1,
       both(failingPrompt,
            [](AdapterFixture& f) {
              f.files.files["C:\\db\\old.sl5"] = {1};
              f.SetRecentFile(0, "C:\\db\\old.sl5");
            }),
       [](AdapterFixture& f) { f.adapter.Reopen(0); }, "Error while opening SL5 File.", "ZUN User DBase Builder 009010"},
      // The list's popup.
      {"select all, one row to show without a game", 1, emptySlot,
       [](AdapterFixture& f) { RunCommand(CommandId::SelectAll, f); }, "Error Selecting all Lotto Entries.",
       "ZUN User DBase Builder 003016"},
      {"select even, one row to show without a game", 2, emptySlot,
       [](AdapterFixture& f) { RunCommand(CommandId::SelectEven, f); }, "Error Selecting Even Lotto Entries.",
       "ZUN User DBase Builder 003016"},
      {"select odd, one row to show without a game", 2, emptySlot,
       [](AdapterFixture& f) { RunCommand(CommandId::SelectOdd, f); }, "Error Selecting Odd Lotto Entries.",
       "ZUN User DBase Builder 003016"},
      {"invert, one row to show without a game", 1, emptySlot,
       [](AdapterFixture& f) { RunCommand(CommandId::InvertSelection, f); }, "Error inverting Selecting Lotto Entries.",
       "ZUN User DBase Builder 003016"},
      // The CSV export: creating the file, its header line, its entry lines.
      {"csv, no file can be made", 2,
       both(saveAs("C:\\out\\picks.csv"), [](AdapterFixture& f) { f.files.failTemporaryFile = true; }),
       [](AdapterFixture& f) { RunCommand(CommandId::ExportCsv, f); }, "Error saving to CSV File: picks.csv",
       "ZUN DBaseBuilder 008016"},
      {"csv, the header cannot be written", 2,
       both(saveAs("C:\\out\\picks.csv"), [](AdapterFixture& f) { f.files.failWritesAfter = 0; }),
       [](AdapterFixture& f) { RunCommand(CommandId::ExportCsv, f); }, "Error saving to CSV File: picks.csv",
       "ZUN DBaseBuilder 008017"},
      {"csv, the entries cannot be written", 2,
       both(saveAs("C:\\out\\picks.csv"),
            [](AdapterFixture& f) { f.files.failWritesAfter = static_cast<long>(CsvHeaderOf(*f.game).size()); }),
       [](AdapterFixture& f) { RunCommand(CommandId::ExportCsv, f); }, "Error saving to CSV File: picks.csv",
       "ZUN DBaseBuilder 008018"},
      // The HTML export: the template, a tag, a list column joined.
      {"html, the template cannot be read", 2,
       both(withTemplate("<#DBase_Seq>"), [templatePath](AdapterFixture& f) { f.files.unreadable.insert(templatePath); }),
       [](AdapterFixture& f) { RunCommand(CommandId::ExportHtml, f); }, html + templatePath,
       "ZUN DBaseBuilder List HTML 001001"},
      {"html, a tag's Level is no number", 2, withTemplate("<p><#DBase_Seq><#DBase_Numbers_Caption Level=x></p>"),
       [](AdapterFixture& f) { RunCommand(CommandId::ExportHtml, f); },
       html + templatePath + "\rThe tag <#DBase_Numbers_Caption> has a Level that is not a whole number: \"x\"",
       "ZUN DBaseBuilder List HTML 001001"},
      {"html, the page after a listed column cannot be written", 2,
       both(withTemplate("<#Lotto_DBase_Caption><#DBase_File_Name>"),
            [](AdapterFixture& f) { f.files.failCommit = true; }),
       [](AdapterFixture& f) { RunCommand(CommandId::ExportHtml, f); }, html + "C:\\out\\list.html",
       "ZUN DBaseBuilder List HTML 001002"},
      {"html, the page after a plain tag cannot be written", 2,
       both(withTemplate("<#DBase_Seq><#Lotto_DBase_Caption>"), [](AdapterFixture& f) { f.files.failCommit = true; }),
       [](AdapterFixture& f) { RunCommand(CommandId::ExportHtml, f); }, html + "C:\\out\\list.html",
       "ZUN DBaseBuilder List HTML 001001"},
      // Events of the grids and the list, drops, the close.
      {"a ball clicked without a game", 0, emptySlot, [](AdapterFixture& f) { f.adapter.BallCellChosen(0, {0, 0}); },
       "Error while selecting Winning Lotto Numbers.", "ZUN User DBase Builder 003004"},
      {"one row selected without a game", 2, emptySlot, [](AdapterFixture& f) { f.SelectRow(1); },
       "Error while Displaying your Lotto Numbers.", "ZUN User DBase Builder 003016"},
      // The entry shown (the grids reset inside), then the repaint fails.
      {"one row shown, then the grids cannot be repainted", 2,
       [](AdapterFixture& f) { f.views.failRepaints = true; }, [](AdapterFixture& f) { f.SelectRow(1); },
       "Error while Displaying your Lotto Numbers.", "ZUN User DBase Builder 003016"},
      {"files dropped, the clear question fails", 1,
       both(failingPrompt, [](AdapterFixture& f) { f.files.files["C:\\db\\drop.sl5"] = {1}; }),
       [](AdapterFixture& f) { f.adapter.FilesDropped({"C:\\db\\drop.sl5"}); },
       "Error while adding Entries from File Manager.", "ZUN User DBase Builder 009025-B"},
      {"a file offered, the clear question fails", 1,
       both(failingPrompt, [](AdapterFixture& f) { f.files.files["C:\\db\\drop.sl5"] = {1}; }),
       [](AdapterFixture& f) { f.OfferFile("C:\\db\\drop.sl5"); },
       "Error while adding Entries from File DragDrop.", "ZUN User DBase Builder 009027"},
      {"the settings cannot be written", 0, [](AdapterFixture& f) { f.profile.failWrites = true; },
       [](AdapterFixture& f) { f.adapter.CloseForGood(true, WindowGeometry{}); }, "Error while Saving ZUN Settings.",
       "ZUN User DBase Builder 004004"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    FailureFixture f;
    ASSERT_EQ(f.Start(), 1);
    for (int i = 0; i < c.entries; ++i) f.adapter.Execute(CommandId::QuickPick);
    c.spoil(f);
    f.prompt.shown.clear();
    f.files.files.erase("C:\\Host\\zun.log");

    c.run(f);
    if (f.prompt.shown.empty()) {
      ADD_FAILURE() << "nothing was reported";
      continue;
    }
    const auto& shown = f.prompt.shown.back();
    EXPECT_EQ(shown.caption, "Error");
    EXPECT_EQ(shown.text, c.message + "\rRef: " + c.code + "\rPlease contact ZUN Developer.");
    const auto& log = f.files.files["C:\\Host\\zun.log"];
    EXPECT_EQ(std::string(log.begin(), log.end()),
              "Test \r\n" + f.clock.text + "\r\n" + c.message + "\r\nRef: " + c.code + "\r\n\r\n");
    EXPECT_EQ(f.cursor.cursor, kCursorDefault);
  }
}

TEST(HostAdapterLifeCycle, TheCloseWritesTheSettingsDetachesAndStopsLateEvents) {
  AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  f.adapter.Execute(CommandId::QuickPick);
  f.SelectRow(0);
  f.SetRecentFile(0, "C:\\picks\\mine.sl5");
  WindowGeometry live;
  live.Left = 120;
  f.adapter.OrderClose();
  f.adapter.CloseForGood(true, live);
  const auto setting = [&](const char* key) {
    return f.profile.values[{"C:\\Host\\User_DBase_Builder.ini", "Test ZUN Plugins", key}];
  };
  EXPECT_EQ(setting("Left"), "120");
  EXPECT_EQ(setting("Fast Load 1"), "C:\\picks\\mine.sl5");
  EXPECT_EQ(f.Doc().List().SelectedCount(), 0);
  EXPECT_EQ(f.adapter.Slots().AttachedCount(), 0);

  f.SelectRow(0);
  const int repaints = f.views.gridRepaints;
  f.adapter.Execute(CommandId::QuickPick);
  EXPECT_EQ(f.views.gridRepaints, repaints) << "a selection change while closing does nothing";
  EXPECT_EQ(f.Database().Entries.size(), 1) << "a command while closing does nothing";
}

TEST(HostAdapterLifeCycle, ACloseOrderedWhileACommandLetsMessagesRunStopsThatCommand) {
  AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  f.adapter.Execute(CommandId::QuickPick);
  ASSERT_EQ(f.Database().Entries.size(), 1);
  f.views.onPump = [&] { f.adapter.OrderClose(); };  // message 0x591 waited in the queue
  f.adapter.Execute(CommandId::QuickPick);
  EXPECT_EQ(f.Database().Entries.size(), 1);
  f.adapter.Execute(CommandId::New);
  EXPECT_EQ(f.Database().Entries.size(), 1);
  EXPECT_TRUE(f.prompt.shown.empty());
}

// A close for good that arrives while Reopen lets messages run stops it:
// no save question, no load against slots that are gone.
TEST(HostAdapterLifeCycle, ACloseOrderedWhileReopenLetsMessagesRunStopsIt) {
  AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  f.files.files["C:\\db\\a.sl5"] = Sl5Bytes(*hostside::MakeSampleDatabase(*f.game, 2, 1));
  f.SetRecentFile(0, "C:\\db\\a.sl5");
  f.adapter.Execute(CommandId::QuickPick);  // unsaved: Reopen would ask
  f.views.onPump = [&] { f.adapter.OrderClose(); };
  f.adapter.Reopen(0);
  EXPECT_TRUE(f.prompt.shown.empty());
  EXPECT_EQ(f.Database().Entries.size(), 1);
}

// Starting again destroys the old windows: their views are let go first,
// so a message handled while the new main window reports a settings error
// (a drop the host forwards) reaches no view that is gone.
TEST(HostAdapterLifeCycle, AStartAgainLetsGoOfTheOldViewsBeforeTheWindowsGo) {
  AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  f.files.files["C:\\db\\a.sl5"] = Sl5Bytes(*hostside::MakeSampleDatabase(*f.game, 2, 1));
  testing::RecordingViews old;  // the first windows' views
  f.adapter.SetViews(old.All());
  f.windows.onDestroyWindows = [&] { old.failRepaints = true; };
  f.windows.onCreateWindows = [&] { f.adapter.FilesDropped({"C:\\db\\a.sl5"}); };
  const int rowChanges = old.rowChanges, repaints = old.gridRepaints, pumps = old.pumps;
  ASSERT_EQ(f.Start(), 1);
  EXPECT_EQ(f.Database().Entries.size(), 0) << "the new start made a new database after the drop";
  EXPECT_EQ(old.rowChanges, rowChanges);
  EXPECT_EQ(old.gridRepaints, repaints);
  EXPECT_EQ(old.pumps, pumps);
  EXPECT_EQ(old.focused, 0);
}

// The close steps in their order, the platform's share included.
TEST(HostAdapterLifeCycle, TheCloseStepsRunInOrder) {
  AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  f.windows.steps.clear();
  f.adapter.OrderClose();
  f.adapter.CloseForGood(true, WindowGeometry{});
  EXPECT_EQ(f.windows.steps, (std::vector<std::string>{"free game views", "release message dialog"}));
  EXPECT_EQ(f.adapter.Slots().AttachedCount(), 0);
}

TEST(HostAdapterLifeCycle, AHeaderClickRevealsTheSelectedRow) {
  AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  for (int i = 0; i < 20; ++i) f.adapter.Execute(CommandId::QuickPick);
  f.SelectRow(3);
  const int32_t entry = f.Doc().List().EntryAt(3);
  f.adapter.ColumnClicked(0);
  ASSERT_FALSE(f.views.revealed.empty());
  EXPECT_EQ(f.Doc().List().EntryAt(f.views.revealed.back()), entry);
  EXPECT_EQ(f.views.revealed.back(), 16) << "Seq. descending puts entry 3 at row 16";
}

}  // namespace
}  // namespace zun
