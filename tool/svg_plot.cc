#include "tool/svg_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/windows_1252.h"
#include "model/cell_units.h"

namespace scenario {
namespace {

// Page layout, in SVG units (pixels).
constexpr double kWidth = 1200;
constexpr double kLeft = 140;
constexpr double kRight = 1170;
constexpr double kPlanTop = 60;
constexpr double kPlanHeight = 420;
constexpr double kNamesTop = 505;  // station names, in three staggered rows
constexpr double kNameRow = 16;
constexpr double kStripsTop = 580;
constexpr double kStripHeight = 110;
constexpr double kStripGap = 30;    // room for each strip's title
constexpr double kLaneHeight = 18;  // one row of object marks
constexpr int kPlanStep = 25;       // metres between drawn plan points

// How each kind of mark looks, as presentation attributes, which every SVG
// viewer understands.
constexpr char kBackground[] = R"(fill="#fff")";
constexpr char kHeading[] =
    R"(font-family="sans-serif" font-size="13" font-weight="bold" fill="#222")";
constexpr char kLabel[] =
    R"(font-family="sans-serif" font-size="11" fill="#222")";
constexpr char kSmall[] =
    R"(font-family="sans-serif" font-size="9" fill="#222")";
constexpr char kAxis[] =
    R"(font-family="sans-serif" font-size="10" fill="#222" text-anchor="end")";
constexpr char kFrame[] = R"(fill="none" stroke="#888")";
constexpr char kGrid[] = R"(stroke="#ddd")";
constexpr char kZero[] = R"(stroke="#aaa" stroke-dasharray="4 3")";
constexpr char kTrack[] = R"(fill="none" stroke="#1f4e9a" stroke-width="2")";
constexpr char kStation[] = R"(fill="#fff" stroke="#c0392b" stroke-width="2")";
constexpr char kStationLine[] = R"(stroke="#c0392b" stroke-width="0.6")";
constexpr char kZone[] = R"(fill="#c0392b" fill-opacity="0.12")";
constexpr char kGradient[] =
    R"(fill="none" stroke="#7d5a2b" stroke-width="1.5")";
constexpr char kSpeed[] = R"(fill="none" stroke="#1f7a3a" stroke-width="1.5")";
constexpr char kAdhesion[] =
    R"(fill="none" stroke="#6a3d9a" stroke-width="1.5")";
constexpr char kSignalMark[] = R"(fill="#d62728")";
constexpr char kWarning[] = R"(fill="#ff9900")";
constexpr char kSlow[] = R"(fill="#ff9900" fill-opacity="0.6")";
constexpr char kSlowBand[] = R"(fill="#ff9900" fill-opacity="0.18")";
constexpr char kBoard[] = R"(fill="#222")";
constexpr char kSignboardMark[] = R"(stroke="#555")";
constexpr char kPen[] = R"(stroke="#222" stroke-width="2")";
constexpr char kInk[] = R"(fill="#222")";

std::string Number(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", v);
  return std::string(buffer) == "-0.0" ? "0.0" : buffer;
}

// XML text. Our own strings are UTF-8; a source text's single bytes that
// do not form UTF-8 are read as Latin-1, so the file stays well-formed.
std::string Escape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c < 0x20) {
      out += ' ';
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      const size_t length = Utf8SequenceLength(text, i);
      if (length > 0) {
        out += text.substr(i, length);
        i += length - 1;
      } else {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
  }
  return out;
}

// Accumulates the SVG text; every coordinate goes through Number so that
// the output is the same on every run.
class Svg {
 public:
  void Raw(const std::string& text) { out_ += text; }
  void Line(double x1, double y1, double x2, double y2, const char* style) {
    out_ += "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" +
            Number(x2) + "\" y2=\"" + Number(y2) + "\" " + style + "/>\n";
  }
  void Rect(double x, double y, double w, double h, const char* style) {
    out_ += "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" +
            Number(std::max(w, 0.0)) + "\" height=\"" +
            Number(std::max(h, 0.0)) + "\" " + style + "/>\n";
  }
  void Text(double x, double y, const std::string& text, const char* style) {
    out_ += "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" " + style +
            ">" + Escape(text) + "</text>\n";
  }
  void Polygon(const std::vector<std::pair<double, double>>& points,
               const char* style) {
    out_ += "<polygon " + std::string(style) + " points=\"" + Points(points) +
            "\"/>\n";
  }
  void Polyline(const std::vector<std::pair<double, double>>& points,
                const char* style) {
    out_ += "<polyline " + std::string(style) + " points=\"" + Points(points) +
            "\"/>\n";
  }
  void Circle(double x, double y, double r, const char* style) {
    out_ += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"" +
            Number(r) + "\" " + style + "/>\n";
  }
  const std::string& text() const { return out_; }

