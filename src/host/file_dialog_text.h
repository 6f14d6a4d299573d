#pragma once

// The texts the common file dialogs exchange, kept apart from the dialogs so
// that they are tested on every platform.

#include <cstddef>
#include <string>
#include <vector>

namespace zun {

// "Name|*.a|Other|*.b;*.c" as the dialogs want it: pairs separated by
// zeros, ending in two zeros.
std::string DialogFilter(const std::string& filter);
// "*.sl5" as the dialogs want it: "sl5".
std::string DialogDefaultExtension(const std::string& extension);
// The names an open dialog returned in its buffer: one full path, or a
// folder followed by names, each ended by a zero, the list by two. A
// buffer without a final zero ends at its size.
std::vector<std::string> ChosenFiles(const char* buffer, size_t size);

}  // namespace zun
