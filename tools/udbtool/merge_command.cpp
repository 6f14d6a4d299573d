#include "udbtool/merge_command.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "base/paths.h"
#include "model/lotto_game.h"
#include "operations/file_operations.h"
#include "platform/clock.h"
#include "platform/profile_store.h"
#include "platform/screen_cursor.h"
#include "platform/seeded_random.h"
#include "core/addon_core.h"

namespace zun {
namespace {

// The host's slots within this process: the tool plays the host.
class ToolSharedMemory final : public SharedMemory {
 public:
  std::unique_ptr<MappedSlot> Open(const char* name, uint32_t, bool) override {
    auto& block = blocks_[name];
    block.resize(4096);
    return std::make_unique<Block>(block.data());
  }

 private:
  struct Block final : MappedSlot {
    explicit Block(void* view) : view_(view) {}
    void* View() const override { return view_; }
    void* view_;
  };
  std::map<std::string, std::vector<unsigned char>> blocks_;
};

// What the window would show in a dialog goes to err, one line per line.
class ConsolePrompt final : public MessagePrompt {
 public:
  explicit ConsolePrompt(std::ostream& err) : err_(err) {}
  int32_t ShowMessagePage(std::string_view text, std::string_view, uint8_t, std::span<const int32_t> results,
                          std::span<const std::string>) override {
    std::string line(text);
    for (char& c : line)
      if (c == '\r') c = '\n';
    while (!line.empty() && line.back() == '\n') line.pop_back();
    err_ << "udbtool: " << line << "\n";
    return results.empty() ? kResultOk : results.front();
  }

 private:
  std::ostream& err_;
};

class NoProfile final : public ProfileStore {
 public:
  bool ReadString(const std::string&, const std::string&, const std::string&, std::string&) override { return false; }
  bool WriteString(const std::string&, const std::string&, const std::string&, const std::string&) override {
    return true;
  }
};
class NoClock final : public Clock {
 public:
  std::string LocalDateTimeText() override { return {}; }
};
class NoCursor final : public ScreenCursor {
 public:
  int32_t Get() const override { return kCursorDefault; }
  void Set(int32_t) override {}
};
class NoStartUp final : public StartUpSteps {
 public:
  void RefuseVersion(const std::string&) override {}
  void CreateWindows() override {}
  void HandOverWindow() override {}
  void BuildGameViews() override {}
  void ShowMainWindow() override {}
  void AnnounceStarted() override {}
  void ShowStartError(const std::string&) override {}
  void DestroyWindows() override {}
};

}  // namespace

int MergeCommand(FileSystem& files, std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  const std::string& gameFile = args[1];
  const std::string& newFile = args[2];
  const std::vector<std::string> names(args.begin() + 3, args.end());
  if (ExtensionOf(newFile) != ".sl5") {
    err << "udbtool: " << newFile << ": the new file's name must end in .sl5\n";
    return 2;
  }
  auto game = std::make_unique<TZUN_Lotto_Temp>();
  game->FileName = gameFile;
  if (!files.FileExists(gameFile) || !game->ReadGameFile(files, true)) {
    err << "udbtool: " << gameFile << ": not a readable game file\n";
    return 1;
  }
  ToolSharedMemory memory;
  NoProfile profile;
  NoClock clock;
  ConsolePrompt prompt(err);
  NoCursor cursor;
  SeededRandom random;
  AddonCore core({files, profile, memory, clock, prompt, cursor, random});
  // The game goes into the host's game slot before the core starts.
  const std::unique_ptr<MappedSlot> gameSlot = memory.Open("ZUN_Mem_Map", 4, true);
  const void* pointer = game.get();
  std::memcpy(gameSlot->View(), &pointer, sizeof pointer);
  NoStartUp steps;
  if (core.Start(steps, ".", "udbtool ", "0.39") != 1 || core.Database() == nullptr) {
    err << "udbtool: cannot make a database for " << gameFile << "\n";
    return 1;
  }
  FileWork work = core.FileWorkspace();
  const int32_t taken = LoadFilesTogether(work, names, true);
  if (taken == 0) {
    err << "udbtool: no file was taken; " << newFile << " is not written\n";
    return 1;
  }
  if (!core.Database()->SaveToFile(files, newFile)) {
    err << "udbtool: " << newFile << ": cannot be written (any earlier file of that name is unchanged)\n";
    return 1;
  }
  const int32_t entries = core.Database()->Entries.size();
  out << "Merged " << taken << (taken == 1 ? " file" : " files") << ", " << entries
      << (entries == 1 ? " entry" : " entries") << ", into " << newFile << "\n";
  return 0;
}

}  // namespace zun
