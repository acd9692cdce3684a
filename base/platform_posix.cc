#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>

#include "base/file_names.h"
#include "base/platform.h"

namespace scenario {
namespace {

// The folders are watched, not the files: an editor that saves by writing
// a new file and renaming it over the old one is seen too.
class InotifyWatch : public SaveWatch {
 public:
  InotifyWatch(int fd, std::vector<std::string> names)
      : fd_(fd), names_(std::move(names)) {}
  ~InotifyWatch() override { ::close(fd_); }

  bool Saved(int milliseconds) override {
    pollfd ready{fd_, POLLIN, 0};
    if (::poll(&ready, 1, milliseconds) <= 0) return false;
    alignas(inotify_event) char events[4096];
    const ssize_t size = ::read(fd_, events, sizeof events);
    bool saved = false;
    for (ssize_t at = 0; at < size;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events + at);
      const std::string name = event->len > 0 ? event->name : "";
      for (const std::string& watched : names_)
        saved = saved || name == watched;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    return saved;
  }

 private:
  int fd_;
  std::vector<std::string> names_;
};

}  // namespace

const char kPathSeparators[] = "/";
const bool kWindowsFileNames = false;

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

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return {argv, argv + argc};
}

bool InputIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }
bool OutputIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

void PrepareProcess() { std::signal(SIGXFSZ, SIG_IGN); }

// Line ends pass unchanged on this platform.
void UseBinaryStandardStreams() {}

int WatchSaves(const std::vector<std::string>& paths,
               std::unique_ptr<SaveWatch>* watch) {
  const int fd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (fd < 0) return errno;
  std::vector<std::string> names;
  for (const std::string& path : paths) {
    if (::inotify_add_watch(fd, FolderOf(path).c_str(),
                            IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
      const int number = errno;
      ::close(fd);
      return number;
    }
    names.push_back(FileNameOf(path));
  }
  *watch = std::make_unique<InotifyWatch>(fd, std::move(names));
  return 0;
}

}  // namespace scenario
