#include "compiler/source_reading.h"

#include "compiler/route_parser.h"
#include "compiler/train_parser.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

// Reads both texts; false on a reading fault, with its site recorded.
class SourceReading {
 public:
  SourceReading(Scenario& s, FileSystem& files, const SourceTexts& texts)
      : s_(s), files_(files), texts_(texts) {}

  bool Run() {
    s_.voci[kRouteSlot].nome = s_.nome_linea;
    s_.voci[kExtraSlot].nome = s_.numero_treno;

    if (!files_.Exists(texts_.route)) {
      RaiseCode(s_, kRouteTextMissing, std::nullopt, {texts_.route});
      return true;
    }
    std::string route_text;
    if (!Load(texts_.route, &route_text)) return false;
    RouteParser route(s_, route_text, texts_.route);
    Flow flow = route.Read();
    if (flow == Flow::kFault || !Delete(texts_.route)) return false;
    if (flow == Flow::kStopped) return true;
    if (route.WriteTails() == Flow::kFault) return false;

    // No existence test here: a missing train text is a fault.
    std::string train_text;
    if (!Load(texts_.train, &train_text)) return false;
    TrainParser train(s_, train_text, texts_.train, route.signboard_slot());
    flow = train.Read();
    if (flow == Flow::kFault || !Delete(texts_.train)) return false;
    if (flow == Flow::kStopped) return true;
    if (train.WriteTails() == Flow::kFault) return false;

    CheckReferences();
    return true;
  }

  // The error trap: both texts go, whatever happened.
  void Trap() {
    RaiseCode(s_, kReadingFault, std::nullopt, s_.error_site);
    if (!texts_.delete_after_reading) return;
    for (const std::string* path : {&texts_.route, &texts_.train}) {
      if (files_.Exists(*path)) files_.Remove(*path);
    }
  }

 private:
  bool Load(const std::string& path, std::string* text) {
    if (files_.Read(path, text).ok()) return true;
    s_.error_site = {path, 0, 0, ErrorSite::Fault::kFileUnreadable};
    return false;
  }

  bool Delete(const std::string& path) {
    if (!texts_.delete_after_reading || files_.Remove(path).ok()) return true;
    s_.error_site = {path, 0, 0, ErrorSite::Fault::kFileNotDeleted};
    return false;
  }

  // Every kilometric reference starts and counts on a cell boundary.
  void CheckReferences() {
    for (int slot : {kReferenceTreSlot, kReferenceDueSlot, kReferenceUnoSlot}) {
      const Voce& v = s_.voci[slot];
      if (v.inizio % kCellLength != 0 || v.fine % kCellLength != 0) {
        // The code has no progressive of its own; the value tells which.
        s_.codice_errore = kReferenceNotOnCell;
        s_.error_site = {texts_.route};
        Report(s_, {Diagnostic::Severity::kError,
                    kReferenceNotOnCell,
                    v.inizio % kCellLength != 0 ? v.inizio : v.fine,
                    s_.error_site,
                    {}});
      }
    }
  }

  Scenario& s_;
  FileSystem& files_;
  const SourceTexts& texts_;
};

}  // namespace

void memorizza_dati(Scenario& s, FileSystem& files, const SourceTexts& texts) {
  SourceReading reading(s, files, texts);
  bool read = false;
  try {
    read = reading.Run();
  } catch (...) {
    // Out of memory for the cells or the plan: trapped like any fault.
    s.error_site = {texts.route, 0, 0, ErrorSite::Fault::kUnexpected};
  }
  if (!read) reading.Trap();
}

}  // namespace scenario
