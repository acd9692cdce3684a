#include "tool/voice.h"

#include <nlohmann/json.hpp>

#include "tool/scenario_tool.h"

namespace scenario {

int Voice::Fail(std::ostream& out, std::ostream& err,
                const std::string& message) const {
  err << "scenario-tool: " << message << "\n";
  if (json) {
    out << nlohmann::json({{"command", command},
                           {"outcome", "failed"},
                           {"error", message}})
               .dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
        << "\n";
  }
  return kToolFailed;
}

}  // namespace scenario
