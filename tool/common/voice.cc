#include "tool/common/voice.h"

#include <nlohmann/json.hpp>

#include "base/exit_status.h"

namespace scenario {

void Voice::Say(std::ostream& err, const std::string& message) {
  err << "scenario-tool: " << message << "\n";
}

int Voice::Fail(std::ostream& out, std::ostream& err,
                const std::string& message) const {
  Say(err, message);
  if (json) {
    out << nlohmann::json({{"command", command},
                           {"outcome", "failed"},
                           {"error", message}})
               .dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
        << "\n";
  }
  return kExitFailure;
}

}  // namespace scenario
