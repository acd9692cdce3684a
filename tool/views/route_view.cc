#include "tool/views/route_view.h"

#include <algorithm>
#include <cmath>

#include "messages/package_words.h"
#include "model/cell_units.h"
#include "model/curve_classes.h"
#include "model/timetable.h"

namespace scenario {
namespace {

using Kind = CellKind;

// Objects a cell holds, by its kind; the others (nothing, a mountain's
// pass-through mark, a kind no compile writes) are none.
bool IsObject(Byte tipo) {
  switch (tipo) {
    case kSignal:
    case kWarningBoard:
    case kSlowDownStart:
    case kSlowDownEnd:
    case kSlowDownMarker:
    case kSpeedBoard:
    case kSignboard:
    case kStopPoint:
    case kSpeedPoint:
    case kPlainPoint:
      return true;
  }
  return false;
}

// Signals, boards and slow-down marks go to the cell after their
// progressive's; stop and speed points to their progressive's own.
double PlaceOf(Kind kind, size_t cell) {
  const double start = static_cast<double>(cell) * kCellLength;
  const bool own_cell = kind == Kind::kStopPoint || kind == Kind::kSpeedPoint ||
                        kind == Kind::kPlainPoint;
  return own_cell ? start : std::max(0.0, start - kCellLength);
}

// Runs of equal nonzero values of `value(cell)` as stretches in metres.
template <typename Value>
std::vector<RouteView::Stretch> Runs(size_t cells, Value value) {
  std::vector<RouteView::Stretch> runs;
  for (size_t i = 0; i < cells; ++i) {
    const int v = value(i);
    const double from = static_cast<double>(i) * kCellLength;
    if (v != 0 && !runs.empty() && runs.back().value == v &&
        runs.back().to == from) {
      runs.back().to = from + kCellLength;
    } else if (v != 0) {
      runs.push_back({from, from + kCellLength, v});
    }
  }
  return runs;
}

}  // namespace

RouteView ViewOf(const Scenario& s, const PlanSketch& plan, Language language) {
  const std::vector<Cella>& cells = s.celle.all();
  RouteView view;
  const size_t n = cells.size();
  view.route_length = std::max<double>(0, s.voci[kTrainSlot].fine);
  view.route_cells = std::min(
      n, static_cast<size_t>(std::ceil(view.route_length / kCellLength)));

  double height = 0;
  for (size_t i = 0; i < n; ++i) {
    const Cella& c = cells[i];
    view.gradient.push_back(GradientOfCell(c.pendenza));
    view.height.push_back(height);
    height += view.gradient.back() * kCellLength / 1000.0;
    view.line_speed.push_back(SpeedOfCell(c.velocita));
    view.adhesion.push_back(c.aderenza);
    if (!IsObject(c.tipo)) continue;
    const auto kind = static_cast<Kind>(c.tipo);
    view.objects.push_back(
        {kind, i, PlaceOf(kind, i), ObjectText(s, i, language)});
  }

  for (int slot = kFirstStationSlot; slot <= kLastSignboardSlot; ++slot) {
    const Voce& v = s.voci[static_cast<size_t>(slot)];
    if (v == Voce{} || v.holds_only_text()) continue;
    const bool stops = v.tipo < kStoppingTypesBelow;
    const std::string type_text =
        std::to_string(v.tipo) + " (" +
        WordFor(stops ? PlotWord::kStops : PlotWord::kPasses, language) + ")";
    view.stations.push_back({slot, v.nome, type_text, v.progressiva, v.inizio,
                             v.fine, v.orario, stops});
  }

  // The slow-downs, from their start marks to their end marks.
  const RouteView::Object* start = nullptr;
  for (const RouteView::Object& o : view.objects) {
    if (o.kind == Kind::kSlowDownStart) start = &o;
    if (o.kind == Kind::kSlowDownEnd && start != nullptr) {
      view.slow_downs.push_back({start->at, o.at, cells[start->cell].valore1});
      start = nullptr;
    }
  }

  view.speed_met = SpeedMet(cells);

  // The last three cells hold no profile: the compile leaves them 0.
  const size_t profiled = ProfiledCells(n);
  for (auto* series :
       {&view.gradient, &view.line_speed, &view.speed_met, &view.adhesion}) {
    series->resize(profiled);
  }
  view.height.resize(profiled);

  view.mountains = Runs(n, [&](size_t i) { return cells[i].montagna; });
  view.curves = Runs(n, [&](size_t i) { return CurveClassOf(plan.TurnAt(i)); });
  return view;
}

}  // namespace scenario
