# Benchmark tree in 32 bits, optimised: the product's own memory layout (the
# host's 36-byte records, 4-byte references) at native speed. Where the
# kernel runs no 32-bit code, the x86_64 tree is all there is.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_BUILD_TYPE Release CACHE STRING "" FORCE)
set(ZUN_BENCH_ONLY ON CACHE BOOL "" FORCE)
