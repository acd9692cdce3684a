#include "compiler/scenario_compiler.h"

#include "base/windows_1252.h"
#include "model/binary_files.h"
#include "model/diagnostic_codes.h"
#include "model/post_processing.h"
#include "model/scenario_codes.h"

namespace scenario {
namespace {

// Format constants the simulator expects in cell 1 and in slot 85.
constexpr Integer kCellFormat = 5121;
constexpr Integer kBankFormat = 610;

CompileOutcome NumberedError(Scenario& s, Long code) {
  Report(s,
         {Diagnostic::Severity::kError, code, std::nullopt, ErrorSite{}, {}});
  CompileOutcome outcome;
  outcome.end = CompileOutcome::End::kNumberedError;
  outcome.numbered_error = std::to_string(code);
  return outcome;
}

// Clears what a compile starts from.
void Begin(Scenario& s, bool scrivi_linea) {
  s.scrivi_linea = scrivi_linea;
  s.codice_errore = 0;
  for (Voce& v : s.voci) v = Voce{};
}

// The compile after the reading: post-processing, reserved values, codes.
CompileOutcome Complete(Scenario& s) {
  // Whatever code the reading left, the compile goes on, unless it left no
  // cells to go on with.
  Cella* first = s.celle.at(1);
  if (first == nullptr) {
    CompileOutcome outcome;
    outcome.end = CompileOutcome::End::kNoCells;
    return outcome;
  }

  PostProcessCells(s);

  // Cell 1 and slot 85 hold values the format reserves.
  Voce& route = s.voci[kRouteSlot];
  if (route.intero1 != 0 || first->valore1 != 0) {
    return NumberedError(s, kReservedCodeTaken);
  }
  route.intero1 = kBankFormat;
  first->valore1 = kCellFormat;
  if (route.orario != 0 || first->valore2 != 0) {
    return NumberedError(s, kReservedCheckTaken);
  }
  const std::string& numero_treno = s.voci[kExtraSlot].nome;
  route.orario = codice_gara_st(numero_treno, route.nome);
  first->valore2 = codice_gara_og(numero_treno, route.nome);
  return {};
}

CompileOutcome Failed(Status status) {
  CompileOutcome outcome;
  outcome.end = CompileOutcome::End::kFileFailed;
  outcome.status = std::move(status);
  return outcome;
}

}  // namespace

void SetIdentity(Scenario& s, const Identity& identity, const Sources& names) {
  const auto bank_name = [&](const std::string& name, const std::string& file) {
    if (!IsUtf8BeyondAscii(name)) return name;
    Report(s, {Diagnostic::Severity::kWarning, kNameConverted, std::nullopt,
               ErrorSite{file}, name});
    return ToWindows1252(name);
  };
  s.nome_linea = bank_name(identity.route_name, names.route_file);
  s.numero_treno = bank_name(identity.train_number, names.train_file);
}

CompileOutcome CompileScenario(Scenario& s, bool scrivi_linea,
                               const Sources& sources) {
  Begin(s, scrivi_linea);
  ReadSources(s, sources);
  return Complete(s);
}

CompileOutcome memorizza_percorso(Scenario& s, bool scrivi_linea,
                                  FileSystem& files, const SourcePaths& paths,
                                  const FileNames& names) {
  Begin(s, scrivi_linea);
  Status status = memorizza_dati(s, files, paths);
  if (!status.ok()) return Failed(std::move(status));
  CompileOutcome outcome = Complete(s);
  if (outcome.end != CompileOutcome::End::kComplete) return outcome;
  status = WriteBinaryFiles(s, names, files);
  if (!status.ok()) return Failed(std::move(status));
  return outcome;
}

}  // namespace scenario
