#include "compiler/author_compile.h"

#include "compiler/reading_on.h"

namespace scenario {

AuthorCompile CompileAuthorTexts(const AuthorTexts& texts,
                                 const AuthorCompileOptions& options) {
  AuthorCompile result;
  const Sources sources = {texts.route, texts.train, texts.route_file,
                           texts.train_file};
  Scenario& s = result.scenario;
  SetIdentity(s, texts.identity, sources);
  result.outcome = CompileScenario(s, options.scrivi_linea, sources);
  if (!options.diagnose) return result;

  // Without the plan the curve lines are passed over, and the files hold
  // what was read without them; the texts' faults are still all reported,
  // curves too, as a compile with the plan finds them.
  Scenario with_curves;
  const Scenario* diagnosed = &s;
  if (!options.scrivi_linea) {
    SetIdentity(with_curves, texts.identity, sources);
    (void)CompileScenario(with_curves, /*scrivi_linea=*/true, sources);
    diagnosed = &with_curves;
  }
  ReadingOn all = ReadOn(*diagnosed, sources);
  result.diagnostics = std::move(all.diagnostics);
  result.omitted_errors = std::move(all.omitted_errors);
  result.omitted_warnings = diagnosed->omitted_warnings;
  result.omitted_notes = diagnosed->omitted_notes;
  return result;
}

}  // namespace scenario
