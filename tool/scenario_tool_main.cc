// scenario-tool: compiles and checks any scenario's source texts.
#include <csignal>
#include <iostream>

#include "base/file_system.h"
#include "tool/scenario_tool.h"

int main(int argc, char** argv) {
  // A write beyond the file size limit fails as a write, leaving no
  // temporary file, instead of killing the tool.
  std::signal(SIGXFSZ, SIG_IGN);
  scenario::DiskFileSystem disk;
  return scenario::RunScenarioTool(std::vector<std::string>(argv, argv + argc),
                                   disk, std::cout, std::cerr);
}
