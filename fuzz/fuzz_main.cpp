// libFuzzer's entry for one target; the build names it with
// TEVRAL_FUZZ_ENTRY (for instance tevral::fuzz::FuzzIniFile).
#include "fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return TEVRAL_FUZZ_ENTRY(data, size);
}
