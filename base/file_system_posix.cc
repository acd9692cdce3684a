#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "base/file_names.h"
#include "base/file_system.h"

namespace scenario {
namespace {

using Operation = Status::Operation;

// Temporary files are named ".scenario-<pid>-<n>.tmp": short, so that they
// stay within the name limit whatever the target's name, and hidden.
constexpr std::string_view kTemporaryPrefix = ".scenario-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// Writes all of `contents` to `fd` at `offset`, resuming after short
// writes and signals.
int WriteAll(int fd, uint64_t offset, std::string_view contents) {
  // Pieces of 1 MiB: the kernel copies a huge single write no faster, and
  // a piece at a time keeps a failure close to where it happened.
  constexpr size_t kPiece = size_t{1} << 20;
  while (!contents.empty()) {
    ssize_t n = ::pwrite(fd, contents.data(), std::min(contents.size(), kPiece),
                         static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    contents.remove_prefix(static_cast<size_t>(n));
    offset += static_cast<uint64_t>(n);
  }
  return 0;
}

// Whether a file name is one of this program's temporary files, which a
// run killed between naming and renaming it may leave behind.
bool IsTemporaryName(std::string_view name) {
  return name.starts_with(kTemporaryPrefix) && name.ends_with(kTemporarySuffix);
}

std::string TemporaryName(const std::string& folder) {
  static unsigned counter = 0;
  return folder + "/" + std::string(kTemporaryPrefix) +
         std::to_string(::getpid()) + "-" + std::to_string(counter++) +
         std::string(kTemporarySuffix);
}

// Flushes a folder's entries (the renames in it) to disk.
int SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int number = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  // Some file systems cannot flush a folder; the files themselves are.
  return number == EINVAL ? 0 : number;
}

// One new content, written and flushed under a temporary name beside its
// target. Removed again unless committed.
class StagedFile {
 public:
  explicit StagedFile(const FileContents& file) : target_(file.path) {}
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  ~StagedFile() {
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
  }

  int Write(const FileContents& file) {
    const std::string folder = FolderOf(target_);
    // An anonymous file first: until it is linked, a kill leaves nothing.
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    const bool anonymous = fd >= 0;
    std::string name = TemporaryName(folder);
    if (!anonymous) {
      fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0) return errno;
      temporary_ = name;
    }
    int number = 0;
    if (file.pieces) {
      file.pieces([&](uint64_t offset, std::string_view piece) {
        number = WriteAll(fd, offset, piece);
        return number == 0;
      });
    } else {
      number = WriteAll(fd, 0, file.contents);
    }
    if (number == 0 && !file.scratch && ::fsync(fd) != 0) number = errno;
    if (number == 0 && anonymous) {
      const std::string self = "/proc/self/fd/" + std::to_string(fd);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(),
                   AT_SYMLINK_FOLLOW) == 0) {
        temporary_ = name;
      } else {
        number = errno;
      }
    }
    if (::close(fd) != 0 && number == 0) number = errno;
    return number;
  }

  int Commit() {
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return errno;
    temporary_.clear();
    return 0;
  }

  const std::string& target() const { return target_; }

 private:
  std::string target_;
  std::string temporary_;  // named and not yet renamed
};

// A regular file read at any place.
class DiskFile : public RandomAccessFile {
 public:
  DiskFile(int fd, uint64_t size, std::string path)
      : fd_(fd), size_(size), path_(std::move(path)) {}
  ~DiskFile() override { ::close(fd_); }
  uint64_t size() const override { return size_; }
  Status ReadAt(uint64_t offset, char* out, size_t n, size_t* got) override {
    for (;;) {
      const ssize_t read = ::pread(fd_, out, n, static_cast<off_t>(offset));
      if (read >= 0) {
        *got = static_cast<size_t>(read);
        return Status::Ok();
      }
      if (errno != EINTR) {
        return Status::FileError(Operation::kRead, path_, errno);
      }
    }
  }

 private:
  int fd_;
  uint64_t size_;
  std::string path_;
};

// Opens a file for reading. `*size` is its size when it is a regular file,
// which is refused when larger than `limit`; a pipe or a device tells none.
Status OpenToRead(const std::string& path, size_t limit, int* fd,
                  std::optional<uint64_t>* size) {
  *fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (*fd < 0) return Status::FileError(Operation::kRead, path, errno);
  struct stat info;
  if (::fstat(*fd, &info) == 0 && S_ISREG(info.st_mode)) {
    if (static_cast<uint64_t>(info.st_size) > limit) {
      ::close(*fd);
      return Status::FileError(Operation::kRead, path, EFBIG);
    }
    *size = static_cast<uint64_t>(info.st_size);
  }
  return Status::Ok();
}

