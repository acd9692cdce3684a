// libFuzzer entry: arbitrary bytes as source texts, through scenario-tool.
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  scenario::FuzzTool(
      std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
