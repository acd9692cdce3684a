#include "app/status.h"

#include <cstring>

namespace scenario {

std::string Status::description() const {
  return ok() ? "ok" : std::strerror(number_);
}

std::string Status::ToString() const {
  if (ok()) return "ok";
  const char* verb = "leggere";
  switch (operation_) {
    case Operation::kRead:
      verb = "leggere";
      break;
    case Operation::kWrite:
      verb = "scrivere";
      break;
    case Operation::kDelete:
      verb = "cancellare";
      break;
  }
  return std::string("Impossibile ") + verb + " " + path_ + ": " +
         description() + " (errore " + std::to_string(number_) + ")";
}

}  // namespace scenario
