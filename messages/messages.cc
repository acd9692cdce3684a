#include "messages/messages.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "compiler/source_lines.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

struct Message {
  Long code;
  const char* italian;
  const char* english;
};

// Every code a compile can raise, with its warnings and notes. "{}" stands
// for what the diagnostic names.
constexpr Message kMessages[] = {
    {kRouteTooLong, "lunghezza del percorso oltre 1000000 m",
     "route length above 1000000 m"},
    {kReferenceNotOnCell,
     "progressiva chilometrica con inizio o km non multiplo di 50{}",
     "kilometric reference whose start or km value is not a multiple of "
     "50{}"},
    {kCabSignalStartNotOnCell,
     "inizio della ripetizione segnali non multiplo di 50",
     "cab signal repetition start not a multiple of 50"},
    {kCabSignalEndNotOnCell,
     "fine della ripetizione segnali non multipla di 50",
     "cab signal repetition end not a multiple of 50"},
    {kCabSignalCodeCountMissing,
     "la riga di ripetizione segnali non indica 4 o 9 codici",
     "the cab signal repetition line names neither 4 nor 9 codes"},
    {kSignboardCellTaken, "cartello su una cella già occupata",
     "signboard on a cell that is already taken"},
    {kPointCellTaken, "punto di abbattimento su una cella già occupata",
     "\"abbattimento\" point on a cell that is already taken"},
    {kStationNotOnCell, "progressiva della stazione non multipla di 50",
     "station progressive not a multiple of 50"},
    {kStationLengthNotMultipleOf100,
     "lunghezza della zona di stazione non multipla di 100",
     "station zone length not a multiple of 100"},
    {kTooManyStations, "troppe stazioni per i record lasciati dai cartelli",
     "too many stations for the records the signboards leave"},
    {kNoRoomBeforeSignal,
     "nessuna cella libera per il punto prima del segnale vicino al cartello "
     "di avviso",
     "no room for the point before a signal near a warning board"},
    {kNoRoomBeforeSlowDown,
     "nessuna cella libera in una finestra prima dell'inizio del "
     "rallentamento",
     "no free cell in a window before a slow-down's start"},
    {kNoRoomForSpacingPoint,
     "nessuna cella libera per un punto lungo il rallentamento o prima del "
     "segnale che lo segue",
     "no room for a point along the slow-down or before the signal after it"},
    {kBeyondCells, "riga oltre le celle del percorso{}: il testo finisce qui",
     "line beyond the route's cells{}: the text ends here"},
    {kSignalCellTaken, "segnale su una cella già occupata",
     "signal on a cell that is already taken"},
    {kWarningBoardCellTaken,
     "cartello di avviso del rallentamento su una cella già occupata",
     "slow-down warning board on a cell that is already taken"},
    {kSlowDownStartCellTaken,
     "inizio del rallentamento su una cella già occupata",
     "slow-down start on a cell that is already taken"},
    {kSlowDownEndCellTaken, "fine del rallentamento su una cella già occupata",
     "slow-down end on a cell that is already taken"},
    {kSlowDownMarkerCellTaken,
     "pannello distanziometrico del rallentamento su una cella già occupata",
     "slow-down approach marker on a cell that is already taken"},
    {kSpeedBoardCellTaken,
     "indicatore di velocità massima su una cella già occupata",
     "speed board on a cell that is already taken"},
    {kStationsTooClose,
     "zona di stazione a meno di 350 m dalla fine della zona precedente",
     "station zone less than 350 m after the previous zone's end"},
    {kStopZoneTooEarly, "la zona di fermata finisce entro i primi 100 m",
     "the stop zone ends within the first 100 m"},
    {kReadingFault, "errore di lettura: {}", "reading fault: {}"},
    {kCellOutsideRoute, "oggetto fuori dalle celle del percorso",
     "object outside the route's cells"},
    {kTooManyMountains, "più di 80 tratti di montagna",
     "more than 80 mountain stretches"},
    {kTooManySignboards, "più di 80 cartelli", "more than 80 signboards"},
    {kRouteTextMissing, "il testo del percorso non esiste",
     "the route text does not exist"},
    {kNoGeneralSection, "il testo del percorso non contiene \"[generale]\"",
     "the route text holds no \"[generale]\""},
    {kBadCurve,
     "curva senza la cifra della classe (da 1 a 6) nella parola chiave",
     "curve without its class digit (1 to 6) in the keyword"},
    {kReservedCodeTaken,
     "la cella 1 contiene già un valore dove va la costante di formato: un "
     "oggetto nei primi 25 m ha valori non nulli",
     "cell 1 already holds a value where the format constant goes: an object "
     "in the first 25 m has nonzero values"},
    {kReservedCheckTaken,
     "la cella 1 contiene già un valore dove va il codice di controllo",
     "cell 1 already holds a value where the check code goes"},
    {kNoRouteLength,
     "il testo del percorso non ha la riga \"lunghezza percorso\": nessuna "
     "cella, nessun file",
     "the route text has no \"lunghezza percorso\" line: no cells, no file"},
    {kUnknownKeyword,
     "parola chiave sconosciuta, riga ignorata (forse \"{}\"?)",
     "unknown keyword, line passed over (did you mean \"{}\"?)"},
    {kTextCutAtComma,
     "il testo finisce alla virgola; il resto della riga è letto come altre "
     "voci: per tenere la virgola scrivi il testo tra virgolette",
     "the text ends at the comma; the rest of the line is read as further "
     "items: to keep the comma, put the text in double quotes"},
    {kExtraFields, "campi oltre quelli che la riga prende, ignorati: {}",
     "fields beyond those the line takes, passed over: {}"},
    {kEmptyTrain,
     "dal testo del treno non si legge nulla: manca \"[generale]\" o una "
     "riga con una parola chiave; il treno non ha velocità né stazioni",
     "nothing is read from the train text: it has no \"[generale]\" or no "
     "line with a keyword; the train has no speed and no stations"},
    {kOutOfRange, "{}", "{}"},
    {kRepeatedLine, "\"{}\" ripetuta: vale l'ultima",
     "\"{}\" given again: the last one holds"},
    {kNotWindows1252,
     "testo non in Windows-1252 (forse UTF-8): il simulatore legge un byte "
     "per carattere",
     "text not in Windows-1252 (UTF-8?): the simulator reads one byte a "
     "character"},
    {kNameConverted,
     "\"{}\" scritto in Windows-1252, un byte per carattere; i caratteri "
     "fuori da esso diventano \"?\"",
     "\"{}\" written in Windows-1252, one byte a character; characters "
     "outside it become \"?\""},
    {kLineBehindCursor, "riga dietro al suo cursore: scrive una sola cella",
     "line behind its cursor: it writes one cell only"},
    {kLineAfterEnd, "righe dopo \"[fine]\": sono lette come le altre",
     "lines after \"[fine]\" are read like any others"},
    {kTimesNotIncreasing, "orario non successivo a quello di {}",
     "time not after the time of {}"},
    {kCommentedLine,
     "la riga contiene \"-\" ed è letta come commento, ma comincia con "
     "\"{}\": se è una riga, separa i campi con virgole",
     "the line holds a \"-\" and is read as a comment, yet begins with "
     "\"{}\": if it is a line, part its fields with commas"},
    {kNegativeLength,
     "{} negativa: il rallentamento finisce prima di cominciare",
     "{} is negative: the slow-down ends before it starts"},
    {kFieldFromNextLine,
     "manca il campo {}: la lettura lo prende dalla riga {}, e ciò che segue è "
     "letto spostato",
     "the field {} is missing: the reading takes it from line {}, and what "
     "follows is misread"},
    {kKeywordGlued,
     "manca la virgola dopo \"{}\": {} è letto come parte della parola chiave, "
     "e ogni campo prende il valore del successivo",
     "no comma after \"{}\": {} is read as part of the keyword, and each field "
     "takes the next one's value"},
    {kBadHeader, "\"{}\" non è un'intestazione: le manca una parentesi",
     "\"{}\" is no header: a bracket is missing"},
    {kTimetableNotKept,
     "orario non rispettabile da {} a {}: {} in orario, meno del tempo "
     "minimo {} alle velocità ammesse",
     "a time that cannot be kept from {} to {}: {} in the timetable, less "
     "than the least time {} at the speeds allowed"},
    {kReferencesCleared,
     "i riferimenti chilometrici restano vuoti: due condividono l'inizio "
     "maggiore, {} m, e la compilazione non trova il loro ordine",
     "the kilometric references are left empty: two share the greatest "
     "start, {} m, and the compile finds no order among them"},
    {kNotOnCellBoundary, "non su un confine di cella: va alla cella più vicina",
     "not on a cell boundary: moves to the nearest cell"},
};

