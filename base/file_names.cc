#include "base/file_names.h"

#include <unistd.h>

#include <cerrno>
#include <climits>

namespace scenario {

Status ProgramFolder(std::string* folder) {
  static constexpr char kSelf[] = "/proc/self/exe";
  char buffer[PATH_MAX];
  ssize_t n = ::readlink(kSelf, buffer, sizeof buffer);
  if (n < 0) return Status::FileError(Status::Operation::kRead, kSelf, errno);
  if (static_cast<size_t>(n) == sizeof buffer) {
    return Status::FileError(Status::Operation::kRead, kSelf, ENAMETOOLONG);
  }
  std::string program(buffer, static_cast<size_t>(n));
  // The program in the root folder gives "" and so paths like "/name".
  *folder = program.substr(0, program.rfind(kPathSeparator));
  return Status::Ok();
}

}  // namespace scenario
