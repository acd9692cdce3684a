#ifndef COMPILER_SOURCE_READING_H_
#define COMPILER_SOURCE_READING_H_

#include <optional>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "base/status.h"
#include "model/scenario.h"

namespace scenario {

// The two source texts of a compile, as bytes, with the names under which
// diagnostics show them.
struct Sources {
  std::string_view route;
  // nullopt when there is no train text: reaching it is a reading fault.
  std::optional<std::string_view> train;
  std::string route_file;
  std::string train_file;
  // For an author's report: read on past every line that stops the
  // reading (the train text too after a stop in the route), reporting
  // each. Never for a compile whose files are written.
  bool read_on = false;
};

// Whether the reading used up the train text (the route text it always
// does): the program deletes exactly the texts used up. A stop in the route
// leaves the train text unread; a reading fault uses up both, as its trap
// deletes both.
struct SourcesRead {
  bool train = false;
};

// Reads the route text, then the train text, into `s` (whose `voci` the
// caller has cleared), and records what went wrong in `codice_errore`,
// `posizione_errore` and the diagnostics. Touches no file: a fault while
// reading (a text ending inside a line, a value beyond its field, the train
// text missing) is trapped as code 25.
SourcesRead ReadSources(Scenario& s, const Sources& sources);

// Where the reading finds the texts on disk.
struct SourcePaths {
  std::string route;
  std::string train;
};

// The reading as the program does it: a missing route text is code 101;
// otherwise both texts are loaded, read, and each text the reading used
// up is deleted. A text that exists but cannot be loaded, or cannot be
// deleted, is a failure of its own, handed up as the status.
Status memorizza_dati(Scenario& s, FileSystem& files, const SourcePaths& paths);

}  // namespace scenario

#endif  // COMPILER_SOURCE_READING_H_
