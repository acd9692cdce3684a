#include "compiler/reading_on.h"

#include <set>
#include <tuple>

#include "base/line_index.h"
#include "compiler/scenario_compiler.h"
#include "compiler/source_lines.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

using Key = std::tuple<std::string, int, int, Long, int>;
Key KeyOf(const Diagnostic& d) {
  return {d.site.file, d.site.line, d.site.column, d.code,
          static_cast<int>(d.severity)};
}

bool IsStationLine(std::string_view line) {
  return Names(LineOf(LineKind::kStation), line.substr(0, line.find(',')));
}

// Whether a diagnostic found reading on only follows from a line dropped
// before it: the route has no length line because its length line was
// faulty, or a station is too close to the one before it because the
// station between was dropped.
bool FollowsFromDropped(const Diagnostic& d, const LineIndex& train,
                        const std::set<std::pair<std::string, int>>& dropped) {
  if (d.code == kNoRouteLength) return true;
  if (d.code != kStationsTooClose) return false;
  for (int line = d.site.line - 1; line > 0; --line) {
    if (!IsStationLine(train.Line(line))) continue;
    return dropped.count({d.site.file, line}) > 0;
  }
  return false;
}

}  // namespace

ReadingOn ReadOn(const Scenario& compiled, const Sources& sources) {
  ReadingOn result;
  std::map<std::string, size_t> errors;
  std::set<Key> seen;
  const auto keep = [&](Diagnostic d) {
    if (!seen.insert(KeyOf(d)).second) return;
    if (d.severity == Diagnostic::Severity::kError &&
        ++errors[d.site.file] > kMaxErrorsPerText) {
      ++result.omitted_errors[d.site.file];
      return;
    }
    result.diagnostics.push_back(std::move(d));
  };
  for (const Diagnostic& d : compiled.diagnostics) keep(d);
  if (compiled.codice_errore == 0) return result;

  // The compile stopped somewhere: read both texts once more, on past
  // every line that stops the reading.
  Scenario again;
  again.nome_linea = compiled.nome_linea;
  again.numero_treno = compiled.numero_treno;
  Sources reading_on = sources;
  reading_on.read_on = true;
  CompileScenario(again, compiled.scrivi_linea, reading_on);
  std::set<std::pair<std::string, int>> dropped;
  for (const Diagnostic& d : again.diagnostics) {
    if (d.severity == Diagnostic::Severity::kError && d.site.line > 0) {
      dropped.insert({d.site.file, d.site.line});
    }
  }
  const LineIndex train(sources.train.value_or(std::string_view()));
  for (Diagnostic d : again.diagnostics) {
    if (seen.count(KeyOf(d)) || FollowsFromDropped(d, train, dropped)) {
      continue;
    }
    d.found_reading_on = true;
    keep(std::move(d));
  }
  return result;
}

}  // namespace scenario
