#include "host/host_records.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/host_version.h"
#include "host/plugin_description.h"

namespace zun {
namespace {

// A registry as a host lays it out: group 0 has two direct nodes and one
// sub-group with a node of its own.
struct Registry {
  HostArray<PluginGroup> groups;
  Registry() {
    groups.resize(1);
    auto& group = groups[0];
    group.Nodes.resize(2);
    group.Nodes[1].Windows.resize(2);
    group.Nodes[1].Windows[1].Caption = "Direct";
    group.SubGroups.resize(1);
    group.SubGroups[0].Nodes.resize(1);
    group.SubGroups[0].Nodes[0].Windows.resize(1);
    group.SubGroups[0].Nodes[0].Windows[0].Caption = "In sub-group";
  }
};

TEST(HostRecords, LocatorsResolveThroughTheGroupOrItsSubGroup) {
  Registry r;
  const PluginWindow* direct = ResolveLocator(r.groups.data(), MakeLocator(0, 7, 1, 1, false));
  ASSERT_NE(direct, nullptr);
  EXPECT_EQ(direct->Caption.view(), "Direct") << "the sub-group index is ignored without the flag";
  const PluginWindow* nested = ResolveLocator(r.groups.data(), MakeLocator(0, 0, 0, 0, true));
  ASSERT_NE(nested, nullptr);
  EXPECT_EQ(nested->Caption.view(), "In sub-group");
}

TEST(HostRecords, LocatorsOutsideTheRegistryOrThroughNullArraysResolveToNothing) {
  Registry r;
  EXPECT_EQ(ResolveLocator(nullptr, MakeLocator(0, 0, 0, 0, false)), nullptr);
  EXPECT_EQ(ResolveLocator(r.groups.data(), MakeLocator(1, 0, 0, 0, false)), nullptr);
  EXPECT_EQ(ResolveLocator(r.groups.data(), MakeLocator(-1, 0, 0, 0, false)), nullptr);
  EXPECT_EQ(ResolveLocator(r.groups.data(), MakeLocator(0, 0, 2, 0, false)), nullptr);
  EXPECT_EQ(ResolveLocator(r.groups.data(), MakeLocator(0, 0, 0, 0, false)), nullptr) << "node 0 has no windows";
  EXPECT_EQ(ResolveLocator(r.groups.data(), MakeLocator(0, 0, 1, 2, false)), nullptr);
  EXPECT_EQ(ResolveLocator(r.groups.data(), MakeLocator(0, 1, 0, 0, true)), nullptr);
}

TEST(HostRecords, PluginDescriptionHoldsTheValuesTheHostReads) {
  PluginDescription record;
  std::memset(&record, 0xEE, sizeof record);
  FillPluginDescription(record, true);
  const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
  EXPECT_STREQ(record.Kind, "Addon");
  EXPECT_STREQ(record.Name, "Builder");
  EXPECT_STREQ(record.Category, "Other");
  // In 64 bits the pointers take 8 bytes each and the flags follow them.
  const size_t flags = HostLayout(12, 24);
  const size_t visible = HostLayout(20, 40);
  EXPECT_EQ(bytes[flags], 1);
  EXPECT_EQ(bytes[flags + 1], 0xEE) << "bytes 13 to 15 are not written";
  EXPECT_EQ(bytes[flags + 3], 0xEE);
  EXPECT_EQ(std::strlen(record.ProtocolCode), 8u);
  EXPECT_EQ(bytes[visible], 1);
  EXPECT_EQ(bytes[visible + 1], 0);
  EXPECT_EQ(bytes[visible + 2], 1);
  EXPECT_EQ(bytes[visible + 3], 0);
  FillPluginDescription(record, false);
  EXPECT_EQ(bytes[visible], 0);
}

TEST(HostVersion, OnlyTheExactVersionIsAccepted) {
  EXPECT_TRUE(IsSupportedHostVersion("0.39"));
  for (const char* other : {"0.39 ", "0.391", "0.38", "", " 0.39"}) EXPECT_FALSE(IsSupportedHostVersion(other));
  EXPECT_EQ(VersionMismatchMessage("0.39 "), "Error in User DBase Builder: ZUN Version does not match\r0.39 :: 0.39 ");
}

}  // namespace
}  // namespace zun