// Reading faults, as they read without a field and with one ("{}").
constexpr struct {
  ErrorSite::Fault fault;
  Message plain;
  Message in_field;
} kFaults[] = {
    {ErrorSite::Fault::kEndOfFile,
     {0, "il testo finisce dentro i campi di una riga",
      "the text ends inside a line's fields"},
     {0, "il testo finisce dentro i campi di una riga: manca il campo {}",
      "the text ends inside a line's fields: the field {} is missing"}},
    {ErrorSite::Fault::kNotANumber,
     {0, "il campo non è un numero", "the field is not a number"},
     {0, "il campo {} non è un numero", "the field {} is not a number"}},
    {ErrorSite::Fault::kBeyond32Bits,
     {0, "numero oltre i 32 bit", "number beyond 32 bits"},
     {0, "il campo {}: numero oltre i 32 bit",
      "the field {}: number beyond 32 bits"}},
    {ErrorSite::Fault::kBeyondField,
     {0, "valore oltre il suo campo", "value beyond its field"},
     {0, "{}", "{}"}},
    {ErrorSite::Fault::kTextMissing,
     {0, "il testo del treno non esiste", "the train text does not exist"},
     {0, "il testo del treno non esiste", "the train text does not exist"}},
    {ErrorSite::Fault::kUnexpected,
     {0, "errore imprevisto", "unexpected failure"},
     {0, "errore imprevisto", "unexpected failure"}},
    {ErrorSite::Fault::kNone,
     {0, "errore imprevisto", "unexpected failure"},
     {0, "errore imprevisto", "unexpected failure"}},
};

// Codes whose message differs by cause.
constexpr struct {
  Long code;
  Diagnostic::Cause cause;
  Message message;
} kCauses[] = {
    {kBeyondCells,
     Diagnostic::Cause::kEarlierCode,
     {0,
      "la lettura del treno si ferma qui: il codice 15 del percorso è "
      "ancora attivo",
      "the train text stops here: the route's code 15 is still set"}},
    {kReferencesCleared,
     Diagnostic::Cause::kNoPositiveKm,
     {0,
      "i riferimenti chilometrici restano vuoti: i loro inizi sommano a 0 e "
      "nessuno ha un km positivo, e la compilazione non trova il loro ordine",
      "the kilometric references are left empty: their starts add up to 0 "
      "and none has a positive km, and the compile finds no order among "
      "them"}},
    {kLineBehindCursor,
     Diagnostic::Cause::kCurveBehind,
     {0, "curva dietro al cursore del tracciato: curva dal cursore",
      "curve behind the plan's cursor: it curves from the cursor on"}},
    {kUnknownKeyword,
     Diagnostic::Cause::kNoSuggestion,
     {0, "parola chiave sconosciuta, riga ignorata",
      "unknown keyword, line passed over"}},
    {kNoRouteLength,
     Diagnostic::Cause::kGeneralAgain,
     {0,
      "\"[generale]\" di nuovo: qui comincia il corpo del percorso, e la riga "
      "\"lunghezza percorso\" che segue è ignorata: nessuna cella, nessun file",
      "\"[generale]\" again: the route's body begins here, and the "
      "\"lunghezza percorso\" line after it is passed over: no cells, no "
      "file"}},
    {kBadHeader,
     Diagnostic::Cause::kGeneralAgain,
     {0,
      "\"{}\" di nuovo: qui comincia il corpo del percorso, e le righe "
      "generali che seguono sono ignorate",
      "\"{}\" again: the route's body begins here, and the general lines "
      "after it are passed over"}},
    {kBadHeader,
     Diagnostic::Cause::kNotClosed,
     {0,
      "\"{}\" non è un'intestazione, le manca una parentesi: la parte "
      "generale continua, e le righe del corpo che seguono sono ignorate "
      "fino alla prossima intestazione",
      "\"{}\" is no header, a bracket is missing: the general part goes on, "
      "and the body lines after it are passed over up to the next header"}},
    {kNoGeneralSection,
     Diagnostic::Cause::kMisspeltHeader,
     {0,
      "\"{}\" non è \"[generale]\": senza \"[generale]\" il testo del "
      "percorso non è letto",
      "\"{}\" is not \"[generale]\": without \"[generale]\" the route text "
      "is not read"}},
    {kEmptyTrain,
     Diagnostic::Cause::kMisspeltHeader,
     {0,
      "\"{}\" non è \"[generale]\": senza \"[generale]\" dal testo del "
      "treno non si legge nulla",
      "\"{}\" is not \"[generale]\": without \"[generale]\" nothing is "
      "read from the train text"}},
    {kBadCurve,
     Diagnostic::Cause::kPlanTooLong,
     {0, "il tracciato va oltre 1000000 m", "the plan runs past 1000000 m"}},
    {kStationsTooClose,
     Diagnostic::Cause::kOutOfOrder,
     {0,
      "stazione prima della precedente, {}: le stazioni vanno in ordine di "
      "progressiva",
      "station before the previous one, {}: stations go in the order of "
      "their progressives"}},
};

// The words of a failed file operation, in one language.
struct FileWords {
  const char* cannot;
  const char* read;
  const char* write;
  const char* remove;
  const char* number;
};
constexpr FileWords kItalianFileWords = {"Impossibile", "leggere", "scrivere",
                                         "cancellare", "errore"};
constexpr FileWords kEnglishFileWords = {"cannot", "read", "write", "delete",
                                         "errno"};

