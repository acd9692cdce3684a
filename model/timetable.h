#ifndef MODEL_TIMETABLE_H_
#define MODEL_TIMETABLE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "model/scenario.h"

namespace scenario {

// The speed a driver meets in each cell, in km/h: the line speed, under a
// speed board's first speed from the board to the next board or change of
// line speed, under a slow-down's speed from its start mark to its end
// mark, and 0 at each stop. One value for each cell.
std::vector<int> SpeedMet(const std::vector<Cella>& cells);

// The kilometre posts of the route, as its kilometric references give
// them: each reference holds from its start to the next one's, and its
// flag tells the direction, 1 for kilometres falling along the route (the
// embedded route runs from 65 down to 0), 0 for rising. With no reference,
// the kilometres are the progressives'.
class KilometrePosts {
 public:
  explicit KilometrePosts(const Scenario& s);
  // The kilometre shown at `progressive`, in metres; may be negative.
  int64_t At(Long progressive) const;
  bool Falling(Long progressive) const;
  // The number of the post a train passes last before `progressive`.
  int64_t PostBefore(Long progressive) const;

 private:
  struct Reference {
    Long start;
    Long km;
    bool falling;
  };
  const Reference* ReferenceAt(Long progressive) const;
  std::vector<Reference> references_;  // by start
};

// The train's timetable read from its compiled scenario, with the least
// time each stretch between two stations takes at the speeds allowed: the
// sum, over the cells between the two stops, of 50 m at the speed met, a
// bound below any run that needs no train physics.
struct Timetable {
  struct Station {
    int slot;          // its record in the bank
    std::string name;  // Windows-1252, as stored
    Long progressive;
    Long zone_start, zone_end;
    bool stops;
    int64_t cell;  // where the train stops, or passes the station
    int64_t time;  // seconds since midnight: the departure, the last
                   // station's arrival; the first's is the start clock
                   // when the text gives it no time
  };
  struct Stretch {
    size_t from, to;    // stations
    int64_t scheduled;  // seconds
    double least;       // seconds; infinite where a speed of 0 bars it
    bool kept() const { return least <= static_cast<double>(scheduled); }
  };
  std::vector<Station> stations;
  // Between each two stations in a row whose times follow each other.
  std::vector<Stretch> stretches;
};
Timetable TimetableOf(const Scenario& s);

}  // namespace scenario

#endif  // MODEL_TIMETABLE_H_
