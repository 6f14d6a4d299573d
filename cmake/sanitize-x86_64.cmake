# Sanitizer tree: clang, natively in 64 bits, with AddressSanitizer (and its
# LeakSanitizer) and UBSan; also builds the libFuzzer targets. Runs the same
# unit tests as the native tree. 64 bits so that it runs at native speed
# with leak checking where 32-bit programs run only emulated; the records
# take the 64-bit layout of base/host_layout.h here.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(ZUN_SANITIZE ON CACHE BOOL "" FORCE)
set(ZUN_FUZZ ON CACHE BOOL "" FORCE)