const char* Pick(const Message& m, Language language) {
  return language == Language::kItalian ? m.italian : m.english;
}

std::string Fill(std::string text, const std::string& value) {
  const size_t at = text.find("{}");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

// Each value fills the next place after the one before: a value that
// holds "{}" itself (a name from a text) stays as it is.
std::string Fill(std::string text, std::initializer_list<std::string> values) {
  size_t from = 0;
  for (const std::string& value : values) {
    const size_t at = text.find("{}", from);
    if (at == std::string::npos) break;
    text.replace(at, 2, value);
    from = at + value.size();
  }
  return text;
}

const Message* Find(Long code) {
  for (const Message& m : kMessages) {
    if (m.code == code) return &m;
  }
  return nullptr;
}

}  // namespace

std::string FieldName(FieldRef ref, Language language) {
  const SourceField* field = FieldAt(ref);
  if (field == nullptr) return "";
  return std::string(language == Language::kItalian ? field->italian
                                                    : field->english);
}

std::string FieldValue(FieldRef ref, int64_t value, Language language) {
  const SourceField* field = FieldAt(ref);
  if (field == nullptr) return std::to_string(value);
  const bool it = language == Language::kItalian;
  std::string text = FieldName(ref, language);
  text += ' ';
  if (field->width == Width::kText) text += it ? "di " : "of ";
  text += std::to_string(value);
  if (field->width == Width::kText) {
    text += it ? " caratteri" : " characters";
  } else if (!field->unit.empty()) {
    text += ' ';
    text += field->unit;
  }
  return text;
}

std::string FieldRange(FieldRef ref, Language language) {
  const SourceField* field = FieldAt(ref);
  if (field == nullptr) return "";
  const bool it = language == Language::kItalian;
  return std::string(it ? "da " : "from ") + std::to_string(field->min) +
         (it ? " a " : " to ") + std::to_string(field->max);
}

namespace {

// A value outside its field's range that the reading keeps: what it became.
std::string OutOfRange(const Diagnostic& d, Language language) {
  const bool it = language == Language::kItalian;
  std::string text =
      FieldValue(d.site.field, d.site.value.value_or(0), language) +
      (it ? " fuori dall'intervallo " : " outside the range ") +
      FieldRange(d.site.field, language);
  if (d.stored && *d.stored != d.site.value) {
    text += (it ? ": il campo ne tiene i bit bassi, "
                : ": the field keeps its low bits, ") +
            std::to_string(*d.stored);
  }
  return text;
}

std::string FaultText(const ErrorSite& site, Language language) {
  const bool it = language == Language::kItalian;
  const std::string from = std::to_string(site.taken_from_line);
  if (site.taken_from_line > 0 && site.field.valid() &&
      site.fault == ErrorSite::Fault::kNotANumber) {
    return (it ? "manca il campo " : "the field ") +
           FieldName(site.field, language) +
           (it ? " su questa riga: la lettura lo prende dalla riga " + from +
                     ", dove non è un numero"
               : " is missing from this line: the reading takes it from "
                 "line " +
                     from + ", where it is no number");
  }
  for (const auto& f : kFaults) {
    if (f.fault != site.fault) continue;
    if (!site.field.valid()) return Pick(f.plain, language);
    std::string named = FieldName(site.field, language);
    if (site.fault == ErrorSite::Fault::kBeyondField && site.value) {
      named = FieldValue(site.field, *site.value, language) + ": " +
              FieldRange(site.field, language);
    }
    std::string text = Fill(Pick(f.in_field, language), named);
    if (site.fault == ErrorSite::Fault::kNotANumber) {
      text += (it ? ": prende un numero " : ": it takes a number ") +
              FieldRange(site.field, language);
    }
    if (site.taken_from_line > 0) {
      text += (it ? " (preso dalla riga " : " (taken from line ") + from + ")";
    }
    return text;
  }
  return Pick(kFaults[std::size(kFaults) - 1].plain, language);
}

// A timetable time, "h:mm:ss", from its seconds.
std::string ClockText(int64_t seconds) {
  const bool negative = seconds < 0;
  const uint64_t t = negative ? 0 - static_cast<uint64_t>(seconds)
                              : static_cast<uint64_t>(seconds);
  char text[48];
  std::snprintf(text, sizeof text, "%s%llu:%02llu:%02llu", negative ? "-" : "",
                static_cast<unsigned long long>(t / 3600),
                static_cast<unsigned long long>(t / 60 % 60),
                static_cast<unsigned long long>(t % 60));
  return text;
}

// What holds a taken cell, by its kind.
constexpr struct {
  Byte kind;
  const char* italian;
  const char* english;
} kHolders[] = {
    {kSignal, "un segnale", "a signal"},
    {kSlowDownEnd, "la fine di un rallentamento", "a slow-down's end"},
    {kSlowDownStart, "l'inizio di un rallentamento", "a slow-down's start"},
    {kWarningBoard, "il cartello di avviso di un rallentamento",
     "a slow-down's warning board"},
    {kSlowDownMarker, "un pannello distanziometrico", "an approach marker"},
    {kSpeedBoard, "un indicatore di velocità massima", "a speed board"},
    {kStopPoint, "il punto di fermata di una stazione",
     "a station's stop point"},
    {kSpeedPoint, "un punto di abbattimento", "an \"abbattimento\" point"},
    {kPlainPoint, "un punto di abbattimento", "an \"abbattimento\" point"},
    {kSignboard, "un cartello", "a signboard"},
};

std::string HolderOf(int64_t tipo, Language language) {
  const bool it = language == Language::kItalian;
  for (const auto& h : kHolders) {
    if (h.kind == tipo) return it ? h.italian : h.english;
  }
  return (it ? "un oggetto di tipo " : "an object of kind ") +
         std::to_string(tipo);
}

bool IsCellTaken(Long code) {
  return code == kSignboardCellTaken || code == kPointCellTaken ||
         (code >= kSignalCellTaken && code <= kSpeedBoardCellTaken);
}

// What a taken cell holds, and the line that put it there: ": la cella
// 41 ha già un segnale, dalla riga 12 di R_7-.txt".
std::string TakenBy(const Diagnostic& d, Language language) {
  const bool it = language == Language::kItalian;
  if (!d.stored || d.values.empty()) return "";
  std::string text =
      (it ? ": la cella " : ": cell ") + std::to_string(d.values[0]) +
      (it ? " ha già " : " holds ") + HolderOf(*d.stored, language);
  if (d.related.line > 0) {
    text += (it ? ", dalla riga " : ", from line ") +
            std::to_string(d.related.line);
    if (d.related.file != d.site.file) {
      text += (it ? " di " : " of ") + d.related.file;
    }
  }
  return text;
}

// A text from the source, quoted, cut where it runs long.
std::string Quoted(std::string_view text) {
  constexpr size_t kLongest = 40;
  if (text.size() <= kLongest) return "\"" + std::string(text) + "\"";
  return "\"" + std::string(text.substr(0, kLongest)) + "...\"";
}

// Fields beyond a line's: how many it takes, what was passed over and
// what the line was read as; a thousands separator named as the cause.
std::string ExtraFields(const Diagnostic& d, Language language) {
  const bool it = language == Language::kItalian;
  const SourceLine& line = LineOf(static_cast<LineKind>(d.site.field.line));
  std::string read;
  for (size_t i = 0; i < d.values.size(); ++i) {
    if (i > 0) read += ", ";
    read += FieldValue({d.site.field.line, static_cast<int>(i)}, d.values[i],
                       language);
  }
  const std::string n = std::to_string(line.fields.size());
  const bool one = line.fields.size() == 1;
  std::string text =
      (it ? (one ? std::string("campi oltre l'unico che la riga prende")
                 : "campi oltre i " + n + " che la riga prende")
          : (one ? std::string("fields beyond the one the line takes")
                 : "fields beyond the " + n + " the line takes")) +
      (it ? ", ignorati: " : ", passed over: ") + Quoted(d.detail) +
      (it ? "; la riga è letta come " : "; the line reads as ") + read;
  if (d.cause == Diagnostic::Cause::kThousands && d.values.size() >= 2) {
    char three[8];
    std::snprintf(three, sizeof three, "%03d",
                  static_cast<int>(d.values[1] % 1000));
    const std::string high = std::to_string(d.values[0]);
    text = "\"" + high + "," + three +
           (it ? "\" è letto come due campi (la virgola separa i campi: scrivi "
               : "\" reads as two fields (a comma parts fields: write ") +
           high + three + "): " + text;
  }
  return text;
}

}  // namespace

