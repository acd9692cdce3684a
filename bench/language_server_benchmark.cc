// The language server answering an edit of the largest route: the time
// from a changed text to the diagnostics of both texts of the pair, with
// the texts written on many lines and on one line, where a line holds
// every item and a diagnostic that re-read its line would cost the whole
// text. Run by hand:
//   build/bin/language_server_benchmark
#include <benchmark/benchmark.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>

#include "base/memory_file_system.h"
#include "bench/scenarios.h"
#include "tool/language_server/language_server.h"

namespace scenario {
namespace {

using nlohmann::json;

// Line ends delimit items as commas do: the same items on one line.
std::string OnOneLine(std::string text) {
  std::erase(text, '\r');
  std::replace(text.begin(), text.end(), '\n', ',');
  return text;
}

void BM_Edit(benchmark::State& state, bool one_line) {
  Texts texts = Maximal();
  if (one_line) {
    texts.route = OnOneLine(texts.route);
    texts.train = OnOneLine(texts.train);
  }
  MemoryFileSystem files;
  files.files["/w/R_1-.txt"] = texts.train;
  LanguageServer server(files, Language::kItalian);
  const std::string uri = "file:///w/R_linea.txt";
  server.Handle({{"jsonrpc", "2.0"},
                 {"id", 1},
                 {"method", "initialize"},
                 {"params", json::object()}});
  server.Handle(
      {{"jsonrpc", "2.0"},
       {"method", "textDocument/didOpen"},
       {"params", {{"textDocument", {{"uri", uri}, {"text", texts.route}}}}}});
  // Each edit misspells a keyword, or mends it: a diagnostic comes and goes.
  std::string misspelt = texts.route;
  misspelt.replace(misspelt.find("pendenza"), 8, "pendnza");
  bool odd = false;
  size_t published = 0;
  for (auto _ : state) {
    odd = !odd;
    published = server
                    .Handle({{"jsonrpc", "2.0"},
                             {"method", "textDocument/didChange"},
                             {"params",
                              {{"textDocument", {{"uri", uri}}},
                               {"contentChanges",
                                {{{"text", odd ? misspelt : texts.route}}}}}}})
                    .size();
  }
  // Both texts' diagnostics, or the benchmark measured nothing.
  if (published != 2) state.SkipWithError("the pair was not published");
}

BENCHMARK_CAPTURE(BM_Edit, ManyLines, false)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Edit, OneLine, true)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace scenario

BENCHMARK_MAIN();
