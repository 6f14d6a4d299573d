#include "fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zun::fuzz::CheckSl5File({data, size});
  return 0;
}