std::string MessageFor(const Diagnostic& d, Language language) {
  const bool it = language == Language::kItalian;
  for (const auto& c : kCauses) {
    if (c.cause == d.cause &&
        (c.code == d.code || c.cause == Diagnostic::Cause::kEarlierCode)) {
      return Fill(Pick(c.message, language), d.detail);
    }
  }
  std::string named = d.detail;
  switch (d.code) {
    case kReadingFault:
      named = FaultText(d.site, language);
      break;
    case kOutOfRange:
      named = OutOfRange(d, language);
      break;
    case kExtraFields:
      return ExtraFields(d, language);
    case kBeyondCells:
      named.clear();
      if (d.stored) {
        named = (it ? " (la progressiva più alta qui è "
                    : " (the highest progressive here is ") +
                std::to_string(*d.stored) + ")";
      }
      break;
    case kNegativeLength:
      named = FieldValue(d.site.field, d.site.value.value_or(0), language);
      break;
    case kFieldFromNextLine:
      return Fill(Pick(*Find(d.code), language),
                  {FieldName(d.site.field, language),
                   std::to_string(d.values.empty() ? 0 : d.values[0])});
    case kKeywordGlued:
      return Fill(
          Pick(*Find(d.code), language),
          {d.detail, std::to_string(d.values.empty() ? 0 : d.values[0])});
    case kReferencesCleared:
      named = std::to_string(d.values.empty() ? 0 : d.values[0]);
      break;
    case kTimetableNotKept:
      if (d.values.size() == 2) {
        // A least time below zero: a speed of 0 bars the stretch.
        const std::string least =
            d.values[1] < 0
                ? (it ? "infinito (velocità 0)" : "endless (speed 0)")
                : ClockText(d.values[1]);
        // The two stations, on a line each.
        const size_t split = d.detail.find('\n');
        return Fill(
            Pick(*Find(d.code), language),
            {d.detail.substr(0, split),
             split == std::string::npos ? "" : d.detail.substr(split + 1),
             ClockText(d.values[0]), least});
      }
      break;
    case kTimesNotIncreasing:
      if (d.values.size() == 2) {
        return (it ? "orario " : "time ") + ClockText(d.values[0]) +
               (it ? " non successivo a quello di " : " not after that of ") +
               d.detail + ", " + ClockText(d.values[1]);
      }
      break;
    case kUnknownKeyword:
      if (d.cause == Diagnostic::Cause::kOtherPart) {
        const bool in_body = !d.values.empty() && d.values[0] != 0;
        return "\"" + d.detail + "\"" +
               (in_body ? (it ? " è una riga della parte generale: nel corpo "
                                "del percorso è ignorata"
                              : " is a line of the general part: in the "
                                "route's body it is passed over")
                        : (it ? " è una riga del corpo del percorso: nella "
                                "parte generale è ignorata; il corpo comincia "
                                "alla prima intestazione dopo \"[generale]\""
                              : " is a line of the route's body: in the "
                                "general part it is passed over; the body "
                                "begins at the first header after "
                                "\"[generale]\""));
      }
      break;
    case kLineBehindCursor:
      if (d.cause == Diagnostic::Cause::kWritesNoCell) {
        return (it ? "riga dietro al suo cursore: non scrive celle, e il suo "
                     "valore vale dalla cella "
                   : "line behind its cursor: it writes no cell, and its value "
                     "holds from cell ") +
               std::to_string(d.stored.value_or(0)) + (it ? " in poi" : " on");
      }
      break;
    case kReferenceNotOnCell:
      if (d.site.field.valid() && d.site.value) {
        named = ": " + FieldValue(d.site.field, *d.site.value, language);
      }
      break;
    case kNotOnCellBoundary:
      if (d.stored) {
        return (it ? "non su un confine di cella: va alla cella "
                   : "not on a cell boundary: goes to cell ") +
               std::to_string(*d.stored) +
               (it ? ", che sta per la progressiva "
                   : ", which stands for progressive ") +
               std::to_string((*d.stored - 1) * kCellLength);
      }
      break;
  }
  if (const Message* m = Find(d.code)) {
    std::string text = Fill(Pick(*m, language), named);
    if (IsCellTaken(d.code)) text += TakenBy(d, language);
    return text;
  }
  return it ? "codice sconosciuto" : "unknown code";
}

namespace {

// What a damaged file's layout expected where it broke, with its numbers
// ("{}") in the order the status lists them.
constexpr struct {
  Status::Damage damage;
  const char* italian;
  const char* english;
} kDamages[] = {
    {Status::Damage::kCellRecordCut,
     "un record di cella di 15 byte, trovati {} byte",
     "a 15-byte cell record, found {} bytes"},
    {Status::Damage::kRecordHeadCut,
     "una testata di record di {} byte del record {} ({} byte rimasti)",
     "a {}-byte record head of record {} ({} bytes left)"},
    {Status::Damage::kNameLengthNegative,
     "una lunghezza del nome da 0 a 32767 nel record {}, trovato {}",
     "a name length of 0 to 32767 in record {}, found {}"},
    {Status::Damage::kNameCut,
     "un nome di {} byte del record {} ({} byte rimasti)",
     "a name of {} bytes of record {} ({} bytes left)"},
    {Status::Damage::kRecordTailCut,
     "una coda di record di {} byte del record {} ({} byte rimasti)",
     "the {}-byte record tail of record {} ({} bytes left)"},
    {Status::Damage::kBankTooLong,
     "la fine del file dopo {} record, trovati altri {} byte",
     "the end of the file after {} records, found {} more bytes"},
    {Status::Damage::kPlanValueKind,
     "un valore del tracciato di tipo 0, 2 o 5, trovato {}",
     "a plan value kind 0, 2 or 5, found {}"},
    {Status::Damage::kPlanValueCut,
     "un valore del tracciato intero ({} byte rimasti)",
     "a whole plan value ({} bytes left)"},
    {Status::Damage::kPlanValuesOdd,
     "tanti valori y quanti valori x, trovati {} valori",
     "as many y values as x values, found {} values"},
};

// What a damaged file lacks: "expected ... at byte N".
std::string Expected(const Status& damaged, Language language) {
  const bool it = language == Language::kItalian;
  std::string what;
  for (const auto& d : kDamages) {
    if (d.damage != damaged.damage()) continue;
    what = it ? d.italian : d.english;
    for (int64_t n : damaged.numbers()) what = Fill(what, std::to_string(n));
  }
  return (it ? "atteso " : "expected ") + what +
         (it ? " al byte " : " at byte ") + std::to_string(damaged.offset());
}

}  // namespace

