#include "tool/manuals/format_reference.h"

#include <sstream>

#include "compiler/source_lines.h"

namespace scenario {
namespace {

std::string Range(const SourceField& f) {
  const auto number = [](int64_t v) { return std::to_string(v); };
  if (f.width == Width::kText) {
    return "text, up to " + number(f.max) + " characters";
  }
  const std::string span = number(f.min) + " to " + number(f.max);
  switch (f.rule) {
    case RangeRule::kChecked:
    case RangeRule::kCheckedByLine:
      return span;
    case RangeRule::kLowBits:
      return span + " (beyond: its low bits are kept, with a warning)";
    case RangeRule::kPacked:
      return span + " (beyond: runs into the values packed with it)";
    case RangeRule::kAny:
      break;
  }
  if (f.min == source_fields::kLongMin && f.max == source_fields::kLongMax) {
    return "any 32-bit number";
  }
  return span + " expected; any 32-bit number is read";
}

std::string Spellings(const SourceLine& line) {
  std::string text;
  for (std::string_view spelling : line.spellings) {
    text += (text.empty() ? "`" : ", `") + std::string(spelling) + "`";
  }
  return text;
}

void Lines(std::ostringstream& out, Phase phase) {
  for (const SourceLine& line : LinesOf(phase)) {
    out << "#### " << Spellings(line) << "\n\n"
        << "What it does: " << line.english << ". Recognised by a key item "
        << "holding \"" << line.words[0] << "\"";
    if (!line.words[1].empty()) out << " and \"" << line.words[1] << "\"";
    out << (line.exact_case ? ", in exactly this case" : ", in any case")
        << ".\n\n"
        << "| # | field | unit | range | meaning |\n"
        << "|---|---|---|---|---|\n";
    int number = 1;
    for (const SourceField& f : line.fields) {
      out << "| " << number++ << " | " << f.english;
      if (f.italian != f.english) out << " (" << f.italian << ")";
      out << " | " << f.unit << " | " << Range(f) << " | " << f.about << " |\n";
    }
    out << "\n";
  }
}

constexpr const char* kIntroduction = R"(# The source texts: a reference

A scenario is written as two texts: the route, `<route>_linea.txt`, and the
train, `<route>_<train>-.txt`. `scenario-tool check` reads them as the
compile does and tells every fault; `scenario-tool new` writes a pair to
start from. This reference is made from the tables the compiler reads by.

## Reading rules

- Plain text, one byte a character (ASCII, or Windows-1252 for names),
  lines ended by CR LF (LF or CR alone are read too).
- Each text is read as a stream of items, separated by commas and line
  ends. An item starts at its first non-blank character.
- A numeric item is an optionally signed decimal integer that fits 32 bits.
  It ends at a blank, a comma or the line end, and a comma after its
  trailing blanks is its delimiter: `0    ,0` is two numbers, and so is
  `5   55`. An empty numeric item (`,  ,`) reads as 0.
- A text item runs to the next comma or the line end; its trailing blanks
  are not part of it. One that begins with a double quote runs to the
  closing quote and may hold commas.
- The first item of a line is its key item. A line is recognised by the
  words its key item contains, anywhere in it: `Pendenza` and
  `xpendenzax` are gradient lines. The route's general lines other than
  the length match their letter case exactly; every other line in any
  case. A key item that names several lines runs each, in the order of
  this reference.
- A key item containing "-" is a comment: the next item is read in its
  place, up to ten times in a row in the route's general part and twice
  elsewhere; a further hyphenated item is examined like any other. A
  comment runs to its first comma: write comments without commas.
- A line's fields are taken from the stream in order, whatever the line
  ends: a line with too few fields takes the rest from the next line, and
  the fields of an unrecognised line are passed over one by one.
- The item read last in a file is never examined. A line with fields is
  read whole before that, so a text may end on any such line; the usual
  last line, `[fine]`, has no fields and is never needed.
- Items before `[generale]` are passed over.

## Cells and rounding

Progressives are whole metres from the route's start. The route is cut
into 50 m cells, cell 0 at the start, reaching 7000 m past the route's
end. Signals, slow-down marks, speed boards and signboards go to cell
round(p / 50 + 1); "abbattimento" points and the starts of gradient, speed
and adhesion runs to round(p / 50); halves round to the even neighbour
(1225 m gives cell 26, 1175 m cell 24). A cell holds one object. Every
body line must lie within the cells: (p + 100) / 50 at most the last cell
index, (p + 800) / 50 for a station. Gradient, speed, adhesion and curve
lines come in order of progressive; stations in order along the route.

## The route text

### General part

From `[generale]` to the first bracketed item that does not begin with
"-" (usually `[curve]`). General lines may come in any order; the length
line must be there.

)";

constexpr const char* kRouteBody = R"(### Body

From that bracketed item to the end. The section headers (`[curve]`,
`[pendenze]`, `[montagne]`, `[cartelli]`, `[indicazioni]`, `[fine]`) carry
no meaning: each line is recognised by its keyword wherever it stands.
A curve key item names its class by the first of the digits 1 to 6 it
holds (1 gentle, 6 sharp: a turn of 0.0001 to 0.003 of the step each
metre) and its side by an "s" (left) or its absence (right: `curvad`).

)";

