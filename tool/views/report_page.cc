#include "tool/views/report_page.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "base/line_index.h"
#include "compiler/source_lines.h"
#include "messages/package_words.h"
#include "model/cell_units.h"
#include "model/timetable.h"
#include "tool/common/compile_report.h"
#include "tool/views/report_assets.h"
#include "tool/views/route_view.h"
#include "tool/views/xml_text.h"

namespace scenario {
namespace {

using nlohmann::json;
using Kind = CellKind;

// The words of a "a|b|c" list.
std::vector<std::string> Split(const char* list) {
  std::vector<std::string> items;
  std::stringstream in(list);
  for (std::string item; std::getline(in, item, '|');) items.push_back(item);
  return items;
}

const char* KindClass(Kind kind) {
  switch (kind) {
    case Kind::kSignal:
      return "signal";
    case Kind::kSpeedBoard:
      return "board";
    case Kind::kSignboard:
      return "signboard";
    case Kind::kWarningBoard:
    case Kind::kSlowDownStart:
    case Kind::kSlowDownEnd:
    case Kind::kSlowDownMarker:
      return "slow-down";
    case Kind::kStopPoint:
    case Kind::kSpeedPoint:
    case Kind::kPlainPoint:
    case Kind::kNone:
    case Kind::kMountainMark:
      break;
  }
  return nullptr;
}

std::string StationTime(Long seconds) {
  return ClockText(seconds / 3600, seconds / 60 % 60, seconds % 60);
}

// JSON inside a script element: "</" would end the element. The texts are
// UTF-8 already (see Utf8Text); a byte that is not is replaced, never a
// failure.
std::string ScriptJson(const json& data) {
  std::string text = data.dump(-1, ' ', false, json::error_handler_t::replace);
  for (size_t at = 0; (at = text.find("</", at)) != std::string::npos;) {
    text.replace(at, 2, "<\\/");
  }
  return text;
}

// A profile as its runs, cell and value for each change: [c0, v0, c1, v1,
// ...]. Profiles change a few thousand times over twenty thousand cells.
json Runs(const std::vector<int>& values) {
  json runs = json::array();
  for (size_t i = 0; i < values.size(); ++i) {
    if (i == 0 || values[i] != values[i - 1]) {
      runs.push_back(i);
      runs.push_back(values[i]);
    }
  }
  return runs;
}

// The kinds of objects the page marks, in the order of their lanes.
constexpr const char* kMarkedKinds[] = {"signal", "slow-down", "board",
                                        "signboard"};

// What the page's script draws and lists: each record as an array, its
// fields in the order the script reads them, so that thousands of them
// stay small. The heights follow from the gradients and are worked out
// by the script.
// The kilometric references as the compile ordered them: each record,
// the line its reference was read from (when the texts were read), and
// the km as the simulator has it, the flag's 100 m named.
json References(const Scenario& s, const PlotLabels& labels) {
  json rows = json::array();
  for (int slot = kReferenceThreeSlot; slot <= kReferenceOneSlot; ++slot) {
    const Voce& v = s.voci[static_cast<size_t>(slot)];
    const int origin =
        s.reference_origins[static_cast<size_t>(slot - kReferenceThreeSlot)];
    const std::string km =
        v.progressiva == 1
            ? Format(labels[PlotWord::kFlagAdds], v.fine, KmAsWritten(v))
            : std::to_string(v.fine);
    rows.push_back(
        {v.inizio,
         std::to_string(slot) + " (" +
             std::string(LineOf(ReferenceLineOf(slot)).words[0]) + ")",
         origin == 0
             ? ""
             : std::string(LineOf(ReferenceLineOf(origin)).spellings[0]),
         v.inizio, km, v.progressiva});
  }
  return rows;
}

json PageData(const ScenarioInput& input, const RouteView& view,
              const PlotLabels& labels) {
  json objects = json::array();
  for (const RouteView::Object& o : view.objects) {
    const char* kind = KindClass(o.kind);
    if (kind == nullptr) continue;
    const auto lane =
        std::find_if(std::begin(kMarkedKinds), std::end(kMarkedKinds),
                     [&](const char* k) { return std::string(k) == kind; }) -
        std::begin(kMarkedKinds);
    objects.push_back({lane, o.cell, o.at, Utf8Text(o.text)});
  }
  json stations = json::array();
  for (const RouteView::Station& st : view.stations) {
    stations.push_back(
        {st.number, st.progressive, st.type_text, st.start, st.end,
         StationTime(st.time), Utf8Text(st.name),
         Utf8Text(Format(labels[PlotWord::kStation], st.number, st.name.c_str(),
                         st.type_text.c_str(), st.start, st.end,
                         StationTime(st.time).c_str()))});
  }
  auto stretches = [](const std::vector<RouteView::Stretch>& list,
                      auto describe) {
    json out = json::array();
    for (const RouteView::Stretch& s : list) {
      out.push_back({s.from, s.to, s.value, describe(s)});
    }
    return out;
  };
  return {
      {"cell", kCellLength},
      {"cells", view.gradient.size()},
      {"length", view.route_length},
      {"gradient", Runs(view.gradient)},
      {"line", Runs(view.line_speed)},
      {"met", Runs(view.speed_met)},
      {"adhesion", Runs(view.adhesion)},
      {"kinds", kMarkedKinds},
      {"objects", objects},
      {"stations", stations},
      {"curves", stretches(view.curves,
                           [&](const RouteView::Stretch& c) {
                             return Format(c.value > 0
                                               ? labels[PlotWord::kCurveRight]
                                               : labels[PlotWord::kCurveLeft],
                                           std::abs(c.value));
                           })},
      {"mountains", stretches(view.mountains,
                              [&](const RouteView::Stretch& m) {
                                return Format(labels[PlotWord::kMountain],
                                              m.value);
                              })},
      {"references", References(input.s, labels)},
      {"slowDowns", stretches(view.slow_downs,
                              [&](const RouteView::Stretch& m) {
                                return Format(labels[PlotWord::kSlowDown],
                                              m.value);
                              })},
      {"words",
       {{"height", labels[PlotWord::kHeight]},
        {"gradient", labels[PlotWord::kGradient]},
        {"speed", std::string(labels[PlotWord::kLineSpeed]) + " / " +
                      labels[PlotWord::kSpeedMet]},
        {"adhesion", labels[PlotWord::kAdhesion]},
        {"track", labels[PlotWord::kTrack]},
        {"signals", labels.at(PlotWord::kLaneSignals, 0)},
        {"slowDowns", labels.at(PlotWord::kLaneSignals, 1)},
        {"speedBoards", labels.at(PlotWord::kLaneSignals, 2)},
        {"signboards", labels.at(PlotWord::kLaneSignals, 3)},
        {"progressive", labels[PlotWord::kProgressive]},
        {"extension", labels[PlotWord::kExtension]},
        {"routeEnd", labels[PlotWord::kRouteEnd]},
        {"cursor", Split(labels[PlotWord::kCursor])},
        {"columns", Split(labels[PlotWord::kColumns])},
        {"objectColumns", Split(labels[PlotWord::kObjectColumns])},
        {"slowDownColumns", Split(labels[PlotWord::kSlowDownColumns])},
        {"referenceColumns", Split(labels[PlotWord::kReferenceColumns])}}},
  };
}

// A table's heading and its empty table: the script fills it from the
// page's data, the station table at once, the others when first opened,
// so that thousands of rows cost nothing until they are looked at.
void Table(std::ostringstream& out, const std::string& id, const char* title,
           size_t rows, bool open, const char* note = nullptr) {
  out << "<details id=\"" << id << "\"" << (open ? " open" : "")
      << "><summary><h2>" << XmlText(title) << " (" << rows
      << ")</h2></summary>";
  if (note != nullptr) out << "<p class=\"hint\">" << XmlText(note) << "</p>";
  out << "<table id=\"" << id << "-table\"></table></details>\n";
}

// What the page says of one diagnostic, as check says it.
struct Said {
  Diagnostic::Severity severity;
  std::string text;
};

// A source text with its lines numbered, the lines with diagnostics marked,
// each with an anchor and followed by what is said of it. The lines between
// go as one block of text, with their numbers beside them in another:
// a text of ten thousand lines is a few dozen nodes, not tens of thousands.
void Source(std::ostringstream& out, const std::string& anchor,
            const std::string& path, const std::string& text,
            const std::map<int, std::vector<Said>>& said) {
  out << "<h3>" << XmlText(path) << "</h3>\n<div class=\"source\">";
  const LineIndex lines(text);
  const int count = static_cast<int>(lines.count());
  auto block = [&](int first, int last, bool marked) {
    out << "<div class=\"lines" << (marked ? " marked\" id=\"" : "");
    if (marked) out << anchor << first;
    out << "\"><pre class=\"n\">";
    for (int n = first; n <= last; ++n) out << n << (n < last ? "\n" : "");
    out << "</pre><pre>";
    for (int n = first; n <= last; ++n) {
      out << XmlText(std::string(lines.Line(n))) << (n < last ? "\n" : "");
    }
    out << "</pre></div>";
  };
  int next = 1;
  for (const auto& [line, messages] : said) {
    if (line < next || line > count) continue;
    if (line > next) block(next, line - 1, false);
    block(line, line, true);
    for (const Said& s : messages) {
      out << "<div class=\"message " << SeverityName(s.severity) << "\">"
          << XmlText(s.text) << "</div>";
    }
    next = line + 1;
  }
  if (next <= count) block(next, count, false);
  out << "</div>\n";
}

// The time-distance chart timetable planners draw: distance across, time
// downwards; for each stretch between two stations the timetable's line
// and, from the same departure, the least time the speeds allow, the
// stretches that cannot be kept in red.
void TimetableChart(std::ostringstream& out, const Timetable& timetable,
                    const PlotLabels& labels) {
  const auto& stations = timetable.stations;
  if (stations.size() < 2) return;
  constexpr double kLeft = 70, kRight = 1170, kTop = 20, kBottom = 340;
  const double from = static_cast<double>(stations.front().progressive);
  const double to =
      std::max(from + 1.0, static_cast<double>(stations.back().progressive));
  double first = static_cast<double>(stations.front().time), last = first;
  for (const Timetable::Station& st : stations) {
    last = std::max(last, static_cast<double>(st.time));
  }
  for (const Timetable::Stretch& stretch : timetable.stretches) {
    if (std::isfinite(stretch.least)) {
      last = std::max(last, static_cast<double>(stations[stretch.from].time) +
                                stretch.least);
    }
  }
  last = std::max(last, first + 60);
  auto x = [&](double metres) {
    return kLeft + (metres - from) / (to - from) * (kRight - kLeft);
  };
  auto y = [&](double seconds) {
    return kTop + (seconds - first) / (last - first) * (kBottom - kTop);
  };
  // The names slant down and to the right beneath the chart: room for the
  // longest below it, and for the last one's beside it, the key beneath.
  size_t longest = 0;
  for (const Timetable::Station& st : stations) {
    longest = std::max(longest, Utf8Text(st.name).size());
  }
  constexpr double kCharWidth = 6.5, kSlant = 40 * 3.14159265358979 / 180;
  const double name =
      static_cast<double>(std::min<size_t>(longest, 60)) * kCharWidth;
  const double key_y = kBottom + 10 + name * std::sin(kSlant) + 24;
  out << "<details id=\"timetable\" open><summary><h2>"
      << XmlText(labels[PlotWord::kTimetable])
      << "</h2></summary>\n<svg id=\"timetable-chart\" "
         "xmlns=\"http://www.w3.org/2000/svg\" "
      << Format("viewBox=\"0 0 %.0f %.0f\">\n",
                kRight + name * std::cos(kSlant) + 10, key_y + 12);
  // A line down from each station, its name beneath, its time beside.
  for (const Timetable::Station& st : stations) {
    const double sx = x(static_cast<double>(st.progressive));
    out << Format(
               "<line class=\"grid\" x1=\"%.1f\" y1=\"%.0f\" x2=\"%.1f\" "
               "y2=\"%.0f\"/>",
               sx, kTop, sx, kBottom)
        << Format(
               "<text class=\"station\" transform=\"translate(%.1f %.0f) "
               "rotate(40)\">",
               sx, kBottom + 10)
        << XmlText(Utf8Text(st.name)) << "</text>";
    out << Format("<text class=\"time\" x=\"%.0f\" y=\"%.1f\">", kLeft - 6,
                  y(static_cast<double>(st.time)))
        << StationTime(st.time) << "</text>\n";
  }
  for (const Timetable::Stretch& stretch : timetable.stretches) {
    const Timetable::Station& a = stations[stretch.from];
    const Timetable::Station& b = stations[stretch.to];
    const double ax = x(static_cast<double>(a.progressive));
    const double bx = x(static_cast<double>(b.progressive));
    const double ay = y(static_cast<double>(a.time));
    out << Format(
               "<line class=\"%s\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" "
               "y2=\"%.1f\"><title>",
               stretch.kept() ? "scheduled" : "scheduled not-kept", ax, ay, bx,
               y(static_cast<double>(b.time)))
        << XmlText(
               Utf8Text(a.name) + " - " + Utf8Text(b.name) + ": " +
               labels[PlotWord::kScheduled] + " " +
               StationTime(stretch.scheduled) + ", " +
               labels[PlotWord::kLeast] + " " +
               (std::isfinite(stretch.least)
                    ? StationTime(static_cast<Long>(std::ceil(stretch.least)))
                    : std::string("-")) +
               (stretch.kept()
                    ? ""
                    : std::string(": ") + labels[PlotWord::kNotKept]))
        << "</title></line>";
    if (std::isfinite(stretch.least)) {
      out << Format(
          "<line class=\"least\" x1=\"%.1f\" y1=\"%.1f\" "
          "x2=\"%.1f\" y2=\"%.1f\"/>",
          ax, ay, bx, y(static_cast<double>(a.time) + stretch.least));
    }
    out << "\n";
  }
  // The key: each kind of line, with its words beside it.
  const struct {
    const char* kind;
    PlotWord word;
    double at;
  } key[] = {{"scheduled", PlotWord::kScheduled, kLeft},
             {"least", PlotWord::kLeast, kLeft + 200},
             {"scheduled not-kept", PlotWord::kNotKept, kLeft + 560}};
  for (const auto& k : key) {
    out << Format(
               "<line class=\"%s\" x1=\"%.0f\" y1=\"%.0f\" x2=\"%.0f\" "
               "y2=\"%.0f\"/>",
               k.kind, k.at, key_y - 4, k.at + 30, key_y - 4)
        << Format("<text x=\"%.0f\" y=\"%.0f\">", k.at + 36, key_y)
        << XmlText(labels[k.word]) << "</text>";
  }
  out << "\n</svg></details>\n";
}

}  // namespace

std::string ReportPage(const ScenarioInput& input,
                       const std::string& route_path,
                       const std::string& train_path, Language language) {
  const PlotLabels& labels = PlotLabelsFor(language);
  const RouteView view = ViewOf(input.s, input.plan, language);
  const std::string title = input.title + ": " + labels[PlotWord::kReportTitle];
  std::ostringstream out;
  out << "<!DOCTYPE html>\n<html lang=\""
      << (language == Language::kItalian ? "it" : "en")
      << "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" << XmlText(title)
      << "</title>\n<style>\n"
      << kReportStyle << "</style>\n</head>\n<body>\n<h1>" << XmlText(title)
      << "</h1>\n";
  if (!input.notice.empty()) {
    out << "<p class=\"notice\">" << XmlText(input.notice) << "</p>\n";
  }
  out << "<p class=\"hint\">" << XmlText(labels[PlotWord::kHint]) << "</p>\n"
      << "<svg id=\"profile\" xmlns=\"http://www.w3.org/2000/svg\"></svg>\n"
      << "<div id=\"readout\"></div>\n<div id=\"under\"></div>\n";

  // The tables, each row leading to its place.
  Table(out, "stations", labels[PlotWord::kStations], view.stations.size(),
        /*open=*/true);
  const struct {
    const char* id;
    const char* title;
    const char* kind;
  } lists[] = {{"signals", labels[PlotWord::kSignals], "signal"},
               {"speed-boards", labels[PlotWord::kSpeedBoards], "board"},
               {"signboards", labels[PlotWord::kSignboards], "signboard"}};
  for (const auto& list : lists) {
    const auto rows = std::count_if(
        view.objects.begin(), view.objects.end(), [&](const auto& o) {
          const char* kind = KindClass(o.kind);
          return kind != nullptr && std::string(kind) == list.kind;
        });
    Table(out, list.id, list.title, static_cast<size_t>(rows), false);
  }
  Table(out, "slow-downs", labels[PlotWord::kSlowDowns], view.slow_downs.size(),
        false);
  Table(out, "references", labels[PlotWord::kReferences],
        kReferenceOneSlot - kReferenceThreeSlot + 1, false,
        labels[PlotWord::kReferenceOrder]);
  TimetableChart(out, TimetableOf(input.s), labels);

  // The diagnostics of the texts, each leading to its line.
  std::map<std::string, std::map<int, std::vector<Said>>> said;
  if (input.from_texts) {
    out << "<h2 id=\"diagnostics\">" << XmlText(labels[PlotWord::kDiagnostics])
        << "</h2>\n";
    if (input.diagnostics.empty()) {
      out << "<p>" << XmlText(labels[PlotWord::kNoDiagnostics]) << "</p>\n";
    }
    out << "<ul>\n";
    for (const Diagnostic& d : input.diagnostics) {
      const bool route = d.site.file == route_path;
      const std::string anchor =
          (route ? "route-" : "train-") + std::to_string(d.site.line);
      std::string text = SeverityWord(d.severity, language) + " " +
                         std::to_string(d.code) + ": " +
                         MessageFor(d, language);
      if (d.position) {
        text += ToolText(ToolMessage::kAtProgressive, language,
                         {std::to_string(*d.position)});
      }
      if (d.found_reading_on) {
        text += ToolText(ToolMessage::kFoundReadingOn, language);
      }
      if (d.site.line > 0) {
        said[route ? "route" : "train"][d.site.line].push_back(
            {d.severity, "^ " + std::to_string(d.site.column) + ": " + text});
      }
      out << "<li class=\"" << SeverityName(d.severity) << "\">";
      if (d.site.line > 0) {
        out << "<a href=\"#" << anchor << "\">" << XmlText(d.site.file) << ":"
            << d.site.line << ":" << d.site.column << "</a> ";
      }
      out << XmlText(text) << "</li>\n";
    }
    out << "</ul>\n";
  }

  // The texts are laid out when opened, or when a diagnostic's link
  // leads into them: thousands of lines cost nothing until then.
  if (input.from_texts) {
    out << "<details id=\"sources\"><summary><h2>"
        << XmlText(labels[PlotWord::kSources]) << "</h2></summary>\n";
    Source(out, "route-", route_path, input.route_text, said["route"]);
    Source(out, "train-", train_path, input.train_text, said["train"]);
    out << "</details>\n";
  }
  out << "<script type=\"application/json\" id=\"scenario-data\">"
      << ScriptJson(PageData(input, view, labels)) << "</script>\n<script>\n"
      << kReportScript << "</script>\n</body>\n</html>\n";
  return out.str();
}

}  // namespace scenario