std::string MessageFor(const Status& status, Language language) {
  const bool it = language == Language::kItalian;
  switch (status.kind()) {
    case Status::Kind::kOk:
      return "ok";
    case Status::Kind::kFile: {
      const FileWords& words = it ? kItalianFileWords : kEnglishFileWords;
      const char* verb =
          status.operation() == Status::Operation::kRead    ? words.read
          : status.operation() == Status::Operation::kWrite ? words.write
                                                            : words.remove;
      return std::string(words.cannot) + " " + verb + " " + status.path() +
             ": " + ErrnoText(status.number(), language) + " (" + words.number +
             " " + std::to_string(status.number()) + ")";
    }
    case Status::Kind::kDamaged:
      return status.path() + ": " + Expected(status, language);
    case Status::Kind::kOutOfMemory:
      return it ? "memoria esaurita" : "out of memory";
  }
  return "";
}

std::string DamagedFileText(const Status& status, std::string_view kind,
                            Language language) {
  const bool it = language == Language::kItalian;
  return status.path() + (it ? " non è un file " : " is no ") +
         std::string(kind) + (it ? ": " : " file: ") +
         Expected(status, language);
}

std::string NameFaultText(NameFault fault, const Identity& identity,
                          bool is_route, Language language) {
  const bool it = language == Language::kItalian;
  const std::string what =
      is_route ? (it ? "il nome della linea" : "the route name")
               : (it ? "il numero del treno" : "the train number");
  switch (fault) {
    case NameFault::kNone:
      break;
    case NameFault::kEmpty:
      return what + (it ? " è vuoto" : " is empty");
    case NameFault::kSeparator:
      return what +
             (it ? " contiene \"/\": darebbe file in un'altra cartella"
                 : " holds a \"/\": its files would land in another folder");
    case NameFault::kDots:
      return what + (it ? " non può essere \".\" o \"..\""
                        : " cannot be \".\" or \"..\"");
    case NameFault::kControl:
      return what + (it ? " contiene un carattere di controllo"
                        : " holds a control character");
    case NameFault::kNotForWindows:
      return what + " \"" +
             (is_route ? identity.route_name : identity.train_number) + "\"" +
             (it ? " contiene un carattere che Windows non ammette nei "
                   "nomi dei file (< > : \" \\ | ? *) o finisce con "
                   "un punto o uno spazio"
                 : " holds a character Windows forbids in file names "
                   "(< > : \" \\ | ? *) or ends in a dot or a blank");
    case NameFault::kTooLong:
      return it ? "il nome della linea e il numero del treno sono troppo "
                  "lunghi: i nomi dei file supererebbero 255 byte"
                : "the route name and train number are too long: their file "
                  "names would pass 255 bytes";
  }
  return "";
}

