#include "model/diagnostic_codes.h"

namespace scenario {

void RaiseCode(Scenario& s, Long code, std::optional<Long> position,
               const ErrorSite& site, std::string detail) {
  RaiseCode(s, {Diagnostic::Severity::kError, code, position, site,
                std::move(detail)});
}

void RaiseCode(Scenario& s, Diagnostic error) {
  s.codice_errore = error.code;
  if (error.position) s.posizione_errore = *error.position;
  s.error_site = error.site;
  Report(s, std::move(error));
}

void Report(Scenario& s, Diagnostic diagnostic) {
  if (s.diagnostics.size() >= kMaxDiagnostics) {
    ++s.diagnostics_omitted;
    return;
  }
  s.diagnostics.push_back(std::move(diagnostic));
}

}  // namespace scenario
