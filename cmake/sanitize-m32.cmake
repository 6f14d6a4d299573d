# Sanitizer tree: clang -m32 with AddressSanitizer and UBSan; also builds the
# libFuzzer targets. Runs the same unit tests as the native tree.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(ZUN_SANITIZE ON CACHE BOOL "" FORCE)
set(ZUN_FUZZ ON CACHE BOOL "" FORCE)
