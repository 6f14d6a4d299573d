#include "list/html_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostside/sample_games.h"
#include "list/html_template.h"
#include "support/adapter_fixture.h"
#include "support/memory_file_system.h"
#include "support/test_files.h"

namespace zun {
namespace {

class StringWriter final : public FileWriter {
 public:
  std::string bytes;
  bool Write(const void* data, size_t size) override {
    bytes.append(static_cast<const char*>(data), size);
    return true;
  }
  bool Commit() override { return true; }
};

// A game of two play sets, "Main" (2 numbers) and "Bonus" (1, labelled
// "B1".."B9"), and a database of three entries.
class HtmlExport : public ::testing::Test {
 protected:
  HtmlExport() {
    game.GameName.assign("Pick 2+1");
    AddSet("Main", 2);
    AddSet("Bonus", 1);
    auto& labels = game.PlaySets[1].Grid.NumberLabels;
    labels.HasLabels = 1;
    labels.Labels.resize(9);
    for (int32_t i = 0; i < 9; ++i) labels.Labels[i].assign("B" + std::to_string(i + 1));
    database.NumberSets = game.PlaySets;
    AddEntry({20, 3}, 2, "zeta.sl5");
    AddEntry({1, 9}, 7, "alpha.sl5");
    AddEntry({5, 6}, 1, "Quick Pick");
    list.Refill(database);
  }

  void AddSet(const char* name, int32_t count) {
    auto& set = game.PlaySets.emplace_back();
    set.SetName.assign(name);
    set.NumberCount = count;
    set.LowestNumber = 1;
    set.HighestNumber = 49;
    set.Grid.Columns.Count = 10;
  }

  void AddEntry(std::vector<int8_t> main, int8_t bonus, const char* source) {
    const int32_t e = database.Entries.size();
    database.Entries.resize(e + 1);
    database.SizeEntry(e, database.EntryShape());
    for (size_t k = 0; k < main.size(); ++k) database.Entries[e].Numbers[0][k] = main[k];
    database.Entries[e].Numbers[1][0] = bonus;
    database.Entries[e].Source.assign(source);
  }

  HtmlExportResult Result(std::string_view templateText) {
    StringWriter writer;
    const HtmlExportResult result = WriteHtmlExport(templateText, game, database, list, writer);
    page = writer.bytes;
    return result;
  }
  std::string Page(std::string_view templateText) {
    const HtmlExportResult result = Result(templateText);
    EXPECT_TRUE(result.Ok()) << result.message;
    return page;
  }

