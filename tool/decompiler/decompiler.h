#ifndef TOOL_DECOMPILER_DECOMPILER_H_
#define TOOL_DECOMPILER_DECOMPILER_H_

#include <optional>
#include <string>
#include <vector>

#include "base/status.h"
#include "messages/messages.h"
#include "model/scenario.h"

namespace scenario {

// A package's three files, as bytes; no plan when the package has none.
struct PackageBytes {
  std::string route_name;
  std::string train_number;
  std::string cells;
  std::string bank;
  std::optional<std::string> plan;
};

// Where the texts written back do not give the package's bytes: which
// file, which cell, record or metre, and what was expected there.
struct Mismatch {
  std::string file;  // "cells", "train" or "plan"
  std::string where;
  std::string expected;
  std::string found;
};

struct Decompiled {
  std::string route_text;  // in the layout of the embedded texts, CR LF
  std::string train_text;
  std::vector<Mismatch> mismatches;  // empty: the round trip holds
  // A file that could not be decoded (its path left to the caller), and
  // which: "cells", "train" or "plan".
  Status damaged = Status::Ok();
  std::string damaged_file;
};

// Writes a package back as its two source texts: what an author writes,
// without what the compile adds (the points around signals and
// slow-downs, the approach markers, the mountain marks, the codes and the
// reserved values): profiles from the runs of the cells, stations, texts
// and general values from the record bank, curves from the plan's turning
// metre by metre. Then compiles the texts and compares the bytes, and
// says where they differ; a text that cannot be written exactly carries
// a comment at each doubtful line.
Decompiled Decompile(const PackageBytes& package, Language language);

}  // namespace scenario

#endif  // TOOL_DECOMPILER_DECOMPILER_H_
