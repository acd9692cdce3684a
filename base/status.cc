#include "base/status.h"

#include <cstring>

namespace scenario {

std::string Status::description() const {
  return number_ == 0 ? "ok" : std::strerror(number_);
}

std::string Status::ToString() const {
  switch (kind_) {
    case Kind::kOk:
      return "ok";
    case Kind::kFile:
      return "file error: " + path_ + ": " + description() + " (errno " +
             std::to_string(number_) + ")";
    case Kind::kDamaged: {
      std::string numbers;
      for (int64_t n : numbers_) {
        if (!numbers.empty()) numbers += ' ';
        numbers += std::to_string(n);
      }
      return "damaged file: " + path_ + ": damage " +
             std::to_string(static_cast<int>(damage_)) + " (" + numbers +
             ") at byte " + std::to_string(offset_);
    }
    case Kind::kOutOfMemory:
      return "out of memory";
  }
  return "";
}

}  // namespace scenario
