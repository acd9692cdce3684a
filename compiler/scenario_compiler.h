#ifndef COMPILER_SCENARIO_COMPILER_H_
#define COMPILER_SCENARIO_COMPILER_H_

#include <string>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"
#include "compiler/source_reading.h"
#include "model/scenario.h"

namespace scenario {

// How a compile ended. Diagnostic codes in `codice_errore` do not stop it;
// only these do.
struct CompileOutcome {
  enum class End {
    kComplete,       // the model is finished (and its files written)
    kNoCells,        // the reading stopped before the route length
    kNumberedError,  // a reserved value was already taken: 1250 or 1251
    kWriteFailed,    // a binary file could not be written
  };
  End end = End::kComplete;
  std::string numbered_error;    // "1250" or "1251", as `errore` shows it
  Status status = Status::Ok();  // the failed write
};

// The compile up to the binary files: clears the record bank, reads the
// two source texts (`scrivi_linea` = `j`), completes the cells, checks the
// reserved values and stores the format constants and the two codes.
CompileOutcome CompileScenario(Scenario& s, Long j, FileSystem& files,
                               const SourceTexts& texts);

// The whole compile: CompileScenario, then the binary files under `names`.
// No binary file is touched unless the compile is complete.
CompileOutcome memorizza_percorso(Scenario& s, Long j, FileSystem& files,
                                  const SourceTexts& texts,
                                  const FileNames& names);

}  // namespace scenario

#endif  // COMPILER_SCENARIO_COMPILER_H_
