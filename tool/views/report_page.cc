#include "tool/views/report_page.h"

#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "base/line_index.h"
#include "messages/package_words.h"
#include "model/cell_units.h"
#include "tool/common/compile_report.h"
#include "tool/views/report_assets.h"
#include "tool/views/route_view.h"
#include "tool/views/svg_plot.h"
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

std::string Metres(double m) { return std::to_string(std::lround(m)); }

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

json PageData(const RouteView& view, const PlotLabels& labels) {
  std::vector<double> height;
  for (double h : view.height) height.push_back(std::round(h * 100) / 100);
  json objects = json::array();
  for (const RouteView::Object& o : view.objects) {
    if (const char* kind = KindClass(o.kind)) {
      objects.push_back(
          {{"kind", kind}, {"at", o.at}, {"text", Utf8Text(o.text)}});
    }
  }
  json stations = json::array();
  for (const RouteView::Station& st : view.stations) {
    stations.push_back(
        {{"start", st.start},
         {"end", st.end},
         {"text", Utf8Text(Format(labels[PlotWord::kStation], st.number,
                                  st.name.c_str(), st.type, st.start, st.end,
                                  StationTime(st.time).c_str()))}});
  }
  auto stretches = [](const std::vector<RouteView::Stretch>& list,
                      auto describe) {
    json out = json::array();
    for (const RouteView::Stretch& s : list) {
      out.push_back({{"from", s.from},
                     {"to", s.to},
                     {"value", s.value},
                     {"text", describe(s)}});
    }
    return out;
  };
  return {
      {"cell", kCellLength},
      {"length", view.route_length},
      {"gradient", view.gradient},
      {"height", height},
      {"line", view.line_speed},
      {"met", view.speed_met},
      {"adhesion", view.adhesion},
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
        {"cursor", Split(labels[PlotWord::kCursor])}}},
  };
}

// A table whose rows lead to their place on the chart.
class Table {
 public:
  Table(std::ostringstream& out, const std::string& id, const char* title,
        const std::vector<std::string>& columns)
      : out_(out) {
    out_ << "<h2 id=\"" << id << "\">" << XmlText(title)
         << "</h2>\n<table id=\"" << id << "-table\"><tr>";
    for (const std::string& c : columns)
      out_ << "<th>" << XmlText(c) << "</th>";
    out_ << "</tr>\n";
  }
  void Row(double at, const std::vector<std::string>& cells) {
    out_ << "<tr data-at=\"" << Metres(at) << "\">";
    for (const std::string& c : cells) out_ << "<td>" << XmlText(c) << "</td>";
    out_ << "</tr>\n";
  }
  ~Table() { out_ << "</table>\n"; }

 private:
  std::ostringstream& out_;
};

// What the page says of one diagnostic, as check says it.
struct Said {
  Diagnostic::Severity severity;
  std::string text;
};

// A source text with its lines numbered, each with an anchor, the lines
// with diagnostics marked and each followed by what is said of it.
void Source(std::ostringstream& out, const std::string& anchor,
            const std::string& path, const std::string& text,
            const std::map<int, std::vector<Said>>& said) {
  out << "<h3>" << XmlText(path) << "</h3>\n<pre class=\"source\">";
  const LineIndex lines(text);
  for (int n = 1; n <= static_cast<int>(lines.count()); ++n) {
    const auto marked = said.find(n);
    out << "<span id=\"" << anchor << n << "\""
        << (marked != said.end() ? " class=\"marked\"" : "")
        << "><span class=\"n\">" << n << "</span>"
        << XmlText(std::string(lines.Line(n))) << "</span>";
    if (marked == said.end()) {
      out << "\n";
      continue;
    }
    // Block lines of their own: no line end, which would show as a blank.
    for (const Said& s : marked->second) {
      out << "<span class=\"message " << SeverityName(s.severity) << "\">"
          << XmlText(s.text) << "</span>";
    }
  }
  out << "</pre>\n";
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
      << "<div id=\"readout\"></div>\n";

  // The tables, each row leading to its place.
  {
    std::vector<std::string> columns = Split(labels[PlotWord::kColumns]);
    Table stations(out, "stations", labels[PlotWord::kStations], columns);
    for (const RouteView::Station& st : view.stations) {
      stations.Row(static_cast<double>(st.progressive),
                   {std::to_string(st.number), std::to_string(st.progressive),
                    std::to_string(st.type),
                    std::to_string(st.start) + ".." + std::to_string(st.end),
                    StationTime(st.time), st.name});
    }
  }
  const std::string progressive = Split(labels[PlotWord::kCursor]).at(1);
  const struct {
    const char* id;
    const char* title;
    const char* kind;
  } lists[] = {{"signals", labels[PlotWord::kSignals], "signal"},
               {"speed-boards", labels[PlotWord::kSpeedBoards], "board"},
               {"signboards", labels[PlotWord::kSignboards], "signboard"}};
  for (const auto& list : lists) {
    Table table(
        out, list.id, list.title,
        {labels[PlotWord::kCell], progressive, labels[PlotWord::kWhat]});
    for (const RouteView::Object& o : view.objects) {
      const char* kind = KindClass(o.kind);
      if (kind != nullptr && std::string(kind) == list.kind) {
        table.Row(o.at, {std::to_string(o.cell), Metres(o.at), o.text});
      }
    }
  }
  {
    Table slow(out, "slow-downs", labels[PlotWord::kSlowDowns],
               {progressive, progressive, labels[PlotWord::kWhat]});
    for (const RouteView::Stretch& s : view.slow_downs) {
      slow.Row(s.from, {Metres(s.from), Metres(s.to),
                        Format(labels[PlotWord::kSlowDown], s.value)});
    }
  }

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

  out << "<figure>\n";
  std::string plot = PlotSvg(input.s, input.plan, input.title, language);
  plot.erase(0, plot.find("<svg"));
  out << plot << "</figure>\n";

  if (input.from_texts) {
    out << "<h2 id=\"sources\">" << XmlText(labels[PlotWord::kSources])
        << "</h2>\n";
    Source(out, "route-", route_path, input.route_text, said["route"]);
    Source(out, "train-", train_path, input.train_text, said["train"]);
  }
  out << "<script type=\"application/json\" id=\"scenario-data\">"
      << ScriptJson(PageData(view, labels)) << "</script>\n<script>\n"
      << kReportScript << "</script>\n</body>\n</html>\n";
  return out.str();
}

}  // namespace scenario
