#ifndef TOOL_SCENARIO_TOOL_H_
#define TOOL_SCENARIO_TOOL_H_

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"

namespace scenario {

inline constexpr char kToolVersion[] = "scenario-tool 1.0.0";

// Exit statuses of the tool.
enum ToolStatus : int {
  kToolClean = 0,      // no compile code (and no warning under --Werror)
  kToolDiagnosed = 1,  // a compile code, or a warning under --Werror
  kToolFailed = 2,     // usage, or a file that cannot be read or written
};

// Runs `scenario-tool` with `args` (the program name first): diagnostics
// and results to `out`, errors to `err`. Returns the exit status.
int RunScenarioTool(const std::vector<std::string>& args, FileSystem& files,
                    std::ostream& out, std::ostream& err);

// What stands in a file's name (its path's last part) between `prefix`
// and `suffix`; "" when the name lacks either or nothing stands between.
std::string NameBetween(const std::string& path, std::string_view prefix,
                        std::string_view suffix);

// The route name of "<route>_linea.txt" and the train number of
// "<route>_<train>-.txt"; "" when the file name does not follow the pattern.
std::string RouteNameOf(const std::string& route_path);
std::string TrainNumberOf(const std::string& train_path,
                          const std::string& route_name);

// The route name and train number of a pair of source texts: as given, or
// else from their file names ("" when neither tells).
struct Identity {
  std::string route_name;
  std::string train_number;
};
Identity IdentityOf(const std::string& route_path,
                    const std::string& train_path,
                    const std::string& given_route_name,
                    const std::string& given_train_number);

}  // namespace scenario

#endif  // TOOL_SCENARIO_TOOL_H_
