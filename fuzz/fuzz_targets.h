#ifndef FUZZ_FUZZ_TARGETS_H_
#define FUZZ_FUZZ_TARGETS_H_

#include <string_view>

namespace scenario {

// The whole compile of arbitrary bytes: everything before the first NUL is
// the route source text, the rest the train source text. They are compiled
// in memory as the program compiles its own (reading, placement,
// post-processing) and encoded as the three binary files.
void FuzzCompile(std::string_view data);

// The same split of arbitrary bytes through the tool's commands, as an
// author runs them: check in both forms and languages, compile, plot from
// the texts and from the package, dump.
void FuzzTool(std::string_view data);

// Arbitrary bytes as each kind of binary file, through the decoders and
// every output format of `scenario-tool dump`.
void FuzzDump(std::string_view data);

}  // namespace scenario

#endif  // FUZZ_FUZZ_TARGETS_H_