 private:
  static std::string Points(
      const std::vector<std::pair<double, double>>& points) {
    std::string text;
    for (size_t i = 0; i < points.size(); ++i) {
      if (i) text += ' ';
      text += Number(points[i].first) + "," + Number(points[i].second);
    }
    return text;
  }

  std::string out_;
};

// The largest "nice" length (1, 2 or 5 times a power of ten) up to `limit`.
double NiceStep(double limit) {
  double step = 1;
  // Bounded: a limit beyond every power of ten (infinity) ends here too.
  for (int i = 0; i < 320 && step * 10 <= limit; ++i) step *= 10;
  if (step * 5 <= limit) return step * 5;
  if (step * 2 <= limit) return step * 2;
  return step;
}

std::string Kilometres(double metres) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, metres >= 1000 ? "%.0f km" : "%.0f m",
                metres >= 1000 ? metres / 1000 : metres);
  return buffer;
}

struct Station {
  std::string name;
  Long progressiva, inizio, fine;
};

std::vector<Station> Stations(const Scenario& s) {
  std::vector<Station> stations;
  for (int slot = kFirstStationSlot; slot <= kLastSignboardSlot; ++slot) {
    const Voce& v = s.voci[slot];
    if (v == Voce{} || v.holds_only_text()) continue;  // no station
    stations.push_back({v.nome, v.progressiva, v.inizio, v.fine});
  }
  return stations;
}

using Point = std::pair<double, double>;

// The points of a line that matter at the drawing's resolution: a point
// whose removal moves the line by less than `tolerance` pixels is left out
// (Douglas and Peucker's simplification, without recursion).
std::vector<Point> Simplified(const std::vector<Point>& points,
                              double tolerance) {
  if (points.size() < 3) return points;
  std::vector<bool> kept(points.size(), false);
  kept.front() = kept.back() = true;
  std::vector<std::pair<size_t, size_t>> spans = {{0, points.size() - 1}};
  while (!spans.empty()) {
    const auto [first, last] = spans.back();
    spans.pop_back();
    const auto [ax, ay] = points[first];
    const auto [bx, by] = points[last];
    const double length = std::hypot(bx - ax, by - ay);
    double farthest = 0;
    size_t at = first;
    for (size_t i = first + 1; i < last; ++i) {
      const auto [x, y] = points[i];
      const double distance =
          length > 0
              ? std::abs((bx - ax) * (ay - y) - (ax - x) * (by - ay)) / length
              : std::hypot(x - ax, y - ay);
      if (distance > farthest) {
        farthest = distance;
        at = i;
      }
    }
    if (farthest > tolerance) {
      kept[at] = true;
      spans.push_back({first, at});
      spans.push_back({at, last});
    }
  }
  std::vector<Point> simple;
  for (size_t i = 0; i < points.size(); ++i) {
    if (kept[i]) simple.push_back(points[i]);
  }
  return simple;
}

// A quarter of a pixel: no simplification shows.
constexpr double kDrawingTolerance = 0.25;

