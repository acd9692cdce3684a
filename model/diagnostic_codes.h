#ifndef MODEL_DIAGNOSTIC_CODES_H_
#define MODEL_DIAGNOSTIC_CODES_H_

#include "model/scenario.h"

namespace scenario {

// The compile's diagnostic codes, as `codice_errore` holds them. The
// numbers are the system's own; 26 and up are this program's additions for
// limits the original procedures left unguarded.
enum DiagnosticCode : Long {
  kNoDiagnostic = 0,
  // Route text.
  kRouteTooLong = 1,
  kReferenceNotOnCell = 2,
  kCabSignalStartNotOnCell = 3,
  kCabSignalEndNotOnCell = 4,
  kCabSignalCodeCountMissing = 5,
  kSignboardCellTaken = 6,
  // Train text.
  kPointCellTaken = 7,
  kStationNotOnCell = 8,
  kStationLengthNotMultipleOf100 = 9,
  kTooManyStations = 10,
  // Post-processing.
  kNoRoomBeforeSignal = 11,
  kNoRoomBeforeSlowDown = 12,
  kNoRoomForSpacingPoint = 13,
  // Either text.
  kBeyondCells = 15,
  // Placement.
  kSignalCellTaken = 16,
  kWarningBoardCellTaken = 17,
  kSlowDownStartCellTaken = 18,
  kSlowDownEndCellTaken = 19,
  kSlowDownMarkerCellTaken = 20,
  kSpeedBoardCellTaken = 21,
  // Train text.
  kStationsTooClose = 22,
  kStopZoneTooEarly = 24,
  kReadingFault = 25,
  // This program's own.
  kCellOutsideRoute = 26,
  kTooManyMountains = 27,
  kTooManySignboards = 28,
  kNoRouteLength = 29,  // the route text has no length line: no cells
  // Reading procedure.
  kRouteTextMissing = 101,
  kNoGeneralSection = 102,
  kBadCurve = 103,
  // Reserved values already taken: shown through `errore`.
  kReservedCodeTaken = 1250,
  kReservedCheckTaken = 1251,
};

// What the compile passes over in silence, told to scenario authors. They
// never change the compiled bytes.
enum WarningCode : Long {
  kUnknownKeyword = 201,      // a key item that matches no keyword
  kLineBehindCursor = 202,    // a profile or curve line behind its cursor
  kLineAfterEnd = 203,        // lines after "[fine]", read like any others
  kTimesNotIncreasing = 204,  // a station's time not after the previous one
  kTextCutAtComma = 205,      // a text item ended by a comma, not the line
  kExtraFields = 206,         // more fields than the line's keyword takes
  kEmptyTrain = 207,          // a train text with nothing read from it
  kOutOfRange = 208,          // a value outside its field's range, kept
  kRepeatedLine = 209,        // a general value given twice: the last wins
  kNotWindows1252 = 210,      // a text's bytes that are no Windows-1252 text
  kNameConverted = 211,       // a name given in UTF-8, stored in Windows-1252
  kCommentedLine = 212,       // a line read as a comment that begins with a
                              // keyword: a "-" in it, meant as a line
  kNegativeLength = 213,      // a slow-down that ends before it starts
  kFieldFromNextLine = 214,   // a line short of fields: the next one's taken
  kKeywordGlued = 215,        // no comma between a keyword and its first field
  kBadHeader = 216,           // a section header the reading does not take
  kTimetableNotKept = 217,    // a stretch shorter in the timetable than the
                              // least time the speeds allow
  kReferencesCleared = 218,   // the kilometric references left empty: the
                              // ordering found no order among them
  kNotOnCellBoundary = 301,   // a note: the object moves to the nearest cell
};

// Whether a code stops the reading of the texts where it is raised, as
// against one raised after both texts were read whole (a reference off the
// grid, no room for a point, a reserved value taken).
bool StopsTheReading(Long code);

// Records a code as the compile error state holds it: `codice_errore`, the
// progressive where it has one, the site, and a diagnostic.
void RaiseCode(Scenario& s, Long code, std::optional<Long> position,
               const ErrorSite& site, std::string detail = {});
void RaiseCode(Scenario& s, Diagnostic error);
// Records a code in the error state alone, for a code that only follows
// from one already reported.
void SetCode(Scenario& s, Long code, std::optional<Long> position,
             const ErrorSite& site);
// Records a diagnostic without touching the error state.
void Report(Scenario& s, Diagnostic diagnostic);

}  // namespace scenario

#endif  // MODEL_DIAGNOSTIC_CODES_H_
