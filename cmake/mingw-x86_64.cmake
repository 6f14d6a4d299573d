# Windows test tree: MinGW-w64 x86_64. The product is the 32-bit DLL; this
# tree builds the same sources in 64 bits because 64-bit Wine runs where no
# 32-bit code does. Its programs run under 64-bit Wine as CMake's
# cross-compiling emulator (set in the top CMakeLists). Posix threads and
# static linking, as in the i686 tree.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