namespace {

constexpr struct {
  ToolMessage id;
  const char* italian;
  const char* english;
} kToolMessages[] = {
    {ToolMessage::kNoCellsCompiled,
     "Nessuna cella compilata: la lettura del percorso si e' fermata prima "
     "della sua lunghezza (codice {})",
     "No cells compiled: the reading of the route stopped before its length "
     "(code {})"},
    {ToolMessage::kRouteNotNamed,
     "il testo del percorso non si chiama \"<linea>_linea.txt\": dai "
     "--route-name",
     "the route text is not named \"<route>_linea.txt\": give --route-name"},
    {ToolMessage::kTrainNotNamed,
     "il testo del treno non si chiama \"<linea>_<treno>-.txt\": dai "
     "--train-number",
     "the train text is not named \"<route>_<train>-.txt\": give "
     "--train-number"},
    {ToolMessage::kNotForWindows,
     "avviso: {}: il pacchetto non potrà essere copiato su Windows",
     "warning: {}: the package cannot be copied to Windows"},
    {ToolMessage::kUnknownKind,
     "dal nome di {} non si capisce il tipo di file: dai --kind cells, train "
     "o plan",
     "cannot tell the kind of {} from its name: give --kind cells, train or "
     "plan"},
    {ToolMessage::kNoPackage,
     "nessun pacchetto in {}: nessun file <linea>_<treno>.dat accanto al "
     "suo <linea>_<treno>.sim",
     "no package in {}: no <route>_<train>.dat beside its "
     "<route>_<train>.sim"},
    {ToolMessage::kTextsOrPackage,
     "dai un testo del percorso e uno del treno, oppure --from un pacchetto",
     "give a route and a train text, or --from a package"},
    {ToolMessage::kTextsAndPackage,
     "dai i testi oppure --from un pacchetto, non entrambi",
     "give the texts or --from a package, not both"},
    {ToolMessage::kNoCellsToPlot,
     "la compilazione non ha celle: il motivo lo dice check",
     "the compile left no cells: run check for the reason"},
    {ToolMessage::kNotCompiledPast,
     "non compilato oltre {}: {}. Il disegno e le tabelle mostrano quanto "
     "letto fino lì.",
     "not compiled past {}: {}. The drawing and the tables show what was read "
     "up to there."},
    {ToolMessage::kTrainNotRead, " Il testo del treno non è letto.",
     " The train text is not read."},
    {ToolMessage::kTrainReadToFirstObject,
     " Il testo del treno è letto fino al suo primo segnale o rallentamento.",
     " The train text is read up to its first signal or slow-down."},
    {ToolMessage::kCompiledWithError, "compilato con {}.", "compiled with {}."},
    {ToolMessage::kPlotWritten, "disegno scritto in {}", "plot written to {}"},
    {ToolMessage::kPackageWritten, "pacchetto scritto in {}",
     "package written in {}"},
    {ToolMessage::kUnknownCommandNear,
     "comando sconosciuto \"{}\": forse \"{}\"?",
     "unknown command \"{}\": did you mean \"{}\"?"},
    {ToolMessage::kUnknownCommand,
     "comando sconosciuto \"{}\": i comandi sono {}",
     "unknown command \"{}\": the commands are {}"},
    {ToolMessage::kNoCommand, "manca il comando: {} (--help per l'aiuto)",
     "no command given: {} (--help for help)"},
    {ToolMessage::kDecompileInputs,
     "decompile vuole la cartella di un pacchetto, oppure il file delle "
     "celle, quello del treno e, se c'è, quello del tracciato",
     "decompile takes a package's folder, or its cell file, its train file "
     "and, where there is one, its plan file"},
    {ToolMessage::kRoundTripFails,
     "i testi non ridanno il pacchetto: file {}, {}: atteso {}, ottenuto {}",
     "the texts do not give the package back: {} file, {}: expected {}, "
     "found {}"},
    {ToolMessage::kFixWrite, "Scrivi \"{}\"", "Write \"{}\""},
    {ToolMessage::kFixQuote, "Metti il testo tra virgolette",
     "Put the text in double quotes"},
    {ToolMessage::kFixComma, "Aggiungi la virgola dopo \"{}\"",
     "Add the comma after \"{}\""},
    {ToolMessage::kReadingStopped,
     "- il pacchetto viene da testi con un errore: la lettura del percorso "
     "si fermava qui, e la riga che segue la ferma allo stesso punto",
     "- the package comes from texts with an error: the route's reading "
     "stopped here, and the line below stops it at the same place"},
    {ToolMessage::kDoubtfulLine, "- dubbio: {} atteso {} ottenuto {}",
     "- doubtful: {} expected {} found {}"},
    {ToolMessage::kWatchRun, "== {}: controllo dei testi",
     "== {}: checking the texts"},
    {ToolMessage::kWatchWaiting,
     "== in attesa di un salvataggio (Ctrl-C per finire)",
     "== waiting for a save (Ctrl-C to end)"},
    {ToolMessage::kReportWritten, "rapporto scritto in {}",
     "report written to {}"},
    {ToolMessage::kSeveralPackages,
     "{} contiene più pacchetti: di' quale con --route-name e --train-number",
     "{} holds several packages: say which with --route-name and "
     "--train-number"},
    {ToolMessage::kTextsWritten, "testi scritti: {} {}",
     "texts written: {} {}"},
    {ToolMessage::kWouldReplace,
     "{} esiste già: scegli un altro nome o un'altra cartella (-o)",
     "{} exists already: choose another name or folder (-o)"},
    {ToolMessage::kWriterHelp,
     "uso: scenario-writer [--help] [--version]\n"
     "Scrive nella propria cartella il pacchetto dello scenario "
     "Valdorsio-Ronsale, treno 37264: tre documenti per il macchinista e i "
     "tre file binari del simulatore. Ogni altro argomento e' ignorato.\n"
     "Stato d'uscita: 0 completato, 1 valore riservato gia' occupato, 2 "
     "errore di file o di memoria.\n",
     "usage: scenario-writer [--help] [--version]\n"
     "Writes into its own folder the package of the scenario "
     "Valdorsio-Ronsale, train 37264: three documents for the driver and "
     "the simulator's three binary files. Any other argument is ignored.\n"
     "Exit status: 0 completed, 1 a reserved value already taken, 2 a file "
     "or memory failure.\n"},
    {ToolMessage::kCompiledSummary, "compilato: {}, {}, {}",
     "compiled: {}, {}, {}"},
    {ToolMessage::kCheckedSummary, "controllato: {}, {}, {}",
     "checked: {}, {}, {}"},
    {ToolMessage::kFilesWritten, "; file scritti:", "; files written:"},
    {ToolMessage::kNoFileWritten, "; nessun file scritto", "; no file written"},
    {ToolMessage::kNoFileWithoutCells,
     "; nessun file scritto: la compilazione non ha celle",
     "; no file written: the compile has no cells"},
    {ToolMessage::kNoFileReservedValue,
     "; nessun file scritto: valore riservato già occupato",
     "; no file written: a reserved value is taken"},
    {ToolMessage::kNoFileOnError,
     "; nessun file scritto: i testi hanno errori e i file di prima restano "
     "(--write-on-error li scrive come il simulatore)",
     "; no file written: the texts have errors and the files before stay "
     "(--write-on-error writes them as the simulator does)"},
    {ToolMessage::kAtProgressive, " (progressiva {})", " (progressive {})"},
    {ToolMessage::kFoundReadingOn,
     " [trovato proseguendo la lettura dopo il primo errore]",
     " [found by reading on after the first error]"},
    {ToolMessage::kFoundWithPlan,
     " [riga di curva: i file senza tracciato non ne risentono, una "
     "compilazione con il tracciato sì]",
     " [curve line: the files without a plan do not reflect it, a compile "
     "with the plan would]"},
    {ToolMessage::kFurtherErrors, "altri errori non mostrati: {}",
     "further errors not shown: {}"},
    {ToolMessage::kNotShown, "non mostrati: {} e {}", "not shown: {} and {}"},
    {ToolMessage::kMissingArgument, "manca {}", "{} is required"},
    {ToolMessage::kValueNotAllowed, "{}: {} non è tra {}",
     "{}: {} is not one of {}"},
    {ToolMessage::kUnexpectedArguments, "argomenti in più: {}",
     "unexpected arguments: {}"},
    {ToolMessage::kBadCommandLine, "riga di comando non valida: {}",
     "invalid command line: {}"},
    {ToolMessage::kSeeHelp, "aiuto: {} --help", "help: {} --help"},
};

constexpr struct {
  int number;
  const char* italian;
  const char* english;
} kErrnoTexts[] = {
    {EPERM, "Operazione non permessa", "Operation not permitted"},
    {ENOENT, "File o cartella inesistente", "No such file or directory"},
    {EIO, "Errore di ingresso/uscita", "Input/output error"},
    {EACCES, "Permesso negato", "Permission denied"},
    {EBUSY, "Dispositivo o risorsa occupata", "Device or resource busy"},
    {EEXIST, "Il file esiste", "File exists"},
    {ENOTDIR, "Non è una cartella", "Not a directory"},
    {EISDIR, "È una cartella", "Is a directory"},
    {EMFILE, "Troppi file aperti", "Too many open files"},
    {EFBIG, "File troppo grande", "File too large"},
    {ENOSPC, "Spazio esaurito sul dispositivo", "No space left on device"},
    {EROFS, "File system in sola lettura", "Read-only file system"},
    {ENAMETOOLONG, "Nome del file troppo lungo", "File name too long"},
// Windows' C library knows no disk quota: its file system reports none.
#ifdef EDQUOT
    {EDQUOT, "Quota del disco superata", "Disk quota exceeded"},
#endif
    {EPIPE, "Condotto interrotto", "Broken pipe"},
};

}  // namespace

std::string ToolText(ToolMessage message, Language language,
                     std::initializer_list<std::string> values) {
  for (const auto& m : kToolMessages) {
    if (m.id != message) continue;
    return Fill(language == Language::kItalian ? m.italian : m.english, values);
  }
  return "";
}

std::string ErrnoText(int number, Language language) {
  for (const auto& e : kErrnoTexts) {
    if (e.number == number) {
      return language == Language::kItalian ? e.italian : e.english;
    }
  }
  return std::strerror(number);
}

