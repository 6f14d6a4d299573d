// The exports as commands: the save dialog, the template found by the
// game's HTML folder, and failures reported with the file's name while an
// older export stays untouched.

#include <gtest/gtest.h>

#include "list/html_export.h"
#include "support/adapter_fixture.h"

namespace zun {
namespace {

struct ExportFixture : testing::AdapterFixture {
  ExportFixture() {
    EXPECT_EQ(Start(), 1);
    for (int i = 0; i < 3; ++i) adapter.Execute(CommandId::QuickPick);
  }
  std::string Text(const std::string& path) {
    const auto& bytes = files.files[path];
    return std::string(bytes.begin(), bytes.end());
  }
};

TEST(HostAdapterExports, CsvGoesWhereTheUserSaidAndAFailureKeepsTheOldFile) {
  ExportFixture f;
  f.dialogs.saveAnswers.push_back("C:\\out\\picks.csv");
  f.adapter.Execute(CommandId::ExportCsv);
  ASSERT_EQ(f.dialogs.saved.size(), 1u);
  EXPECT_EQ(f.dialogs.saved[0].title, "Save to CSV File (*.csv)");
  EXPECT_EQ(f.dialogs.saved[0].filter, "CSV File (*.csv)|*.csv");
  EXPECT_TRUE(f.dialogs.saved[0].promptOverwrite);
  const std::string first = f.Text("C:\\out\\picks.csv");
  EXPECT_EQ(first.substr(0, 24), "\"Seq.\";\"Main Numbers_1\";") << first.substr(0, 40);
  EXPECT_NE(first.find("\r\n\"3\";"), std::string::npos) << "one line per entry, in database order";

  f.adapter.Execute(CommandId::QuickPick);
  f.files.failCommit = true;
  f.dialogs.saveAnswers.push_back("C:\\out\\picks.csv");
  f.adapter.Execute(CommandId::ExportCsv);
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].text.substr(0, 36), "Error saving to CSV File: picks.csv\r");
  EXPECT_EQ(f.Text("C:\\out\\picks.csv"), first) << "the older export is untouched";
  EXPECT_EQ(f.cursor.cursor, kCursorDefault);

  f.dialogs.saved.clear();
  f.adapter.Execute(CommandId::ExportCsv);  // the dialog is cancelled
  EXPECT_EQ(f.dialogs.saved.size(), 1u);
  EXPECT_EQ(f.prompt.shown.size(), 1u) << "a cancelled dialog says nothing";
}

TEST(HostAdapterExports, HtmlNeedsTheGamesTemplateAndReportsABadOneByItsPath) {
  ExportFixture f;
  const std::string templatePath = f.game->HtmlPath(kListTemplateName);
  EXPECT_FALSE(f.adapter.CurrentCommandStates()[CommandId::ExportHtml].enabled) << "no template: the item is disabled";
  f.dialogs.saveAnswers.push_back("C:\\out\\list.html");
  f.adapter.Execute(CommandId::ExportHtml);
  EXPECT_EQ(f.files.files.count("C:\\out\\list.html"), 0u) << "stops without a message";
  EXPECT_TRUE(f.prompt.shown.empty());

  const std::string page = "<html><#Lotto_DBase_Caption><#DBase_Seq></html>";
  f.files.files[templatePath] = std::vector<uint8_t>(page.begin(), page.end());
  EXPECT_TRUE(f.adapter.CurrentCommandStates()[CommandId::ExportHtml].enabled);
  f.dialogs.saveAnswers.push_back("C:\\out\\list.html");
  f.adapter.Execute(CommandId::ExportHtml);
  EXPECT_EQ(f.Text("C:\\out\\list.html"), "<html>" + std::string(f.game->GameName.view()) + "1<BR>2<BR>3<BR></html>");

  const std::string bad = "<#DBase_Numbers_Caption Level=x>";
  f.files.files[templatePath] = std::vector<uint8_t>(bad.begin(), bad.end());
  f.dialogs.saveAnswers.push_back("C:\\out\\list.html");
  f.adapter.Execute(CommandId::ExportHtml);
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].text.substr(0, 27 + templatePath.size()),
            "Error saving to HTML File: " + templatePath);
}

}  // namespace
}  // namespace zun
