#pragma once

// Fakes of the shell's ports for tests: an in-memory settings store, a
// fixed clock, a scripted message dialog and a cursor that counts changes.

#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/host_messenger.h"
#include "platform/host_notifier.h"
#include "platform/memory_probe.h"
#include "platform/message_prompt.h"
#include "platform/profile_store.h"
#include "platform/screen_cursor.h"
#include "platform/shared_memory.h"
#include "host/host_records.h"

namespace zun::testing {

class FakeProfileStore final : public ProfileStore {
 public:
  // (path, section, key) -> value
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
  std::vector<std::string> writtenKeys;  // in the order written
  bool failWrites = false;

  bool ReadString(const std::string& path, const std::string& section, const std::string& key,
                  std::string& value) override {
    const auto it = values.find({path, section, key});
    if (it == values.end()) return false;
    value = it->second;
    return true;
  }
  bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (failWrites) return false;
    values[{path, section, key}] = value;
    writtenKeys.push_back(key);
    return true;
  }
};

class FixedClock final : public Clock {
 public:
  std::string text = "08.12.2026 11:30:00";
  std::string LocalDateTimeText() override { return text; }
};

class ScriptedPrompt final : public MessagePrompt {
 public:
  struct Shown {
    std::string text, caption;
    uint8_t iconKind;
    std::vector<int32_t> results;
    std::vector<std::string> buttons;
  };
  std::vector<Shown> shown;
  // A dialog closed through the system answers Cancel.
  int32_t answer = kResultCancel;
  // Answers for the next questions, in order; `answer` once they run out.
  std::deque<int32_t> answers;
  // Messages that fail to show: the next this many throw instead.
  int failingShows = 0;
  // Runs as each message shows.
  std::function<void()> onShow;

  int32_t ShowMessagePage(std::string_view text, std::string_view caption, uint8_t iconKind,
                          std::span<const int32_t> results, std::span<const std::string> buttons) override {
    if (failingShows > 0) {
      --failingShows;
      throw std::runtime_error("the message dialog cannot be shown");
    }
    if (onShow) onShow();
    shown.push_back({std::string(text), std::string(caption), iconKind, {results.begin(), results.end()},
                     {buttons.begin(), buttons.end()}});
    if (answers.empty()) return answer;
    const int32_t next = answers.front();
    answers.pop_front();
    return next;
  }
};

// File dialogs that answer from scripts (an empty answer is a cancel) and
// record the options they were opened with.
class ScriptedFileDialogs final : public FileDialogs {
 public:
  std::deque<std::vector<std::string>> openAnswers;
  std::deque<std::string> saveAnswers;
  std::vector<FileDialogOptions> opened, saved;
  // Runs as each dialog opens.
  std::function<void()> onAsk;

  std::vector<std::string> Open(const FileDialogOptions& options) override {
    if (onAsk) onAsk();
    opened.push_back(options);
    if (openAnswers.empty()) return {};
    auto next = openAnswers.front();
    openAnswers.pop_front();
    return next;
  }
  std::string Save(const FileDialogOptions& options) override {
    if (onAsk) onAsk();
    saved.push_back(options);
    if (saveAnswers.empty()) return {};
    auto next = saveAnswers.front();
    saveAnswers.pop_front();
    return next;
  }
};

// A clipboard of text, which a test can fill, read or make refuse.
class FakeClipboard final : public Clipboard {
 public:
  std::string text;
  bool holdsText = true;
  bool refusePut = false;
  bool PutText(std::string_view put) override {
    if (refusePut) return false;
    text.assign(put);
    holdsText = true;
    return true;
  }
  bool ReadLines(const LineSink& sink) override {
    if (!holdsText) return false;
    ForEachAnsiLine(text, sink);
    return true;
  }
};

class RecordingHostNotifier final : public HostNotifier {
 public:
  std::vector<std::string> saved;
  void DatabaseSaved(const std::string& path) override { saved.push_back(path); }
};

// A host that answers requests for index room from a script: it sizes the
// drag-and-drop record's EntryIndices to `room` (or to the count asked for
// when room is negative) and answers `answer`.
class ScriptedHostMessenger final : public HostMessenger {
 public:
  DragDropRecord* record = nullptr;  // sized on each request when set
  HostArray<int32_t> indices;        // the host's block behind EntryIndices
  int32_t answer = 1;
  int32_t room = -1;
  std::vector<int32_t> requests;  // the counts asked for
  int posts = 0;

  int32_t RequestIndexRoom(uintptr_t /*replyWindow*/, int32_t count) override {
    requests.push_back(count);
    if (record != nullptr) {
      indices.resize(room < 0 ? count : room);
      record->EntryIndices = HostArrayRef<int32_t>(indices.data());
    }
    return answer;
  }
  void PostOffer() override { ++posts; }
};

// Memory that is readable except in the ranges listed.
class FakeMemoryProbe final : public MemoryProbe {
 public:
  std::vector<std::pair<const void*, size_t>> unreadable;
  bool Readable(const void* address, size_t bytes) const override {
    if (!MemoryProbe::Readable(address, bytes)) return false;
    const auto begin = reinterpret_cast<uintptr_t>(address);
    for (const auto& [start, size] : unreadable) {
      const auto from = reinterpret_cast<uintptr_t>(start);
      if (begin < from + size && from < begin + bytes) return false;
    }
    return true;
  }
};

class CountingCursor final : public ScreenCursor {
 public:
  int32_t cursor = kCursorDefault;
  int sets = 0;
  std::vector<int32_t> history;  // every cursor set, in order
  int32_t Get() const override { return cursor; }
  void Set(int32_t c) override {
    cursor = c;
    ++sets;
    history.push_back(c);
  }
};

// Shared memory in the test's own address space; records opens and closes.
class FakeSharedMemory final : public SharedMemory {
 public:
  std::vector<std::string> log;  // "open NAME rw", "close NAME"
  std::map<std::string, std::vector<unsigned char>> blocks;
  std::string failOn;

  std::unique_ptr<MappedSlot> Open(const char* name, uint32_t size, bool writable) override {
    if (failOn == name) return nullptr;
    log.push_back(std::string("open ") + name + (writable ? " rw" : " ro"));
    auto& block = blocks[name];
    if (block.size() < 4096) block.resize(4096);
    (void)size;
    return std::make_unique<Slot>(*this, name, block.data());
  }

 private:
  class Slot final : public MappedSlot {
   public:
    Slot(FakeSharedMemory& owner, std::string name, void* view) : owner_(owner), name_(std::move(name)), view_(view) {}
    ~Slot() override { owner_.log.push_back("close " + name_); }
    void* View() const override { return view_; }

   private:
    FakeSharedMemory& owner_;
    std::string name_;
    void* view_;
  };
};

}  // namespace zun::testing
