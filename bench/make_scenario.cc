// Writes the benchmarks' scenarios as source texts, for the measurements of
// whole processes: make_scenario embedded|maximal FOLDER writes
// FOLDER/R_linea.txt and FOLDER/R_1-.txt.
#include <fstream>
#include <iostream>
#include <string>

#include "bench/scenarios.h"

int main(int argc, char** argv) {
  const std::string which = argc == 3 ? argv[1] : "";
  if (which != "embedded" && which != "maximal") {
    std::cerr << "usage: make_scenario embedded|maximal FOLDER\n";
    return 2;
  }
  const scenario::Texts texts =
      which == "embedded" ? scenario::Embedded() : scenario::Maximal();
  const std::string folder = argv[2];
  std::ofstream(folder + "/R_linea.txt", std::ios::binary) << texts.route;
  std::ofstream(folder + "/R_1-.txt", std::ios::binary) << texts.train;
  return 0;
}
