#ifndef COMPILER_AUTHOR_COMPILE_H_
#define COMPILER_AUTHOR_COMPILE_H_

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_names.h"
#include "compiler/scenario_compiler.h"
#include "model/scenario.h"

namespace scenario {

// An author's two texts, as bytes, under the names diagnostics show them
// by, and the identity the package will carry.
struct AuthorTexts {
  std::string_view route;
  std::string_view train;
  std::string route_file;
  std::string train_file;
  Identity identity;
};

struct AuthorCompileOptions {
  // Build the track plan and read the curve lines. Without it the package
  // holds what was read without them, but the curves' faults are still
  // reported, as a compile with the plan finds them.
  bool scrivi_linea = true;
  // Report every fault of both texts, reading on past the lines that stop
  // the compile; false for a caller that wants the package alone.
  bool diagnose = true;
};

// The compile of an author's texts and what it tells them.
struct AuthorCompile {
  Scenario scenario;  // what the package's files hold
  CompileOutcome outcome;
  // Every fault of both texts, the compile's own and those found reading
  // on, each once; errors past the limit of one text counted by text.
  std::vector<Diagnostic> diagnostics;
  std::map<std::string, size_t> omitted_errors;
  size_t omitted_warnings = 0;  // past the limit, counted only
  size_t omitted_notes = 0;
};

// The one path from an author's texts to a compiled scenario, for every
// command, the language server and the decompiler: the identity, the
// compile, and with `diagnose` every fault the texts hold. Touches no file.
AuthorCompile CompileAuthorTexts(const AuthorTexts& texts,
                                 const AuthorCompileOptions& options = {});

}  // namespace scenario

#endif  // COMPILER_AUTHOR_COMPILE_H_