// Rows indexed by their word: each stands at its word's place.
template <typename Row, size_t kSize>
constexpr bool InOrder(const Row (&rows)[kSize]) {
  for (size_t i = 0; i < kSize; ++i) {
    if (static_cast<size_t>(rows[i].word) != i) return false;
  }
  return true;
}

const char* WordFor(DumpWord word, Language language) {
  static constexpr struct {
    DumpWord word;
    const char* italian;
    const char* english;
  } kRows[] = {
      {DumpWord::kCellsHeader,
       " cella  progr. m  vel km/h  pend ‰  aderenza  preavviso  montagna  "
       "oggetto\n",
       "  cell   prog. m      km/h  grad ‰  adhesion   approach  mountain  "
       "object\n"},
      {DumpWord::kRecordsHeader, "record  contenuto\n", "record  contents\n"},
      {DumpWord::kPlanHeader, " metro  x m  y m\n", " metre  x m  y m\n"},
      {DumpWord::kSecondSpeed, ", seconda velocità %d", ", second speed %d"},
      {DumpWord::kCellOne, "formato %d, codice og %d", "format %d, og code %d"},
      {DumpWord::kValues, "valori %d %d %d %d", "values %d %d %d %d"},
      {DumpWord::kSignal,
       "segnale: s1/d1 %d/%d, s2/d2 %d/%d, s3/d3 %d/%d, rapp·10+sx·3+dx %d, "
       "tempo %d",
       "signal: s1/d1 %d/%d, s2/d2 %d/%d, s3/d3 %d/%d, rapp·10+sx·3+dx %d, "
       "time %d"},
      {DumpWord::kSlowDownEnd, "fine rallentamento: %d km/h",
       "slow-down end: %d km/h"},
      {DumpWord::kSlowDownStart, "inizio rallentamento: %d km/h",
       "slow-down start: %d km/h"},
      {DumpWord::kFTt, ", f_tt %d", ", f_tt %d"},
      {DumpWord::kWarningBoard, "avviso rallentamento: %d km/h",
       "slow-down warning: %d km/h"},
      {DumpWord::kSlowDownMarker, "preavviso rallentamento n. %d",
       "slow-down approach marker no. %d"},
      {DumpWord::kSpeedBoard, "indicatore velocità: ", "speed board: "},
      {DumpWord::kStripes, " km/h, strisce %d|%d", " km/h, stripes %d|%d"},
      {DumpWord::kStopPoint, "fermata della stazione n. %d",
       "stop of station no. %d"},
      {DumpWord::kMountainMark, "montagna (passaggio)",
       "mountain (pass-through)"},
      {DumpWord::kSpeedPoint, "abbattimento: %d km/h", "abbattimento: %d km/h"},
      {DumpWord::kPlainPoint, "abbattimento senza velocità",
       "abbattimento without a speed"},
      {DumpWord::kSignboard, "cartello: testo nel record %d",
       "signboard: text in record %d"},
      {DumpWord::kOtherKind, "tipo %d: valori %d %d %d %d",
       "kind %d: values %d %d %d %d"},
      {DumpWord::kRoleTrain, "treno", "train"},
      {DumpWord::kRoleRoute, "linea", "route"},
      {DumpWord::kRoleGeneral, "generale", "general"},
      {DumpWord::kRoleReference, "riferimento chilometrico",
       "kilometric reference"},
      {DumpWord::kRoleEmpty, "vuoto", "empty"},
      {DumpWord::kRoleSignboard, "cartello", "signboard"},
      {DumpWord::kRoleStation, "stazione", "station"},
      {DumpWord::kReference,
       "riferimento chilometrico \"%s\": da %d m, km %d, flag %d",
       "kilometric reference \"%s\": from %d m, km %d, flag %d"},
      {DumpWord::kTrainValues,
       "massa frenata %d %%, lunghezza percorso %d m, vetture %d",
       "braked mass %d %%, route length %d m, coaches %d"},
      {DumpWord::kRouteValues,
       ", sfondi uno %d, due %d, tre %d, formato %d, codice st %d",
       ", backgrounds uno %d, due %d, tre %d, format %d, st code %d"},
      {DumpWord::kGeneralValues,
       ", ripetizione segnali %d..%d (%d codici), sabbia %d, orologio %s",
       ", cab signals %d..%d (%d codes), sand %d, clock %s"},
      {DumpWord::kStation,
       ": tipo %d, progressiva %d, zona %d..%d, orario %s, byte1..5 %d %d %d "
       "%d %d, intero1..5 %d %d %d %d %d",
       ": type %d, progressive %d, zone %d..%d, time %s, byte1..5 %d %d %d %d "
       "%d, intero1..5 %d %d %d %d %d"},
      {DumpWord::kEmptyValue, "vuoto", "empty"},
      {DumpWord::kIntegerValue, "%d (intero)", "%d (integer)"},
  };
  static_assert(InOrder(kRows), "the rows follow the enum");
  const auto& row = kRows[static_cast<size_t>(word)];
  return language == Language::kItalian ? row.italian : row.english;
}

