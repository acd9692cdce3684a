#include "tool/views/svg_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>
#include <vector>

#include "base/windows_1252.h"
#include "messages/package_words.h"
#include "model/cell_units.h"
#include "tool/views/route_view.h"
#include "tool/views/xml_text.h"

namespace scenario {
namespace {

// Page layout, in SVG units (pixels).
constexpr double kWidth = 1200;
constexpr double kLeft = 150;
constexpr double kRight = 1170;
constexpr double kPlanTop = 60;
constexpr double kPlanHeight = 420;
constexpr double kNamesTop = 512;  // station names, in up to three rows
constexpr double kNameRow = 15;
constexpr double kProfilesTop = 580;
constexpr double kStripHeight = 96;
constexpr double kStripGap = 30;    // room for each strip's title
constexpr double kLaneHeight = 22;  // one row of object marks
// Of an 11 px sans-serif label, capitals included, a little generously.
constexpr double kCharWidth = 7.6;

// How each kind of mark looks, as presentation attributes, which every SVG
// viewer understands. No text is smaller than 10 px at the page's width.
// Light fills are the colour already blended over the white page: every
// renderer draws an opaque colour alike, where some ignore fill-opacity.
constexpr char kBackground[] = R"(fill="#fff")";
constexpr char kHeading[] =
    R"(font-family="sans-serif" font-size="14" font-weight="bold" fill="#222")";
constexpr char kLabel[] =
    R"(font-family="sans-serif" font-size="11" fill="#222")";
constexpr char kNotice[] =
    R"(font-family="sans-serif" font-size="11" font-weight="bold" fill="#b00")";
constexpr char kSmall[] =
    R"(font-family="sans-serif" font-size="10" fill="#222")";
constexpr char kAxis[] =
    R"(font-family="sans-serif" font-size="10" fill="#222" text-anchor="end")";
constexpr char kMiddle[] =
    R"(font-family="sans-serif" font-size="10" fill="#222" text-anchor="middle")";
constexpr char kFrame[] = R"(fill="none" stroke="#888")";
constexpr char kGrid[] = R"(stroke="#e4e4e4")";
constexpr char kZero[] = R"(stroke="#999" stroke-dasharray="4 3")";
constexpr char kTrack[] = R"(fill="none" stroke="#1f4e9a" stroke-width="2")";
constexpr char kExtensionTrack[] =
    R"(fill="none" stroke="#1f4e9a" stroke-width="1.5" stroke-dasharray="6 4")";
constexpr char kExtension[] = R"(fill="#f0f0f0")";
constexpr char kEndLine[] = R"(stroke="#000" stroke-width="1.2")";
constexpr char kStation[] = R"(fill="#fff" stroke="#c0392b" stroke-width="2")";
constexpr char kStationLine[] = R"(stroke="#c0392b" stroke-width="0.6")";
constexpr char kZone[] = R"(fill="#f7e7e6")";
constexpr char kHeight[] = R"(fill="none" stroke="#555" stroke-width="1.5")";
constexpr char kGradient[] =
    R"(fill="none" stroke="#7d5a2b" stroke-width="1.5")";
constexpr char kSpeed[] = R"(fill="none" stroke="#1f7a3a" stroke-width="1.5")";
constexpr char kSpeedMet[] =
    R"(fill="none" stroke="#d35400" stroke-width="1.5" stroke-dasharray="5 2")";
constexpr char kAdhesion[] =
    R"(fill="none" stroke="#6a3d9a" stroke-width="1.5")";
constexpr char kCurveRight[] = R"(fill="#6daad4")";
constexpr char kCurveLeft[] = R"(fill="#5cbdaa")";
constexpr char kMountain[] = R"(fill="#ccbeb9")";
constexpr char kSignalMark[] = R"(fill="#d62728")";
constexpr char kWarning[] = R"(fill="#ff9900")";
constexpr char kSlow[] = R"(fill="#ffc266")";
constexpr char kSlowBand[] = R"(fill="#fff0d9")";
constexpr char kBoard[] = R"(fill="#222")";
constexpr char kSignboardMark[] = R"(stroke="#555" stroke-width="2")";
constexpr char kPen[] = R"(stroke="#222" stroke-width="2")";
constexpr char kInk[] = R"(fill="#222")";

// A coordinate to a tenth of a pixel, without a point when whole.
std::string Number(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", v);
  std::string text = buffer;
  if (text.ends_with(".0")) text.resize(text.size() - 2);
  return text == "-0" ? "0" : text;
}

using Point = std::pair<double, double>;

// Accumulates the SVG text; every coordinate goes through Number so that
// the output is the same on every run. A mark given a `title` shows it as
// a tooltip. Marks of one kind go in a group that carries their style
// once: a thousand signals do not repeat it a thousand times.
class Svg {
 public:
  void Raw(const std::string& text) { out_ += text; }
  void Group(const char* style, const char* kind) {
    out_ += std::string("<g ") + style + " class=\"" + kind + "\">\n";
  }
  void EndGroup() { out_ += "</g>\n"; }
  // A shape drawn by path data, styled by its group.
  void Path(const std::string& data, const std::string& title) {
    Element("<path d=\"" + data + "\"", "path", title, nullptr);
  }
  void Line(double x1, double y1, double x2, double y2, const char* style) {
    out_ += "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" +
            Number(x2) + "\" y2=\"" + Number(y2) + "\" " + style + "/>\n";
  }
  void Rect(double x, double y, double w, double h, const char* style,
            const std::string& title = {}, const char* kind = nullptr) {
    Element("<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" +
                Number(std::max(w, 0.0)) + "\" height=\"" +
                Number(std::max(h, 0.0)) + "\"" +
                (*style != '\0' ? std::string(" ") + style : ""),
            "rect", title, kind);
  }
  void Text(double x, double y, const std::string& text, const char* style) {
    out_ += "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" " + style +
            ">" + XmlText(text) + "</text>\n";
  }
  void Polygon(const std::vector<Point>& points, const char* style,
               const std::string& title = {}, const char* kind = nullptr) {
    Element(
        "<polygon " + std::string(style) + " points=\"" + Points(points) + "\"",
        "polygon", title, kind);
  }
  // A line through the points, as a path of steps from each to the next
  // in tenths of a pixel: a profile of thousands of points is mostly short
  // level and upright steps.
  void Polyline(const std::vector<Point>& points, const char* style) {
    if (points.empty()) return;
    auto tenths = [](double v) { return std::llround(v * 10); };
    // Steps below a pixel are written without their leading zero.
    auto number = [](long long t) {
      std::string text = Number(static_cast<double>(t) / 10);
      const size_t zero = text[0] == '-' ? 1 : 0;
      if (text.size() > zero + 1 && text.compare(zero, 2, "0.") == 0) {
        text.erase(zero, 1);
      }
      return text;
    };
    long long x = tenths(points[0].first), y = tenths(points[0].second);
    std::string d = "M" + number(x) + " " + number(y);
    for (size_t i = 1; i < points.size(); ++i) {
      const long long nx = tenths(points[i].first);
      const long long ny = tenths(points[i].second);
      if (ny == y) {
        d += "h" + number(nx - x);
      } else if (nx == x) {
        d += "v" + number(ny - y);
      } else {
        const std::string dy = number(ny - y);
        d += "l" + number(nx - x) + (dy[0] == '-' ? "" : " ") + dy;
      }
      x = nx;
      y = ny;
    }
    out_ += "<path " + std::string(style) + " d=\"" + d + "\"/>\n";
  }
  void Circle(double x, double y, double r, const char* style,
              const std::string& title = {}, const char* kind = nullptr) {
    Element("<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"" +
                Number(r) + "\" " + style,
            "circle", title, kind);
  }
  const std::string& text() const { return out_; }