class DiskFolderLock : public FolderLock {
 public:
  explicit DiskFolderLock(int fd) : fd_(fd) {}
  ~DiskFolderLock() override { ::close(fd_); }

 private:
  int fd_;
};

}  // namespace

bool DiskFileSystem::Exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

Status DiskFileSystem::ReadPieces(const std::string& path, const ByteSink& sink,
                                  size_t limit,
                                  const std::function<void(size_t)>& sized) {
  int fd = -1;
  std::optional<uint64_t> size;
  Status opened = OpenToRead(path, limit, &fd, &size);
  if (!opened.ok()) return opened;
  if (size) sized(static_cast<size_t>(*size));
  // Not cleared first: every byte handed on was read. Small enough to come
  // from the heap rather than from fresh pages.
  constexpr size_t kBlock = size_t{64} << 10;
  const auto block = std::make_unique_for_overwrite<char[]>(kBlock);
  size_t total = 0;
  for (;;) {
    ssize_t n = ::read(fd, block.get(), kBlock);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      int number = errno;
      ::close(fd);
      return Status::FileError(Operation::kRead, path, number);
    }
    // A pipe or a device tells no size: the limit holds as it is read.
    total += static_cast<size_t>(n);
    if (total > limit) {
      ::close(fd);
      return Status::FileError(Operation::kRead, path, EFBIG);
    }
    if (!sink(std::string_view(block.get(), static_cast<size_t>(n)))) break;
  }
  ::close(fd);
  return Status::Ok();
}

Status DiskFileSystem::Open(const std::string& path,
                            std::unique_ptr<RandomAccessFile>* file,
                            size_t limit) {
  int fd = -1;
  std::optional<uint64_t> size;
  Status opened = OpenToRead(path, limit, &fd, &size);
  if (!opened.ok()) return opened;
  if (size) {
    *file = std::make_unique<DiskFile>(fd, *size, path);
    return Status::Ok();
  }
  ::close(fd);
  // A pipe or a device is read as it comes, up to the limit.
  return OpenHeld(path, file, limit);
}

Status DiskFileSystem::ReplaceAll(const std::vector<FileContents>& files) {
  std::vector<std::unique_ptr<StagedFile>> staged;
  for (const FileContents& file : files) {
    staged.push_back(std::make_unique<StagedFile>(file));
    if (int number = staged.back()->Write(file)) {
      return Status::FileError(Operation::kWrite, file.path, number);
    }
  }
  // A rename fails on a folder in the target's way: found before the
  // first rename, it leaves every old file as it was.
  for (const auto& file : staged) {
    struct stat info;
    if (::stat(file->target().c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
      return Status::FileError(Operation::kWrite, file->target(), EISDIR);
    }
  }
  std::vector<std::string> folders;
  for (size_t i = 0; i < staged.size(); ++i) {
    if (int number = staged[i]->Commit()) {
      return Status::FileError(Operation::kWrite, staged[i]->target(), number);
    }
    if (!files[i].scratch) folders.push_back(FolderOf(staged[i]->target()));
  }
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  for (const std::string& folder : folders) {
    if (int number = SyncFolder(folder)) {
      return Status::FileError(Operation::kWrite, folder, number);
    }
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

Status DiskFileSystem::LockFolder(const std::string& given,
                                  std::unique_ptr<FolderLock>* lock) {
  // Paths are the folder, "/" and a name: an empty folder is the root.
  const std::string folder = given.empty() ? "/" : given;
  // The folder itself carries the lock: no lock file is left behind.
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Status::FileError(Operation::kRead, folder, errno);
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    const int number = errno;
    ::close(fd);
    return Status::FileError(Operation::kRead, folder, number);
  }
  *lock = std::make_unique<DiskFolderLock>(fd);
  // Only a run that was killed leaves a temporary file: one whose process
  // is gone. (A tool writing a plot there needs no lock, and its file is
  // its own while it lives.)
  std::vector<std::string> names;
  if (List(folder, &names).ok()) {
    for (const std::string& name : names) {
      if (!IsTemporaryName(name)) continue;
      const long pid =
          std::strtol(name.c_str() + kTemporaryPrefix.size(), nullptr, 10);
      if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 &&
          errno == ESRCH) {
        ::unlink((given + "/" + name).c_str());
      }
    }
  }
  return Status::Ok();
}

}  // namespace scenario
