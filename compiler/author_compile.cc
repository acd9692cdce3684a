#include "compiler/author_compile.h"

#include <cmath>

#include "base/line_index.h"
#include "compiler/reading_on.h"
#include "compiler/source_lines.h"
#include "model/diagnostic_codes.h"
#include "model/timetable.h"

namespace scenario {
namespace {

bool IsCurveLine(std::string_view line) {
  return Names(LineOf(LineKind::kCurve), line.substr(0, line.find(',')));
}

// Puts `d` after the diagnostics of its text up to its line.
void PlaceByLine(std::vector<Diagnostic>& diagnostics, Diagnostic d) {
  auto at = diagnostics.begin();
  while (at != diagnostics.end() && at->site.file != d.site.file) ++at;
  while (at != diagnostics.end() && at->site.file == d.site.file &&
         at->site.line <= d.site.line) {
    ++at;
  }
  diagnostics.insert(at, std::move(d));
}

// Each stretch whose scheduled time is shorter than the least the train
// could take at the speeds allowed, told at the line of the station it
// ends at.
void AddTimetableFaults(const Scenario& s, std::vector<Diagnostic>& all) {
  const Timetable timetable = TimetableOf(s);
  for (const Timetable::Stretch& stretch : timetable.stretches) {
    const Timetable::Station& to = timetable.stations[stretch.to];
    // The sites follow the stations as the reading stored them, slot by
    // slot from the first.
    const auto site = static_cast<size_t>(to.slot - kFirstStationSlot);
    if (stretch.kept() || site >= s.station_sites.size()) continue;
    Diagnostic d;
    d.severity = Diagnostic::Severity::kWarning;
    d.code = kTimetableNotKept;
    d.position = to.progressive;
    d.site = s.station_sites[site];
    // Both stations, on a line each: no name holds a line end.
    d.detail = timetable.stations[stretch.from].name + "\n" + to.name;
    d.values = {stretch.scheduled,
                std::isfinite(stretch.least)
                    ? static_cast<int64_t>(std::ceil(stretch.least))
                    : -1};
    PlaceByLine(all, std::move(d));
  }
}

// Without the plan, the faults of the curve lines as a compile with the
// plan finds them, each placed among the others by its line. Only these:
// whatever else the plan's compile meets after a stop (a code still set, a
// reserved value) is not what the files hold.
void AddCurveFaults(const Scenario& with_plan, const AuthorTexts& texts,
                    const Sources& sources, ReadingOn* all) {
  const LineIndex route(texts.route);
  ReadingOn planned = ReadOn(with_plan, sources);
  for (Diagnostic& d : planned.diagnostics) {
    if (d.site.file != texts.route_file ||
        !IsCurveLine(route.Line(d.site.line))) {
      continue;
    }
    d.found_reading_on = false;
    d.found_with_plan = true;
    PlaceByLine(all->diagnostics, std::move(d));
  }
}

}  // namespace

AuthorCompile CompileAuthorTexts(const AuthorTexts& texts,
                                 const AuthorCompileOptions& options) {
  AuthorCompile result;
  const Sources sources = {texts.route, texts.train, texts.route_file,
                           texts.train_file};
  Scenario& s = result.scenario;
  SetIdentity(s, texts.identity, sources);
  result.outcome = CompileScenario(s, options.scrivi_linea, sources);
  if (!options.diagnose) return result;

  ReadingOn all = ReadOn(s, sources);
  // Without the plan the curve lines are passed over, and the files hold
  // what was read without them; the curves' faults are still reported, as
  // what they are.
  if (!options.scrivi_linea) {
    Scenario with_plan;
    SetIdentity(with_plan, texts.identity, sources);
    (void)CompileScenario(with_plan, /*scrivi_linea=*/true, sources);
    AddCurveFaults(with_plan, texts, sources, &all);
  }
  // The timetable is only worth weighing on a scenario compiled whole.
  if (result.outcome.end == CompileOutcome::End::kComplete &&
      s.codice_errore == 0) {
    AddTimetableFaults(s, all.diagnostics);
  }
  result.diagnostics = std::move(all.diagnostics);
  result.omitted_errors = std::move(all.omitted_errors);
  result.omitted_warnings = s.omitted_warnings;
  result.omitted_notes = s.omitted_notes;
  return result;
}

}  // namespace scenario
