#ifndef COMPILER_SOURCE_LINES_H_
#define COMPILER_SOURCE_LINES_H_

#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/scenario.h"

namespace scenario {

// Every kind of line the route and train texts hold, with its fields: the
// one description the parsers read by, and that messages, the format
// reference, hover text and completion take their words from.

// The width of the model field a value ends up in.
enum class Width : uint8_t { kByte, kInteger, kLong, kText };

// What the reading does with a value outside a field's range.
enum class RangeRule : uint8_t {
  kChecked,        // a reading fault as soon as the value is read
  kCheckedByLine,  // refused by the line's own rule: a code, or a fault
                   // when the value is stored in a cell
  kLowBits,        // kept: the model field holds the value's low bits
  kPacked,         // kept: packed with others into one cell value, where
                   // a value outside the range runs into its neighbours
  kAny,            // kept: any 32-bit number is read; outside the range
                   // the simulator meets a value it does not expect
};

struct SourceField {
  std::string_view italian;  // short name, as messages and hover show it
  std::string_view english;
  std::string_view unit;  // "m", "km/h", "‰", "h", "min", "s"; "" for none
  int64_t min;            // the range the field allows; for a text, its
  int64_t max;            // length in characters
  Width width;
  RangeRule rule;
  std::string_view about = {};          // what the value means, in English
  std::string_view about_italian = {};  // and in Italian
};

enum class Phase : uint8_t { kRouteGeneral, kRouteBody, kTrain };

enum class LineKind : uint8_t {
  // Route text, general phase.
  kRouteLength,
  kReferenceThree,
  kReferenceTwo,
  kReferenceOne,
  kBackgroundOne,
  kBackgroundTwo,
  kBackgroundThree,
  kCabSignals,
  // Route text, body.
  kGradient,
  kCurve,
  kMountain,
  kSpeedBoard,
  kSignboard,
  // Train text.
  kBrakedMass,
  kCoaches,
  kSpeed,
  kAdhesion,
  kClock,
  kSand,
  kSignal,
  kSlowDown,
  kPoint,
  kStation,
};

struct SourceLine {
  LineKind kind;
  Phase phase;
  // The section header under which the texts hold the line; the reading
  // itself takes a line wherever it stands in its phase.
  std::string_view section;
  // A key item names the line when it contains both words ("" matches
  // anything), in any case unless `exact_case`.
  std::array<std::string_view, 2> words;
  bool exact_case;
  // How authors write the key item, the usual spelling first.
  std::span<const std::string_view> spellings;
  std::string_view italian;  // what the line does
  std::string_view english;
  std::span<const SourceField> fields;
};

namespace source_fields {

inline constexpr int64_t kLongMin = std::numeric_limits<int32_t>::min();
inline constexpr int64_t kLongMax = std::numeric_limits<int32_t>::max();
inline constexpr int64_t kIntegerMin = std::numeric_limits<int16_t>::min();
inline constexpr int64_t kIntegerMax = std::numeric_limits<int16_t>::max();
inline constexpr int64_t kByteMax = std::numeric_limits<uint8_t>::max();
// A text's length is stored as an Integer.
inline constexpr int64_t kTextMax = kIntegerMax;

// A progressive: metres from the route's start.
inline constexpr SourceField kProgressive{
    "progressiva", "progressive",  "m", kLongMin, kLongMax,
    Width::kLong,  RangeRule::kAny};
inline constexpr SourceField Metres(std::string_view italian,
                                    std::string_view english) {
  return {italian,      english,        "m", kLongMin, kLongMax,
          Width::kLong, RangeRule::kAny};
}
inline constexpr SourceField Value(std::string_view italian,
                                   std::string_view english,
                                   std::string_view unit = "") {
  return {italian,  english,      unit,           kLongMin,
          kLongMax, Width::kLong, RangeRule::kAny};
}
// Minutes or seconds of a timetable time: 0 to 59 meant, any number kept
// as it goes into the time.
inline constexpr SourceField Sexagesimal(std::string_view italian,
                                         std::string_view english,
                                         std::string_view unit) {
  return {italian, english, unit, 0, 59, Width::kLong, RangeRule::kAny};
}
// A value the model keeps in a narrower field, as its low bits.
inline constexpr SourceField LowBits(std::string_view italian,
                                     std::string_view english, int64_t min,
                                     int64_t max, Width width,
                                     std::string_view unit = "") {
  return {italian, english, unit, min, max, width, RangeRule::kLowBits};
}
// A value packed with others into one cell value.
inline constexpr SourceField Packed(std::string_view italian,
                                    std::string_view english, int64_t max,
                                    std::string_view unit = "") {
  return {italian, english, unit, 0, max, Width::kInteger, RangeRule::kPacked};
}
inline constexpr SourceField Checked(std::string_view italian,
                                     std::string_view english, Width width,
                                     std::string_view unit = "") {
  return {italian,
          english,
          unit,
          width == Width::kByte ? 0 : kIntegerMin,
          width == Width::kByte ? kByteMax : kIntegerMax,
          width,
          RangeRule::kChecked};
}
inline constexpr SourceField Text(std::string_view italian,
                                  std::string_view english) {
  return {italian, english, "", 0, kTextMax, Width::kText, RangeRule::kChecked};
}
// A field with what it means.
inline constexpr SourceField About(SourceField field, std::string_view english,
                                   std::string_view italian) {
  field.about = english;
  field.about_italian = italian;
  return field;
}
inline constexpr SourceField ProgressiveOf(std::string_view english,
                                           std::string_view italian) {
  return About(kProgressive, english, italian);
}

inline constexpr SourceField kRouteLength[] = {
    {"lunghezza", "length", "m", 0, 1000000, Width::kLong,
     RangeRule::kCheckedByLine,
     "the route's length; the cells and the plan reach 7000 m beyond it",
     "la lunghezza del percorso; le celle e il tracciato vanno 7000 m oltre"}};
inline constexpr SourceField kReference[] = {
    About(Metres("inizio", "start"),
          "the progressive from which the reference applies; a multiple of 50",
          "la progressiva da cui vale il riferimento; multiplo di 50"),
    About(Metres("km", "kilometre value"),
          "the kilometre shown there, in metres; a multiple of 50",
          "il chilometro indicato lì, in metri; multiplo di 50"),
    {"flag", "flag", "", 0, 1, Width::kLong, RangeRule::kAny,
     "1 adds 100 m to the kilometres shown from there on",
     "1 aggiunge 100 m ai chilometri indicati da lì in poi"}};
inline constexpr SourceField kBackground[] = {
    About(Value("sfondo", "background"),
          "the scenery the simulator shows, by its number (the embedded route "
          "has 1, 0 and 0)",
          "lo sfondo che il simulatore mostra, per numero (il percorso "
          "incorporato ha 1, 0 e 0)")};
inline constexpr SourceField kCabSignals[] = {
    About(Metres("inizio", "start"),
          "where cab signal repetition begins; a multiple of 50",
          "dove comincia la ripetizione segnali in macchina; multiplo di 50"),
    About(Metres("fine", "end"), "where it ends; a multiple of 50; 0 for none",
          "dove finisce; multiplo di 50; 0 se non c'è")};

inline constexpr SourceField kGradient[] = {
    ProgressiveOf(
        "where the gradient begins; it holds to the next line's",
        "dove comincia la pendenza; vale fino a quella della riga dopo"),
    {"pendenza", "gradient", "‰", -100, 155, Width::kByte,
     RangeRule::kCheckedByLine, "rising when positive",
     "in salita se positiva"}};
inline constexpr SourceField kCurve[] = {
    ProgressiveOf("where the curve begins", "dove comincia la curva"),
    About(Metres("lunghezza", "length"), "the curve's length along the track",
          "la lunghezza della curva lungo il binario")};
inline constexpr SourceField kMountain[] = {
    About(Metres("inizio", "start"), "where the stretch begins",
          "dove comincia il tratto"),
    About(Metres("fine", "end"), "where it ends", "dove finisce"),
    About(LowBits("tipo", "kind", 0, kByteMax, Width::kByte),
          "the scenery of the stretch; above 10, the kind less 10 with a "
          "pass-through mark every fourth free cell; a stretch 150 m or less "
          "after the previous one is of kind 3",
          "lo scenario del tratto; oltre 10, il tipo meno 10 con un segno di "
          "passaggio ogni quarta cella libera; un tratto a 150 m o meno dal "
          "precedente è di tipo 3")};
inline constexpr SourceField kSpeedBoard[] = {
    ProgressiveOf("where the board stands", "dove sta l'indicatore"),
    About(Packed("vas", "left speed a", 1635, "km/h"),
          "the first speed of the board's left column",
          "la prima velocità della colonna sinistra"),
    About(Packed("vbs", "left speed b", 1635, "km/h"), "the second",
          "la seconda"),
    About(Packed("vcs", "left speed c", 1635, "km/h"), "the third", "la terza"),
    About(Packed("strisces", "left stripes", 9),
          "the stripes under the left column",
          "le strisce sotto la colonna sinistra"),
    About(Packed("vad", "right speed a", 95, "km/h"),
          "the first speed of the right column; empty reads as 0",
          "la prima velocità della colonna destra; vuota vale 0"),
    About(Packed("vbd", "right speed b", 95, "km/h"), "the second",
          "la seconda"),
    About(Packed("vcd", "right speed c", 95, "km/h"), "the third", "la terza"),
    About(Packed("strisced", "right stripes", 9),
          "the stripes under the right column",
          "le strisce sotto la colonna destra")};
inline constexpr SourceField kSignboard[] = {
    ProgressiveOf("where the signboard stands", "dove sta il cartello"),
    About(Text("testo", "text"),
          "what it says, in parenthesised groups such as (P.L.Km)(60+900); "
          "no comma unless quoted",
          "ciò che dice, in gruppi tra parentesi come (P.L.Km)(60+900); "
          "nessuna virgola se non tra virgolette")};

inline constexpr SourceField kBrakedMass[] = {
    {"massa frenata", "braked mass", "%", 0, kByteMax, Width::kLong,
     RangeRule::kAny, "the train's braked-mass percentage",
     "la percentuale di massa frenata del treno"}};
inline constexpr SourceField kCoaches[] = {
    {"vetture", "coaches", "", 0, kByteMax, Width::kLong, RangeRule::kAny,
     "the number of coaches", "il numero di vetture"}};
inline constexpr SourceField kSpeed[] = {
    ProgressiveOf("where the line speed begins; it holds to the next line's",
                  "dove comincia la velocità di linea; vale fino a quella "
                  "della riga dopo"),
    {"velocità", "speed", "km/h", 0, 1277, Width::kByte,
     RangeRule::kCheckedByLine, "the line speed, stored in steps of 5 km/h",
     "la velocità di linea, tenuta a passi di 5 km/h"}};
inline constexpr SourceField kAdhesion[] = {
    ProgressiveOf(
        "where the adhesion begins; it holds to the next line's",
        "dove comincia l'aderenza; vale fino a quella della riga dopo"),
    About(LowBits("aderenza", "adhesion", 0, kByteMax, Width::kByte),
          "the rail's adhesion (the embedded train has 85 to 95)",
          "l'aderenza della rotaia (il treno incorporato ha da 85 a 95)")};
inline constexpr SourceField kClock[] = {
    About(Checked("ore", "hours", Width::kInteger, "h"),
          "the clock when the run starts: hours",
          "l'orologio alla partenza: ore"),
    About(Checked("minuti", "minutes", Width::kInteger, "min"), "minutes",
          "minuti"),
    About(Checked("secondi", "seconds", Width::kInteger, "s"), "seconds",
          "secondi")};
inline constexpr SourceField kSand[] = {
    About(Checked("sabbia", "sand", Width::kInteger),
          "the sand the train carries (the embedded train has 100)",
          "la sabbia che il treno porta (il treno incorporato ha 100)")};
inline constexpr SourceField kSignal[] = {
    ProgressiveOf(
        "where the signal stands; its approach markers go 100, "
        "200, 300 and 400 m before it",
        "dove sta il segnale; i suoi avvisi vanno 100, 200, 300 e 400 m prima"),
    About(Packed("sx", "sx", 9),
          "left value: 1 or 2 in the embedded train; 2 keeps the time; the "
          "cell holds rapp x 10 + sx x 3 + dx",
          "valore sinistro: 1 o 2 nel treno incorporato; 2 tiene il tempo; la "
          "cella tiene rapp x 10 + sx x 3 + dx"),
    About(Packed("s1", "s1", 9),
          "first left value (2 to 5); the cell holds s1 x 10 + d1",
          "primo valore sinistro (da 2 a 5); la cella tiene s1 x 10 + d1"),
    About(Packed("s2", "s2", 9),
          "second left value (0, 1, 3 or 4); the cell holds s2 x 10 + d2",
          "secondo valore sinistro (0, 1, 3 o 4); la cella tiene s2 x 10 + d2"),
    About(Packed("s3", "s3", 9),
          "third left value (0 or 1); the cell holds s3 x 10 + d3",
          "terzo valore sinistro (0 o 1); la cella tiene s3 x 10 + d3"),
    About(Packed("rapp", "rapp", 9), "packed with sx and dx (0)",
          "unito a sx e dx (0)"),
    About(Packed("dx", "dx", 9), "right value, packed with sx (0)",
          "valore destro, unito a sx (0)"),
    About(Packed("d1", "d1", 9), "first right value (0)",
          "primo valore destro (0)"),
    About(Packed("d2", "d2", 9), "second right value (0)",
          "secondo valore destro (0)"),
    About(Packed("d3", "d3", 9), "third right value (0)",
          "terzo valore destro (0)"),
    About(LowBits("tempo", "time", 0, kByteMax, Width::kByte, "s"),
          "kept only when sx is 2; 1 to 100 become 101",
          "tenuto solo quando sx è 2; da 1 a 100 diventa 101")};
inline constexpr SourceField kSlowDown[] = {
    ProgressiveOf("where the slow-down begins; its warning board stands "
                  "1200 m before (above 1500 m only)",
                  "dove comincia il rallentamento; il suo cartello di avviso "
                  "sta 1200 m prima (solo oltre 1500 m)"),
    About(LowBits("velocità", "speed", 0, kIntegerMax, Width::kInteger, "km/h"),
          "the speed along it", "la velocità lungo il rallentamento"),
    About(Metres("lunghezza", "length"), "its length", "la sua lunghezza"),
    About(LowBits("f_tt", "f_tt", kIntegerMin, kIntegerMax, Width::kInteger),
          "a value the start and end cells carry as they are",
          "un valore che le celle di inizio e fine portano così com'è"),
    About(Value("f_ta", "approach markers flag"),
          "not 0: four approach markers before the warning board",
          "non 0: quattro pannelli distanziometrici prima del cartello di "
          "avviso"),
    About(
        LowBits("d_v", "second speed", 0, kIntegerMax, Width::kInteger, "km/h"),
        "a second speed for the marks; 0 for none",
        "una seconda velocità per i segnali; 0 se non c'è")};
inline constexpr SourceField kPoint[] = {
    ProgressiveOf("where the point stands", "dove sta il punto"),
    About(LowBits("velocità", "speed", kIntegerMin, kIntegerMax,
                  Width::kInteger, "km/h"),
          "the speed it sets; 0 or less: a point without a speed",
          "la velocità che impone; 0 o meno: un punto senza velocità")};
inline constexpr SourceField kStation[] = {
    ProgressiveOf("where the station stands; a multiple of 50",
                  "dove sta la stazione; multiplo di 50"),
    About(Checked("tipo", "type", Width::kByte),
          "how its zone lies and whether the train stops (see Station types)",
          "come sta la sua zona e se il treno ferma (vedi i tipi di stazione)"),
    About(Metres("lunghezza zona", "zone length"),
          "the length of its stop zone; a multiple of 100",
          "la lunghezza della zona di fermata; multiplo di 100"),
    About(Checked("byte1", "byte1", Width::kByte),
          "passed to the simulator as it is (the embedded train has 0 or 1)",
          "passato al simulatore così com'è (il treno incorporato ha 0 o 1)"),
    About(Checked("byte5", "byte5", Width::kByte),
          "passed as it is; 0 for a zone under 600 m and for the first "
          "station",
          "passato così com'è; 0 per una zona sotto i 600 m e per la prima "
          "stazione"),
    About(Checked("fine zona +50", "zone end +50", Width::kByte),
          "not 0: a centred zone ends 50 m further; 0 for types 5 to 8 and "
          "for the first station",
          "non 0: una zona centrata finisce 50 m più in là; 0 per i tipi da 5 "
          "a 8 e per la prima stazione"),
    About(Checked("intero1", "intero1", Width::kInteger),
          "passed as it is (the embedded train has 0, 1 or 4)",
          "passato così com'è (il treno incorporato ha 0, 1 o 4)"),
    About(Checked("intero2", "intero2", Width::kInteger),
          "passed as it is (0 or 1)", "passato così com'è (0 o 1)"),
    About(Checked("byte2", "byte2", Width::kByte), "passed as it is (0)",
          "passato così com'è (0)"),
    About(Checked("intero3", "intero3", Width::kInteger),
          "passed as it is (0, 2 or 4)", "passato così com'è (0, 2 o 4)"),
    About(Checked("intero4", "intero4", Width::kInteger),
          "passed as it is (0 or 1)", "passato così com'è (0 o 1)"),
    About(Checked("intero5", "intero5", Width::kInteger),
          "passed as it is (0 or 1)", "passato così com'è (0 o 1)"),
    About(Checked("byte3", "byte3", Width::kByte), "passed as it is (0 to 99)",
          "passato così com'è (da 0 a 99)"),
    About(Value("ore", "hours", "h"),
          "the timetable time: hours (0 0 0 at the first station)",
          "l'orario: ore (0 0 0 alla prima stazione)"),
    About(Sexagesimal("minuti", "minutes", "min"), "minutes", "minuti"),
    About(Sexagesimal("secondi", "seconds", "s"), "seconds", "secondi"),
    About(Text("nome", "name"), "the station's name",
          "il nome della stazione")};

}  // namespace source_fields

// The section headers of the texts, in the order the texts hold them.
namespace source_sections {
inline constexpr std::string_view kGeneral = "[generale]";
inline constexpr std::string_view kCurves = "[curve]";
inline constexpr std::string_view kGradients = "[pendenze]";
inline constexpr std::string_view kMountains = "[montagne]";
inline constexpr std::string_view kSpeedBoards = "[cartelli]";
inline constexpr std::string_view kSignboards = "[indicazioni]";
inline constexpr std::string_view kAdhesions = "[aderenze]";
inline constexpr std::string_view kSpeeds = "[vel_limite]";
inline constexpr std::string_view kStations = "[stazioni]";
inline constexpr std::string_view kSlowDowns = "[rallentamenti]";
inline constexpr std::string_view kSignals = "[segnali]";
inline constexpr std::string_view kCodes = "[codici]";
// The last line of every text: the reading never examines a text's last
// item, so the texts end with this field-less line.
inline constexpr std::string_view kEnd = "[fine]";
}  // namespace source_sections

namespace source_spellings {
inline constexpr std::string_view kRouteLength[] = {"lunghezza percorso"};
inline constexpr std::string_view kReferenceThree[] = {
    "progressiva chilometrica tre"};
inline constexpr std::string_view kReferenceTwo[] = {
    "progressiva chilometrica due"};
inline constexpr std::string_view kReferenceOne[] = {
    "progressiva chilometrica uno"};
inline constexpr std::string_view kBackgroundOne[] = {"sfondo uno"};
inline constexpr std::string_view kBackgroundTwo[] = {"sfondo due"};
inline constexpr std::string_view kBackgroundThree[] = {"sfondo tre"};
inline constexpr std::string_view kCabSignals[] = {
    "ripetizione segnali 4 codici", "ripetizione segnali 9 codici"};
inline constexpr std::string_view kGradient[] = {"pendenza"};
inline constexpr std::string_view kCurve[] = {"curvad", "curvas"};
inline constexpr std::string_view kMountain[] = {"montagna"};
inline constexpr std::string_view kSpeedBoard[] = {"indicatori_vmax"};
inline constexpr std::string_view kSignboard[] = {"cartello_indicatore"};
inline constexpr std::string_view kBrakedMass[] = {"percentuale massa frenata"};
inline constexpr std::string_view kCoaches[] = {"numero vetture"};
inline constexpr std::string_view kSpeed[] = {"velocita"};
inline constexpr std::string_view kAdhesion[] = {"aderenza"};
inline constexpr std::string_view kClock[] = {"orologio"};
inline constexpr std::string_view kSand[] = {"sabbia"};
inline constexpr std::string_view kSignal[] = {"segnale"};
inline constexpr std::string_view kSlowDown[] = {"rallentamento"};
inline constexpr std::string_view kPoint[] = {"abbattimento"};
inline constexpr std::string_view kStation[] = {"stazione"};
}  // namespace source_spellings

// In the order the reading tests them within each phase: a key item that
// names several lines runs each of them, in this order.
inline constexpr SourceLine kSourceLines[] = {
    {LineKind::kRouteLength,
     Phase::kRouteGeneral,
     source_sections::kGeneral,
     {"percorso", "lunghezza"},
     false,
     source_spellings::kRouteLength,
     "la lunghezza del percorso: crea le celle e il tracciato",
     "the route's length: creates the cells and the track plan",
     source_fields::kRouteLength},
    {LineKind::kReferenceThree,
     Phase::kRouteGeneral,
     source_sections::kGeneral,
     {"tre", "progressiva"},
     true,
     source_spellings::kReferenceThree,
     "il riferimento chilometrico \"tre\"",
     "kilometric reference \"tre\"",
     source_fields::kReference},
    {LineKind::kReferenceTwo,
     Phase::kRouteGeneral,
     source_sections::kGeneral,
     {"due", "progressiva"},
     true,
     source_spellings::kReferenceTwo,
     "il riferimento chilometrico \"due\"",
     "kilometric reference \"due\"",
     source_fields::kReference},
    {LineKind::kReferenceOne,
     Phase::kRouteGeneral,
     source_sections::kGeneral,
     {"uno", "progressiva"},
     true,
     source_spellings::kReferenceOne,
     "il riferimento chilometrico \"uno\"",
     "kilometric reference \"uno\"",
     source_fields::kReference},
    {LineKind::kBackgroundOne,
     Phase::kRouteGeneral,
     source_sections::kGeneral,
     {"sfondo", "uno"},
     true,
     source_spellings::kBackgroundOne,
     "lo sfondo \"uno\"",
     "background \"uno\"",
     source_fields::kBackground},
    {LineKind::kBackgroundTwo,
     Phase::kRouteGeneral,
     source_sections::kGeneral,
     {"sfondo", "due"},
     true,
     source_spellings::kBackgroundTwo,
     "lo sfondo \"due\"",
     "background \"due\"",
     source_fields::kBackground},
    {LineKind::kBackgroundThree,
     Phase::kRouteGeneral,
     source_sections::kGeneral,
     {"sfondo", "tre"},
     true,
     source_spellings::kBackgroundThree,
     "lo sfondo \"tre\"",
     "background \"tre\"",
     source_fields::kBackground},
    {LineKind::kCabSignals,
     Phase::kRouteGeneral,
     source_sections::kGeneral,
     {"segnali", "ripetizione"},
     true,
     source_spellings::kCabSignals,
     "il tratto con ripetizione segnali in cabina, a 4 o 9 codici",
     "the stretch with cab signal repetition, of 4 or 9 codes",
     source_fields::kCabSignals},

    {LineKind::kGradient,
     Phase::kRouteBody,
     source_sections::kGradients,
     {"pendenza", ""},
     false,
     source_spellings::kGradient,
     "la pendenza dalla cella della progressiva in poi",
     "the gradient from the progressive's cell on",
     source_fields::kGradient},
    {LineKind::kCurve,
     Phase::kRouteBody,
     source_sections::kCurves,
     {"curva", ""},
     false,
     source_spellings::kCurve,
     "una curva a destra (d) o a sinistra (s) di classe da 1 a 6",
     "a curve to the right (d) or left (s) of class 1 to 6",
     source_fields::kCurve},
    {LineKind::kMountain,
     Phase::kRouteBody,
     source_sections::kMountains,
     {"montagna", ""},
     false,
     source_spellings::kMountain,
     "un tratto di montagna",
     "a mountain stretch",
     source_fields::kMountain},
    {LineKind::kSpeedBoard,
     Phase::kRouteBody,
     source_sections::kSpeedBoards,
     {"indicatori_v", ""},
     false,
     source_spellings::kSpeedBoard,
     "un indicatore di velocità massima",
     "a maximum-speed board",
     source_fields::kSpeedBoard},
    {LineKind::kSignboard,
     Phase::kRouteBody,
     source_sections::kSignboards,
     {"indicat", "cartello"},
     false,
     source_spellings::kSignboard,
     "un cartello con il suo testo",
     "a signboard with its text",
     source_fields::kSignboard},

    {LineKind::kBrakedMass,
     Phase::kTrain,
     source_sections::kGeneral,
     {"frenata", "massa"},
     false,
     source_spellings::kBrakedMass,
     "la percentuale di massa frenata",
     "the braked-mass percentage",
     source_fields::kBrakedMass},
    {LineKind::kCoaches,
     Phase::kTrain,
     source_sections::kGeneral,
     {"vetture", ""},
     false,
     source_spellings::kCoaches,
     "il numero di vetture",
     "the number of coaches",
     source_fields::kCoaches},
    {LineKind::kSpeed,
     Phase::kTrain,
     source_sections::kSpeeds,
     {"velocit", ""},
     false,
     source_spellings::kSpeed,
     "la velocità di linea dalla cella della progressiva in poi",
     "the line speed from the progressive's cell on",
     source_fields::kSpeed},
    {LineKind::kAdhesion,
     Phase::kTrain,
     source_sections::kAdhesions,
     {"aderenza", ""},
     false,
     source_spellings::kAdhesion,
     "l'aderenza dalla cella della progressiva in poi",
     "the adhesion from the progressive's cell on",
     source_fields::kAdhesion},
    {LineKind::kClock,
     Phase::kTrain,
     source_sections::kGeneral,
     {"orologio", ""},
     false,
     source_spellings::kClock,
     "l'ora di partenza",
     "the start time",
     source_fields::kClock},
    {LineKind::kSand,
     Phase::kTrain,
     source_sections::kGeneral,
     {"sabbia", ""},
     false,
     source_spellings::kSand,
     "la sabbia",
     "the sand",
     source_fields::kSand},
    {LineKind::kSignal,
     Phase::kTrain,
     source_sections::kSignals,
     {"segnale", ""},
     false,
     source_spellings::kSignal,
     "un segnale con i suoi preavvisi",
     "a signal with its approach markers",
     source_fields::kSignal},
    {LineKind::kSlowDown,
     Phase::kTrain,
     source_sections::kSlowDowns,
     {"rallentamento", ""},
     false,
     source_spellings::kSlowDown,
     "un rallentamento con avviso, inizio e fine",
     "a slow-down with its warning board, start and end",
     source_fields::kSlowDown},
    {LineKind::kPoint,
     Phase::kTrain,
     source_sections::kSignals,
     {"abbattimento", ""},
     false,
     source_spellings::kPoint,
     "un punto di abbattimento",
     "an \"abbattimento\" point",
     source_fields::kPoint},
    {LineKind::kStation,
     Phase::kTrain,
     source_sections::kStations,
     {"stazione", ""},
     false,
     source_spellings::kStation,
     "una stazione con la sua zona, la fermata e l'orario",
     "a station with its zone, stop and time",
     source_fields::kStation},
};

// The lines of one phase, in the order tested.
std::span<const SourceLine> LinesOf(Phase phase);
// The description of one kind of line.
const SourceLine& LineOf(LineKind kind);

// The record each kilometric reference line is read into before the
// compile orders the three: "tre" into 81, "due" into 82, "uno" into 83.
inline int ReferenceSlotOf(LineKind kind) {
  return kReferenceThreeSlot +
         (static_cast<int>(kind) - static_cast<int>(LineKind::kReferenceThree));
}
inline LineKind ReferenceLineOf(int slot) {
  return static_cast<LineKind>(static_cast<int>(LineKind::kReferenceThree) +
                               (slot - kReferenceThreeSlot));
}
static_assert(static_cast<int>(LineKind::kReferenceOne) -
                      static_cast<int>(LineKind::kReferenceThree) ==
                  kReferenceOneSlot - kReferenceThreeSlot,
              "the reference lines follow their records");

// The place of a field of the table, and the field at a place.
FieldRef RefOf(const SourceField& field);
const SourceField* FieldAt(FieldRef ref);

// A key item holding "-" makes its line a comment, which the reading
// passes over.
inline bool IsComment(std::string_view key) {
  return key.find('-') != std::string_view::npos;
}

// A line as the texts hold it: the key item (the line's usual spelling,
// unless `key` gives another, as a curve's class or a cab signal's code
// count), then each field in the table's order, `text` last for a line
// whose last field is a text. Quoted when the text holds a comma or a
// quote, so that the reading keeps it whole.
std::string LineText(LineKind kind, std::initializer_list<int64_t> numbers,
                     std::optional<std::string_view> text = std::nullopt,
                     std::string_view key = {});

// True when `key` names `line`: it contains both of its words.
bool Names(const SourceLine& line, std::string_view key);

// Case-blind containment, as most keywords are matched.
bool ContainsAnyCase(std::string_view item, std::string_view word);

}  // namespace scenario

#endif  // COMPILER_SOURCE_LINES_H_
