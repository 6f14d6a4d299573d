#include "win32/scoped.h"
#include "win32/win32_ports.h"

namespace zun::win32 {
namespace {

class Win32MappedSlot final : public MappedSlot {
 public:
  Win32MappedSlot(UniqueHandle mapping, UniqueView view) : mapping_(std::move(mapping)), view_(std::move(view)) {}
  ~Win32MappedSlot() override {
    view_.reset();  // unmap before the mapping closes
    mapping_.reset();
  }
  void* View() const override { return view_.get(); }

 private:
  UniqueHandle mapping_;
  UniqueView view_;
};

}  // namespace

std::unique_ptr<MappedSlot> Win32SharedMemory::Open(const char* name, uint32_t size, bool writable) {
  UniqueHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, writable ? PAGE_READWRITE : PAGE_READONLY,
                                          0, size, name));
  if (!mapping) return nullptr;
  UniqueView view(MapViewOfFile(mapping.get(), writable ? FILE_MAP_WRITE : FILE_MAP_READ, 0, 0, size));
  if (!view) return nullptr;
  return std::make_unique<Win32MappedSlot>(std::move(mapping), std::move(view));
}

bool Win32MemoryProbe::Readable(const void* address, size_t bytes) const {
  if (address == nullptr) return false;
  auto at = reinterpret_cast<uintptr_t>(address);
  const uintptr_t end = at + bytes;
  if (end < at) return false;  // wraps around the address space
  constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  do {
    MEMORY_BASIC_INFORMATION region{};
    if (VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) == 0) return false;
    if (region.State != MEM_COMMIT || (region.Protect & kReadable) == 0 || (region.Protect & PAGE_GUARD) != 0)
      return false;
    at = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
  } while (at < end);
  return true;
}


}  // namespace zun::win32
