#include "base/error_location.h"

namespace zun {

const char* ErrorLocation = "";

}  // namespace zun
