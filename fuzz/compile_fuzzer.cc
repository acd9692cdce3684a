// libFuzzer entry: arbitrary bytes as a route and a train source text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One private folder for the whole run, removed by the run's end.
  static const std::string folder = [] {
    char pattern[] = "/tmp/compile_fuzzer.XXXXXX";
    if (::mkdtemp(pattern) == nullptr) std::abort();
    return std::string(pattern);
  }();
  scenario::FuzzCompile(
      std::string_view(reinterpret_cast<const char*>(data), size), folder);
  return 0;
}
