#include "udbtool/merge_command.h"

#include <memory>
#include <vector>

#include "base/paths.h"
#include "document/document.h"
#include "model/lotto_game.h"
#include "operations/file_operations.h"
#include "platform/clock.h"
#include "platform/screen_cursor.h"
#include "platform/seeded_random.h"
#include "platform/shared_memory.h"

namespace zun {
namespace {

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

class NoClock final : public Clock {
 public:
  std::string LocalDateTimeText() override { return {}; }
};
class NoCursor final : public ScreenCursor {
 public:
  int32_t Get() const override { return kCursorDefault; }
  void Set(int32_t) override {}
};
// The tool offers nothing to other windows and takes nothing from them.
class NoSharedMemory final : public SharedMemory {
 public:
  std::unique_ptr<MappedSlot> Open(const char*, uint32_t, bool) override { return nullptr; }
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
  // The window's own document and load, on the tool's game and console.
  const FixedGame source(game.get());
  Document document(source);
  document.CreateDatabase(files);
  ConsolePrompt prompt(err);
  NoFileDialogs dialogs;
  Clipboard clipboard;
  SeededRandom random;
  HostNotifier notifier;
  HostMessenger messenger;
  NoSharedMemory memory;
  MemoryProbe probe;
  NoClock clock;
  NoCursor cursor;
  ErrorReporter errors(files, clock, prompt, cursor);
  Hourglass hourglass{HourglassCursor(cursor)};
  RecentFileList recent;
  EntryListView list;
  BallGridsView grids;
  StatusView status;
  CommandBarView commandBar;
  MessagePump pump;
  Services services{files,  prompt, dialogs,   clipboard, random, notifier, messenger, memory,
                    probe,  errors, hourglass, recent,    Views{&list, &grids, &status, &commandBar, &pump}};
  const int32_t taken = LoadFilesTogether(document, services, names, true);
  if (taken == 0) {
    err << "udbtool: no file was taken; " << newFile << " is not written\n";
    return 1;
  }
  if (!document.RequireDatabase().SaveToFile(files, newFile)) {
    err << "udbtool: " << newFile << ": cannot be written (any earlier file of that name is unchanged)\n";
    return 1;
  }
  const int32_t entries = document.RequireDatabase().Entries.size();
  out << "Merged " << taken << (taken == 1 ? " file" : " files") << ", " << entries
      << (entries == 1 ? " entry" : " entries") << ", into " << newFile << "\n";
  return 0;
}

}  // namespace zun
