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
    kFileFailed,     // a source text could not be read or deleted, or a
                     // binary file could not be written
  };
  End end = End::kComplete;
  std::string numbered_error;    // "1250" or "1251", as `errore` shows it
  Status status = Status::Ok();  // the failed file operation
};

// The compile of two texts in memory, touching no file: clears the record
// bank, reads the texts (building the track plan when `scrivi_linea`),
// completes the cells, checks the reserved values and stores the format
// constants and the two codes. `s` brings the route name and train number.
CompileOutcome CompileScenario(Scenario& s, bool scrivi_linea,
                               const Sources& sources);

// Gives `s` an author's route name and train number as the record bank and
// the check codes hold them: Windows-1252, one byte a character, as the
// simulator reads them. A name typed in UTF-8 beyond ASCII is converted,
// with a warning on the text it names.
void SetIdentity(Scenario& s, const Identity& identity, const Sources& names);

// A whole compile as the program does it: the texts are read from and
// deleted in `files`, then the binary files are written under `names`. No
// binary file is touched unless the compile is complete.
CompileOutcome memorizza_percorso(Scenario& s, bool scrivi_linea,
                                  FileSystem& files, const SourcePaths& paths,
                                  const FileNames& names);

}  // namespace scenario

#endif  // COMPILER_SCENARIO_COMPILER_H_
