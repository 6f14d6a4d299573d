#pragma once

#include <cstdint>
#include <memory>

namespace zun {

// A named mapping on the paging file and one view of it. Destroying it
// unmaps the view and closes the mapping.
class MappedSlot {
 public:
  virtual ~MappedSlot() = default;
  virtual void* View() const = 0;
};

class SharedMemory {
 public:
  virtual ~SharedMemory() = default;
  // Creates or opens the mapping `name` of `size` bytes and maps `size`
  // bytes from offset 0, read-only or read-write. Null when either fails.
  virtual std::unique_ptr<MappedSlot> Open(const char* name, uint32_t size, bool writable) = 0;
};

}  // namespace zun
