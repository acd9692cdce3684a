#include "app/run.h"

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
int Fail(Window& window, const Status& status, Language language) {
  window.ShowMessage(MessageFor(status, language));
  return kExitFailure;
}

// The source texts are the compile's hand-over, not part of the package:
// whatever ended the run, none is left behind.
Status RemoveSourceTexts(FileSystem& files, const FileNames& names) {
  for (const std::string& path : {names.RouteSource(), names.TrainSource()}) {
    if (!files.Exists(path)) continue;
    Status status = files.Remove(path);
    if (!status.ok()) return status;
  }
  return Status::Ok();
}

}  // namespace

int Run(Window& window, FileSystem& files, const std::string& folder,
        Language language) {
  // The scenario's identity, which names every file.
  const std::string nome_linea(kRouteName);
  const std::string numero_treno(kTrainNumber);
  const FileNames names(folder, nome_linea, numero_treno);

  // "Attendere", painted once before the work, also while another run in
  // the same folder is waited for: two runs at once would delete each
  // other's source texts.
  window.ShowWaiting();
  std::unique_ptr<FolderLock> lock;
  Status locked = files.LockFolder(folder, &lock);
  if (!locked.ok()) return Fail(window, locked, language);

  // The source texts, then the documents for the driver.
  for (auto* write :
       {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
    Status status = write(files, names);
    if (!status.ok()) {
      // The failure is what the user reads; the texts written before it
      // go all the same.
      (void)RemoveSourceTexts(files, names);
      return Fail(window, status, language);
    }
  }

  // The compile, which reads and deletes the source texts and writes the
  // binary files.
  return CompileStep(window, files, names, language);
}

int CompileStep(Window& window, FileSystem& files, const FileNames& names,
                Language language) {
  Scenario scenario;
  scenario.nome_linea = names.route_name();
  scenario.numero_treno = names.train_number();
  const CompileOutcome outcome =
      memorizza_percorso(scenario, /*scrivi_linea=*/true, files,
                         {names.RouteSource(), names.TrainSource()}, names);
  // A reading that stopped early leaves a text the compile did not use up.
  Status removed = RemoveSourceTexts(files, names);
  if (!removed.ok() && outcome.end != CompileOutcome::End::kFileFailed) {
    return Fail(window, removed, language);
  }
  switch (outcome.end) {
    case CompileOutcome::End::kComplete:
      break;
    case CompileOutcome::End::kNumberedError:
      return errore(window, outcome.numbered_error);  // ends the run
    case CompileOutcome::End::kNoCells:
      window.ShowMessage(ToolText(ToolMessage::kNoCellsCompiled, language,
                                  {std::to_string(scenario.codice_errore)}));
      return kExitFailure;
    case CompileOutcome::End::kFileFailed:
      return Fail(window, outcome.status, language);
  }
  return kExitSuccess;
}

int errore(Window& window, const std::string& a) {
  window.ShowMessage(" Errore n. " + a);
  return kExitError;
}

}  // namespace scenario
