#include "documents/author_documents.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/text_document.h"
#include "base/windows_1252.h"
#include "documents/slow_order_form.h"
#include "documents/train_card.h"
#include "model/cell_units.h"
#include "model/placement.h"
#include "model/timetable.h"

namespace scenario {
namespace {

// The lines are put together in Windows-1252, one byte a character, as the
// names are stored, so that widths count bytes; they are handed on in
// UTF-8.
std::vector<std::string> InUtf8(std::vector<std::string> lines) {
  for (std::string& line : lines) line = FromWindows1252(line);
  return lines;
}

// `text` in a column of `width`: cut to it, and padded as placed.
std::string Left(std::string_view text, size_t width) {
  std::string cell(text.substr(0, width));
  cell.resize(width, ' ');
  return cell;
}
std::string Right(std::string_view text, size_t width) {
  text = text.substr(0, width);
  return std::string(width - text.size(), ' ') + std::string(text);
}
std::string Centred(std::string_view text, size_t width) {
  text = text.substr(0, width);
  const size_t left = (width - text.size()) / 2;
  return Left(std::string(left, ' ') + std::string(text), width);
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// Metres as kilometres with three decimals and the given decimal mark.
std::string Kilometres(int64_t metres, char mark) {
  const int64_t whole = std::abs(metres);
  char text[32];
  std::snprintf(text, sizeof text, "%s%lld%c%03lld", metres < 0 ? "-" : "",
                static_cast<long long>(whole / 1000), mark,
                static_cast<long long>(whole % 1000));
  return text;
}

// A time of day to the minute, as hours, a point and minutes.
std::string ClockMinutes(int64_t seconds) {
  const auto minutes =
      static_cast<int64_t>(std::nearbyint(static_cast<double>(seconds) / 60.0));
  const int64_t day = 24 * 60;
  const int64_t of_day = ((minutes % day) + day) % day;
  char text[16];
  std::snprintf(text, sizeof text, "%lld.%02lld",
                static_cast<long long>(of_day / 60),
                static_cast<long long>(of_day % 60));
  return text;
}

std::string Number(int64_t n) { return std::to_string(n); }

// ---------------------------------------------------------------------------
// The slow-order form.

// The form's fixed lines are the embedded form's own, by their slots: the
// heading, the table's heading, its closing rule and the key.
constexpr size_t kFormHeadEnd = 4;
constexpr size_t kFormTableHead = 7, kFormTableHeadEnd = 12;
constexpr size_t kFormRule = 38, kFormKey = 39, kFormKeyEnd = 47;
// The form's rows, filled or not.
constexpr size_t kFormRows = 26;

// The stations a progressive lies between, or the one whose zone holds it.
std::string StationsAround(const Timetable& timetable, Long at) {
  const Timetable::Station* before = nullptr;
  const Timetable::Station* after = nullptr;
  for (const Timetable::Station& station : timetable.stations) {
    if (station.zone_start <= at && at <= station.zone_end) return station.name;
    if (station.progressive < at) before = &station;
    if (station.progressive > at && after == nullptr) after = &station;
  }
  if (before && after) return before->name + "-" + after->name;
  return before ? before->name : after ? after->name : "";
}

std::string FormRow(std::string_view number, std::string_view stations,
                    std::string_view post, std::string_view speed,
                    std::string_view length, std::string_view prescription) {
  return " |" + Centred(number, 3) + "| " + Left(stations, 27) + "|" +
         Centred(post, 12) + "|" + Centred(speed, 10) + "|" +
         Centred(length, 9) + "|" + Centred(prescription, 12) + "|";
}

// ---------------------------------------------------------------------------
// The train card.

// The card's fixed lines are the embedded card's own, by their slots: the
// title box's frame, the boxes of classification and blocked mass (their
// values blank), the timetable's heading and closing rule, and the frame
// of the prescription box.
constexpr size_t kCardTitleTop = 2, kCardTitleHeading = 3, kCardTitleBottom = 6;
constexpr size_t kCardBoxes = 7, kCardBoxValues = 9, kCardBoxesEnd = 16;
constexpr size_t kCardRule = 32, kCardPrescription = 35, kCardStars = 41;

// A line of the embedded card with its values between the bars blanked.
std::string Blanked(std::string_view line) {
  std::string blank(line);
  for (char& c : blank) {
    if (c != '|') c = ' ';
  }
  return blank;
}

std::string SpeedCell(int speed) {
  return speed < 0 ? "     " : Right(Number(speed), 4) + " ";
}

// Minutes to spare, to a tenth, in the four characters of the column.
std::string SpareCell(const Timetable::Stretch* stretch) {
  if (stretch == nullptr) return "     ";
  const double spare =
      (static_cast<double>(stretch->scheduled) - stretch->least) / 60.0;
  const double tenths = std::nearbyint(spare * 10.0);
  std::string text;
  if (!std::isfinite(spare) || tenths <= -100) {
    text = "<-9";
  } else if (tenths >= 1000) {
    text = "99+";
  } else {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", tenths / 10.0);
    text = buffer;
  }
  return Right(text, 4) + " ";
}

std::string CardRow(int speed, std::string_view kilometre,
                    std::string_view place, std::string_view times,
                    std::string_view spare) {
  return " |" + SpeedCell(speed) + "|" + SpeedCell(speed) + "|" +
         Right(kilometre, 9) + " |" + SpeedCell(speed) + "|" + Left(place, 28) +
         "|" + Left(times, 16) + "|" + Left(spare, 5) + "|";
}

// The timetable's time cell: arrival, a blank where a half-minute mark
// would stand, departure.
std::string Times(std::string_view arrival, std::string_view departure) {
  return Right(arrival, 6) + " " + Right(departure, 8) + " ";
}

}  // namespace

std::vector<std::string> SlowOrderFormOf(const Scenario& s) {
  const Timetable timetable = TimetableOf(s);
  const KilometrePosts posts(s);
  const auto form = SlowOrderFormLines();
  std::vector<std::string> lines(form.begin(), form.begin() + kFormHeadEnd);
  lines.push_back("  Linea  " + s.nome_linea);
  lines.push_back("");
  lines.push_back("  Si ordina al macchinista del treno " + s.numero_treno +
                  " di effettuare i seguenti rallentamenti");
  lines.insert(lines.end(), form.begin() + kFormTableHead,
               form.begin() + kFormTableHeadEnd);
  size_t row = 0;
  for (const SlowDownLine& slow : s.slow_down_lines) {
    const bool bare_board =
        slow.approach_markers == 0 && slow.start > kNoWarningUpTo;
    lines.push_back(FormRow(Number(static_cast<int64_t>(++row)),
                            StationsAround(timetable, slow.start),
                            Number(posts.PostBefore(slow.start)),
                            Number(slow.speed), Number(slow.length),
                            bare_board ? "E" : ""));
  }
  for (; row < kFormRows; ++row)
    lines.push_back(FormRow("", "", "", "", "", ""));
  lines.emplace_back(form[kFormRule]);
  lines.insert(lines.end(), form.begin() + kFormKey,
               form.begin() + kFormKeyEnd);
  return InUtf8(std::move(lines));
}

std::vector<std::string> TrainCardOf(const Scenario& s) {
  const Timetable timetable = TimetableOf(s);
  const KilometrePosts posts(s);
  const auto& stations = timetable.stations;
  const std::string origin = stations.empty() ? "" : stations.front().name;
  const std::string destination = stations.empty() ? "" : stations.back().name;
  const Long mass = s.voci[kTrainSlot].*general_record::kBrakedMass;

  const auto card = TrainCardLines();
  std::vector<std::string> lines = {
      "",
      "",
      std::string(card[kCardTitleTop]),
      std::string(card[kCardTitleHeading]),
      " |" + Centred("TRENO n." + s.numero_treno, 19) + "|" +
          Left(std::string(19, ' ') + "da: " + origin, 45) + "|" +
          std::string(14, ' ') + "|",
      " |___________________|" +
          Left(std::string(20, ' ') + "a: " + destination, 45) + "|" +
          Centred(Number(mass) + "%", 14) + "|",
      std::string(card[kCardTitleBottom]),
  };
  for (size_t slot = kCardBoxes; slot < kCardBoxesEnd; ++slot) {
    lines.push_back(slot == kCardBoxValues ? Blanked(card[slot])
                                           : std::string(card[slot]));
  }

  const std::vector<Cella>& cells = s.celle.all();
  auto line_speed = [&](int64_t cell) {
    return cell >= 0 && static_cast<size_t>(cell) < cells.size()
               ? SpeedOfCell(cells[static_cast<size_t>(cell)].velocita)
               : -1;
  };
  auto stretch_to = [&](size_t k) -> const Timetable::Stretch* {
    for (const Timetable::Stretch& stretch : timetable.stretches) {
      if (stretch.to == k) return &stretch;
    }
    return nullptr;
  };
  for (size_t k = 0; k < stations.size(); ++k) {
    const Timetable::Station& station = stations[k];
    const int64_t here = station.progressive / kCellLength;
    // The changes of line speed since the station before, each on its own
    // row; one at the station itself goes on the station's row.
    int speed = -1;
    if (k == 0) {
      speed = line_speed(here);
    } else {
      const int64_t from = stations[k - 1].progressive / kCellLength;
      for (int64_t c = from + 1; c <= here; ++c) {
        if (line_speed(c) == line_speed(c - 1)) continue;
        if (c == here) {
          speed = line_speed(c);
          break;
        }
        lines.push_back(CardRow(
            line_speed(c), "",
            "     Cippo Km." + Kilometres(posts.At(c * kCellLength), ','), "",
            ""));
      }
    }
    const std::string time = ClockMinutes(station.time);
    const bool last = k + 1 == stations.size() && k > 0;
    lines.push_back(
        CardRow(speed, Kilometres(posts.At(station.progressive), '.'),
                " " + station.name, last ? Times(time, "") : Times("", time),
                SpareCell(stretch_to(k))));
  }
  lines.emplace_back(card[kCardRule]);
  for (const std::string_view line :
       {std::string_view(), std::string_view(), card[kCardPrescription],
        std::string_view(), card[kCardStars]}) {
    lines.emplace_back(line);
  }
  return InUtf8(std::move(lines));
}

std::vector<std::string> NotesOf(const Scenario& s,
                                 std::string_view author_notes) {
  std::vector<std::string> lines = {
      "***NOTE SUL TRENO " + s.numero_treno + "***",
      "N.RO RALLENTAMENTI: " +
          Number(static_cast<int64_t>(s.slow_down_lines.size())),
      "",
      "",
      "***NOTE SULLA LINEA " + Upper(s.nome_linea) + "***",
  };
  lines = InUtf8(std::move(lines));
  if (author_notes.empty()) return lines;
  // The notes' own text, as the author saved it: UTF-8 or the simulator's
  // code page.
  const std::string notes = IsWindows1252Text(author_notes)
                                ? FromWindows1252(author_notes)
                                : std::string(author_notes);
  size_t start = 0;
  while (start < notes.size()) {
    size_t end = notes.find('\n', start);
    if (end == std::string::npos) end = notes.size();
    std::string line = notes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

Status WriteAuthorDocuments(FileSystem& files, const FileNames& names,
                            const Scenario& s, std::string_view author_notes) {
  auto bytes = [](const std::vector<std::string>& lines) {
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    return EncodeTextLines(views);
  };
  const std::string notes = bytes(NotesOf(s, author_notes));
  const std::string form = bytes(SlowOrderFormOf(s));
  const std::string card = bytes(TrainCardOf(s));
  return files.ReplaceAll({{names.Notes(), notes},
                           {names.SlowOrders(), form},
                           {names.TrainCard(), card}});
}

}  // namespace scenario
