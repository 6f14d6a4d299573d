# Benchmark tree: g++, natively in 64 bits, optimised. The benchmarks'
# figures come from code that runs at the machine's own speed; the 32-bit
# trees may run only under an emulator here, whose figures say nothing about
# the product. Builds the benchmarks and what they need, nothing else.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_BUILD_TYPE Release CACHE STRING "" FORCE)
set(ZUN_BENCH_ONLY ON CACHE BOOL "" FORCE)