void DrawPlan(const PlanPoints& plan, const std::vector<Station>& stations,
              const PlotLabels& labels, Svg& svg) {
  svg.Rect(kLeft, kPlanTop, kRight - kLeft, kPlanHeight, kFrame);
  svg.Text(kLeft + 8, kPlanTop + 18, labels.plan, kHeading);
  const auto& xs = plan.xs();
  const auto& ys = plan.ys();
  // The computed points run from metre 0 to the first empty one.
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
  size_t last = 0;
  for (size_t m = 0; m < xs.size(); ++m) {
    if (xs[m].kind == PlanValue::Kind::kEmpty ||
        ys[m].kind == PlanValue::Kind::kEmpty || !std::isfinite(xs[m].value) ||
        !std::isfinite(ys[m].value)) {
      break;
    }
    min_x = std::min(min_x, xs[m].value);
    max_x = std::max(max_x, xs[m].value);
    min_y = std::min(min_y, ys[m].value);
    max_y = std::max(max_y, ys[m].value);
    last = m;
  }
  if (last < 1) {
    svg.Text(kLeft + 20, kPlanTop + 60, labels.no_plan, kLabel);
    return;
  }
  // Coordinates so far apart that their distance overflows cannot be
  // drawn to any scale.
  if (!std::isfinite(max_x - min_x) || !std::isfinite(max_y - min_y)) {
    svg.Text(kLeft + 20, kPlanTop + 60, labels.out_of_scale, kLabel);
    return;
  }
  const double margin = 40;
  const double width = kRight - kLeft - 2 * margin;
  const double height = kPlanHeight - 2 * margin;
  const double scale = std::min(width / std::max(max_x - min_x, 1.0),
                                height / std::max(max_y - min_y, 1.0));
  // Centred in the frame; y grows northwards, the page's y southwards.
  const double x0 = kLeft + margin + (width - (max_x - min_x) * scale) / 2;
  const double y0 = kPlanTop + margin + (height - (max_y - min_y) * scale) / 2;
  auto page = [&](size_t m) {
    return std::pair{x0 + (xs[m].value - min_x) * scale,
                     y0 + (max_y - ys[m].value) * scale};
  };
  std::vector<std::pair<double, double>> points;
  for (size_t m = 0; m <= last; m += kPlanStep) points.push_back(page(m));
  if (last % kPlanStep != 0) points.push_back(page(last));
  svg.Polyline(Simplified(points, kDrawingTolerance), kTrack);
  for (const Station& st : stations) {
    const auto m = static_cast<size_t>(
        std::clamp<Long>(st.progressiva, 0, static_cast<Long>(last)));
    const auto [x, y] = page(m);
    svg.Circle(x, y, 4, kStation);
    svg.Text(x + 8, y + 4, st.name, kLabel);
  }
  // North arrow and scale bar.
  const double ax = kRight - 30;
  const double ay = kPlanTop + 20;
  svg.Line(ax, ay + 36, ax, ay + 4, kPen);
  svg.Polygon({{ax - 5, ay + 12}, {ax, ay}, {ax + 5, ay + 12}}, kInk);
  svg.Text(ax - 5, ay + 52, "N", kHeading);
  const double bar = NiceStep(200 / scale);
  const double bx = kLeft + 20;
  const double by = kPlanTop + kPlanHeight - 20;
  svg.Line(bx, by, bx + bar * scale, by, kPen);
  svg.Line(bx, by - 5, bx, by + 5, kPen);
  svg.Line(bx + bar * scale, by - 5, bx + bar * scale, by + 5, kPen);
  svg.Text(bx + bar * scale + 8, by + 4, Kilometres(bar), kLabel);
}

struct Strip {
  const char* title;
  double top;
  double low, high;  // value range
  Byte Cella::*field;
  const char* style;
};

