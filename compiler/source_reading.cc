#include "compiler/source_reading.h"

#include <exception>

#include "compiler/route_parser.h"
#include "compiler/train_parser.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

// Reads both texts; false on a reading fault, with its site recorded.
class SourceReading {
 public:
  SourceReading(Scenario& s, const Sources& sources)
      : s_(s), sources_(sources) {}

  bool Run() {
    CellOwners owners(sources_.route_file, sources_.train_file);
    RouteParser route(s_, sources_.route, sources_.route_file, sources_.read_on,
                      &owners);
    Flow flow = route.Read();
    if (flow == Flow::kContinue || flow == Flow::kEnded) {
      flow = route.WriteTails();
    }
    if (!GoesOn(flow)) return flow != Flow::kFault;

    read_.train = true;
    if (!sources_.train) {
      s_.error_site = {sources_.train_file, 0, 0,
                       ErrorSite::Fault::kTextMissing};
      return false;
    }
    TrainParser train(s_, *sources_.train, sources_.train_file,
                      route.signboard_slot(), sources_.read_on, &owners);
    flow = train.Read();
    if (flow == Flow::kContinue || flow == Flow::kEnded) {
      flow = train.WriteTails();
    }
    if (!GoesOn(flow)) return flow != Flow::kFault;

    CheckReferences(route);
    return true;
  }

  // The error trap: code 25, and both texts are used up.
  void Trap() {
    RaiseCode(s_, kReadingFault, std::nullopt, s_.error_site);
    read_.train = true;
  }

  SourcesRead read() const { return read_; }

 private:
  // Whether the reading goes on after a text's flow: when it ended, and
  // when reading on, also after a stop or a fault, which is reported.
  bool GoesOn(Flow flow) {
    if (flow == Flow::kContinue || flow == Flow::kEnded) return true;
    if (!sources_.read_on) return false;
    if (flow == Flow::kFault) {
      RaiseCode(s_, kReadingFault, std::nullopt, s_.error_site);
    }
    return true;
  }

  // Every kilometric reference starts and counts on a cell boundary.
  void CheckReferences(const RouteParser& route) {
    for (int slot :
         {kReferenceThreeSlot, kReferenceTwoSlot, kReferenceOneSlot}) {
      const Voce& v = s_.voci[slot];
      const bool start_off = v.inizio % kCellLength != 0;
      if (!start_off && v.fine % kCellLength == 0) continue;
      // The ordering may have moved the reference, and its flag added 100
      // to its km: told at the line it was read from, with the value there.
      ErrorSite site{sources_.route_file};
      const int origin =
          s_.reference_origins[static_cast<size_t>(slot - kReferenceThreeSlot)];
      if (const auto* line = route.ReferenceReadInto(origin)) {
        site = start_off ? line->inizio_site : line->fine_site;
        site.value = start_off ? line->inizio : line->fine;
      }
      // The code has no progressive of its own, and leaves the error
      // state's as it was; the message names the value.
      SetCode(s_, kReferenceNotOnCell, std::nullopt, site);
      Report(s_, {Diagnostic::Severity::kError,
                  kReferenceNotOnCell,
                  std::nullopt,
                  site,
                  {}});
    }
  }

  Scenario& s_;
  const Sources& sources_;
  SourcesRead read_;
};

}  // namespace

namespace {

// The bank names the route and the train, whatever the reading finds.
void NameTheBank(Scenario& s) {
  s.voci[kRouteSlot].nome = s.nome_linea;
  s.voci[kExtraSlot].nome = s.numero_treno;
}

}  // namespace

SourcesRead ReadSources(Scenario& s, const Sources& sources) {
  NameTheBank(s);
  SourceReading reading(s, sources);
  bool read = false;
  try {
    read = reading.Run();
  } catch (const std::exception&) {
    // Out of memory for the cells or the plan: trapped like any fault.
    s.error_site = {sources.route_file, 0, 0, ErrorSite::Fault::kUnexpected};
  }
  if (!read) reading.Trap();
  return reading.read();
}

Status memorizza_dati(Scenario& s, FileSystem& files,
                      const SourcePaths& paths) {
  if (!files.Exists(paths.route)) {
    NameTheBank(s);
    RaiseCode(s, kRouteTextMissing, std::nullopt, {paths.route});
    return Status::Ok();
  }
  std::string route;
  Status status = files.Read(paths.route, &route);
  if (!status.ok()) return status;
  // No existence test binds the train text: the reading meets its absence
  // as a fault, if it gets that far.
  std::optional<std::string> train;
  if (files.Exists(paths.train)) {
    train.emplace();
    status = files.Read(paths.train, &*train);
    if (!status.ok()) return status;
  }

  const SourcesRead read =
      ReadSources(s, {route, train, paths.route, paths.train});

  status = files.Remove(paths.route);
  if (!status.ok()) return status;
  if (read.train && train) status = files.Remove(paths.train);
  return status;
}

}  // namespace scenario
