#ifndef FUZZ_FUZZ_TARGETS_H_
#define FUZZ_FUZZ_TARGETS_H_

#include <cstddef>
#include <string_view>

namespace scenario {

// The whole compile of arbitrary bytes: everything before the first NUL is
// the route source text, the rest the train source text. They are compiled
// in memory as the program compiles its own (reading, placement,
// post-processing) and encoded as the three binary files.
void FuzzCompile(std::string_view data);

// The same split of arbitrary bytes through the tool, as an author uses it:
// check in both forms and languages, compile with dumps, plot from the
// texts and from the package, report, decompile, the language server. Each
// input takes the path its size picks.
void FuzzTool(std::string_view data);
// One path of those for every input: true when every command ended with
// one of the tool's exit statuses and the language server answered.
size_t ToolPaths();
bool FuzzToolPath(std::string_view data, size_t path);

// Arbitrary bytes as each kind of binary file, through the decoders and
// every output format of `scenario-tool dump`.
void FuzzDump(std::string_view data);

}  // namespace scenario

#endif  // FUZZ_FUZZ_TARGETS_H_
