// The editing operations on a Workspace of their own: what each does to the
// session's modified flag and to a database that did not come from them.

#include "operations/entry_editing.h"

#include <gtest/gtest.h>

#include <cstring>

#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "platform/seeded_random.h"
#include "support/fake_ports.h"
#include "support/fake_views.h"
#include "support/memory_file_system.h"

namespace zun {
namespace {

struct EditingFixture {
  EditingFixture() : game(hostside::MakeLotto649(1)) {
    game->FileName = "C:\\Games\\Game.dat";
    files.files["C:\\Games\\Game.dat"] = hostside::WriteGameFile(*game);
    EXPECT_TRUE(slots.Attach());
    const void* pointer = game.get();
    std::memcpy(memory.blocks["ZUN_Mem_Map"].data(), &pointer, sizeof pointer);
    session.CreateUserDatabase(slots, files);
    choices.Reset(game->PlaySets.span());
  }
  // Entries that came from elsewhere (a file, another window): not edits.
  void Loaded(int32_t count) {
    auto sample = hostside::MakeSampleDatabase(*game, count, 3);
    for (auto& entry : sample->Entries) session.Database()->Entries.push_back(std::move(entry));
    list.Refill(*session.Database());
  }

  std::unique_ptr<TZUN_Lotto_Temp> game;
  testing::MemoryFileSystem files;
  testing::FakeSharedMemory memory;
  HostSlots slots{memory};
  DatabaseSession session;
  EntryList list;
  BallChoices choices;
  SeededRandom random{5};
  testing::RecordingViews views;
  Workspace work{slots, session, list, choices, random, views.All()};
};

TEST(EntryEditing, EveryEditMarksTheDatabaseModifiedAndNothingElseDoes) {
  {
    EditingFixture f;
    f.Loaded(4);
    ShowSelectedEntryOnGrids(f.work);
    ClearBallGrids(f.work);
    EXPECT_EQ(DeleteSelectedEntries(f.work), 0) << "nothing selected, nothing deleted";
    EXPECT_FALSE(f.session.DatabaseModified()) << "showing, clearing and an empty delete change nothing";
    f.list.SelectRow(2, true);
    EXPECT_EQ(DeleteSelectedEntries(f.work), 1);
    EXPECT_TRUE(f.session.DatabaseModified());
    EXPECT_EQ(f.views.rowCount, 3);
  }
  {
    EditingFixture f;
    f.Loaded(2);
    f.list.SelectRow(0, true);
    ShowSelectedEntryOnGrids(f.work);
    ApplySelectionToEntry(f.work);
    EXPECT_TRUE(f.session.DatabaseModified()) << "applying a complete pick is an edit";
  }
  {
    EditingFixture f;
    AddQuickPickEntry(f.work);
    EXPECT_TRUE(f.session.DatabaseModified());
  }
}

TEST(EntryEditing, ApplyGivesAnEntryOfAnotherShapeTheGamesShapeFirst) {
  EditingFixture f;
  f.Loaded(1);
  TZUN_User_Lotto_DBase& database = *f.session.Database();
  const int32_t shortShape[] = {3};
  database.SizeEntry(0, shortShape);  // as a damaged file could leave it
  for (int32_t n : {5, 9, 40, 41, 42, 49}) f.choices.Toggle(f.game->PlaySets.span(), 0, n);
  f.list.SelectRow(0, true);
  ApplySelectionToEntry(f.work);
  const auto numbers = database.Entries[0].Numbers[0];
  EXPECT_EQ(std::vector<int8_t>(numbers.begin(), numbers.end()), (std::vector<int8_t>{5, 9, 40, 41, 42, 49}));
}

}  // namespace
}  // namespace zun
