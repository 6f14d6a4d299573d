#include <gtest/gtest.h>

#include "base/paths.h"
#include "base/percent.h"
#include "model/lotto_game.h"

namespace zun {
namespace {

TEST(Percent, RoundsHalvesToEvenAndCountsZerosAsOne) {
  EXPECT_EQ(Percent(0, 0), 100);
  EXPECT_EQ(Percent(1, 8), 12);  // 12.5
  EXPECT_EQ(Percent(3, 8), 38);  // 37.5
  EXPECT_EQ(Percent(1, 200), 0);  // 0.5
  EXPECT_EQ(Percent(3, 200), 2);  // 1.5
  EXPECT_EQ(Percent(0, 3), 33);
  EXPECT_EQ(Percent(2, 3), 67);
  EXPECT_EQ(Percent(999999, 1000000), 100);
  EXPECT_EQ(Percent(-1, 8), -12);
  EXPECT_EQ(Percent(5, 0), 500);
}

TEST(HtmlPath, IsTheGamesHtmlFolderNamedAfterTheGameFile) {
  TZUN_Lotto_DBase game{};
  game.FileName = "C:\\Games\\Lotto649.dat";
  EXPECT_EQ(game.HtmlPath("User_DBase_Builder_List.html"), "C:\\Games\\html\\Lotto649\\User_DBase_Builder_List.html");
  game.FileName = "C:\\Games\\Lotto649";
  EXPECT_EQ(game.HtmlPath("a.html"), "C:\\Games\\html\\Lotto649\\a.html") << "no extension: the whole name";
  game.FileName = "C:\\Games\\Lotto.6.49.dat";
  EXPECT_EQ(game.HtmlPath("a.html"), "C:\\Games\\html\\Lotto\\a.html") << "up to the first dot";
  game.FileName = "/srv/games/Pick3.dat";
  EXPECT_EQ(game.HtmlPath("a.html"), "/srv/games/html/Pick3/a.html");
}

TEST(Paths, SplitWindowsAndPosixPaths) {
  EXPECT_EQ(FileNameOf("C:\\x\\y.sl5"), "y.sl5");
  EXPECT_EQ(FileNameOf("C:y.sl5"), "y.sl5");
  EXPECT_EQ(FileNameOf("/a/b.sl4"), "b.sl4");
  EXPECT_EQ(FileNameOf("plain"), "plain");
  EXPECT_EQ(FolderOf("C:\\x\\y.sl5"), "C:\\x");
  EXPECT_EQ(ExtensionOf("C:\\x.y\\file.SL5"), ".SL5");
  EXPECT_EQ(ExtensionOf("C:\\x.y\\file"), "");
}

}  // namespace
}  // namespace zun
