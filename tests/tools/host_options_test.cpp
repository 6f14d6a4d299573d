#include "zunhost/host_options.h"

#include <gtest/gtest.h>

namespace zun::devhost {
namespace {

TEST(HostOptions, TakesEachOptionAndTheGameFileInAnyOrder) {
  HostOptions options;
  std::string error;
  ASSERT_TRUE(ParseHostOptions(
      {"--screenshot", "s.png", "game.dat", "--dll", "a.dll", "--folder", "F", "--prefix", "P ", "--version", "0.40"},
      options, error))
      << error;
  EXPECT_EQ(options.gameFile, "game.dat");
  EXPECT_EQ(options.screenshot, "s.png");
  EXPECT_EQ(options.dll, "a.dll");
  EXPECT_EQ(options.folder, "F");
  EXPECT_EQ(options.prefix, "P ");
  EXPECT_EQ(options.version, "0.40");

  HostOptions defaults;
  ASSERT_TRUE(ParseHostOptions({"game.dat"}, defaults, error));
  EXPECT_EQ(defaults.prefix, "ZUNDev ");
  EXPECT_EQ(defaults.version, "0.39");
  EXPECT_TRUE(defaults.dll.empty() && defaults.folder.empty() && defaults.screenshot.empty());

  // A host may have no prefix at all.
  HostOptions noPrefix;
  ASSERT_TRUE(ParseHostOptions({"--prefix", "", "game.dat"}, noPrefix, error));
  EXPECT_EQ(noPrefix.prefix, "");
}

TEST(HostOptions, RefusesWhatItCannotRunWithAReason) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "no game file given"},
      {{"a.dat", "b.dat"}, "more than one game file given"},
      {{"--dlll", "x", "a.dat"}, "unknown option --dlll"},
      {{"a.dat", "--dll"}, "--dll needs a value"},
      {{"--folder", "", "a.dat"}, "--folder needs a value"},
      {{"a.dat", "--drop"}, "--drop needs a file"},
      {{"--drop", "", "a.dat"}, "--drop needs a file"},
  };
  for (const auto& [args, reason] : cases) {
    HostOptions options;
    std::string error;
    EXPECT_FALSE(ParseHostOptions(args, options, error)) << reason;
    EXPECT_EQ(error, reason);
  }
}

TEST(HostOptions, DropsAreRepeatableAndKeepTheirOrder) {
  HostOptions options;
  std::string error;
  ASSERT_TRUE(ParseHostOptions({"--drop", "b.sl5", "game.dat", "--drop", "a.sl3"}, options, error)) << error;
  EXPECT_EQ(options.drops, (std::vector<std::string>{"b.sl5", "a.sl3"}));
  EXPECT_EQ(options.gameFile, "game.dat") << "a dropped file is not taken for the game";
}

TEST(HostOptions, FolderOfCutsTheLastPartOfEitherKindOfPath) {
  EXPECT_EQ(FolderOf("Z:\\work\\build\\zunhost.exe"), "Z:\\work\\build");
  EXPECT_EQ(FolderOf("/work/build/zunhost.exe"), "/work/build");
  EXPECT_EQ(FolderOf("zunhost.exe"), ".");
  EXPECT_EQ(FolderOf("/zunhost.exe"), "/");
}

}  // namespace
}  // namespace zun::devhost
