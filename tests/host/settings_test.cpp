#include "host/settings.h"

#include <gtest/gtest.h>

#include "support/fake_ports.h"

namespace zun {
namespace {

using testing::FakeProfileStore;

TEST(Settings, FirstRunGivesTheDefaults) {
  FakeProfileStore store;
  WindowGeometry geometry;
  RecentFileList recent;
  recent[3] = "stale";
  LoadSettings(store, SettingsLocation::For("C:\\ZUN", "Main "), geometry, recent);
  EXPECT_EQ(geometry, WindowGeometry{});
  EXPECT_EQ(geometry.Left, 70);
  EXPECT_EQ(geometry.Height, 381);
  EXPECT_EQ(geometry.SelectionWidth, 150);
  for (const auto& path : recent) EXPECT_EQ(path, "");
  EXPECT_FALSE(ReadVisible(store, SettingsLocation::For("C:\\ZUN", "Main ")));
}

TEST(Settings, LocationIsTheHostFolderAndPrefix) {
  const auto where = SettingsLocation::For("C:\\ZUN", "Lotto ");
  EXPECT_EQ(where.path, "C:\\ZUN\\User_DBase_Builder.ini");
  EXPECT_EQ(where.section, "Lotto ZUN Plugins");
  EXPECT_EQ(RecentFileKey(1), "Fast Load 1");
  EXPECT_EQ(RecentFileKey(15), "Fast Load 15");
}

TEST(Settings, SaveWritesAllKeysInOrderAndLoadReadsThemBack) {
  FakeProfileStore store;
  const auto where = SettingsLocation::For("C:\\ZUN", "A ");
  WindowGeometry geometry{10, 20, 400, 900, 222};
  RecentFileList recent;
  recent[0] = "C:\\db\\one.sl5";
  recent[1] = "C:\\db\\two.sl5";
  SaveSettings(store, where, true, geometry, recent);
  ASSERT_EQ(store.writtenKeys.size(), 6u + 15u) << "all fifteen recent files, empty ones too";
  EXPECT_EQ(store.writtenKeys[0], "Visible");
  EXPECT_EQ(store.writtenKeys[5], "SelectionWidth");
  EXPECT_EQ(store.writtenKeys[20], "Fast Load 15");
  EXPECT_EQ((store.values[{where.path, where.section, "Fast Load 15"}]), "");

  WindowGeometry read;
  RecentFileList readRecent;
  LoadSettings(store, where, read, readRecent);
  EXPECT_EQ(read, geometry);
  EXPECT_EQ(readRecent, recent);
  EXPECT_TRUE(ReadVisible(store, where));
}

TEST(Settings, EachPrefixKeepsItsOwnSection) {
  FakeProfileStore store;
  const auto first = SettingsLocation::For("C:\\ZUN", "One ");
  const auto second = SettingsLocation::For("C:\\ZUN", "Two ");
  SaveSettings(store, first, true, WindowGeometry{1, 2, 300, 800, 100}, {});
  SaveSettings(store, second, false, WindowGeometry{5, 6, 310, 810, 120}, {});
  WindowGeometry a, b;
  RecentFileList ra, rb;
  LoadSettings(store, first, a, ra);
  LoadSettings(store, second, b, rb);
  EXPECT_EQ(a.Top, 1);
  EXPECT_EQ(b.Top, 5);
  EXPECT_TRUE(ReadVisible(store, first));
  EXPECT_FALSE(ReadVisible(store, second));
}

TEST(Settings, GarbledValuesKeepWhatWasThere) {
  FakeProfileStore store;
  const auto where = SettingsLocation::For("C:\\ZUN", "G ");
  store.values[{where.path, where.section, "Height"}] = "tall";
  store.values[{where.path, where.section, "Width"}] = " 1024 ";
  store.values[{where.path, where.section, "Top"}] = "$10";
  store.values[{where.path, where.section, "Left"}] = "-5";
  store.values[{where.path, where.section, "SelectionWidth"}] = "99999999999";
  store.values[{where.path, where.section, "Visible"}] = "yes";
  WindowGeometry geometry;
  RecentFileList recent;
  LoadSettings(store, where, geometry, recent);
  EXPECT_EQ(geometry.Height, 381);
  EXPECT_EQ(geometry.Width, 1024);
  EXPECT_EQ(geometry.Top, 16);
  EXPECT_EQ(geometry.Left, -5);
  EXPECT_EQ(geometry.SelectionWidth, 150);
  EXPECT_FALSE(ReadVisible(store, where)) << "a bad value reads as false";
}

TEST(Settings, IntegersParseLikeTheSettingsFileWritesThem) {
  EXPECT_EQ(ParseSettingsInteger("0", 7), 0);
  EXPECT_EQ(ParseSettingsInteger("+12", 7), 12);
  EXPECT_EQ(ParseSettingsInteger("0x1F", 7), 31);
  EXPECT_EQ(ParseSettingsInteger("$FFFFFFFF", 7), -1);
  EXPECT_EQ(ParseSettingsInteger("", 7), 7);
  EXPECT_EQ(ParseSettingsInteger("12abc", 7), 7);
  EXPECT_EQ(ParseSettingsInteger("-2147483648", 7), -2147483648);
  EXPECT_EQ(ParseSettingsInteger("2147483648", 7), 7);
}

TEST(Settings, AFileThatCannotBeWrittenIsAnError) {
  FakeProfileStore store;
  store.failWrites = true;
  EXPECT_THROW(SaveSettings(store, SettingsLocation::For("C:\\x", ""), false, {}, {}), std::runtime_error);
}

}  // namespace
}  // namespace zun
