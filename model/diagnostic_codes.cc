#include "model/diagnostic_codes.h"

namespace scenario {

void RaiseCode(Scenario& s, Long code, std::optional<Long> position,
               const ErrorSite& site, std::string detail) {
  s.codice_errore = code;
  if (position) s.posizione_errore = *position;
  s.error_site = site;
  Report(s, {Diagnostic::Severity::kError, code, position, site,
             std::move(detail)});
}

void Report(Scenario& s, Diagnostic diagnostic) {
  if (s.diagnostics.size() >= kMaxDiagnostics) {
    ++s.diagnostics_omitted;
    return;
  }
  s.diagnostics.push_back(std::move(diagnostic));
}

}  // namespace scenario
