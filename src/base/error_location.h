#pragma once

namespace zun {

// The reference code of the operation entered last. Every operation writes
// its fixed code here before it works and never clears it, so an error report
// names the innermost operation that had started before the failure. Codes are
// string literals from reference_codes.h, so setting one costs a pointer store
// even on hot paths (entry texts are formatted per visible row).
extern const char* ErrorLocation;

inline void EnterOperation(const char* code) noexcept { ErrorLocation = code; }

}  // namespace zun
