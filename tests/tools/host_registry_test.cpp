#include "base/texts.h"
#include "zunhost/host_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_messages.h"
#include "zunhost/message_description.h"

namespace zun::devhost {
namespace {

// The captions an add-on finds behind a locator list, read as an add-on
// reads them: from the published pointers, counts taken from the arrays'
// headers.
std::vector<std::string> Resolved(const HostRegistry& registry, const WindowLocator* published) {
  std::vector<std::string> captions;
  for (const WindowLocator& locator : CountedArray(published)) {
    const PluginWindow* window = ResolveLocator(registry.Groups(), locator);
    captions.push_back(window ? std::string(window->Caption.view()) : "(unresolved)");
  }
  return captions;
}

TEST(HostRegistry, EveryPublishedLocatorResolvesToItsWindow) {
  const HostRegistry registry;
  EXPECT_EQ(Resolved(registry, registry.PluginsMenu().data()),
            (std::vector<std::string>{kWinningNumbersChecker, kFrequencyCharts, kWheelGenerator, kNumberFilter,
                                      texts::kMainWindowCaption}));
  EXPECT_EQ(Resolved(registry, registry.AddonButtons().data()),
            (std::vector<std::string>{kWinningNumbersChecker, texts::kMainWindowCaption, kPeerDatabase}));

  // Both kinds of locator are published, and a stale SubGroup is left in a
  // direct one: it must not matter while InSubGroup is clear.
  bool direct = false, viaSubGroup = false, stale = false;
  for (const WindowLocator& locator : registry.PluginsMenu()) {
    (locator.InSubGroup ? viaSubGroup : direct) = true;
    stale |= !locator.InSubGroup && locator.SubGroup != 0;
  }
  EXPECT_TRUE(direct && viaSubGroup && stale);
}

TEST(HostRegistry, WindowsCarryTheStatesTheAddonMustRespect) {
  HostRegistry registry;
  const PluginWindow* checker = registry.Find(kWinningNumbersChecker);
  const PluginWindow* charts = registry.Find(kFrequencyCharts);
  const PluginWindow* wheel = registry.Find(kWheelGenerator);
  ASSERT_TRUE(checker && charts && wheel);
  EXPECT_TRUE(checker->IsOpen && checker->MayReceive);
  EXPECT_FALSE(charts->IsOpen);
  EXPECT_TRUE(wheel->IsOpen && !wheel->MayReceive);
  EXPECT_EQ(registry.Find("no such window"), nullptr);

  // The add-on's entry opens with its window and closes without one.
  const PluginWindow* addon = ResolveLocator(registry.Groups(), registry.AddonLocator());
  ASSERT_NE(addon, nullptr);
  EXPECT_EQ(addon->Caption.view(), texts::kMainWindowCaption);
  EXPECT_FALSE(addon->IsOpen);
  registry.RegisterAddonWindow(0x1234);
  EXPECT_TRUE(addon->IsOpen);
  EXPECT_EQ(addon->Handle, 0x1234u);
  registry.RegisterAddonWindow(0);
  EXPECT_FALSE(addon->IsOpen);
}

TEST(HostRegistry, LocatorOfFindsEachWindowWhereItIs) {
  const HostRegistry registry;
  const auto windows = registry.Windows();
  EXPECT_EQ(windows.size(), 6u);
  for (const PluginWindow* window : windows) {
    WindowLocator locator{};
    ASSERT_TRUE(registry.LocatorOf(window->Caption.view(), locator));
    EXPECT_EQ(ResolveLocator(registry.Groups(), locator), window) << window->Caption.view();
  }
  WindowLocator unused{};
  EXPECT_FALSE(registry.LocatorOf("no such window", unused));
}

class MessageDescription : public ::testing::Test {
 protected:
  void Target(std::string_view caption) {
    WindowLocator locator{};
    ASSERT_TRUE(registry.LocatorOf(caption, locator));
    record.SendToParams[0] = locator.Group;
    record.SendToParams[1] = locator.SubGroup;
    record.SendToParams[2] = locator.Node;
    record.SendToParams[3] = locator.Window;
    record.SendToInSubGroup = locator.InSubGroup;
  }
  std::string Describe(uint32_t message, uintptr_t wParam = 0) {
    return DescribeMessage(message, wParam, 0, &record, registry);
  }

  HostRegistry registry;
  DragDropRecord record{};
};

TEST_F(MessageDescription, OffersNameKindTextCountAndTarget) {
  Target(kNumberFilter);
  record.TransferKind = static_cast<int32_t>(TransferKind::WritableSlot);
  record.TransferName = "My picks";
  HostArray<int32_t> indices;
  indices.resize(3);
  record.EntryIndices = HostArrayRef<int32_t>(indices.data());
  EXPECT_EQ(Describe(kMsgTakeOfferedEntries),
            "0x594 entries offered: writable slot \"My picks\", 3 indexes, to \"Number Filter\" "
            "(group 1, sub-group 0, node 0, window 0)");

  record.SendToParams[3] = 9;  // no window 9 in that node
  record.TransferName = nullptr;
  record.TransferKind = 7;
  EXPECT_EQ(Describe(kMsgTakeOfferedEntries),
            "0x594 entries offered: kind 7 (none), 3 indexes, to no window (group 1, sub-group 0, node 0, window 9)");
  EXPECT_EQ(DescribeMessage(kMsgTakeOfferedEntries, 0, 0, nullptr, registry),
            "0x594 entries offered (no drag-and-drop record)");
}

TEST_F(MessageDescription, RequestsSavesAndOtherMessagesReadAsTheyAreMeant) {
  record.TransferName = "C:\\Games\\picks.sl5";
  EXPECT_EQ(Describe(kMsgDatabaseSaved), "0x63A database saved: C:\\Games\\picks.sl5");
  EXPECT_EQ(Describe(kMsgRequestIndexRoom, 25), "0x595 index room requested: 25");
  EXPECT_EQ(Describe(kMsgAddonStarted), "1525 add-on started");
  EXPECT_EQ(Describe(kMsgCloseForGood), "0x591 close for good");
  EXPECT_EQ(DescribeMessage(0x400, 5, -1, &record, registry), "0x400 wParam 5 lParam -1");
}

TEST(PluginRecordDescription, ShowsMissingTextsAndTheHostsOwnBytes) {
  PluginDescription record{};
  record.Kind = "Addon";
  record.ProtocolCode = "UDBase01";
  record.Byte12 = 1;
  record.NotWritten13[0] = record.NotWritten13[1] = record.NotWritten13[2] = 0xEE;
  record.Byte22 = 1;
  EXPECT_EQ(DescribePluginRecord(record),
            "  Kind \"Addon\", Name (none), Category (none), ProtocolCode \"UDBase01\"\n"
            "  byte 12: 01, bytes 13-15: ee ee ee, Visible 0, bytes 21-23: 00 01 00");
}

}  // namespace
}  // namespace zun::devhost
