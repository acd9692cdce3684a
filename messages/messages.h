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
std::string NameFaultText(NameFault fault, const Identity& identity,
                          bool is_route, Language language);

// The sentences of the programs themselves, beyond diagnostics and
// failures; "{}" in them stands for what ToolText is given, in order.
enum class ToolMessage {
  kNoCellsCompiled,
  kRouteNotNamed,
  kTrainNotNamed,
  kNotForWindows,  // a name Windows would refuse, warned of elsewhere
  kUnknownKind,
  kNoPackage,
  kTextsOrPackage,
  kTextsAndPackage,
  kNoCellsToPlot,
  kNotCompiledPast,  // where the reading stopped, and the error
  kTrainNotRead,
  kTrainReadToFirstObject,
  kCompiledWithError,  // read whole, with an error after the reading
  kPlotWritten,
  kPackageWritten,
  kUnknownCommandNear,  // one near a command: "did you mean"
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
  kReadingStopped,
  // The language server's quick fixes.
  kFixWrite,
  kFixQuote,
  kFixComma,  // a decompiled route that stops where its package's did
  kWouldReplace,
  kWriterHelp,
  // What a compile or check says after its diagnostics.
  kCompiledSummary,
  kCheckedSummary,
  kFilesWritten,
  kNoFileWritten,
  kNoFileWithoutCells,
  kNoFileReservedValue,
  kNoFileOnError,
  kAtProgressive,
  kFoundReadingOn,
  kFoundWithPlan,
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

// The words of the SVG plot and of the report's page, each a row of the
// messages with its Italian and its English side by side.
enum class PlotWord {
  kPlan,  // the plan's heading
  kNoPlan,
  kOutOfScale,  // a plan too large to draw
  kGradient,
  kLineSpeed,
  kAdhesion,
  kProgressive,  // the axis along the route
  kLaneSignals,
  kLaneSlowDowns,
  kLaneSpeedBoards,
  kLaneSignboards,  // signals, slow-downs, speed boards, signboards
  kTrain,           // in the title: "<route> - treno <number>"
  kHeight,          // the height profile's heading
  kSpeedMet,        // the speed a driver meets
  kTrack,           // the lane of curves and mountain stretches
  kCurveRight,      // "curva a destra, classe %d"
  kCurveLeft,
  kMountain,  // "montagna, tipo %d"
  kRouteEnd,
  kExtension,  // the cells past the route's end
  kStation,    // "stazione %d %s: tipo %s, zona %d..%d m, orario %s"
  kSlowDown,   // "rallentamento a %d km/h"
  // The report's page.
  kReportTitle,  // "<route>: report"
  kStations,
  kSignals,
  kSlowDowns,
  kSpeedBoards,
  kSignboards,
  kDiagnostics,
  kNoDiagnostics,
  kSources,
  kColumns,          // the station table's: "no.|progressive (m)|..."
  kCursor,           // "cell %s, %s m: gradient ... "
  kHint,             // how to zoom and pan
  kObjectColumns,    // "cell|progressive (m)|values"
  kSlowDownColumns,  // "start (m)|end (m)|values"
  kStops,            // a station's type in words: the train stops
  kPasses,           // or passes
  kReferences,       // the table of kilometric references
  kReferenceColumns,
  kReferenceOrder,  // how the compile orders them
  kFlagAdds,        // "%d (%d + 100 for the flag)"
  // What the objects of the cells are, their values named as their lines
  // name them.
  kSignalObject,
  kSpeedBoardObject,
  kSignboardObject,
  kWarningBoardObject,
  kSlowDownStartObject,
  kSlowDownEndObject,
  kApproachMarkerObject,  // its number
  kStopPointObject,       // its station's number
  kPointObject,
  kWithoutSpeed,
  kTimetable,  // the time-distance chart's heading
  kScheduled,  // its lines: the timetable's times
  kLeast,      // the least times the speeds allow
  kNotKept,    // a stretch the timetable gives too little time
};
const char* WordFor(PlotWord word, Language language);

// The words of `dump`'s text tables, as printf patterns in the order of
// the values they show.
enum class DumpWord {
  kCellsHeader,
  kRecordsHeader,
  kPlanHeader,
  kSecondSpeed,  // d_v
  kCellOne,      // format constant, og code
  kValues,       // valore1..4
  kSignal,       // s1/d1, s2/d2, s3/d3, packed sx and dx, time
  kSlowDownEnd,  // speed
  kSlowDownStart,
  kFTt,
  kWarningBoard,  // speed
  kSlowDownMarker,
  kSpeedBoard,  // three speed pairs, then the stripes
  kStripes,
  kStopPoint,  // station number
  kMountainMark,
  kSpeedPoint,  // speed
  kPlainPoint,
  kSignboard,  // record number
  kOtherKind,  // kind, valore1..4
  kRoleTrain,
  kRoleRoute,
  kRoleGeneral,
  kRoleReference,
  kRoleEmpty,
  kRoleSignboard,
  kRoleStation,    // train, route, general, reference, empty,
                   // signboard, station
  kReference,      // name, start, km, flag
  kTrainValues,    // braked mass, route length, coaches
  kRouteValues,    // backgrounds, format constant, st code
  kGeneralValues,  // cab signals, codes, sand, clock
  kStation,        // type, progressive, zone, time, bytes, integers
  kEmptyValue,
  kIntegerValue,
};
const char* WordFor(DumpWord word, Language language);

// The words of one language, for a view or a dump that takes many of them.
template <typename Word>
struct WordsIn {
  Language language;
  const char* operator[](Word word) const { return WordFor(word, language); }
  // The n-th of a run of words: a lane, a record's role.
  const char* at(Word first, int n) const {
    return WordFor(static_cast<Word>(static_cast<int>(first) + n), language);
  }
};
using DumpWords = WordsIn<DumpWord>;
using PlotLabels = WordsIn<PlotWord>;
inline DumpWords DumpWordsFor(Language language) { return {language}; }
inline PlotLabels PlotLabelsFor(Language language) { return {language}; }

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
