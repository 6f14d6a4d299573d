#pragma once

#include <string>

namespace zun {

// Private profile (INI) files: one value per key within a section.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // False when the key (or the file) is missing.
  virtual bool ReadString(const std::string& path, const std::string& section, const std::string& key,
                          std::string& value) = 0;
  // False when the file could not be written.
  virtual bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

}  // namespace zun
