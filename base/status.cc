#include "base/status.h"

#include <cstring>

namespace scenario {

std::string Status::description() const {
  return ok() ? "ok" : std::strerror(number_);
}

std::string Status::ToString(const FileErrorWords& words) const {
  if (ok()) return "ok";
  const char* verb = operation_ == Operation::kRead    ? words.read
                     : operation_ == Operation::kWrite ? words.write
                                                       : words.remove;
  return std::string(words.cannot) + " " + verb + " " + path_ + ": " +
         description() + " (" + words.number + " " + std::to_string(number_) +
         ")";
}

}  // namespace scenario
