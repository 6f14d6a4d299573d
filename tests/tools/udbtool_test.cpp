#include "udbtool/udbtool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "model/sl5_file.h"
#include "support/memory_file_system.h"

namespace zun {
namespace {

struct ToolRun {
  int code;
  std::string out, err;
};

class UdbTool : public ::testing::Test {
 protected:
  UdbTool() {
    for (const auto& sample : hostside::MakeSampleGames())
      files.files[sample.fileName] = hostside::WriteGameFile(*sample.game);
    const auto lotto = hostside::MakeLotto649(0);
    const auto database = hostside::MakeSampleDatabase(*lotto, 3, 2);
    files.files["picks.sl5"] = Sl5Bytes(*database);
    files.files["old.sl4"] = hostside::Sl4Bytes(hostside::MakeOldRecords(4, 1));
    files.files["old.sl3"] = hostside::Sl3Bytes(hostside::MakeOldRecords(4, 1));
  }

  ToolRun Tool(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunUdbTool(args, out, err, files);
    return {code, out.str(), err.str()};
  }
  // The exit code alone, and what went to stderr when asked.
  int Run(std::vector<std::string> args, std::string* err = nullptr) {
    const ToolRun run = Tool(std::move(args));
    if (err != nullptr) *err = run.err;
    return run.code;
  }

