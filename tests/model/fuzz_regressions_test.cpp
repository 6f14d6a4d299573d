// Inputs that once broke a reader, kept in fuzz/regressions/<target>/, run
// again here through the fuzz targets' own checks, in both builds.

#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz_properties.h"
#include "support/test_files.h"

namespace zun {
namespace {

std::vector<std::vector<uint8_t>> Inputs(const std::string& target) {
  std::vector<std::vector<uint8_t>> inputs;
  const std::filesystem::path folder = testing::SourcePath("fuzz/regressions/" + target);
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().filename() != "README")
      inputs.push_back(testing::ReadBytes(entry.path().string()));
  return inputs;
}

TEST(FuzzRegressions, GameFiles) {
  for (const auto& input : Inputs("game_file")) fuzz::CheckGameFile(input);
}

TEST(FuzzRegressions, Sl5Files) {
  for (const auto& input : Inputs("sl5_file")) fuzz::CheckSl5File(input);
}

TEST(FuzzRegressions, OldFiles) {
  for (const auto& input : Inputs("sl4_import")) fuzz::CheckOldFile(input, false);
  for (const auto& input : Inputs("sl3_import")) fuzz::CheckOldFile(input, true);
}

TEST(FuzzRegressions, EntryLines) {
  for (const auto& input : Inputs("entry_lines")) fuzz::CheckEntryLines(input);
}

}  // namespace
}  // namespace zun
