#include "host/file_dialog_text.h"

#include <gtest/gtest.h>

namespace zun {
namespace {

TEST(FileDialogs, OneChoiceIsAFullPathSeveralAreAFolderAndNames) {
  const char one[] = "C:\\picks\\mine.sl5\0\0";
  EXPECT_EQ(ChosenFiles(one, sizeof one), (std::vector<std::string>{"C:\\picks\\mine.sl5"}));
  const char several[] = "C:\\picks\0a.sl5\0b.sl4\0\0";
  EXPECT_EQ(ChosenFiles(several, sizeof several), (std::vector<std::string>{"C:\\picks\\a.sl5", "C:\\picks\\b.sl4"}));
  const char atRoot[] = "C:\\\0a.sl5\0b.sl3\0\0";
  EXPECT_EQ(ChosenFiles(atRoot, sizeof atRoot), (std::vector<std::string>{"C:\\a.sl5", "C:\\b.sl3"}));
  const char none[] = "\0";
  EXPECT_TRUE(ChosenFiles(none, sizeof none).empty());
  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(ChosenFiles(unterminated, sizeof unterminated), (std::vector<std::string>{"abcd"}));
}

TEST(FileDialogs, FiltersAndDefaultExtensionsTakeTheDialogsForm) {
  EXPECT_EQ(DialogFilter("ZUN File (*.sl5)|*.sl5"), std::string("ZUN File (*.sl5)\0*.sl5\0\0", 24));
  EXPECT_EQ(DialogDefaultExtension("*.sl5"), "sl5");
  EXPECT_EQ(DialogDefaultExtension("csv"), "csv");
}

}  // namespace
}  // namespace zun
