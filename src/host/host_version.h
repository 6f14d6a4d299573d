#pragma once

#include <string>
#include <string_view>

namespace zun {

// The one host version this add-on runs in, compared exactly.
inline constexpr std::string_view kHostVersion = "0.39";

inline bool IsSupportedHostVersion(std::string_view version) { return version == kHostVersion; }

// The text of the message box that refuses another version.
inline std::string VersionMismatchMessage(std::string_view version) {
  return "Error in User DBase Builder: ZUN Version does not match\r0.39 :: " + std::string(version);
}

}  // namespace zun
