#include "zunhost/addon_library.h"

#include <gtest/gtest.h>

#include "tools/devhost_paths.h"

namespace zun::devhost {
namespace {

using zun::testing::FakeAddonDll;

TEST(AddonLibrary, FindsAllFiveExportsAndFreesTheDllWhenDestroyed) {
  {
    AddonLibrary library;
    ASSERT_TRUE(library.Load(FakeAddonDll())) << library.ErrorText();
    const AddonExports& exports = library.Exports();
    EXPECT_TRUE(exports.PluginData && exports.AddonData && exports.RunAddon && exports.CanClose &&
                exports.DraggedDroppedFiles);
    // The pointers are the stdcall functions themselves: a call returns
    // with the stack as it was.
    PluginDescription record{};
    EXPECT_EQ(exports.PluginData(&record, "C:\\host", "ZUNDev "), 1);
    EXPECT_STREQ(record.Kind, "Addon");
    EXPECT_EQ(exports.CanClose(), 1);
    EXPECT_NE(GetModuleHandleA("fake_addon.dll"), nullptr);
  }
  EXPECT_EQ(GetModuleHandleA("fake_addon.dll"), nullptr);
}

TEST(AddonLibrary, ExplainsWhatIsWrongAndKeepsNothingLoaded) {
  AddonLibrary library;
  EXPECT_FALSE(library.Load("C:\\no such folder\\User_DBase_Builder.dll"));
  EXPECT_FALSE(library.IsLoaded());
  EXPECT_NE(library.ErrorText().find("cannot load C:\\no such folder\\User_DBase_Builder.dll (error "),
            std::string::npos)
      << library.ErrorText();

  // A DLL without the exports: every missing name is listed.
  EXPECT_FALSE(library.Load("comdlg32.dll"));
  EXPECT_FALSE(library.IsLoaded());
  EXPECT_NE(library.ErrorText().find(
                "lacks the export(s) Plugin_Data, Addon_Data, Run_ZUN_Addon, Addon_CanClose_ZUN, DraggedDropped_Files"),
            std::string::npos)
      << library.ErrorText();
  EXPECT_EQ(GetModuleHandleA("comdlg32.dll"), nullptr);

  // A failed load also drops a library loaded before.
  ASSERT_TRUE(library.Load(FakeAddonDll()));
  EXPECT_FALSE(library.Load("comdlg32.dll"));
  EXPECT_EQ(library.Exports().RunAddon, nullptr);
  EXPECT_EQ(GetModuleHandleA("fake_addon.dll"), nullptr);
}

}  // namespace
}  // namespace zun::devhost
