#include "host/error_reporter.h"

#include <gtest/gtest.h>

#include "base/error_location.h"
#include "support/fake_ports.h"
#include "support/memory_file_system.h"

namespace zun {
namespace {

struct Reporter {
  testing::MemoryFileSystem files;
  testing::FixedClock clock;
  testing::ScriptedPrompt prompt;
  testing::CountingCursor cursor;
  ErrorReporter reporter{files, clock, prompt, cursor};
  Reporter() { reporter.SetHost("C:\\ZUN", "Main "); }
  std::string Log() {
    const auto& bytes = files.files["C:\\ZUN\\zun.log"];
    return {bytes.begin(), bytes.end()};
  }
};

TEST(ErrorReporter, LogsFiveLinesAndShowsTheMessageWithItsCode) {
  Reporter r;
  EnterOperation("ZUN User DBase Builder 001008");
  r.cursor.cursor = kCursorHourGlass;
  EXPECT_TRUE(r.reporter.ReportError("Error while opening an SL File."));
  EXPECT_EQ(r.Log(),
            "Main \r\n08.12.2026 11:30:00\r\nError while opening an SL File.\r\nRef: ZUN User DBase Builder 001008\r\n"
            "\r\n");
  ASSERT_EQ(r.prompt.shown.size(), 1u);
  const auto& shown = r.prompt.shown[0];
  EXPECT_EQ(shown.text,
            "Error while opening an SL File.\rRef: ZUN User DBase Builder 001008\rPlease contact ZUN Developer.");
  EXPECT_EQ(shown.caption, "Error");
  EXPECT_EQ(shown.iconKind, kIconError);
  EXPECT_EQ(shown.results, (std::vector<int32_t>{kResultOk}));
  EXPECT_EQ(shown.buttons, (std::vector<std::string>{"&OK"}));
  EXPECT_EQ(r.cursor.cursor, kCursorDefault) << "the hourglass ends with the report";
}

TEST(ErrorReporter, RecordsAppendAndNeverRewrite) {
  Reporter r;
  r.files.files["C:\\ZUN\\zun.log"] = {'o', 'l', 'd', '\r', '\n'};
  EnterOperation("");
  r.reporter.ReportError("first");
  EnterOperation("X 1");
  r.reporter.ReportError("second");
  const std::string log = r.Log();
  EXPECT_EQ(log.rfind("old\r\n", 0), 0u);
  EXPECT_NE(log.find("first\r\nRef: \r\n\r\n"), std::string::npos) << "a report before any code names none";
  EXPECT_NE(log.find("second\r\nRef: X 1\r\n\r\n"), std::string::npos);
  EXPECT_EQ(r.prompt.shown.size(), 2u);
}

TEST(ErrorReporter, ALogThatCannotBeWrittenStillShowsTheDialog) {
  Reporter r;
  r.files.failAppend = true;
  r.cursor.cursor = kCursorHourGlass;
  EXPECT_FALSE(r.reporter.ReportError("Error while Saving ZUN Settings."));
  EXPECT_EQ(r.prompt.shown.size(), 1u);
  EXPECT_EQ(r.cursor.cursor, kCursorDefault);
}

TEST(ErrorReporter, BeforeTheHostNamesItsFolderNothingIsLogged) {
  testing::MemoryFileSystem files;
  testing::FixedClock clock;
  testing::ScriptedPrompt prompt;
  testing::CountingCursor cursor;
  ErrorReporter reporter(files, clock, prompt, cursor);
  EXPECT_FALSE(reporter.ReportError("Error while adding Entries from File Manager."));
  EXPECT_TRUE(files.files.empty()) << "no log at the root of a drive";
  EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST(BusyCursor, IsSetOnlyWhenItChanges) {
  testing::CountingCursor cursor;
  SetBusy(cursor, false);
  EXPECT_EQ(cursor.sets, 0);
  SetBusy(cursor, true);
  SetBusy(cursor, true);
  EXPECT_EQ(cursor.sets, 1);
  EXPECT_EQ(cursor.cursor, kCursorHourGlass);
  SetBusy(cursor, false);
  EXPECT_EQ(cursor.cursor, kCursorDefault);
  EXPECT_EQ(cursor.sets, 2);
}

}  // namespace
}  // namespace zun
