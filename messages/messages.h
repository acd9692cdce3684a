#ifndef MESSAGES_MESSAGES_H_
#define MESSAGES_MESSAGES_H_

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_names.h"
#include "base/status.h"
#include "model/scenario.h"

namespace scenario {

enum class Language { kItalian, kEnglish };

// What a diagnostic means, in the reader's language, with what it names
// (a keyword, a station, a fault) filled in.
std::string MessageFor(const Diagnostic& diagnostic, Language language);

// A field of a source line by its short name; with its value and unit
// ("velocità 1300 km/h"); and the range it allows ("da 0 a 1277").
std::string FieldName(FieldRef field, Language language);
std::string FieldValue(FieldRef field, int64_t value, Language language);
std::string FieldRange(FieldRef field, Language language);

// A failure outside the compile: a file operation, with the path, the
// platform's description and the failure's number; a damaged file, with
// what was expected at which byte; a usage error.
std::string MessageFor(const Status& status, Language language);

// A damaged binary file of a named kind: "F is no cells file: expected ...
// at byte N".
std::string DamagedFileText(const Status& status, std::string_view kind,
                            Language language);

// Why a route name or train number cannot name files.
std::string NameFaultText(NameFault fault, bool is_route, Language language);

// The sentences of the programs themselves, beyond diagnostics and
// failures; "{}" in them stands for what ToolText is given, in order.
enum class ToolMessage {
  kNoCellsCompiled,
  kRouteNotNamed,
  kTrainNotNamed,
  kUnknownKind,
  kNoPackage,
  kTextsOrPackage,
  kTextsAndPackage,
  kNoCellsToPlot,
  kPlotWithCode,
  kPlotWritten,
  kPackageWritten,
  kUnknownCommand,
  kNoCommand,
  kTextsWritten,
  kSeveralPackages,
  kReportWritten,
  kWatchRun,
  kWatchWaiting,
  kDecompileInputs,
  kRoundTripFails,
  kDoubtfulLine,
  kWouldReplace,
  kWriterHelp,
  // What a compile or check says after its diagnostics.
  kCompiledSummary,
  kCheckedSummary,
  kFilesWritten,
  kNoFileWritten,
  kNoFileWithoutCells,
  kNoFileReservedValue,
  kAtProgressive,
  kFoundReadingOn,
  kFurtherErrors,
  kNotShown,
  // The command line's own faults.
  kMissingArgument,
  kValueNotAllowed,
  kUnexpectedArguments,
  kBadCommandLine,
  kSeeHelp,
};
std::string ToolText(ToolMessage message, Language language,
                     std::initializer_list<std::string> values = {});

// The words of the SVG plot and of the report's page.
struct PlotLabels {
  const char* plan;  // the plan's heading
  const char* no_plan;
  const char* out_of_scale;  // a plan too large to draw
  const char* gradient;
  const char* line_speed;
  const char* adhesion;
  const char* progressive;  // the axis along the route
  const char* lanes[4];     // signals, slow-downs, speed boards, signboards
  const char* train;        // in the title: "<route> - treno <number>"
  const char* height;       // the height profile's heading
  const char* speed_met;    // the speed a driver meets
  const char* track;        // the lane of curves and mountain stretches
  const char* curve_right;  // "curva a destra, classe %d"
  const char* curve_left;
  const char* mountain;  // "montagna, tipo %d"
  const char* route_end;
  const char* extension;  // the cells past the route's end
  const char* station;    // "stazione %s, tipo %d, zona %d..%d m, ore %s"
  const char* slow_down;  // "rallentamento a %d km/h"
  // The report's page.
  const char* report_title;  // "<route>: report"
  const char* stations;
  const char* signals;
  const char* slow_downs;
  const char* speed_boards;
  const char* signboards;
  const char* diagnostics;
  const char* no_diagnostics;
  const char* sources;
  const char* columns;  // "progressive|type|zone|arrival/departure|name"
  const char* cursor;   // "cell %s, %s m: gradient ... "
  const char* hint;     // how to zoom and pan
  const char* cell;     // a table's column of cells
  const char* what;     // a table's column of values
};
const PlotLabels& PlotLabelsFor(Language language);

// The words of `dump`'s text tables, as printf patterns in the order of
// the values they show.
struct DumpWords {
  const char* cells_header;
  const char* records_header;
  const char* plan_header;
  const char* second_speed;   // d_v
  const char* cell_one;       // format constant, og code
  const char* values;         // valore1..4
  const char* signal;         // s1/d1, s2/d2, s3/d3, packed sx and dx, time
  const char* slow_down_end;  // speed
  const char* slow_down_start;
  const char* f_tt;
  const char* warning_board;  // speed
  const char* slow_down_marker;
  const char* speed_board;  // three speed pairs, then the stripes
  const char* stripes;
  const char* stop_point;  // station number
  const char* mountain_mark;
  const char* speed_point;  // speed
  const char* plain_point;
  const char* signboard;       // record number
  const char* other_kind;      // kind, valore1..4
  const char* roles[7];        // train, route, general, reference, empty,
                               // signboard, station
  const char* reference;       // name, start, km, flag
  const char* train_values;    // braked mass, route length, coaches
  const char* route_values;    // backgrounds, format constant, st code
  const char* general_values;  // cab signals, codes, sand, clock
  const char* station;         // type, progressive, zone, time, bytes, integers
  const char* empty_value;
  const char* integer_value;
};
const DumpWords& DumpWordsFor(Language language);

// The platform's failure numbers that files meet, described in the
// reader's language; others in the platform's own words.
std::string ErrnoText(int number, Language language);

// "errore", "avviso", "nota" or "error", "warning", "note".
std::string SeverityWord(Diagnostic::Severity severity, Language language);
// A count of diagnostics of one severity: "1 errore", "2 avvisi", "0 note".
std::string SeverityCount(size_t count, Diagnostic::Severity severity,
                          Language language);

// Every code a compile can report, in order, with what it means in
// general ("..." where a diagnostic names the particular), for manuals.
struct CodeSummary {
  Long code;
  Diagnostic::Severity severity;
  std::string meaning;
};
std::vector<CodeSummary> CodeSummaries(Language language);

}  // namespace scenario

#endif  // MESSAGES_MESSAGES_H_
