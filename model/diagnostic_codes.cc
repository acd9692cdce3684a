#include "model/diagnostic_codes.h"

#include <algorithm>

namespace scenario {

bool StopsTheReading(Long code) {
  switch (code) {
    case kReferenceNotOnCell:
    case kNoRoomBeforeSignal:
    case kNoRoomBeforeSlowDown:
    case kNoRoomForSpacingPoint:
    case kReservedCodeTaken:
    case kReservedCheckTaken:
      return false;
    default:
      return code > kNoDiagnostic && code < kUnknownKeyword;
  }
}

void RaiseCode(Scenario& s, Long code, std::optional<Long> position,
               const ErrorSite& site, std::string detail) {
  RaiseCode(s, {Diagnostic::Severity::kError, code, position, site,
                std::move(detail)});
}

void RaiseCode(Scenario& s, Diagnostic error) {
  SetCode(s, error.code, error.position, error.site);
  Report(s, std::move(error));
}

void SetCode(Scenario& s, Long code, std::optional<Long> position,
             const ErrorSite& site) {
  s.codice_errore = code;
  if (position) s.posizione_errore = *position;
  s.error_site = site;
}

void Report(Scenario& s, Diagnostic diagnostic) {
  if (diagnostic.severity != Diagnostic::Severity::kError) {
    size_t& omitted = diagnostic.severity == Diagnostic::Severity::kWarning
                          ? s.omitted_warnings
                          : s.omitted_notes;
    if (omitted > 0 || static_cast<size_t>(std::count_if(
                           s.diagnostics.begin(), s.diagnostics.end(),
                           [&](const Diagnostic& d) {
                             return d.severity == diagnostic.severity;
                           })) >= kMaxWarnings) {
      ++omitted;
      return;
    }
  }
  s.diagnostics.push_back(std::move(diagnostic));
}

}  // namespace scenario
