#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>

#include "base/file_names.h"
#include "base/platform.h"
#include "base/win32.h"

namespace scenario {
namespace {

// A folder's changes as Windows reports them, asked again after each
// answer; a change to a watched name is a save.
class FolderChanges {
 public:
  explicit FolderChanges(HANDLE folder) : folder_(folder) {
    overlapped_.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  }
  ~FolderChanges() {
    ::CancelIo(folder_);
    ::CloseHandle(overlapped_.hEvent);
    ::CloseHandle(folder_);
  }
  HANDLE event() const { return overlapped_.hEvent; }
  bool Ask() {
    ::ResetEvent(overlapped_.hEvent);
    return ::ReadDirectoryChangesW(
               folder_, buffer_, sizeof buffer_, FALSE,
               FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_FILE_NAME,
               nullptr, &overlapped_, nullptr) != 0;
  }
  // The names changed since the last answer.
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    DWORD size = 0;
    if (::GetOverlappedResult(folder_, &overlapped_, &size, FALSE) &&
        size > 0) {
      for (DWORD at = 0;;) {
        const auto* change =
            reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer_ + at);
        names.push_back(Narrow(std::wstring_view(
            change->FileName, change->FileNameLength / sizeof(WCHAR))));
        if (change->NextEntryOffset == 0) break;
        at += change->NextEntryOffset;
      }
    }
    Ask();
    return names;
  }

 private:
  HANDLE folder_;
  OVERLAPPED overlapped_ = {};
  alignas(DWORD) char buffer_[16384];
};

class DirectoryWatch : public SaveWatch {
 public:
  explicit DirectoryWatch(std::vector<std::string> names)
      : names_(std::move(names)) {}
  std::vector<std::unique_ptr<FolderChanges>> folders;

  bool Saved(int milliseconds) override {
    std::vector<HANDLE> events;
    for (const auto& folder : folders) events.push_back(folder->event());
    const DWORD ready = ::WaitForMultipleObjects(
        static_cast<DWORD>(events.size()), events.data(), FALSE,
        static_cast<DWORD>(milliseconds));
    if (ready >= WAIT_OBJECT_0 + events.size()) return false;
    bool saved = false;
    for (const std::string& name : folders[ready - WAIT_OBJECT_0]->Names()) {
      for (const std::string& watched : names_)
        saved = saved || name == watched;
    }
    return saved;
  }

 private:
  std::vector<std::string> names_;
};

}  // namespace

const char kPathSeparators[] = "/\\";
const bool kWindowsFileNames = true;

Status ProgramFolder(std::string* folder) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(),
                                              static_cast<DWORD>(path.size()));
    if (length == 0) {
      return Status::FileError(Status::Operation::kRead, "program",
                               ErrnoOf(::GetLastError()));
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(2 * path.size());
  }
  std::string program = Narrow(path);
  if (program.starts_with("\\\\?\\")) program.erase(0, 4);
  *folder = program.substr(0, program.find_last_of("\\/"));
  return Status::Ok();
}

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; wide != nullptr && i < count; ++i) {
    arguments.push_back(Narrow(wide[i]));
  }
  ::LocalFree(wide);
  return arguments;
}

bool InputIsTerminal() { return ::_isatty(::_fileno(stdin)) != 0; }
// A console, and one that takes the escape sequences colours are written
// with (Windows 10 and later): elsewhere the output stays plain.
bool OutputIsTerminal() {
  if (::_isatty(::_fileno(stdout)) == 0) return false;
  const HANDLE console = ::GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  return ::GetConsoleMode(console, &mode) &&
         ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

void PrepareProcess() {
  // The bytes written are those the Linux build writes: no line end is
  // turned into CR LF on the way out, and a console reads them as UTF-8.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  ::SetConsoleOutputCP(CP_UTF8);
}

void UseBinaryStandardStreams() {
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
}

int WatchSaves(const std::vector<std::string>& paths,
               std::unique_ptr<SaveWatch>* watch) {
  std::vector<std::string> names, folders;
  for (const std::string& path : paths) {
    names.push_back(FileNameOf(path));
    const std::string folder = FolderOf(path);
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(folder);
    }
  }
  auto directory = std::make_unique<DirectoryWatch>(std::move(names));
  for (const std::string& folder : folders) {
    const HANDLE handle = ::CreateFileW(
        WindowsPath(folder).c_str(), FILE_LIST_DIRECTORY,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED,
        nullptr);
    if (handle == INVALID_HANDLE_VALUE) return ErrnoOf(::GetLastError());
    directory->folders.push_back(std::make_unique<FolderChanges>(handle));
    if (!directory->folders.back()->Ask()) return ErrnoOf(::GetLastError());
  }
  *watch = std::move(directory);
  return 0;
}

}  // namespace scenario
