#include "win32/win32_ports.h"

#include <vector>

namespace zun::win32 {

bool Win32ProfileStore::ReadString(const std::string& path, const std::string& section, const std::string& key,
                                   std::string& value) {
  // A default no real value can hold tells a missing key from an empty one.
  static const char kMissing[] = "\x01missing\x01";
  std::vector<char> buffer(2048);
  for (;;) {
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer.data(),
                                             static_cast<DWORD>(buffer.size()), path.c_str());
    if (n + 1 < buffer.size() || buffer.size() >= (1u << 20)) {
      value.assign(buffer.data(), n);
      return value != kMissing;
    }
    buffer.resize(buffer.size() * 4);  // the value was cut: read it again whole
  }
}

bool Win32ProfileStore::WriteString(const std::string& path, const std::string& section, const std::string& key,
                                    const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

}  // namespace zun::win32
