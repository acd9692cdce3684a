#ifndef COMPILER_READING_ON_H_
#define COMPILER_READING_ON_H_

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "compiler/source_reading.h"
#include "model/scenario.h"

namespace scenario {

// More than this many errors in one text are counted, not listed: a binary
// file passed by mistake must not flood the screen.
inline constexpr size_t kMaxErrorsPerText = 100;

// Every error of both texts, for an author: what the compile found, then,
// when it stopped, what a second reading finds going on past every line
// that stops it (each such line dropped whole, the train text read
// whatever became of the route). The diagnostics found so are marked;
// those that only follow from a dropped line (a missing length line after
// a faulty one, the spacing of the station after a dropped one) are left
// out. The compiled scenario itself is the first compile's alone.
struct ReadingOn {
  std::vector<Diagnostic> diagnostics;
  std::map<std::string, size_t> omitted_errors;  // by text
};
ReadingOn ReadOn(const Scenario& compiled, const Sources& sources);

}  // namespace scenario

#endif  // COMPILER_READING_ON_H_
