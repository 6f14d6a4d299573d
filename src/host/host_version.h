#pragma once

#include <string>
#include <string_view>

#include "base/texts.h"

namespace zun {

// The one host version this add-on runs in, compared exactly.
inline constexpr std::string_view kHostVersion = "0.39";

inline bool IsSupportedHostVersion(std::string_view version) { return version == kHostVersion; }

// The text of the message box that refuses another version.
inline std::string VersionMismatchMessage(std::string_view version) {
  return texts::kVersionMismatch + std::string(kHostVersion) + " :: " + std::string(version);
}

}  // namespace zun
