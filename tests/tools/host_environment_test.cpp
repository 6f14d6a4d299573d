#include "base/texts.h"
#include "zunhost/host_environment.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/host_messages.h"
#include "support/test_files.h"

namespace zun::devhost {
namespace {

using zun::testing::SourcePath;

// A slot opened by name and mapped with the size the add-on uses, as the
// add-on does it.
struct AddonView {
  explicit AddonView(const char* name) {
    mapping.reset(OpenFileMappingA(FILE_MAP_WRITE, FALSE, name));
    if (mapping) view.reset(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, kSlotSize));
  }
  const void* Pointer() const {
    const void* pointer;
    std::memcpy(&pointer, view.get(), sizeof pointer);
    return pointer;
  }
  UniqueHandle mapping;
  UniqueView view;
};

bool SlotExists(const char* name) {
  return static_cast<bool>(UniqueHandle(OpenFileMappingA(FILE_MAP_READ, FALSE, name)));
}

// A real window to stand for the host's window or for a registry window;
// "STATIC" needs no class of ours, and its queue shows what was posted.
UniqueWindow MakeWindow() {
  return UniqueWindow(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
}

// Takes a 0x594 posted to window, if there is one.
bool TakeOfferMessage(HWND window) {
  MSG message{};
  if (!PeekMessageA(&message, window, kMsgTakeOfferedEntries, kMsgTakeOfferedEntries, PM_REMOVE)) return false;
  return message.wParam == 0 && message.lParam == 0;
}

class HostEnvironmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hostWindow);
    ASSERT_TRUE(environment.LoadGame(SourcePath("samples/Lotto649.dat")));
    ASSERT_TRUE(environment.CreateSlots(hostWindow.get())) << environment.LastError();
  }

  void Target(std::string_view caption) {
    WindowLocator locator{};
    ASSERT_TRUE(environment.Registry().LocatorOf(caption, locator)) << caption;
    DragDropRecord& record = environment.DragDrop();
    record.SendToParams[0] = locator.Group;
    record.SendToParams[1] = locator.SubGroup;
    record.SendToParams[2] = locator.Node;
    record.SendToParams[3] = locator.Window;
    record.SendToInSubGroup = locator.InSubGroup;
  }

  UniqueWindow hostWindow = MakeWindow();
  HostEnvironment environment;
};

TEST_F(HostEnvironmentTest, AnAddonFindsEverythingThroughTheNamedSlots) {
  EXPECT_FALSE(environment.Game().GameName.view().empty());
  EXPECT_GT(environment.Game().Draws.size(), 0);

  const AddonView game("ZUN_Mem_Map"), database("ZUN_Mem_Map_UDBase"), registry("Track_Plugin_Array"),
      buttons("Track_Addon_Buttons"), menu("Track_Plugins_Menu"), dragDrop("Track_DragDrop");
  for (const AddonView* slot : {&game, &database, &registry, &buttons, &menu, &dragDrop}) ASSERT_TRUE(slot->view);

  EXPECT_EQ(game.Pointer(), &environment.Game());
  EXPECT_EQ(registry.Pointer(), environment.Registry().Groups());
  EXPECT_EQ(CountedArray(static_cast<const PluginGroup*>(registry.Pointer())).size(), 2u);
  EXPECT_EQ(CountedArray(static_cast<const WindowLocator*>(buttons.Pointer())).size(), 3u);
  EXPECT_EQ(CountedArray(static_cast<const WindowLocator*>(menu.Pointer())).size(), 5u);

  // The user database slot is the add-on's to fill.
  EXPECT_EQ(database.Pointer(), nullptr);
  EXPECT_EQ(environment.PublishedUserDatabase(), nullptr);
  const TZUN_User_Lotto_DBase published;
  const TZUN_User_Lotto_DBase* pointer = &published;
  std::memcpy(database.view.get(), &pointer, sizeof pointer);
  EXPECT_EQ(environment.PublishedUserDatabase(), &published);

  // The record itself sits in the slot, shared both ways.
  auto* seen = static_cast<DragDropRecord*>(dragDrop.view.get());
  EXPECT_EQ(seen->ReplyWindow, reinterpret_cast<HostWindowHandle>(hostWindow.get()));
  seen->TransferName = "C:\\picks.sl5";
  EXPECT_EQ(environment.Describe(kMsgDatabaseSaved, 0, 0), "0x63A database saved: C:\\picks.sl5");
  environment.DragDrop().TransferKind = 3;
  EXPECT_EQ(seen->TransferKind, 3);

  // A game loaded later replaces the one the slot points at.
  ASSERT_TRUE(environment.LoadGame(SourcePath("samples/TwinPool.dat")));
  EXPECT_EQ(game.Pointer(), &environment.Game());
  EXPECT_EQ(environment.Game().PlaySets.size(), 2);
}

TEST_F(HostEnvironmentTest, OneHostHoldsTheSlotsAtATimeAndReleasesThemAtTheEnd) {
  {
    HostEnvironment second;
    EXPECT_FALSE(second.CreateSlots(hostWindow.get()));
    EXPECT_FALSE(second.HasSlots());
    EXPECT_EQ(second.LastError(), "the slot \"ZUN_Mem_Map\" is already held by another host");
  }
  // The first host's slots are untouched by the refused one.
  const AddonView game("ZUN_Mem_Map");
  EXPECT_EQ(game.Pointer(), &environment.Game());
}

