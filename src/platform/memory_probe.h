#pragma once

#include <cstddef>

namespace zun {

// Tells whether memory another module handed us can be read, before the
// add-on follows a pointer it did not make (an offer from another add-on).
// The default trusts every non-null pointer; the Win32 side asks the
// system which pages are committed and readable.
class MemoryProbe {
 public:
  virtual ~MemoryProbe() = default;
  // Whether all of [address, address + bytes) can be read. A range that
  // wraps around the end of the address space never can.
  virtual bool Readable(const void* address, size_t bytes) const {
    return address != nullptr && reinterpret_cast<size_t>(address) + bytes >= reinterpret_cast<size_t>(address);
  }
};

}  // namespace zun
