// The document on its own: the database it makes for the game, and what
// each change tells its listener.

#include "document/document.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/error_location.h"
#include "operations/entry_editing.h"
#include "support/document_fixture.h"

namespace zun {
namespace {

TEST(Document, CreatesAnEmptyDatabaseForTheGameAndKeepsTheOneBeforeAlive) {
  testing::DocumentFixture f(hostside::MakeTwinPool(3));
  ASSERT_NE(f.document.Database(), nullptr);
  EXPECT_EQ(f.Database().NumberSets.size(), 2);
  EXPECT_EQ(f.Database().Entries.size(), 0);
  EXPECT_FALSE(f.document.Session().DatabaseModified());
  EXPECT_EQ(f.document.Session().FileLabel(), "---");

  // The host may still read the database it was shown before: it stays
  // readable until the next one replaces it.
  const TZUN_User_Lotto_DBase* first = f.document.Database();
  f.document.CreateDatabase(f.files);
  EXPECT_NE(f.document.Database(), first);
  EXPECT_EQ(first->NumberSets.size(), 2);
}

TEST(Document, NoGameIsAnErrorNamingTheCreation) {
  const FixedGame none(nullptr);
  Document document(none);
  testing::MemoryFileSystem files;
  EXPECT_THROW(document.CreateDatabase(files), std::runtime_error);
  EXPECT_STREQ(ErrorLocation, "ZUN User DBase Builder 009001");
  EXPECT_EQ(document.Database(), nullptr);
}

// Which changes the listener hears of: the host republishes and the list
// repaints on entries, the list on selection, the grids on choices, the
// status panel on the session.
TEST(Document, EachChangeTellsTheListenerWhatChanged) {
  struct Case {
    const char* change;
    std::function<void(testing::DocumentFixture&)> run;
    int entries, selection, choices, session;
    bool modified;
    bool revised;  // what a check read of the entries before is stale
  };
  const Case cases[] = {
      {"a quick pick", [](auto& f) { AddQuickPickEntry(f.document, f.services); }, 1, 1, 0, 0, true, true},
      {"a complete pick added",
       [](auto& f) {
         f.Pick(0, {1, 2, 3, 4, 5, 6});
         f.changes = {};
         f.document.AddEntryFromChoices();
       },
       1, 1, 0, 0, true, true},
      {"an incomplete pick adds nothing",
       [](auto& f) {
         f.Pick(0, {1, 2});
         f.changes = {};
         f.document.AddEntryFromChoices();
       },
       0, 0, 0, 0, false, false},
      {"a row selected", [](auto& f) { f.document.SelectRows(1, 1, true); }, 0, 1, 0, 0, false, false},
      {"a header clicked", [](auto& f) { f.document.ClickColumn(1); }, 1, 0, 0, 0, false, false},
      {"a ball chosen", [](auto& f) { f.Pick(0, {7}); }, 0, 0, 1, 0, false, false},
      {"a ball that cannot be chosen", [](auto& f) { f.document.ChooseCell(0, {9, 9}); }, 0, 0, 0, 0, false, false},
      {"the sources stamped", [](auto& f) { f.document.StampSources("a.sl5"); }, 1, 0, 0, 0, false, false},
      {"saved as", [](auto& f) { f.document.SavedAs("C:\\a.sl5"); }, 0, 0, 0, 1, false, false},
      {"new", [](auto& f) { f.document.NewDatabase(); }, 1, 1, 1, 1, false, true},
      {"entries selected by position", [](auto& f) { f.document.SelectEntries(std::vector<int32_t>{2}); }, 0, 1, 1, 0,
       false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    testing::DocumentFixture f;
    f.LoadSample(3);
    f.changes = {};
    const uint64_t revision = f.document.EntriesRevision();
    c.run(f);
    EXPECT_EQ(f.document.EntriesRevision() != revision, c.revised);
    EXPECT_EQ(f.changes.entries, c.entries);
    EXPECT_EQ(f.changes.selection, c.selection);
    EXPECT_EQ(f.changes.choices, c.choices);
    EXPECT_EQ(f.changes.session, c.session);
    EXPECT_EQ(f.document.Session().DatabaseModified(), c.modified);
  }
}

// A delete the history cannot hold deletes all the same, and the history
// before it goes: undo would lead elsewhere than to what was there.
TEST(Document, ADeleteTooBigForTheHistoryEndsTheHistory) {
  testing::DocumentFixture f;
  f.LoadSample(10);
  const size_t oneEntry = EntryStep::RemovedBytes(1, f.Database().Entries[0].Numbers.MemoryBytes());
  f.document.LimitHistory(8, oneEntry + 64);  // a step of one entry and its name fits, of two not
  const std::string last = EntryColumnText(f.Database(), 9, 1);
  f.document.SelectRows(0, 0, true);
  EXPECT_EQ(f.document.DeleteSelected("Delete"), 1);
  EXPECT_EQ(f.document.UndoName(), "Delete Entry");

  f.document.SelectRows(2, 3, true);
  f.changes = {};
  EXPECT_EQ(f.document.DeleteSelected("Delete"), 2);
  EXPECT_EQ(f.Database().Entries.size(), 7);
  EXPECT_EQ(EntryColumnText(f.Database(), 6, 1), last);
  EXPECT_EQ(f.document.List().RowCount(), 7);
  EXPECT_EQ(f.document.List().SelectedCount(), 0);
  EXPECT_EQ(f.document.UndoName(), "");
  EXPECT_FALSE(f.document.Journal().CanUndo());
  EXPECT_TRUE(f.document.Session().DatabaseModified());
  EXPECT_EQ(f.changes.entries, 1);
  EXPECT_EQ(f.changes.selection, 1);
}

}  // namespace
}  // namespace zun
