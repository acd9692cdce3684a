#ifndef TOOL_COMMON_COMPILE_REPORT_H_
#define TOOL_COMMON_COMPILE_REPORT_H_

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "compiler/author_compile.h"
#include "messages/messages.h"
#include "model/scenario.h"
#include "tool/common/voice.h"

namespace scenario {

// What `compile`, `check` and `watch` are asked.
struct CompileOptions {
  std::string route;
  std::string train;
  std::string output = ".";
  std::string route_name;    // "" : from the route text's file name
  std::string train_number;  // "" : from the train text's file name
  bool scrivi_linea = true;  // false: --no-plan
  bool write = true;         // `watch`: compile, or else check
  Language language = Language::kItalian;
  bool json = false;
  bool warnings_fail = false;
  // Write the files even with a code (or, under --Werror, a warning), as
  // the simulator's own compile does; otherwise the package is left whole.
  bool write_on_error = false;
  bool color = false;  // the severity in colour, for a terminal
  // What a compile writes: the binary files, the driver's documents
  // (with the author's notes from a file, "" for none).
  bool binary_files = true;
  bool documents = false;
  std::string notes;
};

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
  enum class Outcome {
    kWritten,
    kChecked,
    kNoCells,
    kReservedValue,
    kKeptOnError,  // the texts have an error: the old package stands
  };
  Outcome outcome = Outcome::kChecked;
  std::vector<std::string> files;  // binary files written
  // The compile's own code, which the files reflect (0: none), and the
  // progressive that goes with it, where one does.
  Long code = 0;
  std::optional<Long> progressive;

  size_t Count(Diagnostic::Severity severity) const;
};

// Reads the two texts `options` name into `report`, with the identity
// their file names or the options give. False after telling why not.
bool ReadAuthorTexts(const CompileOptions& options, const Voice& voice,
                     FileSystem& files, std::ostream& out, std::ostream& err,
                     CompileReport* report, Identity* identity);

// Compiles the texts `report` holds and records every fault they hold.
AuthorCompile CompileForReport(const CompileOptions& options,
                               const Identity& identity, CompileReport* report);

// Whether the texts failed: a code, an error, or a warning under --Werror.
bool Fails(const CompileReport& report, const CompileOptions& options);

// Prints the report as text or JSON, as asked, and returns the exit status
// it comes to: an error, a compile that left nothing to write, or a
// warning under --Werror fails.
int Tell(const CompileReport& report, const CompileOptions& options,
         std::ostream& out);

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
