#pragma once

// The Win32 side of the ports the platform-free code uses.

#include <windows.h>

#include "platform/clock.h"
#include "platform/memory_probe.h"
#include "platform/profile_store.h"
#include "platform/screen_cursor.h"
#include "platform/shared_memory.h"

namespace zun::win32 {

// Private profile files through Get/WritePrivateProfileStringA.
class Win32ProfileStore final : public ProfileStore {
 public:
  bool ReadString(const std::string& path, const std::string& section, const std::string& key,
                  std::string& value) override;
  bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

// Named mappings on the paging file.
class Win32SharedMemory final : public SharedMemory {
 public:
  std::unique_ptr<MappedSlot> Open(const char* name, uint32_t size, bool writable) override;
};

// Memory another module offers is checked page by page with the system.
class Win32MemoryProbe final : public MemoryProbe {
 public:
  bool Readable(const void* address, size_t bytes) const override;
};

// The short date and long time of the user's locale.
class Win32Clock final : public Clock {
 public:
  std::string LocalDateTimeText() override;
};

// The hourglass over the add-on's windows: shown at once, and kept while
// the mouse moves over them (each window asks IsBusy on WM_SETCURSOR).
class Win32ScreenCursor final : public ScreenCursor {
 public:
  int32_t Get() const override { return cursor_; }
  void Set(int32_t cursor) override;
  bool IsBusy() const { return cursor_ == kCursorHourGlass; }

 private:
  int32_t cursor_ = kCursorDefault;
};

}  // namespace zun::win32