// A cell's value as the strip shows it.
double Value(const Cella& c, Byte Cella::*field) {
  const int raw = c.*field;
  if (field == &Cella::pendenza) return GradientOfCell(c.pendenza);
  if (field == &Cella::velocita) return SpeedOfCell(c.velocita);
  return raw;
}

void DrawStrips(const Scenario& s, const std::vector<Station>& stations,
                const PlotLabels& labels, Svg& svg) {
  const auto& cells = s.celle.all();
  const double length =
      s.voci[kTrainSlot].fine > 0
          ? s.voci[kTrainSlot].fine
          : std::max<double>(
                0, (static_cast<double>(cells.size()) - 1) * kCellLength -
                       kRouteExtension);
  const double span = std::max(length, 1.0);
  auto px = [&](double metres) {
    return kLeft + std::clamp(metres, 0.0, span) / span * (kRight - kLeft);
  };
  const size_t route_cells = std::min(
      cells.size(), static_cast<size_t>(std::ceil(span / kCellLength)));

  // Value ranges, with room for the usual values.
  double gradient_low = -5, gradient_high = 5, speed_high = 0,
         adhesion_high = 0;
  for (size_t i = 0; i < route_cells; ++i) {
    gradient_low = std::min(gradient_low, Value(cells[i], &Cella::pendenza));
    gradient_high = std::max(gradient_high, Value(cells[i], &Cella::pendenza));
    speed_high = std::max(speed_high, Value(cells[i], &Cella::velocita));
    adhesion_high = std::max(adhesion_high, Value(cells[i], &Cella::aderenza));
  }
  const double step = kStripHeight + kStripGap;
  const Strip strips[] = {
      {labels.gradient, kStripsTop, gradient_low, gradient_high,
       &Cella::pendenza, kGradient},
      {labels.line_speed, kStripsTop + step, 0,
       std::ceil((speed_high + 1) / 20) * 20, &Cella::velocita, kSpeed},
      {labels.adhesion, kStripsTop + 2 * step, 0,
       std::ceil((adhesion_high + 1) / 20) * 20, &Cella::aderenza, kAdhesion},
  };
  const double lanes_top = kStripsTop + 3 * step;
  const double lanes_bottom = lanes_top + 4 * kLaneHeight;

  // Stop zones behind everything; names above the strips, staggered so
  // that neighbours do not overlap.
  for (size_t k = 0; k < stations.size(); ++k) {
    const Station& st = stations[k];
    svg.Rect(px(st.inizio), kStripsTop - kStripGap + 8,
             px(st.fine) - px(st.inizio),
             lanes_bottom - kStripsTop + kStripGap - 8, kZone);
    const double name_y = kNamesTop + static_cast<double>(k % 3) * kNameRow;
    svg.Line(px(st.progressiva), name_y + 3, px(st.progressiva),
             kStripsTop - kStripGap + 8, kStationLine);
    svg.Text(px(st.progressiva) + 3, name_y, st.name, kLabel);
  }

  // Kilometre grid and the shared axis.
  const double tick = NiceStep(span / 12);
  for (double m = 0; m <= span + 0.5; m += tick) {
    svg.Line(px(m), kStripsTop, px(m), lanes_bottom, kGrid);
    char label[32];
    std::snprintf(label, sizeof label, "%g", m / 1000);
    svg.Text(px(m) - 4, lanes_bottom + 16, label, kLabel);
  }
  svg.Text(kRight - 100, lanes_bottom + 34, labels.progressive, kLabel);

  for (const Strip& strip : strips) {
    auto py = [&](double v) {
      return strip.top + kStripHeight -
             (v - strip.low) / (strip.high - strip.low) * kStripHeight;
    };
    svg.Rect(kLeft, strip.top, kRight - kLeft, kStripHeight, kFrame);
    svg.Text(kLeft, strip.top - 6, strip.title, kHeading);
    for (double v : {strip.low, strip.high}) {
      svg.Text(kLeft - 8, py(v) + 4, Number(v), kAxis);
    }
    if (strip.low < 0) svg.Line(kLeft, py(0), kRight, py(0), kZero);
    // A step line, one level per run of equal cells.
    std::vector<std::pair<double, double>> steps;
    for (size_t i = 0; i < route_cells; ++i) {
      const double y = py(Value(cells[i], strip.field));
      const double to = px(static_cast<double>(i + 1) * kCellLength);
      if (!steps.empty() && steps.back().second == y) {
        steps.back().first = to;
        continue;
      }
      steps.push_back({px(static_cast<double>(i) * kCellLength), y});
      steps.push_back({to, y});
    }
    svg.Polyline(Simplified(steps, kDrawingTolerance), strip.style);
  }

  // Object lanes: signals, slow-downs, speed boards, signboards.
  const auto& lane_names = labels.lanes;
  for (int lane = 0; lane < 4; ++lane) {
    svg.Text(kLeft - 8, lanes_top + (lane + 0.7) * kLaneHeight,
             lane_names[lane], kAxis);
  }
  svg.Rect(kLeft, lanes_top, kRight - kLeft, 4 * kLaneHeight, kFrame);
  auto lane_y = [&](int lane) {
    return lanes_top + (lane + 0.5) * kLaneHeight;
  };
  double slow_start = -1;
  for (size_t i = 0; i < cells.size(); ++i) {
    const Cella& c = cells[i];
    // Objects stand at the progressive that put them in cell i.
    const double at = px((static_cast<double>(i) - 1) * kCellLength);
    switch (c.tipo) {
      case kSignal:
        svg.Polygon({{at - 4, lane_y(0) + 5},
                     {at, lane_y(0) - 5},
                     {at + 4, lane_y(0) + 5}},
                    kSignalMark);
        break;
      case kWarningBoard:
        svg.Polygon({{at - 5, lane_y(1)},
                     {at, lane_y(1) - 6},
                     {at + 5, lane_y(1)},
                     {at, lane_y(1) + 6}},
                    kWarning);
        break;
      case kSlowDownStart:
        slow_start = at;
        svg.Text(at + 3, lanes_top - 3 + 2 * kLaneHeight,
                 std::to_string(c.valore1) + " km/h", kSmall);
        break;
      case kSlowDownEnd:
        if (slow_start >= 0) {
          svg.Rect(slow_start, lanes_top + kLaneHeight + 3, at - slow_start,
                   kLaneHeight - 6, kSlow);
          svg.Rect(slow_start, strips[1].top, at - slow_start, kStripHeight,
                   kSlowBand);
        }
        slow_start = -1;
        break;
      case kSpeedBoard:
        svg.Rect(at - 3, lane_y(2) - 3, 6, 6, kBoard);
        break;
      case kSignboard:
        svg.Line(at, lane_y(3) - 6, at, lane_y(3) + 6, kSignboardMark);
        break;
    }
  }
}

}  // namespace

std::string PlotSvg(const Scenario& s, const PlanPoints& plan,
                    const std::string& title, Language language) {
  const PlotLabels& labels = PlotLabelsFor(language);
  const std::vector<Station> stations = Stations(s);
  const double height =
      kStripsTop + 3 * (kStripHeight + kStripGap) + 4 * kLaneHeight + 50;
  Svg svg;
  svg.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  svg.Raw("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
          Number(kWidth) + "\" height=\"" + Number(height) +
          "\" viewBox=\"0 0 " + Number(kWidth) + " " + Number(height) +
          "\">\n");
  svg.Rect(0, 0, kWidth, height, kBackground);
  svg.Text(kLeft, 36, title, kHeading);
  DrawPlan(plan, stations, labels, svg);
  DrawStrips(s, stations, labels, svg);
  svg.Raw("</svg>\n");
  return svg.text();
}

}  // namespace scenario