TEST(HostEnvironment, SlotsAreAllOrNothingAndWithoutThemNothingIsAnswered) {
  {
    const UniqueWindow host = MakeWindow();
    HostEnvironment environment;
    EXPECT_FALSE(environment.LoadGame(SourcePath("samples/no such game.dat")));
    ASSERT_TRUE(environment.CreateSlots(host.get())) << environment.LastError();
    for (const SlotSpec& slot : kHostSlots) EXPECT_TRUE(SlotExists(slot.name)) << slot.name;
  }
  for (const SlotSpec& slot : kHostSlots) EXPECT_FALSE(SlotExists(slot.name)) << slot.name;

  {
    // Someone else holds the last slot: the five made before it are closed again.
    const UniqueHandle taken(
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 64, "Track_DragDrop"));
    ASSERT_TRUE(taken);
    const UniqueWindow host = MakeWindow();
    HostEnvironment environment;
    EXPECT_FALSE(environment.CreateSlots(host.get()));
    EXPECT_EQ(environment.LastError(), "the slot \"Track_DragDrop\" is already held by another host");
    for (size_t i = 0; i + 1 < kHostSlots.size(); ++i)
      EXPECT_FALSE(SlotExists(kHostSlots[i].name)) << kHostSlots[i].name;
  }

  HostEnvironment environment;
  EXPECT_THROW(environment.DragDrop(), std::logic_error);
  EXPECT_EQ(environment.AnswerIndexRequest(3), 0);
  EXPECT_EQ(environment.RouteOffer(), nullptr);
  EXPECT_EQ(environment.PublishedUserDatabase(), nullptr);
}

TEST_F(HostEnvironmentTest, IndexRequestsGetZeroedRoomUpToTheLimit) {
  const auto indices = [&] { return environment.DragDrop().EntryIndices; };
  EXPECT_EQ(environment.AnswerIndexRequest(3), 1);
  ASSERT_EQ(indices().size(), 3);
  indices()[0] = indices()[1] = indices()[2] = 42;
  EXPECT_EQ(environment.AnswerIndexRequest(2), 1);
  EXPECT_EQ(indices().size(), 2);
  EXPECT_EQ(indices()[0], 0);
  EXPECT_EQ(indices()[1], 0);

  EXPECT_EQ(environment.AnswerIndexRequest(kMaxIndexRequest + 1), 0);
  EXPECT_EQ(indices().size(), 2);  // a refusal leaves the record as it was
  EXPECT_EQ(environment.AnswerIndexRequest(WPARAM(-1)), 0);
  EXPECT_EQ(environment.AnswerIndexRequest(kMaxIndexRequest), 1);
  EXPECT_EQ(indices().size(), static_cast<int32_t>(kMaxIndexRequest));
  EXPECT_EQ(environment.AnswerIndexRequest(0), 1);
  EXPECT_TRUE(indices().empty());
}

TEST_F(HostEnvironmentTest, OffersReachOpenWindowsDirectlyAndThroughSubGroups) {
  const UniqueWindow checker = MakeWindow(), filter = MakeWindow(), charts = MakeWindow();
  ASSERT_TRUE(environment.AttachWindow(kWinningNumbersChecker, checker.get()));
  ASSERT_TRUE(environment.AttachWindow(kNumberFilter, filter.get()));
  ASSERT_TRUE(environment.AttachWindow(kFrequencyCharts, charts.get()));
  EXPECT_FALSE(environment.AttachWindow("no such window", checker.get()));

  Target(kWinningNumbersChecker);
  EXPECT_EQ(environment.RouteOffer(), checker.get());
  EXPECT_TRUE(TakeOfferMessage(checker.get()));

  Target(kNumberFilter);
  EXPECT_EQ(environment.RouteOffer(), filter.get());
  EXPECT_TRUE(TakeOfferMessage(filter.get()));
  EXPECT_FALSE(TakeOfferMessage(checker.get()));
}

TEST_F(HostEnvironmentTest, OffersToClosedMissingOrUnknownWindowsGoNowhere) {
  const UniqueWindow charts = MakeWindow();
  environment.AttachWindow(kFrequencyCharts, charts.get());
  Target(kFrequencyCharts);  // has a window, but the registry has it closed
  EXPECT_EQ(environment.RouteOffer(), nullptr);
  EXPECT_FALSE(TakeOfferMessage(charts.get()));

  Target(kWinningNumbersChecker);  // open, but without a window yet
  EXPECT_EQ(environment.RouteOffer(), nullptr);
  UniqueWindow gone = MakeWindow();
  environment.AttachWindow(kWinningNumbersChecker, gone.get());
  gone.reset();
  EXPECT_EQ(environment.RouteOffer(), nullptr);

  environment.DragDrop().SendToParams[0] = 7;  // no group 7
  EXPECT_EQ(environment.RouteOffer(), nullptr);

  // The add-on's own entry takes offers once its window is registered.
  const UniqueWindow addon = MakeWindow();
  Target(texts::kMainWindowCaption);
  EXPECT_EQ(environment.RouteOffer(), nullptr);
  environment.RegisterAddonWindow(addon.get());
  EXPECT_EQ(environment.RouteOffer(), addon.get());
  EXPECT_TRUE(TakeOfferMessage(addon.get()));
}

}  // namespace
}  // namespace zun::devhost
