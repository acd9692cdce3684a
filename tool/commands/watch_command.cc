#include "tool/commands/watch_command.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

#include "base/exit_status.h"
#include "base/file_names.h"
#include "messages/messages.h"
#include "tool/commands/check_command.h"
#include "tool/common/voice.h"

namespace scenario {
namespace {

volatile std::sig_atomic_t interrupted = 0;
void Interrupt(int) { interrupted = 1; }

}  // namespace

int WatchCommand(const CompileOptions& options, FileSystem& files,
                 std::ostream& out, std::ostream& err) {
  const Voice voice{"watch", options.language};
  const int watcher = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (watcher < 0) {
    return voice.Fail(out, err, ErrnoText(errno, options.language));
  }
  // The folders are watched, not the files: an editor that saves by
  // writing a new file and renaming it over the old one is seen too.
  for (const std::string& path : {options.route, options.train}) {
    if (::inotify_add_watch(watcher, FolderOf(path).c_str(),
                            IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
      const int number = errno;
      ::close(watcher);
      return voice.Fail(out, err, ErrnoText(number, options.language));
    }
  }
  std::signal(SIGINT, Interrupt);
  std::signal(SIGTERM, Interrupt);
  int status = kExitSuccess;
  for (bool run = true; !interrupted;) {
    if (run) {
      out << ToolText(ToolMessage::kWatchRun, options.language) << "\n";
      status = options.write ? CompileCommand(options, files, out, err)
                             : CheckCommand(options, files, out, err);
      out << ToolText(ToolMessage::kWatchWaiting, options.language) << "\n";
      out.flush();
      run = false;
    }
    pollfd ready{watcher, POLLIN, 0};
    if (::poll(&ready, 1, 200) <= 0) continue;
    alignas(inotify_event) char events[4096];
    const ssize_t size = ::read(watcher, events, sizeof events);
    for (ssize_t at = 0; at < size;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events + at);
      const std::string name = event->len > 0 ? event->name : "";
      run = run || name == FileNameOf(options.route) ||
            name == FileNameOf(options.train);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  ::close(watcher);
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  return status;
}

}  // namespace scenario
