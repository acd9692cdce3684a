#include "tool/commands/compile_command.h"

#include "base/exit_status.h"
#include "base/file_names.h"
#include "compiler/reading_on.h"
#include "compiler/scenario_compiler.h"
#include "messages/messages.h"
#include "model/binary_files.h"
#include "tool/common/compile_report.h"
#include "tool/common/voice.h"

namespace scenario {

int CompileCommand(const CompileOptions& options, FileSystem& files,
                   std::ostream& out, std::ostream& err) {
  const Voice voice{options.write ? "compile" : "check", options.language,
                    options.json};
  const auto [route_name, train_number] = IdentityOf(
      options.route, options.train, {options.route_name, options.train_number});
  if (route_name.empty() || train_number.empty()) {
    return voice.Fail(out, err,
                      ToolText(route_name.empty() ? ToolMessage::kRouteNotNamed
                                                  : ToolMessage::kTrainNotNamed,
                               options.language));
  }
  bool is_route = true;
  const NameFault fault = CheckIdentity({route_name, train_number}, &is_route);
  if (fault != NameFault::kNone) {
    return voice.Fail(out, err,
                      NameFaultText(fault, is_route, options.language));
  }

  CompileReport report;
  report.command = options.write ? "compile" : "check";
  report.route = options.route;
  report.train = options.train;
  for (auto [path, text] : {std::pair{&options.route, &report.route_text},
                            std::pair{&options.train, &report.train_text}}) {
    Status status = files.Read(*path, text);
    if (!status.ok()) {
      return voice.Fail(out, err, MessageFor(status, options.language));
    }
  }

  // An author's texts are never deleted.
  Sources sources = {report.route_text, report.train_text, options.route,
                     options.train};
  // A check writes no plan: it follows the plan's position alone.
  sources.store_plan = options.write;
  Scenario s;
  SetIdentity(s, {route_name, train_number}, sources);
  const CompileOutcome outcome = CompileScenario(s, !options.no_plan, sources);
  // Without the plan the curve lines are passed over, and the files hold
  // what was read without them; the texts' faults are still all reported,
  // curves too, as a check finds them.
  Scenario with_curves;
  const Scenario* diagnosed = &s;
  if (options.no_plan) {
    Sources checking = sources;
    checking.store_plan = false;
    SetIdentity(with_curves, {route_name, train_number}, checking);
    (void)CompileScenario(with_curves, /*scrivi_linea=*/true, checking);
    diagnosed = &with_curves;
  }
  // Every error of both texts, though the files hold what the compile read.
  ReadingOn all = ReadOn(*diagnosed, sources);
  report.diagnostics = std::move(all.diagnostics);
  report.omitted_errors = std::move(all.omitted_errors);
  report.omitted_warnings = diagnosed->omitted_warnings;
  report.omitted_notes = diagnosed->omitted_notes;
  switch (outcome.end) {
    case CompileOutcome::End::kNoCells:
      report.outcome = CompileReport::Outcome::kNoCells;
      break;
    case CompileOutcome::End::kNumberedError:
      report.outcome = CompileReport::Outcome::kReservedValue;
      break;
    default:
      report.outcome = CompileReport::Outcome::kChecked;
      break;
  }
  if (options.write && outcome.end == CompileOutcome::End::kComplete) {
    const FileNames names(options.output, route_name, train_number);
    // One writer at a time in the folder, as for the program's own runs.
    std::unique_ptr<FolderLock> lock;
    Status status = files.CreateFolders(options.output);
    if (status.ok()) status = files.LockFolder(options.output, &lock);
    if (status.ok()) status = WriteBinaryFiles(s, names, files);
    if (!status.ok()) {
      return voice.Fail(out, err, MessageFor(status, options.language));
    }
    report.outcome = CompileReport::Outcome::kWritten;
    if (s.scrivi_linea != 0) report.files.push_back(names.RoutePlan());
    report.files.push_back(names.TrainBank());
    report.files.push_back(names.Cells());
  }

  if (options.json) {
    PrintJson(report, options.language, out);
  } else {
    PrintText(report, options.language, options.color, out);
  }
  // A compile that leaves nothing it could write fails, whatever it said.
  const bool nothing_to_write =
      report.outcome == CompileReport::Outcome::kNoCells ||
      report.outcome == CompileReport::Outcome::kReservedValue;
  const bool failed = nothing_to_write ||
                      report.Count(Diagnostic::Severity::kError) > 0 ||
                      (options.warnings_fail &&
                       report.Count(Diagnostic::Severity::kWarning) > 0);
  return failed ? kExitError : kExitSuccess;
}

}  // namespace scenario
