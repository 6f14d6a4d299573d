// The editing operations on a document of their own: what each does to the
// session's modified flag and to a database that did not come from them.

#include "operations/entry_editing.h"

#include <gtest/gtest.h>

#include "support/document_fixture.h"

namespace zun {
namespace {

TEST(EntryEditing, EveryEditMarksTheDatabaseModifiedAndNothingElseDoes) {
  {
    testing::DocumentFixture f;
    f.LoadSample(4);
    f.document.ShowSelectedEntry();
    f.document.ClearChoices();
    EXPECT_EQ(f.document.DeleteSelected(), 0) << "nothing selected, nothing deleted";
    EXPECT_FALSE(f.document.Session().DatabaseModified()) << "showing, clearing and an empty delete change nothing";
    f.document.SelectRows(2, 2, true);
    EXPECT_EQ(f.document.DeleteSelected(), 1);
    EXPECT_TRUE(f.document.Session().DatabaseModified());
    EXPECT_EQ(f.document.List().RowCount(), 3);
  }
  {
    testing::DocumentFixture f;
    f.LoadSample(2);
    f.document.SelectRows(0, 0, true);
    f.document.ShowSelectedEntry();
    ApplySelectionToEntry(f.document, f.services);
    EXPECT_TRUE(f.document.Session().DatabaseModified()) << "applying a complete pick is an edit";
  }
  {
    testing::DocumentFixture f;
    AddQuickPickEntry(f.document, f.services);
    EXPECT_TRUE(f.document.Session().DatabaseModified());
  }
}

TEST(EntryEditing, ApplyGivesAnEntryOfAnotherShapeTheGamesShapeFirst) {
  testing::DocumentFixture f;
  f.LoadSample(1);
  {
    Document::Load load(f.document, false);
    const int32_t shortShape[] = {3};
    load.ReadInPlace([&](TZUN_User_Lotto_DBase& database) { database.SizeEntry(0, shortShape); });  // as a damaged file could leave it
  }
  f.Pick(0, {5, 9, 40, 41, 42, 49});
  f.document.SelectRows(0, 0, true);
  ApplySelectionToEntry(f.document, f.services);
  const auto numbers = f.Database().Entries[0].Numbers[0];
  EXPECT_EQ(std::vector<int8_t>(numbers.begin(), numbers.end()), (std::vector<int8_t>{5, 9, 40, 41, 42, 49}));
  EXPECT_EQ(f.views.revealed.size(), 1u) << "the applied row is scrolled into view";
}

}  // namespace
}  // namespace zun
