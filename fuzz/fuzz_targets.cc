#include "fuzz/fuzz_targets.h"

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "base/exit_status.h"
#include "base/memory_file_system.h"
#include "compiler/scenario_compiler.h"
#include "model/binary_files.h"
#include "tool/commands/dump_command.h"
#include "tool/language_server/language_server.h"
#include "tool/scenario_tool.h"

namespace scenario {
namespace {

// Output nobody reads: the formats must run, their text does not matter.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

}  // namespace

void FuzzCompile(std::string_view data) {
  const size_t split = data.find('\0');
  const std::string_view route = data.substr(0, split);
  const std::string_view train = split == std::string_view::npos
                                     ? std::string_view()
                                     : data.substr(split + 1);
  Scenario s;
  // Moved in whole: assigning the literals trips a false -Wrestrict of
  // g++ 12 at -O3.
  s.nome_linea = std::string("R");
  s.numero_treno = std::string("1");
  const CompileOutcome outcome = CompileScenario(
      s, /*scrivi_linea=*/true, {route, train, "R_linea.txt", "R_1-.txt"});
  if (outcome.end != CompileOutcome::End::kComplete) return;
  // The encoders run on whatever the compile left.
  EncodeTrackPlan(s.tracciato);
  EncodeRecords(s.voci);
  EncodeCells(s.celle);
}

namespace {

// What the tool does with an author's texts, one path a run: each input
// takes one, so the fuzzer tries many inputs a second instead of every
// command on few. The compile target builds and encodes the plan on every
// input already: the checks and compiles here go without it.
const std::vector<std::vector<std::vector<std::string>>> kToolPaths = {
    {{"check", "d/R_linea.txt", "d/R_1-.txt", "--no-plan"}},
    {{"check", "d/R_linea.txt", "d/R_1-.txt", "--no-plan", "--format", "json",
      "--lang", "en"}},
    {{"compile", "d/R_linea.txt", "d/R_1-.txt", "--no-plan", "-o", "o"},
     {"dump", "o/R_1.dat", "--format", "csv"},
     {"dump", "o/R_1.sim", "--format", "json"}},
    {{"plot", "d/R_linea.txt", "d/R_1-.txt", "-o", "o/p.svg"}},
    // The plot from texts draws a plan already: from the package, the
    // cells and records are what is new.
    {{"compile", "d/R_linea.txt", "d/R_1-.txt", "--no-plan", "-o", "o"},
     {"plot", "--from", "o", "-o", "o/q.svg"}},
    {{"report", "d/R_linea.txt", "d/R_1-.txt", "-o", "o/r.html"}},
    {{"compile", "d/R_linea.txt", "d/R_1-.txt", "-o", "o"},
     {"decompile", "o", "--route-name", "R", "--train-number", "1", "-o", "t"}},
    {},  // the language server alone
};

// The language server on the texts, opened as an editor opens them, asked
// at a few places; true when every request had its answer.
bool AskLanguageServer(FileSystem& files, const std::string& train) {
  using nlohmann::json;
  LanguageServer server(files, Language::kEnglish);
  json open = {{"method", "textDocument/didOpen"}};
  open["params"]["textDocument"] = {{"uri", "file://d/R_1-.txt"},
                                    {"text", train}};
  server.Handle(open);
  bool answered = true;
  for (const char* uri : {"file://d/R_linea.txt", "file://d/R_1-.txt"}) {
    for (const char* method : {"textDocument/hover", "textDocument/completion",
                               "textDocument/documentSymbol"}) {
      for (int line : {0, 3, 10}) {
        json request = {{"id", 1}, {"method", method}};
        request["params"]["textDocument"]["uri"] = uri;
        request["params"]["position"] = {{"line", line}, {"character", 12}};
        answered = answered && server.Handle(request).size() == 1;
      }
    }
  }
  return answered;
}

}  // namespace

size_t ToolPaths() { return kToolPaths.size(); }

bool FuzzToolPath(std::string_view data, size_t path) {
  const size_t split = data.find('\0');
  MemoryFileSystem files;
  files.files["d/R_linea.txt"] = std::string(data.substr(0, split));
  files.files["d/R_1-.txt"] =
      std::string(split == std::string_view::npos ? std::string_view()
                                                  : data.substr(split + 1));
  NullBuffer null;
  std::ostream out(&null);
  bool sound = true;
  for (const std::vector<std::string>& command : kToolPaths.at(path)) {
    std::vector<std::string> args = {"scenario-tool"};
    args.insert(args.end(), command.begin(), command.end());
    const int status = RunScenarioTool(args, files, out, out);
    sound = sound && (status == kExitSuccess || status == kExitError ||
                      status == kExitFailure);
  }
  if (kToolPaths.at(path).empty()) {
    sound = AskLanguageServer(files, files.files["d/R_1-.txt"]);
  }
  return sound;
}

void FuzzTool(std::string_view data) {
  (void)FuzzToolPath(data, data.size() % kToolPaths.size());
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
