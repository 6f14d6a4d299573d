// The platform's own file system: replacing a file only when the new one is
// complete, on the real disk of each build.

#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>

#include <csignal>
#endif

namespace zun {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
  auto out = PlatformFileSystem().BeginReplace(path);
  return out && out->Write(bytes.data(), bytes.size()) && out->Commit();
}

TEST(PlatformFiles, ReplacingWritesTheNewFileAndLeavesNoTemporaryFile) {
  TempFolder folder;
  const std::string path = folder / "db.sl5";
  ASSERT_TRUE(Save(path, {1, 2, 3})) << "a first save creates the file";
  ASSERT_TRUE(Save(path, {4, 5}));
  EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{4, 5}));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"db.sl5"});
  std::vector<uint8_t> read;
  ASSERT_TRUE(PlatformFileSystem().ReadFile(path, read));
  EXPECT_EQ(read, (std::vector<uint8_t>{4, 5}));
  int64_t size = 0;
  ASSERT_TRUE(PlatformFileSystem().FileSize(path, size));
  EXPECT_EQ(size, 2);
  EXPECT_TRUE(PlatformFileSystem().FileExists(path));
  EXPECT_FALSE(PlatformFileSystem().FileExists(folder.Path())) << "a folder is not a file";
}

TEST(PlatformFiles, AnAbandonedWriteLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder folder;
  const std::string path = folder / "db.sl5";
  WriteBytes(path, {9, 9, 9});
  {
    auto out = PlatformFileSystem().BeginReplace(path);
    ASSERT_TRUE(out);
    ASSERT_TRUE(out->Write("abc", 3));
  }  // not committed
  EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{9, 9, 9}));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"db.sl5"});
}

TEST(PlatformFiles, NoFolderNoSave) {
  TempFolder folder;
  EXPECT_FALSE(Save(folder / "missing/db.sl5", {1}));
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(PlatformFileSystem().ReadFile(folder / "missing.sl5", bytes));
}

#ifdef _WIN32
TEST(PlatformFiles, ATargetHeldOpenIsNotDestroyed) {
  TempFolder folder;
  const std::string path = folder / "db.sl5";
  WriteBytes(path, {7, 7});
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const bool saved = Save(path, {1, 2, 3, 4});
  CloseHandle(held);
  // Either the save got through the open handle or it failed; never a lost file.
  EXPECT_EQ(ReadBytes(path), saved ? (std::vector<uint8_t>{1, 2, 3, 4}) : (std::vector<uint8_t>{7, 7}));
  // Our temporary file is gone. (Wine's ReplaceFile leaves an empty "rf*.tmp"
  // of its own behind when it fails; that one is not ours to remove.)
  for (const auto& name : folder.Names()) EXPECT_EQ(name.find(".~"), std::string::npos) << name;
}
#else
TEST(PlatformFiles, AFullDiskLeavesTheOldFileByteIdentical) {
  TempFolder folder;
  const std::string path = folder / "db.sl5";
  const std::vector<uint8_t> old(1000, 0x5A);
  WriteBytes(path, old);
  // A file size limit makes writes fail as a full disk does.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const bool ok = Save(path, std::vector<uint8_t>(100000, 1));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(ok);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"db.sl5"});
}
#endif

}  // namespace
}  // namespace zun
