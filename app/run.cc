#include "app/run.h"

#include <cstdlib>

#include "base/file_names.h"
#include "compiler/scenario_compiler.h"
#include "documents/scenario_notes.h"
#include "documents/slow_order_form.h"
#include "documents/train_card.h"
#include "messages/messages.h"
#include "source/route_source.h"
#include "source/train_source.h"

namespace scenario {

namespace {

// A failed file operation ends the run at the failing step; what was
// written before stays.
int Fail(Window& window, const Status& status) {
  window.ShowMessage(MessageFor(status, Language::kItalian));
  return kExitFailure;
}

}  // namespace

int Run(Window& window, FileSystem& files, const std::string& folder) {
  // The scenario's identity, which names every file.
  const std::string nome_linea(kNomeLinea);
  const std::string numero_treno(kNumeroTreno);
  const FileNames names(folder, nome_linea, numero_treno);

  // "Attendere", painted once before the work.
  window.ShowWaiting();

  // The source texts, then the documents for the driver.
  for (auto* write :
       {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
    Status status = write(files, names);
    if (!status.ok()) return Fail(window, status);
  }

  // The compile, which reads and deletes the source texts and writes the
  // binary files.
  return CompileStep(window, files, names);
}

int CompileStep(Window& window, FileSystem& files, const FileNames& names) {
  Scenario scenario;
  scenario.nome_linea = names.nome_linea();
  scenario.numero_treno = names.numero_treno();
  const CompileOutcome outcome =
      memorizza_percorso(scenario, /*scrivi_linea=*/true, files,
                         {names.RouteSource(), names.TrainSource()}, names);
  switch (outcome.end) {
    case CompileOutcome::End::kComplete:
      break;
    case CompileOutcome::End::kNumberedError:
      errore(window, outcome.numbered_error);  // ends the program
    case CompileOutcome::End::kNoCells:
      window.ShowMessage(
          "Nessuna cella compilata: la lettura del percorso si e' fermata "
          "prima della sua lunghezza (codice " +
          std::to_string(scenario.codice_errore) + ")");
      return kExitFailure;
    case CompileOutcome::End::kFileFailed:
      return Fail(window, outcome.status);
  }
  return kExitComplete;
}

void errore(Window& window, const std::string& a) {
  window.ShowMessage(" Errore n. " + a);
  std::exit(kExitNumberedError);
}

}  // namespace scenario
