#ifndef COMPILER_TRAIN_PARSER_H_
#define COMPILER_TRAIN_PARSER_H_

#include <set>
#include <string>
#include <string_view>

#include "compiler/source_reader.h"
#include "model/scenario.h"

namespace scenario {

// Reads a train source text into the scenario, after the route: coaches,
// braked mass, clock, sand, the speed and adhesion profiles, stations with
// their zones, stop cells and approach markers, signals, slow-downs and
// "abbattimento" points.
class TrainParser : private SourceReader {
 public:
  // `signboard_slot` is where the route's signboard texts ended: stations
  // must stay below it.
  TrainParser(Scenario& s, std::string_view text, std::string file,
              Long signboard_slot, bool read_on = false,
              CellOwners* owners = nullptr)
      : SourceReader(s, text, std::move(file), read_on, Phase::kTrain, owners),
        signboard_slot_(signboard_slot) {}

  // Reads the whole text. kEnded also after a line beyond the cells; a text
  // without "[generale]" is read as empty.
  Flow Read();
  // After the text: the last speed and adhesion run on to the end.
  Flow WriteTails();

 private:
  using SourceReader::Read;  // a field, beside the whole text's Read

  Flow Line();
  Flow Handle(const SourceLine& line);
  // A per-cell profile, line speed or adhesion: the cell it writes next,
  // the value of the line read last, and the item it stands in, for a
  // value found beyond its field only when it is written.
  struct Profile {
    Byte Cella::*field;
    int64_t cursor = 0;
    Long value = 0;
    Item line = {};
  };
  Flow ProfileLine(const SourceLine& line, Profile& profile);
  Flow Clock(const SourceLine& line);
  Flow Signal(const SourceLine& line);
  Flow SlowDown(const SourceLine& line);
  Flow Point(const SourceLine& line);
  Flow Station(const SourceLine& line);
  Flow StationZone(Voce& station, Long p, Long length);

  // Writes the profile's value into the cell at its cursor and advances.
  bool WriteProfile(Profile& profile);

  Long signboard_slot_;
  Profile speed_{&Cella::velocita};
  Profile adhesion_{&Cella::aderenza};
  Long station_ = 1;
  bool any_line_ = false;  // a line with a keyword has been read
  std::set<LineKind> single_seen_;
};

}  // namespace scenario

#endif  // COMPILER_TRAIN_PARSER_H_