  TZUN_Lotto_Temp game;
  TZUN_User_Lotto_DBase database;
  EntryList list;
  std::string page;
};

TEST_F(HtmlExport, TextOutsideTagsIsCopiedByteForByte) {
  std::string text = "<!DOCTYPE html>\r\n<p class=\"x\">a < b # c</p>\n<";
  text += '\0';
  text += "\xff\x80 <\t# \t";
  EXPECT_EQ(Page(text), text);
  EXPECT_EQ(Page(""), "");
  EXPECT_EQ(Page("[<#Lotto_DBase_Caption>]\n[<#TABLE>]"), "[Pick 2+1]\n[]");
}

TEST_F(HtmlExport, AnUnclosedTagIsText) {
  EXPECT_EQ(Page("a <#Lotto_DBase_Caption"), "a <#Lotto_DBase_Caption");
  EXPECT_EQ(Page("<#"), "<#");
  // A quoted value that never closes keeps its "<#" as text; a later tag counts.
  EXPECT_EQ(Page("<#X a=\"1> b <#Lotto_DBase_Caption>"), "<#X a=\"1> b Pick 2+1");
  EXPECT_EQ(Page("<#<#Lotto_DBase_Caption>"), "");  // one tag named "<#Lotto_DBase_Caption"
}

TEST_F(HtmlExport, TagsOfEveryKindInAnyCase) {
  EXPECT_EQ(Page("<#lotto_dbase_caption>|<#LOTTO_DBASE_CAPTION>"), "Pick 2+1|Pick 2+1");
  EXPECT_EQ(Page("<#dbase_seq>|<#DBASE_FILE_NAME>"), "1<BR>2<BR>3<BR>|zeta.sl5<BR>alpha.sl5<BR>Quick Pick<BR>");
  EXPECT_EQ(Page("<#DBase_Numbers>|<#dbase_numbers level=2>"), "20 - 03<BR>01 - 09<BR>05 - 06<BR>|B2<BR>B7<BR>B1<BR>");
  EXPECT_EQ(Page("<#DBase_Numbers_Caption>,<#dbase_numbers_caption LEVEL=2>"), "Main,Bonus");
  // Tags of the host's own kinds and names we do not know give nothing.
  EXPECT_EQ(Page("<#LINK href=\"a.css\"><#image src=x><#Table><#IMAGEMAP><#object><#Embed>"
                 "<#Unknown a=1><#>"),
            "");
}

TEST_F(HtmlExport, ParametersBareOrQuoted) {
  EXPECT_EQ(Page("<#DBase_Numbers_Caption Level=\"2\">"), "Bonus");
  EXPECT_EQ(Page("<#DBase_Numbers_Caption\n\ttitle=\"a > b\"  Level=2 >"), "Bonus");
  EXPECT_EQ(Page("<#DBase_Numbers_Caption Flag Level=2>"), "Bonus");
  EXPECT_EQ(Page("<#DBase_Numbers_Caption Level= Level=2>"), "Bonus") << "the first Level with a value";
}

TEST_F(HtmlExport, LevelsOfTheCaption) {
  struct Case {
    const char* tag;
    const char* gives;
  } cases[] = {
      {"<#DBase_Numbers_Caption>", "Main"},          {"<#DBase_Numbers_Caption Level=\"\">", "Main"},
      {"<#DBase_Numbers_Caption Level=+2>", "Bonus"}, {"<#DBase_Numbers_Caption Level=0>", ""},
      {"<#DBase_Numbers_Caption Level=3>", ""},      {"<#DBase_Numbers_Caption Level=-1>", ""},
      {"<#DBase_Numbers_Caption Level=99999999999>", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Page(c.tag), c.gives) << c.tag;

  for (const char* bad : {"x", "2.0", " 2", "+", "2x", "--1"}) {
    const HtmlExportResult result = Result("text<#DBase_Numbers_Caption Level=\"" + std::string(bad) + "\">");
    EXPECT_EQ(result.status, HtmlExportStatus::BadTemplate) << bad;
    EXPECT_NE(result.message.find("DBase_Numbers_Caption"), std::string::npos) << result.message;
    EXPECT_EQ(page, "") << "nothing is written";
  }
}

TEST_F(HtmlExport, LevelsOfTheNumbers) {
  EXPECT_EQ(Page("<#DBase_Numbers Level=\"\">"), "20 - 03<BR>01 - 09<BR>05 - 06<BR>");
  EXPECT_EQ(Page("<#DBase_Numbers Level=0>"), "<BR>");
  EXPECT_EQ(Page("<#DBase_Numbers Level=9>"), "<BR>");
  EXPECT_EQ(Page("<#DBase_Numbers Level=x>"), "");

  game.PlaySets.resize(1);
  database.NumberSets.resize(1);
  EXPECT_EQ(Page("<#DBase_Numbers Level=2>|<#DBase_Numbers_Caption Level=2>"), "<BR>|");

  list.Clear();
  EXPECT_EQ(Page("<#DBase_Numbers Level=0><#DBase_Seq><#DBase_Numbers><#DBase_File_Name>"), "");
}

TEST_F(HtmlExport, RowsFollowTheDisplayOrder) {
  list.SetSort(database, true, 3);  // by source: alpha, Quick Pick, zeta
  EXPECT_EQ(Page("<#DBase_Seq>|<#DBase_Numbers>|<#DBase_Numbers Level=2>|<#DBase_File_Name>"),
            "2<BR>3<BR>1<BR>|01 - 09<BR>05 - 06<BR>20 - 03<BR>|B7<BR>B1<BR>B2<BR>|"
            "alpha.sl5<BR>Quick Pick<BR>zeta.sl5<BR>");
  list.SetSort(database, false, 0);
  EXPECT_EQ(Page("<#DBase_Seq>"), "3<BR>2<BR>1<BR>");
}

TEST_F(HtmlExport, NamesTextsAndSourcesAreEscaped) {
  game.GameName.assign("Fish & <Chips> \"6\"");
  game.PlaySets[0].SetName.assign("<b>Main</b>");
  game.PlaySets[1].Grid.NumberLabels.Labels[1].assign("<&>\"");
  database.NumberSets = game.PlaySets;
  database.Entries[0].Source.assign("a&b <c>.sl5");
  EXPECT_EQ(Page("<h1 title=\"x\"><#Lotto_DBase_Caption></h1><#DBase_Numbers_Caption>"),
            "<h1 title=\"x\">Fish &amp; &lt;Chips&gt; &quot;6&quot;</h1>&lt;b&gt;Main&lt;/b&gt;");
  EXPECT_EQ(Page("<#DBase_Numbers Level=2>"), "&lt;&amp;&gt;&quot;<BR>B7<BR>B1<BR>");
  EXPECT_EQ(Page("<#DBase_File_Name>"), "a&amp;b &lt;c&gt;.sl5<BR>alpha.sl5<BR>Quick Pick<BR>");
}

TEST_F(HtmlExport, FailuresLeaveTheOlderPage) {
  testing::MemoryFileSystem files;
  const std::vector<uint8_t> older{'o', 'l', 'd'};
  files.files["out.html"] = older;
  files.files["list.html"] = {'<', '#', 'D', 'B', 'a', 's', 'e', '_', 'S', 'e', 'q', '>'};
  files.files["bad.html"] = {'<', '#', 'D', 'B', 'a', 's', 'e', '_', 'N', 'u', 'm', 'b', 'e', 'r', 's', '_',
                             'C', 'a', 'p', 't', 'i', 'o', 'n', ' ', 'L', 'e', 'v', 'e', 'l', '=', 'x', '>'};
  auto Export = [&](const char* templatePath, const char* path = "out.html") {
    return ExportHtml(files, templatePath, path, game, database, list).status;
  };
  files.failWritesAfter = 2;
  EXPECT_EQ(Export("list.html"), HtmlExportStatus::CannotWrite);
  files.failWritesAfter = -1;
  files.failCommit = true;
  EXPECT_EQ(Export("list.html"), HtmlExportStatus::CannotWrite);
  files.failCommit = false;
  EXPECT_EQ(Export("bad.html"), HtmlExportStatus::BadTemplate);
  EXPECT_EQ(Export("missing.html"), HtmlExportStatus::TemplateMissing);
  EXPECT_EQ(files.files["out.html"], older);
  EXPECT_EQ(Export("bad.html", "new.html"), HtmlExportStatus::BadTemplate);
  EXPECT_EQ(files.files.count("new.html"), 0u);

  EXPECT_EQ(Export("list.html"), HtmlExportStatus::Done);
  const auto& written = files.files["out.html"];
  EXPECT_EQ(std::string(written.begin(), written.end()), "1<BR>2<BR>3<BR>");
}

// The export through the window's command: what its error report names.
TEST(HtmlExportReports, AFailureNamesWhatFailedAndWhy) {
  testing::AdapterFixture f;
  ASSERT_EQ(f.Start(), 1);
  f.adapter.Execute(CommandId::QuickPick);
  const std::string templatePath = f.game->HtmlPath(kListTemplateName);
  const std::string output = "C:\\Out\\list.html";
  const auto Export = [&](const std::string& text) {
    f.files.files[templatePath].assign(text.begin(), text.end());
    f.dialogs.saveAnswers.push_back(output);
    f.prompt.shown.clear();
    f.adapter.Execute(CommandId::ExportHtml);
    return f.prompt.shown.empty() ? std::string() : f.prompt.shown.back().text;
  };

  const std::string badTag = Export("<p><#DBase_Numbers_Caption Level=two></p>");
  EXPECT_EQ(badTag.rfind("Error saving to HTML File: " + templatePath + "\r", 0), 0u) << badTag;
  EXPECT_NE(badTag.find("<#DBase_Numbers_Caption> has a Level that is not a whole number: \"two\""), std::string::npos)
      << "the exporter's reason: " << badTag;

  f.files.failCommit = true;
  const std::string unwritable = Export("<#DBase_Seq>");
  EXPECT_EQ(unwritable.rfind("Error saving to HTML File: " + output + "\r", 0), 0u)
      << "the output file failed, not the template: " << unwritable;
  EXPECT_EQ(unwritable.find(templatePath), std::string::npos);

  f.files.failCommit = false;
  EXPECT_EQ(Export("<#DBase_Seq>"), "");
  EXPECT_TRUE(f.files.FileExists(output));
}

TEST(HtmlExportTexts, SetTextsAreTheListsCellTexts) {
  // Plain numbers, number labels and row labels listed by column, with
  // numbers off the grid and negative ones; one label needing escapes.
  for (const auto& sample : hostside::MakeSampleGames()) {
    auto database = hostside::MakeSampleDatabase(*sample.game, 300, 11);
    // Odd entries hold numbers of one column (3 apart), in descending rows.
    for (int32_t e = 0; e < 40; ++e) {
      const auto numbers = database->Entries[e].Numbers[0];
      for (size_t k = 0; k < numbers.size(); ++k)
        numbers[k] = static_cast<int8_t>(-128 + 13 * e + (e % 2 != 0 ? 30 - 3 * static_cast<int>(k) : numbers[k]));
    }
    for (auto& set : database->NumberSets)
      if (set.Grid.NumberLabels.LabelsOn()) set.Grid.NumberLabels.Labels[0].assign("<&\">");
    EntryList list;
    list.Refill(*database);
    list.SetSort(*database, false, 1);
    ASSERT_EQ(list.RowCount(), 300);
    for (int32_t level = 1; level <= database->NumberSets.size(); ++level) {
      std::string expected;
      for (int32_t row = 0; row < list.RowCount(); ++row) {
        for (const char c : list.CellText(*database, row, level)) {
          switch (c) {
            case '&': expected += "&amp;"; break;
            case '<': expected += "&lt;"; break;
            case '>': expected += "&gt;"; break;
            case '"': expected += "&quot;"; break;
            default: expected += c;
          }
        }
        expected += "<BR>";
      }
      StringWriter writer;
      const std::string tag = "<#DBase_Numbers Level=" + std::to_string(level) + ">";
      ASSERT_TRUE(WriteHtmlExport(tag, *sample.game, *database, list, writer).Ok());
      EXPECT_EQ(writer.bytes, expected) << sample.fileName << " level " << level;
    }
  }
}

TEST(HtmlExportSamples, EachSampleGameFindsAndFillsItsTemplate) {
  for (const char* name : {"Lotto649", "TwinPool", "PickThree"}) {
    TZUN_Lotto_Temp game;
    game.FileName = testing::SourcePath(std::string("samples/") + name + ".dat");
    ASSERT_TRUE(game.ReadGameFile(PlatformFileSystem(), true)) << name;
    auto database = TZUN_User_Lotto_DBase::Create(PlatformFileSystem(), std::string(game.FileName.view()));
    ASSERT_TRUE(database->LoadFromFile(PlatformFileSystem(), false,
                                       testing::SourcePath(std::string("samples/") + name + "-picks.sl5")));
    EntryList list;
    list.Refill(*database);
    const std::string templatePath = game.HtmlPath(kListTemplateName);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(PlatformFileSystem().ReadFile(templatePath, bytes)) << templatePath;
    const std::string templateText(bytes.begin(), bytes.end());
    StringWriter writer;
    const HtmlExportResult result = WriteHtmlExport(templateText, game, *database, list, writer);
    ASSERT_TRUE(result.Ok()) << result.message;
    const std::string& page = writer.bytes;
    EXPECT_EQ(page.find("<#"), std::string::npos) << name;
    EXPECT_NE(page.find("<title>" + std::string(game.GameName.view()) + "</title>"), std::string::npos) << name;
    for (const auto& set : game.PlaySets)
      EXPECT_NE(page.find(">" + std::string(set.SetName.view()) + "<"), std::string::npos) << name;
    EXPECT_NE(page.find(list.CellText(*database, 24, 1) + "<BR>"), std::string::npos) << name;
    EXPECT_NE(page.find("25<BR>"), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace zun
