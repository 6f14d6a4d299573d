#include "operations/database_session.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/error_location.h"
#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "host/host_slots.h"
#include "support/fake_ports.h"
#include "support/memory_file_system.h"

namespace zun {
namespace {

TEST(DatabaseSession, CreatesTheUserDatabaseForTheHostsGameAndPublishesIt) {
  testing::MemoryFileSystem files;
  auto game = hostside::MakeTwinPool(3);
  game->FileName = "C:\\Games\\TwinPool.dat";
  files.files["C:\\Games\\TwinPool.dat"] = hostside::WriteGameFile(*game);
  testing::FakeSharedMemory memory;
  HostSlots slots(memory);
  ASSERT_TRUE(slots.Attach());
  const void* gamePointer = game.get();
  std::memcpy(memory.blocks["ZUN_Mem_Map"].data(), &gamePointer, sizeof gamePointer);

  DatabaseSession session;
  session.EntriesEdited();
  session.CreateUserDatabase(slots, files);
  ASSERT_NE(session.Database(), nullptr);
  EXPECT_EQ(slots.PublishedUserDatabase(), session.Database());
  EXPECT_EQ(session.Database()->NumberSets.size(), 2);
  EXPECT_EQ(session.Database()->Entries.size(), 0);
  EXPECT_FALSE(session.DatabaseModified());

  // A second creation publishes a new database; the one the host was shown
  // before stays readable until the next.
  const TZUN_User_Lotto_DBase* first = session.Database();
  session.CreateUserDatabase(slots, files);
  EXPECT_NE(session.Database(), first);
  EXPECT_EQ(first->NumberSets.size(), 2);
}

TEST(DatabaseSession, NoGameIsAnError) {
  testing::MemoryFileSystem files;
  testing::FakeSharedMemory memory;
  HostSlots slots(memory);
  ASSERT_TRUE(slots.Attach());
  DatabaseSession session;
  EXPECT_THROW(session.CreateUserDatabase(slots, files), std::runtime_error);
  EXPECT_STREQ(ErrorLocation, "ZUN User DBase Builder 009001");
  EXPECT_EQ(slots.PublishedUserDatabase(), nullptr);
}

}  // namespace
}  // namespace zun
