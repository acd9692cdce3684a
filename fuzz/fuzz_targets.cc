#include "fuzz/fuzz_targets.h"

#include <filesystem>
#include <ostream>
#include <streambuf>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/memory_file_system.h"
#include "compiler/scenario_compiler.h"
#include "tool/dump_command.h"

namespace scenario {
namespace {

// Output nobody reads: the formats must run, their text does not matter.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

}  // namespace

void FuzzCompile(std::string_view data, const std::string& folder) {
  const size_t split = data.find('\0');
  const std::string_view route = data.substr(0, split);
  const std::string_view train = split == std::string_view::npos
                                     ? std::string_view()
                                     : data.substr(split + 1);
  const FileNames names(folder, "R", "1");
  DiskFileSystem disk;
  if (!disk.Replace(names.RouteSource(), route).ok() ||
      !disk.Replace(names.TrainSource(), train).ok()) {
    return;
  }
  Scenario s;
  s.nome_linea = "R";
  s.numero_treno = "1";
  memorizza_percorso(s, 1, disk, {names.RouteSource(), names.TrainSource()},
                     names);
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::filesystem::remove(entry.path());
  }
}

void FuzzDump(std::string_view data) {
  MemoryFileSystem files;
  files.files["f"] = std::string(data);
  NullBuffer null;
  std::ostream out(&null);
  for (const char* kind : {"cells", "train", "plan"}) {
    for (const char* format : {"text", "json", "csv"}) {
      DumpCommand({"f", kind, format}, files, out, out);
    }
  }
}

}  // namespace scenario
