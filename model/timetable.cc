#include "model/timetable.h"

#include <algorithm>
#include <limits>

#include "model/cell_units.h"

namespace scenario {

std::vector<int> SpeedMet(const std::vector<Cella>& cells) {
  const size_t n = cells.size();
  std::vector<int> met(n);
  int board = -1;
  for (size_t i = 0; i < n; ++i) {
    met[i] = SpeedOfCell(cells[i].velocita);
    if (i > 0 && cells[i].velocita != cells[i - 1].velocita) board = -1;
    if (cells[i].tipo == kSpeedBoard) board = SpeedPairLeft(cells[i].valore1);
    if (board >= 0) met[i] = std::min(met[i], board);
  }
  // A slow-down's marks stand in the cell before their own: it holds from
  // the start mark's place to the end mark's.
  auto place = [](size_t cell) { return cell > 0 ? cell - 1 : 0; };
  size_t start = n;
  for (size_t i = 0; i < n; ++i) {
    if (cells[i].tipo == kSlowDownStart) start = i;
    if (cells[i].tipo == kSlowDownEnd && start < n) {
      for (size_t k = place(start); k <= place(i); ++k) {
        met[k] = std::min<int>(met[k], cells[start].valore1);
      }
      start = n;
    }
  }
  for (size_t i = 0; i < n; ++i) {
    if (cells[i].tipo == kStopPoint) met[i] = 0;
  }
  return met;
}

KilometrePosts::KilometrePosts(const Scenario& s) {
  for (int slot : {kReferenceThreeSlot, kReferenceTwoSlot, kReferenceOneSlot}) {
    const Voce& v = s.voci[static_cast<size_t>(slot)];
    if (v.inizio == 0 && v.fine == 0 && v.progressiva == 0) continue;
    // The post the author named, before the compile's 100 m for the flag.
    references_.push_back({v.inizio, KmAsWritten(v), v.progressiva == 1});
  }
  std::sort(
      references_.begin(), references_.end(),
      [](const Reference& a, const Reference& b) { return a.start < b.start; });
}

const KilometrePosts::Reference* KilometrePosts::ReferenceAt(
    Long progressive) const {
  if (references_.empty()) return nullptr;
  const Reference* at = &references_.front();
  for (const Reference& r : references_) {
    if (r.start <= progressive) at = &r;
  }
  return at;
}

int64_t KilometrePosts::At(Long progressive) const {
  const Reference* r = ReferenceAt(progressive);
  if (r == nullptr) return progressive;
  const int64_t along = int64_t{progressive} - r->start;
  return r->falling ? r->km - along : r->km + along;
}

bool KilometrePosts::Falling(Long progressive) const {
  const Reference* r = ReferenceAt(progressive);
  return r != nullptr && r->falling;
}

int64_t KilometrePosts::PostBefore(Long progressive) const {
  const int64_t km = At(progressive);
  // Falling, the post passed last is the next kilometre up; rising, down.
  const int64_t down = km >= 0 ? km / 1000 : -((-km + 999) / 1000);
  const bool exact = km % 1000 == 0;
  return Falling(progressive) && !exact ? down + 1 : down;
}

Timetable TimetableOf(const Scenario& s) {
  Timetable timetable;
  const Voce& extra = s.voci[kExtraSlot];
  const int64_t clock = (int64_t{extra.*general_record::kClockHours} * 60 +
                         extra.*general_record::kClockMinutes) *
                            60 +
                        extra.*general_record::kClockSeconds;
  for (int slot = kFirstStationSlot; slot <= kLastSignboardSlot; ++slot) {
    const Voce& v = s.voci[static_cast<size_t>(slot)];
    if (v == Voce{} || v.holds_only_text()) continue;
    const bool stops = v.tipo < kStoppingTypesBelow;
    const bool first = timetable.stations.empty();
    timetable.stations.push_back(
        {slot, v.nome, v.progressiva, v.inizio, v.fine, stops,
         stops ? StopCellOf(v) : v.progressiva / kCellLength,
         first && v.orario == 0 ? clock : v.orario});
  }

  const std::vector<Cella>& cells = s.celle.all();
  const std::vector<int> met = SpeedMet(cells);
  const auto& stations = timetable.stations;
  for (size_t k = 1; k < stations.size(); ++k) {
    const int64_t scheduled = stations[k].time - stations[k - 1].time;
    if (scheduled <= 0) continue;  // told as times out of order
    double least = 0;
    const int64_t from = std::max<int64_t>(stations[k - 1].cell + 1, 0);
    const int64_t to =
        std::min<int64_t>(stations[k].cell, static_cast<int64_t>(met.size()));
    for (int64_t c = from; c < to; ++c) {
      const int speed = met[static_cast<size_t>(c)];
      least += speed > 0 ? kCellLength * 3.6 / speed
                         : std::numeric_limits<double>::infinity();
    }
    timetable.stretches.push_back({k - 1, k, scheduled, least});
  }
  return timetable;
}

}  // namespace scenario
