#include "host/host_slots.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/user_database.h"
#include "support/fake_ports.h"

namespace zun {
namespace {

using testing::FakeSharedMemory;

TEST(HostSlots, AttachOpensSixInOrderAndDetachClosesThemInReverse) {
  FakeSharedMemory memory;
  {
    HostSlots slots(memory);
    ASSERT_TRUE(slots.Attach());
    EXPECT_EQ(slots.AttachedCount(), 6);
    EXPECT_EQ(memory.log, (std::vector<std::string>{"open ZUN_Mem_Map ro", "open ZUN_Mem_Map_UDBase rw",
                                                   "open Track_Plugin_Array ro", "open Track_Addon_Buttons ro",
                                                   "open Track_Plugins_Menu ro", "open Track_DragDrop rw"}));
    memory.log.clear();
    slots.Detach();
    EXPECT_EQ(memory.log, (std::vector<std::string>{"close Track_DragDrop", "close Track_Plugins_Menu",
                                                   "close Track_Addon_Buttons", "close Track_Plugin_Array",
                                                   "close ZUN_Mem_Map_UDBase", "close ZUN_Mem_Map"}));
    slots.Detach();  // detaching nothing does nothing
    EXPECT_EQ(memory.log.size(), 6u);
  }
}

TEST(HostSlots, AttachingTwiceDetachesFirstSoSixStayAttached) {
  FakeSharedMemory memory;
  HostSlots slots(memory);
  ASSERT_TRUE(slots.Attach());
  ASSERT_TRUE(slots.Attach());
  EXPECT_EQ(slots.AttachedCount(), 6);
  EXPECT_EQ(memory.log.size(), 6u + 6u + 6u);
  EXPECT_EQ(memory.log[6], "close Track_DragDrop");
}

TEST(HostSlots, ASlotThatCannotBeOpenedLeavesNothingAttached) {
  FakeSharedMemory memory;
  memory.failOn = "Track_Addon_Buttons";
  HostSlots slots(memory);
  EXPECT_FALSE(slots.Attach());
  EXPECT_EQ(slots.AttachedCount(), 0);
  EXPECT_STREQ(slots.FailedSlot(), "Track_Addon_Buttons");
  EXPECT_EQ(memory.log.back(), "close ZUN_Mem_Map");
  EXPECT_EQ(slots.Game(), nullptr);
  EXPECT_EQ(slots.DragDrop(), nullptr);
}

TEST(HostSlots, PointersAreReadFromTheSlotsAtEachUse) {
  FakeSharedMemory memory;
  HostSlots slots(memory);
  ASSERT_TRUE(slots.Attach());
  EXPECT_EQ(slots.Game(), nullptr) << "no game published";
  TZUN_Lotto_Temp game;
  const void* pointer = &game;
  std::memcpy(memory.blocks["ZUN_Mem_Map"].data(), &pointer, sizeof pointer);
  EXPECT_EQ(slots.Game(), &game);

  TZUN_User_Lotto_DBase database;
  slots.PublishUserDatabase(&database);
  const void* published;
  std::memcpy(&published, memory.blocks["ZUN_Mem_Map_UDBase"].data(), sizeof published);
  EXPECT_EQ(published, &database);

  HostArray<WindowLocator> buttons;
  buttons.resize(3);
  const void* first = buttons.data();
  std::memcpy(memory.blocks["Track_Addon_Buttons"].data(), &first, sizeof first);
  EXPECT_EQ(slots.AddonButtons().size(), 3u);
  EXPECT_TRUE(slots.PluginsMenu().empty());
  EXPECT_EQ(static_cast<void*>(slots.DragDrop()), memory.blocks["Track_DragDrop"].data())
      << "the record lies in the slot itself";
}

TEST(HostSlots, AFreedDatabaseIsWithdrawnFromTheSlotOnlyIfStillPublished) {
  FakeSharedMemory memory;
  HostSlots slots(memory);
  ASSERT_TRUE(slots.Attach());
  TZUN_User_Lotto_DBase ours, theirs;
  slots.PublishUserDatabase(&ours);
  slots.Detach();
  HostSlots::WithdrawUserDatabase(memory, &theirs);
  const void* published;
  std::memcpy(&published, memory.blocks["ZUN_Mem_Map_UDBase"].data(), sizeof published);
  EXPECT_EQ(published, &ours) << "another database in the slot is left alone";
  HostSlots::WithdrawUserDatabase(memory, &ours);
  std::memcpy(&published, memory.blocks["ZUN_Mem_Map_UDBase"].data(), sizeof published);
  EXPECT_EQ(published, nullptr);
}

}  // namespace
}  // namespace zun
