#include "tool/common/compile_report.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

#include "base/exit_status.h"
#include "base/line_index.h"

namespace scenario {
namespace {

// Codes that belong to cells rather than to a line name the train text,
// whose signals and slow-downs they concern.
const std::string& FileOf(const Diagnostic& d, const CompileReport& report) {
  return d.site.file.empty() ? report.train : d.site.file;
}

std::string Summary(const CompileReport& r, Language language) {
  using Severity = Diagnostic::Severity;
  std::string line = ToolText(
      r.command == "check" ? ToolMessage::kCheckedSummary
                           : ToolMessage::kCompiledSummary,
      language,
      {SeverityCount(r.Count(Severity::kError), Severity::kError, language),
       SeverityCount(r.Count(Severity::kWarning), Severity::kWarning, language),
       SeverityCount(r.Count(Severity::kNote), Severity::kNote, language)});
  switch (r.outcome) {
    case CompileReport::Outcome::kWritten:
      line += ToolText(ToolMessage::kFilesWritten, language);
      for (const std::string& f : r.files) line += " " + f;
      break;
    case CompileReport::Outcome::kChecked:
      line += ToolText(ToolMessage::kNoFileWritten, language);
      break;
    case CompileReport::Outcome::kNoCells:
      line += ToolText(ToolMessage::kNoFileWithoutCells, language);
      break;
    case CompileReport::Outcome::kReservedValue:
      line += ToolText(ToolMessage::kNoFileReservedValue, language);
      break;
    case CompileReport::Outcome::kKeptOnError:
      line += ToolText(ToolMessage::kNoFileOnError, language);
      break;
  }
  return line;
}

const char* OutcomeName(CompileReport::Outcome outcome) {
  switch (outcome) {
    case CompileReport::Outcome::kWritten:
      return "written";
    case CompileReport::Outcome::kChecked:
      return "checked";
    case CompileReport::Outcome::kNoCells:
      return "no_cells";
    case CompileReport::Outcome::kReservedValue:
      return "reserved_value";
    case CompileReport::Outcome::kKeptOnError:
      return "kept_on_error";
  }
  return "";
}

// Severities in the colours compilers use on a terminal.
constexpr char kResetColor[] = "\x1b[0m";
const char* SeverityColor(Diagnostic::Severity severity) {
  switch (severity) {
    case Diagnostic::Severity::kError:
      return "\x1b[1;31m";
    case Diagnostic::Severity::kWarning:
      return "\x1b[1;35m";
    case Diagnostic::Severity::kNote:
      return "\x1b[1;36m";
  }
  return "";
}

// An offending line as the terminal shows it, with the blanks that bring a
// caret under its column.
struct Echo {
  std::string line;
  std::string caret;
};

// Control characters are shown as ^X, never sent raw to the terminal; a
// long line is cut to a window around the column.
Echo EchoOf(std::string_view line, int column) {
  constexpr size_t kWindow = 160;
  const size_t at = column > 0 ? static_cast<size_t>(column - 1) : 0;
  size_t from = 0, to = line.size();
  if (line.size() > kWindow) {
    from = at > kWindow / 2 ? std::min(at - kWindow / 2, line.size()) : 0;
    to = std::min(line.size(), from + kWindow);
  }
  Echo echo;
  if (from > 0) {
    echo.line = "...";
    echo.caret = "   ";
  }
  for (size_t i = from; i < to; ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    const bool control = (c < 0x20 && c != '\t') || c == 0x7F;
    if (control) {
      echo.line += '^';
      echo.line += static_cast<char>(c ^ 0x40);
    } else {
      echo.line += static_cast<char>(c);
    }
    if (i < at) echo.caret += c == '\t' ? "\t" : control ? "  " : " ";
  }
  if (to < line.size()) echo.line += "...";
  return echo;
}

}  // namespace

size_t CompileReport::Count(Diagnostic::Severity severity) const {
  size_t n = severity == Diagnostic::Severity::kWarning ? omitted_warnings
             : severity == Diagnostic::Severity::kNote  ? omitted_notes
                                                        : 0;
  if (severity == Diagnostic::Severity::kError) {
    for (const auto& [file, omitted] : omitted_errors) n += omitted;
  }
  for (const Diagnostic& d : diagnostics) n += d.severity == severity;
  return n;
}

void PrintText(const CompileReport& report, Language language, bool color,
               std::ostream& out) {
  const LineIndex route(report.route_text);
  const LineIndex train(report.train_text);
  for (const Diagnostic& d : report.diagnostics) {
    const std::string& file = FileOf(d, report);
    // As compilers write it, so that editors and terminals can jump there.
    out << file << ":";
    if (d.site.line > 0) out << d.site.line << ":" << d.site.column << ":";
    out << " " << (color ? SeverityColor(d.severity) : "")
        << SeverityWord(d.severity, language) << " " << d.code
        << (color ? kResetColor : "") << ": " << MessageFor(d, language);
    if (d.position) {
      out << ToolText(ToolMessage::kAtProgressive, language,
                      {std::to_string(*d.position)});
    }
    if (d.found_reading_on) {
      out << ToolText(ToolMessage::kFoundReadingOn, language);
    }
    if (d.found_with_plan) {
      out << ToolText(ToolMessage::kFoundWithPlan, language);
    }
    out << "\n";
    if (d.site.line > 0) {
      const LineIndex* lines = file == report.route   ? &route
                               : file == report.train ? &train
                                                      : nullptr;
      const Echo echo =
          EchoOf(lines ? lines->Line(d.site.line) : "", d.site.column);
      out << "  " << echo.line << "\n  " << echo.caret << "^\n";
    }
  }
  for (const auto& [file, omitted] : report.omitted_errors) {
    out << file << ": "
        << ToolText(ToolMessage::kFurtherErrors, language,
                    {std::to_string(omitted)})
        << "\n";
  }
  if (report.omitted_warnings + report.omitted_notes > 0) {
    using Severity = Diagnostic::Severity;
    out << ToolText(
               ToolMessage::kNotShown, language,
               {SeverityCount(report.omitted_warnings, Severity::kWarning,
                              language),
                SeverityCount(report.omitted_notes, Severity::kNote, language)})
        << "\n";
  }
  out << Summary(report, language) << "\n";
}

void PrintJson(const CompileReport& report, Language language,
               std::ostream& out) {
  using nlohmann::json;
  json diagnostics = json::array();
  for (const Diagnostic& d : report.diagnostics) {
    diagnostics.push_back({
        {"code", d.code},
        {"severity", SeverityName(d.severity)},
        {"file", FileOf(d, report)},
        {"line", d.site.line > 0 ? json(d.site.line) : json(nullptr)},
        {"column", d.site.line > 0 ? json(d.site.column) : json(nullptr)},
        {"progressive", d.position ? json(*d.position) : json(nullptr)},
        {"message", MessageFor(d, language)},
        {"found_reading_on", d.found_reading_on},
        {"found_with_plan", d.found_with_plan},
    });
  }
  const json document = {
      {"command", report.command},
      {"route", report.route},
      {"train", report.train},
      {"outcome", OutcomeName(report.outcome)},
      {"code", report.code},
      {"progressive",
       report.progressive ? json(*report.progressive) : json(nullptr)},
      {"files", report.files},
      {"errors", report.Count(Diagnostic::Severity::kError)},
      {"warnings", report.Count(Diagnostic::Severity::kWarning)},
      {"notes", report.Count(Diagnostic::Severity::kNote)},
      {"omitted",
       {{"errors", report.omitted_errors},
        {"warnings", report.omitted_warnings},
        {"notes", report.omitted_notes}}},
      {"diagnostics", diagnostics},
  };
  // Texts from the sources may hold single-byte characters: never fail on
  // them.
  out << document.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
}

const char* SeverityName(Diagnostic::Severity severity) {
  switch (severity) {
    case Diagnostic::Severity::kError:
      return "error";
    case Diagnostic::Severity::kWarning:
      return "warning";
    case Diagnostic::Severity::kNote:
      return "note";
  }
  return "";
}

bool ReadAuthorTexts(const CompileOptions& options, const Voice& voice,
                     FileSystem& files, std::ostream& out, std::ostream& err,
                     CompileReport* report, Identity* identity) {
  const auto fail = [&](const std::string& message) {
    (void)voice.Fail(out, err, message);
    return false;
  };
  // A text that cannot be read is told as such before its name is
  // weighed: a missing file is no naming problem.
  report->command = voice.command;
  report->route = options.route;
  report->train = options.train;
  for (auto [path, text] : {std::pair{&options.route, &report->route_text},
                            std::pair{&options.train, &report->train_text}}) {
    Status status = files.Read(*path, text);
    if (!status.ok()) return fail(MessageFor(status, options.language));
  }
  *identity = IdentityOf(options.route, options.train,
                         {options.route_name, options.train_number});
  if (identity->route_name.empty() || identity->train_number.empty()) {
    return fail(ToolText(identity->route_name.empty()
                             ? ToolMessage::kRouteNotNamed
                             : ToolMessage::kTrainNotNamed,
                         options.language));
  }
  bool is_route = true;
  const NameFault fault = CheckIdentity(*identity, &is_route);
  if (fault != NameFault::kNone) {
    return fail(NameFaultText(fault, *identity, is_route, options.language));
  }
  // Accepted here, but not where most of the simulator's users are.
  if (CheckForWindows(*identity, &is_route) != NameFault::kNone) {
    Voice::Say(err,
               ToolText(ToolMessage::kNotForWindows, options.language,
                        {NameFaultText(NameFault::kNotForWindows, *identity,
                                       is_route, options.language)}));
  }
  return true;
}

AuthorCompile CompileForReport(const CompileOptions& options,
                               const Identity& identity,
                               CompileReport* report) {
  AuthorCompile compiled =
      CompileAuthorTexts({report->route_text, report->train_text, options.route,
                          options.train, identity},
                         {.scrivi_linea = options.scrivi_linea});
  report->code = compiled.scenario.codice_errore;
  for (const Diagnostic& d : compiled.diagnostics) {
    if (report->code != 0 && d.code == report->code && !d.found_reading_on &&
        !d.found_with_plan && d.position) {
      report->progressive = d.position;
      break;
    }
  }
  report->diagnostics = std::move(compiled.diagnostics);
  report->omitted_errors = std::move(compiled.omitted_errors);
  report->omitted_warnings = compiled.omitted_warnings;
  report->omitted_notes = compiled.omitted_notes;
  switch (compiled.outcome.end) {
    case CompileOutcome::End::kNoCells:
      report->outcome = CompileReport::Outcome::kNoCells;
      break;
    case CompileOutcome::End::kNumberedError:
      report->outcome = CompileReport::Outcome::kReservedValue;
      break;
    default:
      report->outcome = CompileReport::Outcome::kChecked;
      break;
  }
  return compiled;
}

bool Fails(const CompileReport& report, const CompileOptions& options) {
  return report.code != 0 || report.Count(Diagnostic::Severity::kError) > 0 ||
         (options.warnings_fail &&
          report.Count(Diagnostic::Severity::kWarning) > 0);
}

int Tell(const CompileReport& report, const CompileOptions& options,
         std::ostream& out) {
  if (options.json) {
    PrintJson(report, options.language, out);
  } else {
    PrintText(report, options.language, options.color, out);
  }
  const bool nothing_to_write =
      report.outcome == CompileReport::Outcome::kNoCells ||
      report.outcome == CompileReport::Outcome::kReservedValue;
  return nothing_to_write || Fails(report, options) ? kExitError : kExitSuccess;
}

}  // namespace scenario
