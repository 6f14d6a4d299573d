#pragma once

#include <string>
#include <string_view>

namespace zun {

// Path helpers on 8-bit Windows paths. Both '\' and '/' separate folders (and
// ':' ends a drive), so the same code serves Windows paths and the POSIX paths
// of the native tools and tests.

// The name after the last separator: "C:\Games\Lotto.dat" gives "Lotto.dat".
std::string_view FileNameOf(std::string_view path) noexcept;

// The folder part without its trailing separator: "C:\Games\Lotto.dat" gives "C:\Games".
std::string_view FolderOf(std::string_view path) noexcept;

// The extension with its dot, from the last '.' of the file name; empty when
// there is none. Compared exactly by callers: ".SL5" is not ".sl5".
std::string_view ExtensionOf(std::string_view path) noexcept;

// The separator a path uses: the last one in it, '\' when it has none.
char SeparatorOf(std::string_view path) noexcept;

}  // namespace zun
