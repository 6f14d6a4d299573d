# Benchmark tree in 32 bits, optimised: the product's own memory layout (the
# host's 36-byte records, 4-byte references) at native speed. Where the
# kernel runs no 32-bit code, the x86_64 tree is all there is.
include(${CMAKE_CURRENT_LIST_DIR}/native-m32.cmake)
set(CMAKE_BUILD_TYPE Release CACHE STRING "" FORCE)
set(ZUN_BENCH_ONLY ON CACHE BOOL "" FORCE)
