#ifndef BASE_FILE_NAMES_H_
#define BASE_FILE_NAMES_H_

#include <string>

#include "base/status.h"

namespace scenario {

inline constexpr char kPathSeparator = '/';

// Every file of a scenario lives in one folder, under a name made of the
// route name, the train number and a fixed suffix. Names are used verbatim,
// without any clean-up of their characters.
class FileNames {
 public:
  FileNames(std::string folder, std::string nome_linea,
            std::string numero_treno)
      : folder_(std::move(folder)),
        nome_linea_(std::move(nome_linea)),
        numero_treno_(std::move(numero_treno)) {}

  const std::string& folder() const { return folder_; }
  const std::string& nome_linea() const { return nome_linea_; }
  const std::string& numero_treno() const { return numero_treno_; }

  // Source texts, read back and deleted by the compile.
  std::string RouteSource() const { return Path(nome_linea_ + "_linea.txt"); }
  std::string TrainSource() const { return Path(Train() + "-.txt"); }
  // Documents for the driver.
  std::string Notes() const { return Path(Train() + "_note.txt"); }
  std::string SlowOrders() const {
    return Path(Train() + "_rallentamenti.txt");
  }
  std::string TrainCard() const { return Path(Train() + "_scheda_treno.txt"); }
  // Binary files for the simulator.
  std::string RoutePlan() const { return Path(nome_linea_ + "_linea.dat"); }
  std::string TrainBank() const { return Path(Train() + ".sim"); }
  std::string Cells() const { return Path(Train() + ".dat"); }

 private:
  std::string Train() const { return nome_linea_ + "_" + numero_treno_; }
  std::string Path(const std::string& name) const {
    return folder_ + kPathSeparator + name;
  }

  std::string folder_;
  std::string nome_linea_;
  std::string numero_treno_;
};

// The folder that holds the running program, as the platform reports it.
Status ProgramFolder(std::string* folder);

}  // namespace scenario

#endif  // BASE_FILE_NAMES_H_
