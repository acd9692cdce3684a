#include "base/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace scenario {
namespace {

using Operation = Status::Operation;

// Writes all of `contents` to `fd`, resuming after short writes and signals.
int WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    ssize_t n = ::write(fd, contents.data(), contents.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    contents.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// A name beside the target that no other writer uses: the process id keeps
// two runs apart, the counter two files of one run.
std::string TemporaryNameFor(const std::string& path) {
  static unsigned counter = 0;
  return path + ".tmp" + std::to_string(::getpid()) + "-" +
         std::to_string(counter++);
}

}  // namespace

bool DiskFileSystem::Exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

Status DiskFileSystem::Read(const std::string& path, std::string* contents) {
  contents->clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::FileError(Operation::kRead, path, errno);
  char block[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd, block, sizeof block);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      int number = errno;
      ::close(fd);
      return Status::FileError(Operation::kRead, path, number);
    }
    contents->append(block, static_cast<size_t>(n));
  }
  ::close(fd);
  return Status::Ok();
}

Status DiskFileSystem::Replace(const std::string& path,
                               std::string_view contents) {
  const std::string temporary = TemporaryNameFor(path);
  int fd =
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return Status::FileError(Operation::kWrite, path, errno);
  int number = WriteAll(fd, contents);
  if (::close(fd) != 0 && number == 0) number = errno;
  if (number == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
    number = errno;
  }
  if (number != 0) {
    ::unlink(temporary.c_str());
    return Status::FileError(Operation::kWrite, path, number);
  }
  return Status::Ok();
}

Status DiskFileSystem::Remove(const std::string& path) {
  if (::unlink(path.c_str()) != 0) {
    return Status::FileError(Operation::kDelete, path, errno);
  }
  return Status::Ok();
}

Status DiskFileSystem::CreateFolders(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  if (error) {
    return Status::FileError(Status::Operation::kWrite, path, error.value());
  }
  return Status::Ok();
}

Status DiskFileSystem::List(const std::string& folder,
                            std::vector<std::string>* names) {
  names->clear();
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end;
       !error && it != end; it.increment(error)) {
    if (it->is_regular_file()) names->push_back(it->path().filename());
  }
  if (error) {
    return Status::FileError(Status::Operation::kRead, folder, error.value());
  }
  std::sort(names->begin(), names->end());
  return Status::Ok();
}

}  // namespace scenario
