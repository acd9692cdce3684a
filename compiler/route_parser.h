#ifndef COMPILER_ROUTE_PARSER_H_
#define COMPILER_ROUTE_PARSER_H_

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/source_reader.h"
#include "model/scenario.h"

namespace scenario {

// Reads a route source text into the scenario: the general phase (route
// length and cells, kilometric references, backgrounds, cab signal
// repetition), the ordering of the references, then the body (gradient
// profile, track plan, mountain stretches, speed boards, signboards).
class RouteParser : private SourceReader {
 public:
  RouteParser(Scenario& s, std::string_view text, std::string file,
              bool read_on = false, CellOwners* owners = nullptr)
      : SourceReader(s, text, std::move(file), read_on, Phase::kRouteGeneral,
                     owners) {}

  // Reads the whole text. kEnded also after a line beyond the cells.
  Flow Read();
  // After the text: the last gradient and the plan run on to the end.
  Flow WriteTails();
  // The next free signboard slot: records above it hold signboard texts.
  Long signboard_slot() const { return signboard_slot_; }

  // A kilometric reference line as read, with where its start and km value
  // stand, so that a check after the ordering can point back at it.
  struct ReferenceLine {
    int slot;  // the record it is read into
    Long inizio, fine, flag;
    ErrorSite inizio_site, fine_site;
  };
  // The last line read into record `slot` (81 to 83); null for none.
  const ReferenceLine* ReferenceReadInto(int slot) const;

 private:
  using SourceReader::Read;  // a field, beside the whole text's Read

  Flow GeneralPhase();
  Flow GeneralLine();
  Flow General(const SourceLine& line);
  Flow RouteLength(const SourceLine& line);
  Flow Reference(const SourceLine& line, int slot);
  Flow CabSignals(const SourceLine& line);
  void WarnIfReferencesCleared(Long starts);
  void StartBody();
  Flow ReadBody();
  Flow BodyLine();
  Flow Body(const SourceLine& line);
  Flow Gradient(const SourceLine& line);
  Flow Curve(const SourceLine& line);
  Flow Mountain(const SourceLine& line);
  Flow SpeedBoard(const SourceLine& line);
  Flow Signboard(const SourceLine& line);

  // Writes the current gradient into the cell at the gradient cursor.
  bool WriteGradient();

  Long signboard_slot_ = kLastSignboardSlot;
  int64_t gradient_cursor_ = 0;
  Long gradient_ = 0;
  Item gradient_item_;  // the field the current gradient comes from
  int64_t plan_cursor_ = 2;
  std::vector<ReferenceLine> references_;
  std::set<LineKind> general_seen_;
};

}  // namespace scenario

#endif  // COMPILER_ROUTE_PARSER_H_
