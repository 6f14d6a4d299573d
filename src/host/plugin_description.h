#pragma once

// The 24-byte record Plugin_Data fills to describe the add-on to the host.

#include <cstddef>
#include <cstdint>

#include "base/host_layout.h"

namespace zun {

struct PluginDescription {
  const char* Kind;      // "Addon"
  const char* Name;      // "Builder"
  const char* Category;  // "Other"
  uint8_t Byte12;        // 1
  uint8_t NotWritten13[3];
  const char* ProtocolCode;  // eight characters: a word and two digits
  uint8_t Visible;           // the window was open when the add-on last closed
  uint8_t Byte21;            // 0
  uint8_t Byte22;            // 1
  uint8_t Byte23;            // 0
};
static_assert(sizeof(PluginDescription) == HostLayout(24, 48));
static_assert(offsetof(PluginDescription, ProtocolCode) == HostLayout(16, 32));
static_assert(offsetof(PluginDescription, Visible) == HostLayout(20, 40));

// The protocol code this add-on gives the host.
inline constexpr const char kProtocolCode[] = "UDBase01";
static_assert(sizeof(kProtocolCode) == 9);

// Writes every field but bytes 13 to 15, which the host's record keeps.
void FillPluginDescription(PluginDescription& record, bool visible) noexcept;

}  // namespace zun