constexpr const char* kTrain = R"(## The train text

From `[generale]` to the end, every line is recognised by its keyword; the
section headers carry no meaning. Without `[generale]` nothing is read.

)";

constexpr const char* kStationTypes = R"(## Station types

The type decides where the stop zone lies around the station's
progressive p, for a zone length len, and what the cells get:

| type | zone | stop cell | approach markers |
|---|---|---|---|
| 5, 6 | p − len to p + 150 | yes | no |
| 7, 8 | p − len to p + len | yes | yes |
| other types below 25 | centred: p − len / 2 to p + len / 2 (+ 50 with the zone end flag) | yes | yes |
| 25 and above | centred, as above | no: the train passes | no |

The stop cell is the cell before the zone's end; the four cells before it
carry the approach markers 81 (nearest) to 84. Each zone must begin at
least 350 m after the previous station's zone ends. The embedded train
uses types 2, 8, 12, 23, 24 and 28.

## Kilometric references

The three `progressiva chilometrica` lines are read into records 81
("tre"), 82 ("due") and 83 ("uno") of the record bank; the compile then
puts them in its own order. Record 81 gets the reference that starts
furthest along, 82 and 83 the other two by falling start. When the starts
add up to 0 (all at 0), record 81 gets the one with a positive km, "uno"
winning over "due" and "due" over "tre", and the one it held takes its
place. When two share the greatest start, or none has a positive km while
the starts add up to 0, all three records are left empty, and `check`
warns with 218. A flag of 1 then adds 100 m to its km. Every start and km
must be a multiple of 50 (error 2). The report page shows each record
beside the line it was read from.

## Signals

A signal stands at round(p / 50 + 1); the cell holds s1 x 10 + d1, s2 x
10 + d2, s3 x 10 + d3 and rapp x 10 + sx x 3 + dx, and, when sx is 2, the
time. Its approach markers, (sx x 3 + dx) x 10 + 1 to + 4, go into the
cells 2, 4, 6 and 8 before it. Values beyond 0 to 9 run into their
neighbours in these sums.

## Slow-downs

A slow-down marks its start and end cells with its speed, `f_tt` and the
second speed; above 1500 m a warning board stands 1200 m before the start
and, with the approach markers flag, four markers before the board. The
compile then adds the points a driver meets along it.

## Backgrounds

`sfondo uno`, `due` and `tre` are numbers the simulator uses to choose
the scenery; they go into the record bank as they are (the embedded route
has 1, 0 and 0).

## The driver's documents

`scenario-tool documents` (or `compile --documents`) writes the driver's
three documents of a scenario from what its texts say, in the layout of
the embedded ones; what the texts do not hold stays blank.

- Kilometre posts: each `progressiva chilometrica` line holds from its
  `inizio` to the next one's; its `km` is the kilometre shown there, and
  its `flag` the direction: 1, the kilometres fall along the route (the
  embedded route runs from 65 down to 0); 0, they rise. With no reference,
  the kilometres are the progressives'.
- The slow-order form (`_rallentamenti.txt`): one row for each
  `rallentamento` line, with the stations whose `stazione` lines lie on
  either side of its `progressiva` (or the one whose stop zone holds it),
  the kilometre post the train passes last before it, its `velocità` and
  `lunghezza`, and prescription E where `f_ta` is 0 and a warning board
  stands (beyond 1500 m); the route name and the train number.
- The train card (`_scheda_treno.txt`): the train number, the first and
  last `stazione` as origin and destination, `percentuale massa frenata`;
  a row for each station with its kilometre, its `nome` and its time
  (`ore`, `minuti`, `secondi`, to the minute: the departure, the
  destination's arrival, and at the first station `orologio` when its own
  time is 0); a row for each change of the `velocita` lines between them;
  in "Rec", the minutes to spare on the stretch to each station.
- The notes (`_note.txt`): the train number, the route name, the number of
  `rallentamento` lines, and the text of `--notes FILE`.

## The timetable's least times

Between two stations in a row, the least time the train needs is the sum,
over the cells between their stops (the cell before a zone's end; a station
of type 25 or above, its own cell), of 50 m at the speed met there: the
line speed, under a speed board's first speed from the board to the next
board or change of line speed, and under a slow-down's speed along it.
Where the timetable gives less (the next station's time less this one's),
`check` warns with 217.
)";

}  // namespace

std::string FormatReference() {
  std::ostringstream out;
  out << kIntroduction;
  Lines(out, Phase::kRouteGeneral);
  out << kRouteBody;
  Lines(out, Phase::kRouteBody);
  out << kTrain;
  Lines(out, Phase::kTrain);
  out << kStationTypes;
  return out.str();
}

}  // namespace scenario
