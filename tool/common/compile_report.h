#ifndef TOOL_COMMON_COMPILE_REPORT_H_
#define TOOL_COMMON_COMPILE_REPORT_H_

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "model/scenario.h"

namespace scenario {

// What a compile or check tells its user.
struct CompileReport {
  std::string command;  // "compile" or "check"
  std::string route;    // the source texts' paths, as given
  std::string train;
  std::string route_text;  // their contents, to quote offending lines
  std::string train_text;
  std::vector<Diagnostic> diagnostics;
  std::map<std::string, size_t> omitted_errors;  // by text, past its limit
  size_t omitted_warnings = 0;                   // past the limit, counted only
  size_t omitted_notes = 0;
  enum class Outcome { kWritten, kChecked, kNoCells, kReservedValue };
  Outcome outcome = Outcome::kChecked;
  std::vector<std::string> files;  // binary files written

  size_t Count(Diagnostic::Severity severity) const;
};

// One diagnostic a line, "FILE:LINE:COLUMN: errore N: message
// (progressiva P)", the offending line under it with a caret under the
// item, then a summary; with `color`, the severity in colour.
void PrintText(const CompileReport& report, Language language, bool color,
               std::ostream& out);

// A severity's name where machines read it: JSON, the report page.
const char* SeverityName(Diagnostic::Severity severity);

// The same as one JSON document.
void PrintJson(const CompileReport& report, Language language,
               std::ostream& out);

}  // namespace scenario

#endif  // TOOL_COMMON_COMPILE_REPORT_H_
