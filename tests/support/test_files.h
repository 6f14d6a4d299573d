#pragma once

// Real files for tests: paths into the source tree (as the running platform
// spells them) and temporary folders that remove themselves.

#include <cstdint>
#include <string>
#include <vector>

namespace zun::testing {

// An absolute path of the build machine as the running program spells it:
// under Wine the Linux root is drive Z:.
std::string PlatformPath(std::string path);

// A path below the source tree, e.g. SourcePath("samples/Lotto649.dat").
std::string SourcePath(const std::string& relative);

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// A fresh folder for one test, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // A path inside the folder.
  std::string operator/(const std::string& name) const;
  std::vector<std::string> Names() const;

 private:
  std::string path_;
};

}  // namespace zun::testing
