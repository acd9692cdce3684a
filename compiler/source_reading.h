#ifndef COMPILER_SOURCE_READING_H_
#define COMPILER_SOURCE_READING_H_

#include <string>

#include "base/file_system.h"
#include "model/scenario.h"

namespace scenario {

// The two source texts of a compile. The program deletes the texts it
// wrote itself as soon as each is read; a tool compiling an author's texts
// leaves them alone.
struct SourceTexts {
  std::string route;
  std::string train;
  bool delete_after_reading = true;
};

// Reads the route text, then the train text, into `s` (whose `voci` the
// caller has cleared), and records what went wrong in `codice_errore`,
// `posizione_errore` and `error_site`. Any fault while reading (a missing
// train text, a text ending inside a line, a value beyond its field) is
// trapped as code 25 with both texts deleted. Always returns normally.
void memorizza_dati(Scenario& s, FileSystem& files, const SourceTexts& texts);

}  // namespace scenario

#endif  // COMPILER_SOURCE_READING_H_