  testing::MemoryFileSystem files;
};

TEST_F(UdbTool, GameDescribesSetsDrawsAndStatistics) {
  const ToolRun r = Tool({"game", "TwinPool.dat"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Game: Twin Pool 5+2"), std::string::npos);
  EXPECT_NE(r.out.find("2. \"Lucky Stars\": 2 numbers from 1 to 12 (secondary count 2); own pool yes"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("labels: numbers"), std::string::npos);
  EXPECT_NE(r.out.find("Draws: 30"), std::string::npos);
  EXPECT_NE(r.out.find("Machine:ball set pairs"), std::string::npos);
  const ToolRun pick = Tool({"game", "PickThree.dat"});
  EXPECT_NE(pick.out.find("one ball per column; labels: rows (by column)"), std::string::npos) << pick.out;
}

TEST_F(UdbTool, ListShowsEntriesAsTheListDoes) {
  const ToolRun r = Tool({"list", "Lotto649.dat", "picks.sl5"});
  ASSERT_EQ(r.code, 0) << r.err;
  std::istringstream lines(r.out);
  std::string header, first;
  std::getline(lines, header);
  std::getline(lines, first);
  EXPECT_EQ(header.rfind("Seq.  Main Numbers", 0), 0u) << header;
  EXPECT_NE(header.find("ZUN File"), std::string::npos);
  EXPECT_EQ(first.rfind("1     ", 0), 0u) << first;
  EXPECT_NE(first.find(" - "), std::string::npos);
  EXPECT_NE(first.find("picks.sl5"), std::string::npos);
}

TEST_F(UdbTool, ConvertImportsOldFilesIntoANewDatabase) {
  for (const char* old : {"old.sl4", "old.sl3"}) {
    const ToolRun r = Tool({"convert", "Lotto649.dat", old, "new.sl5"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Converted 4 entries"), std::string::npos);
    const ToolRun list = Tool({"list", "Lotto649.dat", "new.sl5"});
    EXPECT_EQ(list.code, 0);
    EXPECT_NE(list.out.find("\n4  "), std::string::npos) << list.out;
  }
}

TEST_F(UdbTool, BadInputGivesOneLineAndAnExitCode) {
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* says;
  } cases[] = {
      {{}, 2, "usage:"},
      {{"game"}, 2, "usage:"},
      {{"game", "missing.dat"}, 1, "missing.dat: no such file"},
      {{"game", "picks.sl5"}, 1, "not a valid game file"},
      {{"list", "TwinPool.dat", "picks.sl5"}, 1, "do not fit the game"},
      {{"list", "Lotto649.dat", "old.sl4"}, 1, "not a readable .sl5 file"},
      {{"convert", "TwinPool.dat", "old.sl4", "x.sl5"}, 1, "fit only a 6-from-49 game"},
      {{"convert", "Lotto649.dat", "picks.sl5", "x.sl5"}, 1, "not a .sl4 or .sl3 file"},
      {{"convert", "Lotto649.dat", "old.sl4", "x.txt"}, 2, "must end in .sl5"},
      {{"convert", "Lotto649.dat", "gone.sl3", "x.sl5"}, 1, "gone.sl3: no such file"},
  };
  for (const auto& c : cases) {
    const ToolRun r = Tool(c.args);
    EXPECT_EQ(r.code, c.code) << c.says;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
  }
  auto broken = files.files["picks.sl5"];
  broken.resize(broken.size() - 3);
  files.files["broken.sl5"] = broken;
  const ToolRun r = Tool({"list", "Lotto649.dat", "broken.sl5"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("breaks off after 2 whole entries"), std::string::npos) << r.err;
}

TEST_F(UdbTool, AFailedConvertKeepsTheEarlierFile) {
  files.files["new.sl5"] = {1, 2, 3};
  files.failCommit = true;
  const ToolRun r = Tool({"convert", "Lotto649.dat", "old.sl4", "new.sl5"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("unchanged"), std::string::npos);
  EXPECT_EQ(files.files["new.sl5"], (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(UdbTool, ExportCsvWritesTheDatabaseInOrder) {
  const ToolRun r = Tool({"export-csv", "Lotto649.dat", "picks.sl5", "out.csv"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Exported 3 entries to out.csv\n");
  const auto& bytes = files.files["out.csv"];
  const std::string csv(bytes.begin(), bytes.end());
  EXPECT_EQ(csv.rfind("\"Seq.\";\"Main Numbers_1\";", 0), 0u) << csv;
  EXPECT_NE(csv.find("\"Main Numbers_6\"\r\n\"1\";"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\r\n\"3\";"), std::string::npos) << csv;
}

TEST_F(UdbTool, ExportHtmlFillsTheGamesTemplateOrAGivenOne) {
  files.files["games/Lotto649.dat"] = files.files["Lotto649.dat"];
  const std::string page = "<title><#Lotto_DBase_Caption></title><#DBase_Seq>|<#DBase_File_Name>";
  files.files["games/html/Lotto649/User_DBase_Builder_List.html"].assign(page.begin(), page.end());
  const ToolRun r = Tool({"export-html", "games/Lotto649.dat", "picks.sl5", "out.html"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Exported 3 entries to out.html"), std::string::npos) << r.out;
  const auto& bytes = files.files["out.html"];
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "<title>Lotto 6/49</title>1<BR>2<BR>3<BR>|picks.sl5<BR>picks.sl5<BR>picks.sl5<BR>");

  const std::string own = "<#DBase_Numbers_Caption>";
  files.files["own.html"].assign(own.begin(), own.end());
  ASSERT_EQ(Tool({"export-html", "Lotto649.dat", "picks.sl5", "own.html.out", "own.html"}).code, 0);
  const auto& ownBytes = files.files["own.html.out"];
  EXPECT_EQ(std::string(ownBytes.begin(), ownBytes.end()), "Main Numbers");
}

TEST_F(UdbTool, ExportErrorsKeepEarlierFiles) {
  const std::string bad = "<#DBase_Numbers_Caption Level=one>";
  files.files["bad.html"].assign(bad.begin(), bad.end());
  files.files["out.html"] = {1, 2, 3};
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* says;
  } cases[] = {
      {{"export-csv", "TwinPool.dat", "picks.sl5", "out.html"}, 1, "do not fit the game"},
      {{"export-html", "Lotto649.dat", "picks.sl5", "out.html"}, 1, "no such template"},
      {{"export-html", "Lotto649.dat", "picks.sl5", "out.html", "gone.html"}, 1, "gone.html: no such template"},
      {{"export-html", "Lotto649.dat", "picks.sl5", "out.html", "bad.html"}, 1, "not a whole number"},
      {{"export-html", "Lotto649.dat", "picks.sl5"}, 2, "usage:"},
      {{"export-csv", "Lotto649.dat", "picks.sl5", "out.html", "x"}, 2, "usage:"},
  };
  for (const auto& c : cases) {
    const ToolRun r = Tool(c.args);
    EXPECT_EQ(r.code, c.code) << c.says;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
  files.failCommit = true;
  const ToolRun r = Tool({"export-csv", "Lotto649.dat", "picks.sl5", "out.html"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("unchanged"), std::string::npos) << r.err;
  EXPECT_EQ(files.files["out.html"], (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(UdbTool, ImportCsvWritesTheTakenLinesAndNamesTheRefusedOnes) {
  const std::string csv = "N1;N2;N3;N4;N5;N6\r\n1;2;3;4;5;6\r\n\r\n1;2;3;4;5;50\r\n7 8 9 10 11 12 mine\r\n1 1 2 3 4 5\r\n";
  files.files["in.csv"].assign(csv.begin(), csv.end());
  const ToolRun r = Tool({"import-csv", "Lotto649.dat", "in.csv", "out.sl5"});
  EXPECT_EQ(r.code, 1) << "some lines refused";
  EXPECT_EQ(r.out,
            "took 2 of 4 lines\n"
            "line 4: 50 is not a number of Main Numbers (1\x96" "49)\n"
            "line 6: 1 stands twice in Main Numbers\n")
      << "lines counted as the file has them, header and blank line included";
  const ToolRun list = Tool({"list", "Lotto649.dat", "out.sl5"});
  EXPECT_NE(list.out.find("1     01 - 02 - 03 - 04 - 05 - 06  out.sl5\n2     07 - 08 - 09 - 10 - 11 - 12  out.sl5"),
            std::string::npos)
      << "in file order; a saved file's entries name it as their source\n" << list.out;

  files.files["good.csv"] = {'1', ' ', '2', ' ', '3', ' ', '4', ' ', '5', ' ', '6'};
  EXPECT_EQ(Tool({"import-csv", "Lotto649.dat", "good.csv", "good.sl5"}).out, "took 1 of 1 lines\n");
  EXPECT_EQ(Run({"import-csv", "Lotto649.dat", "good.csv", "good.sl5"}), 0);

  // Nothing is written for a wrong command line or an unreadable input.
  const std::vector<uint8_t> earlier = files.files["out.sl5"];
  EXPECT_EQ(Run({"import-csv", "Lotto649.dat", "missing.csv", "out.sl5"}), 2);
  EXPECT_EQ(Run({"import-csv", "Missing.dat", "in.csv", "out.sl5"}), 2);
  EXPECT_EQ(Run({"import-csv", "Lotto649.dat", "in.csv", "out.txt"}), 2);
  EXPECT_EQ(Run({"import-csv", "Lotto649.dat", "in.csv"}), 2);
  EXPECT_EQ(files.files["out.sl5"], earlier);
  EXPECT_EQ(files.files.count("out.txt"), 0u);
}

}  // namespace
}  // namespace zun

namespace zun {
namespace {

using UdbToolQuickPick = UdbTool;

TEST_F(UdbToolQuickPick, WritesValidPicksThatTheSameSeedRepeats) {
  ASSERT_EQ(Run({"quickpick", "Lotto649.dat", "500", "qp.sl5", "--seed", "7"}), 0);
  TZUN_User_Lotto_DBase database;
  ASSERT_TRUE(ParseSl5(database, files.files["qp.sl5"], false, "qp.sl5"));
  ASSERT_EQ(database.Entries.size(), 500);
  for (const auto& entry : database.Entries) {
    const auto numbers = entry.Numbers[0];
    ASSERT_EQ(numbers.size(), 6u);
    for (size_t k = 0; k < numbers.size(); ++k) {
      EXPECT_GE(numbers[k], 1);
      EXPECT_LE(numbers[k], 49);
      if (k > 0) {
        EXPECT_LT(numbers[k - 1], numbers[k]) << "ascending, no repeats";
      }
    }
  }
  const auto first = files.files["qp.sl5"];
  ASSERT_EQ(Run({"quickpick", "Lotto649.dat", "500", "again.sl5", "--seed", "7"}), 0);
  EXPECT_EQ(files.files["again.sl5"], first);
  ASSERT_EQ(Run({"quickpick", "Lotto649.dat", "500", "other.sl5", "--seed", "8"}), 0);
  EXPECT_NE(files.files["other.sl5"], first);
}

TEST_F(UdbToolQuickPick, RefusesBadCountsAndNamesWithTheCommandLineCode) {
  std::string err;
  EXPECT_EQ(Run({"quickpick", "Lotto649.dat", "ten", "qp.sl5"}, &err), 2);
  EXPECT_NE(err.find("COUNT must be a number"), std::string::npos) << err;
  EXPECT_EQ(Run({"quickpick", "Lotto649.dat", "10000001", "qp.sl5"}), 2);
  EXPECT_EQ(Run({"quickpick", "Lotto649.dat", "-1", "qp.sl5"}), 2);
  EXPECT_EQ(Run({"quickpick", "Lotto649.dat", "3", "qp.txt"}), 2);
  EXPECT_EQ(Run({"quickpick", "Lotto649.dat", "3", "qp.sl5", "--sead", "1"}), 2);
  EXPECT_EQ(Run({"quickpick", "Missing.dat", "3", "qp.sl5"}), 1);
  EXPECT_EQ(files.files.count("qp.sl5"), 0u) << "nothing written";
  ASSERT_EQ(Run({"quickpick", "TwinPool.dat", "0", "empty.sl5", "--seed", "1"}), 0);
  TZUN_User_Lotto_DBase database;
  ASSERT_TRUE(ParseSl5(database, files.files["empty.sl5"], false, "empty.sl5"));
  EXPECT_EQ(database.Entries.size(), 0);
  EXPECT_EQ(database.NumberSets.size(), 2);
}

}  // namespace
}  // namespace zun

namespace zun {
namespace {

class UdbToolMerge : public UdbTool {
 protected:
  UdbToolMerge() {
    const auto lotto = hostside::MakeLotto649(0);
    files.files["a.sl5"] = Sl5Bytes(*hostside::MakeSampleDatabase(*lotto, 3, 1));
    files.files["b.sl5"] = Sl5Bytes(*hostside::MakeSampleDatabase(*lotto, 4, 2));
    const auto twin = hostside::MakeTwinPool(0);
    files.files["twin.sl5"] = Sl5Bytes(*hostside::MakeSampleDatabase(*twin, 2, 3));
    files.files["old.sl3"] = hostside::Sl3Bytes(hostside::MakeOldRecords(5, 1));
  }
  int32_t EntriesIn(const std::string& path) {
    TZUN_User_Lotto_DBase database;
    EXPECT_TRUE(ParseSl5(database, files.files[path], false, path));
    return database.Entries.size();
  }
};

TEST_F(UdbToolMerge, TakesTheSuitableFilesAndReportsTheOthersAsTheWindowDoes) {
  std::string err;
  ASSERT_EQ(Run({"merge", "Lotto649.dat", "all.sl5", "a.sl5", "twin.sl5", "old.sl3", "b.sl5"}, &err), 0) << err;
  EXPECT_EQ(EntriesIn("all.sl5"), 3 + 5 + 4);
  EXPECT_NE(err.find("Unable to load file(s):\ntwin.sl5\n\nFile(s) not suitable for current Lotto."), std::string::npos)
      << err;
}

TEST_F(UdbToolMerge, WritesNothingWhenNoFileCanBeTaken) {
  std::string err;
  EXPECT_EQ(Run({"merge", "Lotto649.dat", "none.sl5", "twin.sl5", "missing.sl5"}, &err), 1);
  EXPECT_EQ(files.files.count("none.sl5"), 0u);
  EXPECT_NE(err.find("no file was taken"), std::string::npos) << err;
  EXPECT_EQ(Run({"merge", "Lotto649.dat", "out.txt", "a.sl5"}), 2);
  EXPECT_EQ(Run({"merge", "Lotto649.dat", "out.sl5"}), 2) << "no file to merge is a wrong command line";
}

}  // namespace
}  // namespace zun

namespace zun {
namespace {

// A game of known draws and a database of known entries.
class UdbToolChecks : public UdbTool {
 protected:
  UdbToolChecks() {
    auto game = hostside::MakeLotto649(3);
    SetDraw(*game, 0, {1, 2, 3, 4, 5, 6}, 7);        // 01/01/2026
    SetDraw(*game, 1, {10, 11, 12, 13, 14, 15}, 1);  // 02/01/2026
    SetDraw(*game, 2, {1, 2, 3, 20, 21, 22}, 4);     // 03/01/2026
    files.files["known.dat"] = hostside::WriteGameFile(*game);
    files.files["known.sl5"] = Sl5Bytes(*Database(*game, {{1, 2, 3, 4, 5, 7}, {40, 41, 42, 43, 44, 45},
                                                          {15, 14, 13, 12, 11, 10}, {4, 5, 6, 7, 8, 9},
                                                          {7, 5, 4, 3, 2, 1}}));
  }
  static void SetDraw(TZUN_Lotto_DBase& game, int32_t draw, std::vector<uint8_t> main, uint8_t bonus) {
    auto& numbers = game.Draws[draw].DrawNumbers;
    for (size_t k = 0; k < main.size(); ++k) numbers[0][int32_t(k)] = main[k];
    numbers[1][0] = bonus;
  }
  static std::unique_ptr<TZUN_User_Lotto_DBase> Database(const TZUN_Lotto_DBase& game,
                                                         const std::vector<std::vector<int8_t>>& entries) {
    auto database = hostside::MakeSampleDatabase(game, int32_t(entries.size()), 1);
    for (size_t e = 0; e < entries.size(); ++e)
      for (size_t k = 0; k < 6; ++k) database->Entries[int32_t(e)].Numbers[0][k] = entries[e][k];
    return database;
  }
};

TEST_F(UdbToolChecks, HitsListsEveryPairThatReachesADivisionByEntryThenDraw) {
  const struct Case {
    std::vector<std::string> options;
    const char* out;
  } cases[] = {
      {{},
       "5 entries checked against 3 draws: 1 \xD7 Jackpot, 2 \xD7 Five plus Bonus, 0 \xD7 Five, 0 \xD7 Four, "
       "3 \xD7 Three\n"
       "1;01/01/2026;5 + 1;Five plus Bonus\n"
       "1;03/01/2026;3 + 1;Three\n"
       "3;02/01/2026;6 + 0;Jackpot\n"
       "4;01/01/2026;3 + 1;Three\n"
       "5;01/01/2026;5 + 1;Five plus Bonus\n"
       "5;03/01/2026;3 + 1;Three\n"},
      {{"--last", "2"},
       "5 entries checked against 2 draws: 1 \xD7 Jackpot, 0 \xD7 Five plus Bonus, 0 \xD7 Five, 0 \xD7 Four, "
       "2 \xD7 Three\n"
       "1;03/01/2026;3 + 1;Three\n"
       "3;02/01/2026;6 + 0;Jackpot\n"
       "5;03/01/2026;3 + 1;Three\n"},
      {{"--last", "1"},
       "5 entries checked against 1 draw: 0 \xD7 Jackpot, 0 \xD7 Five plus Bonus, 0 \xD7 Five, 0 \xD7 Four, "
       "2 \xD7 Three\n"
       "1;03/01/2026;3 + 1;Three\n"
       "5;03/01/2026;3 + 1;Three\n"},
      {{"--last", "0"},
       "5 entries checked against 0 draws: 0 \xD7 Jackpot, 0 \xD7 Five plus Bonus, 0 \xD7 Five, 0 \xD7 Four, "
       "0 \xD7 Three\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"hits", "known.dat", "known.sl5"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
  }
  EXPECT_EQ(Tool({"hits", "known.dat", "known.sl5", "--last", "4"}).out, Tool({"hits", "known.dat", "known.sl5"}).out)
      << "more draws than the game has: all of them";
}

TEST_F(UdbToolChecks, DuplicatesNameTheFirstEntryOfEachRepeat) {
  const ToolRun r = Tool({"duplicates", "known.dat", "known.sl5"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "5;1\n1 duplicate of 5 entries\n") << "entry 5 holds entry 1's numbers in another order";
  const ToolRun none = Tool({"duplicates", "Lotto649.dat", "picks.sl5"});
  EXPECT_EQ(none.out, "0 duplicates of 3 entries\n");
}

TEST_F(UdbToolChecks, BadUsageAndUnreadableFilesExitWithTwo) {
  const std::vector<std::string> cases[] = {
      {"hits", "known.dat"},
      {"hits", "known.dat", "known.sl5", "--last"},
      {"hits", "known.dat", "known.sl5", "--last", "many"},
      {"hits", "known.dat", "known.sl5", "--first", "1"},
      {"hits", "missing.dat", "known.sl5"},
      {"hits", "known.dat", "missing.sl5"},
      {"hits", "TwinPool.dat", "known.sl5"},
      {"duplicates", "known.dat"},
      {"duplicates", "known.sl5", "known.sl5"},
  };
  for (const auto& args : cases) {
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.code, 2) << ::testing::PrintToString(args);
    EXPECT_TRUE(r.out.empty()) << r.out;
  }
}

TEST_F(UdbToolChecks, HitsListsPairsPastWhatOneCheckLists) {
  auto game = hostside::MakeLotto649(2000);
  for (int32_t t = 0; t < 2000; ++t) SetDraw(*game, t, {1, 2, 3, 4, 5, 6}, 7);
  files.files["same.dat"] = hostside::WriteGameFile(*game);
  files.files["same.sl5"] = Sl5Bytes(*Database(*game, std::vector<std::vector<int8_t>>(1001, {1, 2, 3, 4, 5, 6})));
  const ToolRun r = Tool({"hits", "same.dat", "same.sl5"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
            "1,001 entries checked against 2,000 draws: 2,002,000 \xD7 Jackpot, 0 \xD7 Five plus Bonus, 0 \xD7 Five, "
            "0 \xD7 Four, 0 \xD7 Three");
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 2'002'000);
  const std::string last = "1001;" + std::string(game->Draws[1999].DrawText.view()) + ";6 + 0;Jackpot\n";
  EXPECT_EQ(r.out.substr(r.out.size() - last.size()), last);
  EXPECT_NE(r.out.find("1000;" + std::string(game->Draws[1999].DrawText.view()) + ";6 + 0;Jackpot\n1001;" +
                       std::string(game->Draws[0].DrawText.view()) + ";"),
            std::string::npos)
      << "entry by entry, each in the draws' order";
}

}  // namespace
}  // namespace zun

namespace zun {
namespace {

using UdbToolWheel = UdbTool;

std::vector<int8_t> SetNumbers(const TZUN_User_Lotto_DBase& database, int32_t entry, int32_t set) {
  const auto numbers = database.Entries[entry].Numbers[set];
  return {numbers.begin(), numbers.end()};
}

TEST_F(UdbToolWheel, WritesEveryCombinationInLexicographicOrderAndLeavesOtherSetsEmpty) {
  ASSERT_EQ(Run({"wheel", "Lotto649.dat", "w.sl5", "8", "1", "2", "3", "4", "5", "6", "7"}), 0);
  TZUN_User_Lotto_DBase database;
  ASSERT_TRUE(ParseSl5(database, files.files["w.sl5"], false, "w.sl5"));
  ASSERT_EQ(database.Entries.size(), 28) << "C(8, 6)";
  EXPECT_EQ(SetNumbers(database, 0, 0), (std::vector<int8_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(SetNumbers(database, 1, 0), (std::vector<int8_t>{1, 2, 3, 4, 5, 7}));
  EXPECT_EQ(SetNumbers(database, 27, 0), (std::vector<int8_t>{3, 4, 5, 6, 7, 8}));
  for (int32_t e = 1; e < 28; ++e) EXPECT_LT(SetNumbers(database, e - 1, 0), SetNumbers(database, e, 0)) << e;

  // The whole space of the game: its count, and six bytes an entry.
  const ToolRun all = Tool({"wheel", "Lotto649.dat", "all.sl5"});
  ASSERT_EQ(all.code, 0) << all.err;
  EXPECT_EQ(all.out, "Wrote 13983816 combinations of 6 from 49 numbers to all.sl5\n");
  EXPECT_EQ(files.files["all.sl5"].size(), files.files["w.sl5"].size() + (13'983'816 - 28) * 6u);

  const ToolRun twin = Tool({"wheel", "TwinPool.dat", "t.sl5", "1", "2", "3", "4", "5", "6"});
  ASSERT_EQ(twin.code, 0) << twin.err;
  EXPECT_NE(twin.out.find("other 1 play set is left empty"), std::string::npos) << twin.out;
  TZUN_User_Lotto_DBase pools;
  ASSERT_TRUE(ParseSl5(pools, files.files["t.sl5"], false, "t.sl5"));
  ASSERT_EQ(pools.Entries.size(), 6);
  EXPECT_EQ(SetNumbers(pools, 5, 0), (std::vector<int8_t>{2, 3, 4, 5, 6}));
  EXPECT_EQ(SetNumbers(pools, 5, 1), (std::vector<int8_t>{0, 0}));
}

TEST_F(UdbToolWheel, RefusesNumbersTheSetCannotWheelWithTheCommandLineCode) {
  files.files["keep.sl5"] = {1, 2, 3};
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* says;
  };
  const Case cases[] = {
      {{"wheel", "Lotto649.dat", "keep.sl5", "1", "2", "3", "4", "5", "50"}, 2, "lies outside 1 to 49"},
      {{"wheel", "Lotto649.dat", "keep.sl5", "0", "2", "3", "4", "5", "6"}, 2, "lies outside"},
      {{"wheel", "Lotto649.dat", "keep.sl5", "1", "2", "3", "4", "5", "5", "7"}, 2, "given twice"},
      {{"wheel", "Lotto649.dat", "keep.sl5", "1", "2", "3", "4", "5"}, 2, "give at least that many"},
      {{"wheel", "Lotto649.dat", "keep.sl5", "1", "2", "3", "4", "5", "six"}, 2, "not a number: six"},
      {{"wheel", "Lotto649.dat", "keep.txt"}, 2, "must end in .sl5"},
      {{"wheel", "Missing.dat", "keep.sl5"}, 1, "no such file"},
  };
  for (const Case& c : cases) {
    const ToolRun run = Tool(c.args);
    EXPECT_EQ(run.code, c.code) << c.says;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
  EXPECT_EQ(files.files["keep.sl5"], (std::vector<uint8_t>{1, 2, 3})) << "a refused wheel writes nothing";
}

}  // namespace
}  // namespace zun
