#ifndef FUZZ_FUZZ_TARGETS_H_
#define FUZZ_FUZZ_TARGETS_H_

#include <string>
#include <string_view>

namespace scenario {

// The whole compile of arbitrary bytes: everything before the first NUL is
// the route source text, the rest the train source text. Both are written
// into `folder`, compiled as the program compiles its own (reading,
// placement, post-processing, binary files), and the folder is emptied.
void FuzzCompile(std::string_view data, const std::string& folder);

// Arbitrary bytes as each kind of binary file, through the decoders and
// every output format of `scenario-tool dump`.
void FuzzDump(std::string_view data);

}  // namespace scenario

#endif  // FUZZ_FUZZ_TARGETS_H_
