// The shell's services on the real platform: the settings file, the error
// log with its dialog, and the shared-memory slots.

#include <gtest/gtest.h>

#include "addon_fixture.h"
#include "base/error_location.h"
#include "host/host_messages.h"
#include "host/host_slots.h"
#include "support/win32_person.h"

namespace zun::win32 {
namespace {

using testing::AddonFixture;
using testing::DialogClicker;

TEST(SettingsFile, RoundTripsThroughTheRealProfileFunctions) {
  testing::TempFolder folder;
  Win32ProfileStore store;
  const auto where = SettingsLocation::For(folder.Path(), "Main ");
  std::string value;
  EXPECT_FALSE(store.ReadString(where.path, where.section, "Height", value)) << "no file yet";
  RecentFileList recent;
  recent[2] = std::string(3000, 'p') + ".sl5";  // longer than one read
  SaveSettings(store, where, true, WindowGeometry{1, 2, 333, 888, 99}, recent);
  WindowGeometry geometry;
  RecentFileList read;
  LoadSettings(store, where, geometry, read);
  EXPECT_EQ(geometry, (WindowGeometry{1, 2, 333, 888, 99}));
  EXPECT_EQ(read, recent);
  EXPECT_TRUE(ReadVisible(store, where));
  ASSERT_TRUE(store.ReadString(where.path, where.section, "Fast Load 1", value));
  EXPECT_EQ(value, "") << "an empty value is there, not missing";
}

TEST(ErrorLog, EachReportAppendsARecordAndShowsTheCode) {
  AddonFixture f("Host ");
  f.addon.CreateWindows(nullptr);
  EnterOperation("ZUN User DBase Builder 004004");
  {
    DialogClicker clicker(kMessageDialogClass, "&OK");
    f.addon.Errors().ReportError("Error while Saving ZUN Settings.");
    ASSERT_TRUE(clicker.Done());
    EXPECT_EQ(clicker.caption, "Error");
    EXPECT_EQ(clicker.text,
              "Error while Saving ZUN Settings.\r\nRef: ZUN User DBase Builder 004004\r\nPlease contact ZUN Developer.");
  }
  {
    DialogClicker clicker(kMessageDialogClass, "&OK");
    f.addon.Errors().ReportError("Second.");
  }
  const auto bytes = testing::ReadBytes(f.folder / "zun.log");
  const std::string log(bytes.begin(), bytes.end());
  const size_t second = log.find("Host \r\n", 1);
  ASSERT_NE(second, std::string::npos);
  const std::string first = log.substr(0, second);
  EXPECT_EQ(first.rfind("Host \r\n", 0), 0u);
  EXPECT_NE(first.find("\r\nError while Saving ZUN Settings.\r\nRef: ZUN User DBase Builder 004004\r\n\r\n"),
            std::string::npos);
  const size_t dateEnd = first.find("\r\n", 7);
  EXPECT_GT(dateEnd, 7u + 5) << "a date line: " << first;
  EXPECT_NE(log.find("Second.\r\n"), std::string::npos);
}

// Records the slots' life around the real mappings.
class RecordingMemory final : public SharedMemory {
 public:
  std::vector<std::string> log;
  std::unique_ptr<MappedSlot> Open(const char* name, uint32_t size, bool writable) override {
    auto slot = real_.Open(name, size, writable);
    if (!slot) return nullptr;
    log.push_back(std::string("open ") + name);
    return std::make_unique<Recorded>(std::move(slot), name, log);
  }

 private:
  class Recorded final : public MappedSlot {
   public:
    Recorded(std::unique_ptr<MappedSlot> slot, std::string name, std::vector<std::string>& log)
        : slot_(std::move(slot)), name_(std::move(name)), log_(log) {}
    ~Recorded() override { log_.push_back("close " + name_); }
    void* View() const override { return slot_->View(); }

   private:
    std::unique_ptr<MappedSlot> slot_;
    std::string name_;
    std::vector<std::string>& log_;
  };
  Win32SharedMemory real_;
};

TEST(Slots, TheRealMappingsAttachSixAndDetachInReverse) {
  RecordingMemory memory;
  HostSlots slots(memory);
  ASSERT_TRUE(slots.Attach());
  ASSERT_TRUE(slots.Attach());
  EXPECT_EQ(slots.AttachedCount(), 6);
  ASSERT_EQ(memory.log.size(), 18u);
  EXPECT_EQ(memory.log[6], "close Track_DragDrop");
  EXPECT_EQ(memory.log[11], "close ZUN_Mem_Map");

  // What the add-on publishes is what another reader of the mapping sees.
  const int marker = 42;
  slots.PublishUserDatabase(reinterpret_cast<const TZUN_User_Lotto_DBase*>(&marker));
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, "ZUN_Mem_Map_UDBase");
  ASSERT_NE(mapping, nullptr);
  const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 4);
  EXPECT_EQ(*static_cast<const void* const*>(view), &marker);
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  slots.Detach();
  EXPECT_EQ(memory.log.back(), "close ZUN_Mem_Map");
}

}  // namespace
}  // namespace zun::win32