 private:
  void Element(const std::string& open, const char* tag,
               const std::string& title, const char* kind) {
    out_ += open;
    if (kind != nullptr) out_ += std::string(" class=\"") + kind + "\"";
    if (title.empty()) {
      out_ += "/>\n";
      return;
    }
    out_ += "><title>" + XmlText(title) + "</title></" + tag + ">\n";
  }
  static std::string Points(const std::vector<Point>& points) {
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

// A tick's label: whole numbers without a point, others with one decimal.
std::string TickText(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer,
                std::abs(v - std::round(v)) < 1e-9 ? "%.0f" : "%.1f", v);
  return std::string(buffer) == "-0" ? "0" : buffer;
}

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

// Half a pixel: what a pixel cannot show is left out.
constexpr double kDrawingTolerance = 0.5;

// Labels along one axis, in rows: each goes into the first row where it
// does not touch the one before it; one that fits no row is left out (its
// mark keeps its tooltip). Returns the row of each, -1 for left out.
std::vector<int> LabelRows(const std::vector<std::pair<double, double>>& spans,
                           int rows) {
  std::vector<double> ends(static_cast<size_t>(rows), -1e300);
  std::vector<int> placed;
  for (const auto& [from, to] : spans) {
    int row = -1;
    for (int r = 0; r < rows && row < 0; ++r) {
      if (from > ends[static_cast<size_t>(r)] + 4) row = r;
    }
    if (row >= 0) ends[static_cast<size_t>(row)] = to;
    placed.push_back(row);
  }
  return placed;
}

double LabelWidth(const std::string& text) {
  return static_cast<double>(text.size()) * kCharWidth;
}

std::string StationText(const RouteView::Station& st, const PlotLabels& l) {
  return Format(
      l[PlotWord::kStation], st.number, st.name.c_str(), st.type_text.c_str(),
      st.start, st.end,
      ClockText(st.time / 3600, st.time / 60 % 60, st.time % 60).c_str());
}

void DrawPlan(const PlanSketch& plan, const RouteView& view,
              const PlotLabels& labels, Svg& svg) {
  svg.Rect(kLeft, kPlanTop, kRight - kLeft, kPlanHeight, kFrame);
  svg.Text(kLeft + 8, kPlanTop + 18, labels[PlotWord::kPlan], kHeading);
  // The computed points run from metre 0 to the first empty one.
  if (!plan.drawable()) {
    svg.Text(kLeft + 20, kPlanTop + 60, labels[PlotWord::kNoPlan], kLabel);
    return;
  }
  const double min_x = plan.min_x(), max_x = plan.max_x();
  const double min_y = plan.min_y(), max_y = plan.max_y();
  const size_t last = plan.last();
  // Coordinates so far apart that their distance overflows cannot be
  // drawn to any scale.
  if (!std::isfinite(max_x - min_x) || !std::isfinite(max_y - min_y)) {
    svg.Text(kLeft + 20, kPlanTop + 60, labels[PlotWord::kOutOfScale], kLabel);
    return;
  }
  // The plan fills its box, below the heading and clear of the arrow.
  const double left = kLeft + 20, right = kRight - 60;
  const double top = kPlanTop + 34, bottom = kPlanTop + kPlanHeight - 40;
  const double scale = std::min((right - left) / std::max(max_x - min_x, 1.0),
                                (bottom - top) / std::max(max_y - min_y, 1.0));
  // Centred in the box; y grows northwards, the page's y southwards.
  const double x0 = left + ((right - left) - (max_x - min_x) * scale) / 2;
  const double y0 = top + ((bottom - top) - (max_y - min_y) * scale) / 2;
  auto page = [&](const PlanSketch::Point& p) {
    return Point{x0 + (p.first - min_x) * scale,
                 y0 + (max_y - p.second) * scale};
  };
  // The route solid, the extension past its end dashed.
  const size_t end =
      std::min(last, static_cast<size_t>(std::max(0.0, view.route_length)));
  for (const auto& [from, to, style] :
       {std::tuple{size_t{0}, end, kTrack},
        std::tuple{end, last, kExtensionTrack}}) {
    if (to <= from) continue;
    std::vector<Point> points;
    for (const PlanSketch::Point& p : plan.Between(from, to)) {
      points.push_back(page(p));
    }
    svg.Polyline(Simplified(points, kDrawingTolerance), style);
  }
  // Station names beside their marks, moved down a row where they would
  // touch one already placed.
  std::vector<std::pair<Point, Point>> taken;  // label boxes
  for (const RouteView::Station& st : view.stations) {
    const auto m = static_cast<size_t>(std::max<Long>(st.progressive, 0));
    // Plain names, not bindings: the lambda below sees them.
    const Point at = page(plan.At(std::min(m, last)));
    const double x = at.first, y = at.second;
    svg.Circle(x, y, 4, kStation, StationText(st, labels), "station");
    double ly = y + 4;
    const double w = LabelWidth(st.name);
    for (int tries = 0; tries < 8; ++tries) {
      const bool touches = std::any_of(
          taken.begin(), taken.end(), [&](const std::pair<Point, Point>& b) {
            return x + 8 < b.second.first && x + 8 + w > b.first.first &&
                   ly - 11 < b.second.second && ly + 2 > b.first.second;
          });
      if (!touches) break;
      ly += 13;
    }
    taken.push_back({{x + 8, ly - 11}, {x + 8 + w, ly + 2}});
    svg.Text(x + 8, ly, st.name, kLabel);
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

// One strip chart: a title, a frame, value ticks with 0 among them when
// in range, and its lines.
struct Strip {
  const char* title;
  double top;
  double low, high;
};

double StripY(const Strip& strip, double v) {
  return strip.top + kStripHeight -
         (v - strip.low) / (strip.high - strip.low) * kStripHeight;
}

void DrawStripFrame(const Strip& strip, Svg& svg) {
  svg.Rect(kLeft, strip.top, kRight - kLeft, kStripHeight, kFrame);
  svg.Text(kLeft, strip.top - 8, strip.title, kHeading);
  const double step = NiceStep((strip.high - strip.low) / 4);
  for (double v = std::ceil(strip.low / step) * step; v <= strip.high + 1e-9;
       v += step) {
    const double y = StripY(strip, v);
    svg.Line(kLeft - 4, y, kLeft, y, kFrame);
    svg.Text(kLeft - 7, y + 4, TickText(v), kAxis);
    if (std::abs(v) < 1e-9 && strip.low < 0) {
      svg.Line(kLeft, y, kRight, y, kZero);
    }
  }
}

// A range that holds the values, with round ends and 0 in it.
void Fit(const std::vector<double>& values, double* low, double* high) {
  *low = 0;
  *high = 1;
  for (double v : values) {
    *low = std::min(*low, v);
    *high = std::max(*high, v);
  }
  const double step = NiceStep((*high - *low) / 4);
  *low = std::floor(*low / step) * step;
  *high = std::ceil(*high / step) * step;
  if (*high <= *low) *high = *low + 1;
}

void DrawProfiles(const RouteView& view, const PlotLabels& labels, Svg& svg) {
  const size_t cells = view.gradient.size();
  const double span = std::max(1.0, static_cast<double>(cells) * kCellLength);
  auto px = [&](double metres) {
    return kLeft + std::clamp(metres, 0.0, span) / span * (kRight - kLeft);
  };
  auto as_doubles = [](const auto& values) {
    return std::vector<double>(values.begin(), values.end());
  };
  Strip strips[4];
  const char* titles[] = {
      labels[PlotWord::kHeight], labels[PlotWord::kGradient],
      labels[PlotWord::kLineSpeed], labels[PlotWord::kAdhesion]};
  const std::vector<double> series[] = {view.height, as_doubles(view.gradient),
                                        as_doubles(view.line_speed),
                                        as_doubles(view.adhesion)};
  const double step = kStripHeight + kStripGap;
  for (int k = 0; k < 4; ++k) {
    strips[k] = {titles[k], kProfilesTop + k * step, 0, 1};
    Fit(series[k], &strips[k].low, &strips[k].high);
  }
  const double track_top = kProfilesTop + 4 * step;
  const double lanes_top = track_top + kLaneHeight + 8;
  const double bottom = lanes_top + 4 * kLaneHeight;

  // Behind everything: the stop zones, the slow-downs and the extension.
  for (const RouteView::Station& st : view.stations) {
    svg.Rect(px(st.start), kProfilesTop - 12, px(st.end) - px(st.start),
             bottom - kProfilesTop + 12, kZone);
  }
  for (const RouteView::Stretch& slow : view.slow_downs) {
    svg.Rect(px(slow.from), strips[2].top, px(slow.to) - px(slow.from),
             kStripHeight, kSlowBand,
             Format(labels[PlotWord::kSlowDown], slow.value));
  }
  const double end_x = px(view.route_length);
  svg.Rect(end_x, kProfilesTop - 12, kRight - end_x, bottom - kProfilesTop + 12,
           kExtension, labels[PlotWord::kExtension]);
  svg.Line(end_x, kProfilesTop - 16, end_x, bottom, kEndLine);
  svg.Text(end_x + 3, kProfilesTop - 2, labels[PlotWord::kRouteEnd], kSmall);

  // Station names above the profiles, in rows that never overlap.
  std::vector<std::pair<double, double>> spans;
  for (const RouteView::Station& st : view.stations) {
    const double x = px(static_cast<double>(st.progressive));
    spans.push_back({x, x + 3 + LabelWidth(st.name)});
  }
  const std::vector<int> rows = LabelRows(spans, 3);
  for (size_t k = 0; k < view.stations.size(); ++k) {
    const RouteView::Station& st = view.stations[k];
    const double x = px(static_cast<double>(st.progressive));
    if (rows[k] >= 0) {
      const double y = kNamesTop + rows[k] * kNameRow;
      svg.Line(x, y + 3, x, kProfilesTop - 12, kStationLine);
      svg.Text(x + 3, y, st.name, kLabel);
    }
  }

  // Kilometre grid and the shared axis, 0 first.
  const double tick = NiceStep(span / 12);
  for (double m = 0; m <= span + 0.5; m += tick) {
    svg.Line(px(m), kProfilesTop, px(m), bottom, kGrid);
    svg.Text(px(m), bottom + 16, TickText(m / 1000), kMiddle);
  }
  svg.Text(kRight, bottom + 30, labels[PlotWord::kProgressive], kAxis);

  // The profiles: the height as a line, the others as steps.
  for (int k = 0; k < 4; ++k) DrawStripFrame(strips[k], svg);
  auto steps = [&](const Strip& strip, const auto& values) {
    std::vector<Point> points;
    for (size_t i = 0; i < values.size(); ++i) {
      const double y = StripY(strip, values[i]);
      const double to = px(static_cast<double>(i + 1) * kCellLength);
      if (!points.empty() && points.back().second == y) {
        points.back().first = to;
        continue;
      }
      points.push_back({px(static_cast<double>(i) * kCellLength), y});
      points.push_back({to, y});
    }
    return Simplified(points, kDrawingTolerance);
  };
  std::vector<Point> height;
  for (size_t i = 0; i < cells; ++i) {
    height.push_back({px(static_cast<double>(i) * kCellLength),
                      StripY(strips[0], view.height[i])});
  }
  svg.Polyline(Simplified(height, kDrawingTolerance), kHeight);
  svg.Polyline(steps(strips[1], view.gradient), kGradient);
  svg.Polyline(steps(strips[2], view.line_speed), kSpeed);
  svg.Polyline(steps(strips[2], view.speed_met), kSpeedMet);
  svg.Polyline(steps(strips[3], view.adhesion), kAdhesion);

  // Curves above the track lane's middle when to the right, below when to
  // the left, as tall as their class; mountain stretches behind them.
  svg.Text(kLeft - 7, track_top + kLaneHeight * 0.7, labels[PlotWord::kTrack],
           kAxis);
  svg.Rect(kLeft, track_top, kRight - kLeft, kLaneHeight, kFrame);
  for (const RouteView::Stretch& m : view.mountains) {
    svg.Rect(px(m.from), track_top, px(m.to) - px(m.from), kLaneHeight,
             kMountain, Format(labels[PlotWord::kMountain], m.value));
  }
  const double middle = track_top + kLaneHeight / 2;
  for (const bool right : {true, false}) {
    svg.Group(right ? kCurveRight : kCurveLeft, "curve");
    for (const RouteView::Stretch& c : view.curves) {
      if ((c.value > 0) != right) continue;
      const double h = 1.5 * std::abs(c.value) + 1;
      svg.Rect(px(c.from), right ? middle - h : middle,
               std::max(px(c.to) - px(c.from), 1.0), h, "",
               Format(right ? labels[PlotWord::kCurveRight]
                            : labels[PlotWord::kCurveLeft],
                      std::abs(c.value)));
    }
    svg.EndGroup();
  }

  // Object lanes: signals, slow-downs, speed boards, signboards.
  for (int lane = 0; lane < 4; ++lane) {
    svg.Text(kLeft - 7, lanes_top + (lane + 0.7) * kLaneHeight,
             labels.at(PlotWord::kLaneSignals, lane), kAxis);
  }
  svg.Rect(kLeft, lanes_top, kRight - kLeft, 4 * kLaneHeight, kFrame);
  auto lane_y = [&](int lane) {
    return lanes_top + (lane + 0.5) * kLaneHeight;
  };
  // Each kind of mark in its group, in the order of the route.
  using Kind = CellKind;
  const struct {
    const char* style;
    const char* kind;
    std::initializer_list<Kind> kinds;
  } groups[] = {
      {kSignalMark, "signal", {Kind::kSignal}},
      {kWarning, "slow-down", {Kind::kWarningBoard}},
      {kSlow,
       "slow-down",
       {Kind::kSlowDownStart, Kind::kSlowDownEnd, Kind::kSlowDownMarker}},
      {kBoard, "board", {Kind::kSpeedBoard}},
      {kSignboardMark, "signboard", {Kind::kSignboard}},
  };
  for (const auto& group : groups) {
    svg.Group(group.style, group.kind);
    double last_board = -1e300;
    int board_level = 0;
    for (const RouteView::Object& o : view.objects) {
      if (std::find(group.kinds.begin(), group.kinds.end(), o.kind) ==
          group.kinds.end()) {
        continue;
      }
      const double at = px(o.at);
      switch (o.kind) {
        case Kind::kSignal:
          svg.Path("M" + Number(at - 4) + " " + Number(lane_y(0) + 6) +
                       "l4-12 4 12z",
                   o.text);
          break;
        case Kind::kWarningBoard:
          svg.Path(
              "M" + Number(at - 5) + " " + Number(lane_y(1)) + "l5-6 5 6-5 6z",
              o.text);
          break;
        case Kind::kSpeedBoard: {
          // Boards closer than their own width go up and down in turn, so
          // that each stays a mark of its own.
          board_level = at - last_board < 8 ? (board_level + 1) % 3 : 0;
          last_board = at;
          const double y = lane_y(2) - 3 +
                           (board_level == 1   ? -6
                            : board_level == 2 ? 6
                                               : 0);
          svg.Rect(at - 3, y, 6, 6, "", o.text);
          break;
        }
        case Kind::kSignboard:
          svg.Rect(at - 1, lane_y(3) - 6, 2, 12, "", o.text);
          break;
        default:  // the slow-down's marks
          svg.Rect(at - 2, lane_y(1) - 6, 4, 12, "", o.text);
          break;
      }
    }
    svg.EndGroup();
  }
  for (const RouteView::Stretch& slow : view.slow_downs) {
    svg.Text(px(slow.from), lanes_top + kLaneHeight - 1,
             std::to_string(slow.value) + " km/h", kSmall);
  }

  // The legend.
  const double ly = bottom + 52;
  struct Key {
    const char* style;
    const char* label;
  } keys[] = {{kHeight, labels[PlotWord::kHeight]},
              {kGradient, labels[PlotWord::kGradient]},
              {kSpeed, labels[PlotWord::kLineSpeed]},
              {kSpeedMet, labels[PlotWord::kSpeedMet]},
              {kAdhesion, labels[PlotWord::kAdhesion]},
              {kCurveRight, labels[PlotWord::kCurveRight]},
              {kCurveLeft, labels[PlotWord::kCurveLeft]},
              {kMountain, labels[PlotWord::kMountain]},
              {kZone, labels[PlotWord::kStations]},
              {kExtension, labels[PlotWord::kExtension]}};
  double lx = kLeft;
  double row_y = ly;
  for (const Key& key : keys) {
    // Patterns with a number in them are shown without it.
    std::string label = key.label;
    if (const size_t cut = label.find(" %d"); cut != std::string::npos) {
      label = label.substr(
          0, label.find(',') != std::string::npos ? label.find(',') : cut);
    }
    if (const size_t cut = label.find(" ("); cut != std::string::npos) {
      label = label.substr(0, cut);
    }
    const double w = 30 + LabelWidth(label) + 16;
    if (lx + w > kRight) {
      lx = kLeft;
      row_y += 18;
    }
    if (std::string(key.style).find("fill=\"none\"") != std::string::npos) {
      svg.Line(lx, row_y - 4, lx + 22, row_y - 4, key.style);
    } else {
      svg.Rect(lx, row_y - 10, 22, 10, key.style);
    }
    svg.Text(lx + 28, row_y, label, kLabel);
    lx += w;
  }
}

double PlotHeight() {
  return kProfilesTop + 4 * (kStripHeight + kStripGap) + 5 * kLaneHeight + 8 +
         100;
}

}  // namespace

std::string PlotSvg(const Scenario& s, const PlanSketch& plan,
                    const std::string& title, Language language,
                    const std::string& notice) {
  const PlotLabels& labels = PlotLabelsFor(language);
  const RouteView view = ViewOf(s, plan, language);
  const double height = PlotHeight();
  Svg svg;
  svg.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  svg.Raw("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
          Number(kWidth) + "\" height=\"" + Number(height) +
          "\" viewBox=\"0 0 " + Number(kWidth) + " " + Number(height) +
          "\">\n");
  svg.Rect(0, 0, kWidth, height, kBackground);
  svg.Text(kLeft, 36, title, kHeading);
  if (!notice.empty()) svg.Text(kLeft, 52, notice, kNotice);
  DrawPlan(plan, view, labels, svg);
  DrawProfiles(view, labels, svg);
  svg.Raw("</svg>\n");
  return svg.text();
}

}  // namespace scenario
