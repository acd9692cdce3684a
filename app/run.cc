#include "app/run.h"

#include <cstdlib>

#include "app/file_names.h"

namespace scenario {

int Run(Window& window, FileSystem& files, const std::string& folder) {
  (void)files;
  const std::string nome_linea(kNomeLinea);
  const std::string numero_treno(kNumeroTreno);
  const FileNames names(folder, nome_linea, numero_treno);
  (void)names;

  window.ShowWaiting();

  return kExitComplete;
}

void errore(Window& window, const std::string& a) {
  window.ShowMessage(" Errore n. " + a);
  std::exit(kExitNumberedError);
}

}  // namespace scenario
