#include "fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zun::fuzz::CheckOldFile({data, size}, /*sl3=*/true);
  return 0;
}
