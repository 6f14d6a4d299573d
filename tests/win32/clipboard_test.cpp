// The system's clipboard as the add-on uses it: text put in both formats
// comes back line for line, whatever the size, and lines are never split
// or joined where the reader converts the text a chunk at a time.

#include "win32/win32_clipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zun::win32 {
namespace {

struct ClipboardOwner {
  HWND window = CreateWindowExA(0, "STATIC", "clipboard test", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  Win32Clipboard clipboard{[this] { return window; }};
  ~ClipboardOwner() { DestroyWindow(window); }

  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    EXPECT_TRUE(clipboard.ReadLines([&](std::string_view line) { lines.emplace_back(line); }));
    return lines;
  }
};

std::vector<std::string> AnsiLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachAnsiLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

TEST(Win32Clipboard, TextComesBackLineForLineAcrossTheReadersChunks) {
  ClipboardOwner owner;
  // A CR LF astride the first chunk's end (65,536 characters), lone CRs
  // and blank lines, and one line of a million digits.
  std::string text;
  while (text.size() < 65'000) text += "1 2 3 4\r\n";
  text += std::string(65'535 - text.size(), '5') + "\r\n";
  for (int i = 0; text.size() < 200'000; ++i) text += std::to_string(i) + (i % 7 == 0 ? "\r" : i % 5 == 0 ? "\n\r\n" : "\r\n");
  text += std::string(1'000'000, '7') + "\r\nlast \x80 \xE9";
  ASSERT_TRUE(owner.clipboard.PutText(text));

  const std::vector<std::string> lines = owner.Lines();
  std::vector<std::string> expected = AnsiLines(text);
  for (std::string& line : expected) line.resize(std::min(line.size(), kMaxLineLength + 1));  // cut as said
  ASSERT_EQ(lines.size(), expected.size());
  EXPECT_TRUE(lines == expected);
  EXPECT_EQ(lines.back(), "last \x80 \xE9") << "the euro sign and an accent through Unicode and back";

  // The 8-bit format holds the same text.
  ASSERT_TRUE(OpenClipboard(owner.window));
  const HANDLE ansi = GetClipboardData(CF_TEXT);
  const std::string held = ansi ? static_cast<const char*>(GlobalLock(ansi)) : "";
  if (ansi) GlobalUnlock(ansi);
  CloseClipboard();
  EXPECT_TRUE(held == text);
}

TEST(Win32Clipboard, AClipboardWithoutTextReadsAsNothing) {
  ClipboardOwner owner;
  ASSERT_TRUE(OpenClipboard(owner.window));
  EmptyClipboard();
  CloseClipboard();
  bool called = false;
  EXPECT_FALSE(owner.clipboard.ReadLines([&](std::string_view) { called = true; }));
  EXPECT_FALSE(called);
  ASSERT_TRUE(owner.clipboard.PutText(""));
  EXPECT_TRUE(owner.Lines().empty());
}

}  // namespace
}  // namespace zun::win32
