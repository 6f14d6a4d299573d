#include "fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zun::fuzz::CheckEntryLines({data, size});
  return 0;
}