const char* WordFor(PlotWord word, Language language) {
  static constexpr struct {
    PlotWord word;
    const char* italian;
    const char* english;
  } kRows[] = {
      {PlotWord::kPlan, "Tracciato, nord in alto", "Track plan, north up"},
      {PlotWord::kNoPlan, "nessun tracciato", "no track plan"},
      {PlotWord::kOutOfScale, "tracciato fuori scala",
       "track plan beyond any scale"},
      {PlotWord::kGradient, "Pendenza (‰)", "Gradient (‰)"},
      {PlotWord::kLineSpeed, "Velocità di linea (km/h)", "Line speed (km/h)"},
      {PlotWord::kAdhesion, "Aderenza", "Adhesion"},
      {PlotWord::kProgressive, "progressiva (km)", "progressive (km)"},
      {PlotWord::kLaneSignals, "segnali", "signals"},
      {PlotWord::kLaneSlowDowns, "rallentamenti", "slow-downs"},
      {PlotWord::kLaneSpeedBoards, "indicatori velocità", "speed boards"},
      {PlotWord::kLaneSignboards, "cartelli", "signboards"},
      {PlotWord::kTrain, "treno", "train"},
      {PlotWord::kHeight, "Altezza sul punto di partenza (m)",
       "Height above the start (m)"},
      {PlotWord::kSpeedMet, "velocità incontrata", "speed met"},
      {PlotWord::kTrack, "curve e montagne", "curves and mountains"},
      {PlotWord::kCurveRight, "curva a destra, classe %d",
       "curve to the right, class %d"},
      {PlotWord::kCurveLeft, "curva a sinistra, classe %d",
       "curve to the left, class %d"},
      {PlotWord::kMountain, "montagna, tipo %d", "mountain, kind %d"},
      {PlotWord::kRouteEnd, "fine del percorso", "end of the route"},
      {PlotWord::kExtension, "prolungamento oltre la fine",
       "extension past the end"},
      {PlotWord::kStation, "stazione %d %s: tipo %s, zona %d..%d m, orario %s",
       "station %d %s: type %s, zone %d..%d m, time %s"},
      {PlotWord::kSlowDown, "rallentamento a %d km/h", "slow-down at %d km/h"},
      {PlotWord::kReportTitle, "rapporto", "report"},
      {PlotWord::kStations, "Stazioni", "Stations"},
      {PlotWord::kSignals, "Segnali", "Signals"},
      {PlotWord::kSlowDowns, "Rallentamenti", "Slow-downs"},
      {PlotWord::kSpeedBoards, "Indicatori di velocità", "Speed boards"},
      {PlotWord::kSignboards, "Cartelli", "Signboards"},
      {PlotWord::kDiagnostics, "Diagnostica", "Diagnostics"},
      {PlotWord::kNoDiagnostics, "nessuna diagnostica", "no diagnostics"},
      {PlotWord::kSources, "Testi sorgente", "Source texts"},
      {PlotWord::kColumns, "n.|progressiva (m)|tipo|zona (m)|orario|nome",
       "no.|progressive (m)|type|zone (m)|time|name"},
      {PlotWord::kCursor,
       "cella|progressiva|pendenza|altezza|velocità di linea|velocità "
       "incontrata|aderenza",
       "cell|progressive|gradient|height|line speed|speed met|adhesion"},
      {PlotWord::kHint,
       "rotella: ingrandisci; trascina: sposta; doppio clic: tutto",
       "wheel: zoom; drag: pan; double click: all"},
      {PlotWord::kObjectColumns, "cella|progressiva (m)|valori",
       "cell|progressive (m)|values"},
      {PlotWord::kSlowDownColumns, "inizio (m)|fine (m)|valori",
       "start (m)|end (m)|values"},
      {PlotWord::kStops, "fermata", "stop"},
      {PlotWord::kPasses, "transito", "passing"},
      {PlotWord::kReferences, "Riferimenti chilometrici",
       "Kilometric references"},
      {PlotWord::kReferenceColumns,
       "record|letto dalla riga|inizio (m)|km (m)|flag",
       "record|read from the line|start (m)|km (m)|flag"},
      {PlotWord::kReferenceOrder,
       "La compilazione mette i riferimenti in ordine: nel record 81 quello "
       "che inizia più avanti, poi gli altri due per inizio decrescente; se "
       "gli inizi sommano a 0 (tutti a 0), va nel record 81 quello con un km "
       "positivo (uno vince su due, due su tre) e quello che vi stava prende "
       "il suo posto. Se due condividono l'inizio maggiore, o se nessuno ha "
       "un km positivo quando gli inizi sommano a 0, i tre record restano "
       "vuoti. Un flag 1 aggiunge 100 m al km.",
       "The compile puts the references in order: record 81 gets the one "
       "that starts furthest along, the other two follow by falling start; "
       "when the starts add up to 0 (all at 0), record 81 gets the one with a "
       "positive km (uno wins over due, due over tre) and the one it held "
       "takes its place. When two share the greatest start, or none has a "
       "positive km when the starts add up to 0, the three records are left "
       "empty. A flag of 1 adds 100 m to the km."},
      {PlotWord::kFlagAdds, "%d (%d + 100 per il flag)",
       "%d (%d + 100 for the flag)"},
      {PlotWord::kSignalObject, "segnale", "signal"},
      {PlotWord::kSpeedBoardObject, "indicatore di velocità massima",
       "speed board"},
      {PlotWord::kSignboardObject, "cartello", "signboard"},
      {PlotWord::kWarningBoardObject, "rallentamento, cartello di avviso",
       "slow-down, warning board"},
      {PlotWord::kSlowDownStartObject, "rallentamento, inizio",
       "slow-down, start"},
      {PlotWord::kSlowDownEndObject, "rallentamento, fine", "slow-down, end"},
      {PlotWord::kApproachMarkerObject,
       "rallentamento, pannello distanziometrico n. %d",
       "slow-down, approach marker no. %d"},
      {PlotWord::kStopPointObject, "punto di fermata della stazione n. %d",
       "stop point of station no. %d"},
      {PlotWord::kPointObject, "abbattimento", "abbattimento point"},
      {PlotWord::kWithoutSpeed, "senza velocità", "without a speed"},
      {PlotWord::kTimetable, "Orario grafico", "Graph timetable"},
      {PlotWord::kScheduled, "orario", "timetable"},
      {PlotWord::kLeast, "tempo minimo alle velocità ammesse",
       "least time at the speeds allowed"},
      {PlotWord::kNotKept, "non rispettabile", "cannot be kept"},
  };
  static_assert(InOrder(kRows), "the rows follow the enum");
  const auto& row = kRows[static_cast<size_t>(word)];
  return language == Language::kItalian ? row.italian : row.english;
}

std::vector<CodeSummary> CodeSummaries(Language language) {
  std::vector<CodeSummary> summaries;
  for (const Message& m : kMessages) {
    std::string meaning = Pick(m, language);
    // A message that is all particulars says it in general words.
    if (m.code == kOutOfRange) {
      meaning = language == Language::kItalian
                    ? "valore fuori dall'intervallo del suo campo, tenuto"
                    : "a value outside its field's range, kept";
    }
    // A particular that stands alone reads "..."; one that only adds to a
    // word ("50{}": ", at 1025") is left out.
    for (size_t at; (at = meaning.find("{}")) != std::string::npos;) {
      const bool adds =
          at > 0 && std::isalnum(static_cast<unsigned char>(meaning[at - 1]));
      meaning.replace(at, 2, adds ? "" : "...");
    }
    // Warnings are numbered from 201, notes from 301.
    const auto severity =
        m.code >= 300 && m.code < 400   ? Diagnostic::Severity::kNote
        : m.code >= 200 && m.code < 300 ? Diagnostic::Severity::kWarning
                                        : Diagnostic::Severity::kError;
    summaries.push_back({m.code, severity, meaning});
  }
  std::sort(summaries.begin(), summaries.end(),
            [](const CodeSummary& a, const CodeSummary& b) {
              return a.code < b.code;
            });
  return summaries;
}

std::string SeverityCount(size_t count, Diagnostic::Severity severity,
                          Language language) {
  const bool it = language == Language::kItalian;
  const bool one = count == 1;
  const char* word = "";
  switch (severity) {
    case Diagnostic::Severity::kError:
      word = one ? (it ? "errore" : "error") : (it ? "errori" : "errors");
      break;
    case Diagnostic::Severity::kWarning:
      word = one ? (it ? "avviso" : "warning") : (it ? "avvisi" : "warnings");
      break;
    case Diagnostic::Severity::kNote:
      word = one ? (it ? "nota" : "note") : (it ? "note" : "notes");
      break;
  }
  return std::to_string(count) + " " + word;
}

std::string SeverityWord(Diagnostic::Severity severity, Language language) {
  const bool it = language == Language::kItalian;
  switch (severity) {
    case Diagnostic::Severity::kError:
      return it ? "errore" : "error";
    case Diagnostic::Severity::kWarning:
      return it ? "avviso" : "warning";
    case Diagnostic::Severity::kNote:
      return it ? "nota" : "note";
  }
  return "";
}

}  // namespace scenario
