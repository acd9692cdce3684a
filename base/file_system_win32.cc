#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/win32.h"

namespace scenario {
namespace {

using Operation = Status::Operation;

// Temporary files are named ".scenario-<pid>-<n>.tmp", as on every
// platform: short, whatever the target's name, and hidden.
constexpr std::string_view kTemporaryPrefix = ".scenario-";
constexpr std::string_view kTemporarySuffix = ".tmp";
// Held open, without sharing, while a run works in a folder; Windows
// deletes it when the run ends, however it ends.
constexpr std::string_view kLockName = ".scenario.lock";

Status Failed(Operation operation, const std::string& path) {
  return Status::FileError(operation, path, ErrnoOf(::GetLastError()));
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (ok()) ::CloseHandle(handle_);
  }
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Opens a file for reading. `*size` is its size when it is a file on a
// disk, which is refused when larger than `limit`; a pipe or a device
// tells none.
Status OpenToRead(const std::string& path, size_t limit, HANDLE* handle,
                  std::optional<uint64_t>* size) {
  *handle =
      ::CreateFileW(WindowsPath(path).c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (*handle == INVALID_HANDLE_VALUE) return Failed(Operation::kRead, path);
  LARGE_INTEGER bytes;
  if (::GetFileType(*handle) == FILE_TYPE_DISK &&
      ::GetFileSizeEx(*handle, &bytes)) {
    if (static_cast<uint64_t>(bytes.QuadPart) > limit) {
      ::CloseHandle(*handle);
      return Status::FileError(Operation::kRead, path, EFBIG);
    }
    *size = static_cast<uint64_t>(bytes.QuadPart);
  }
  return Status::Ok();
}

// `n` bytes at `offset`, or fewer at the file's end.
bool ReadAtOffset(HANDLE file, uint64_t offset, char* out, size_t n,
                  size_t* got) {
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  const DWORD asked = static_cast<DWORD>(std::min<size_t>(n, 1 << 30));
  if (!::ReadFile(file, out, asked, &read, &at)) {
    if (::GetLastError() != ERROR_HANDLE_EOF) return false;
    read = 0;
  }
  *got = read;
  return true;
}

bool WriteAtOffset(HANDLE file, uint64_t offset, std::string_view bytes) {
  while (!bytes.empty()) {
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD written = 0;
    const DWORD piece =
        static_cast<DWORD>(std::min<size_t>(bytes.size(), size_t{1} << 20));
    if (!::WriteFile(file, bytes.data(), piece, &written, &at)) return false;
    bytes.remove_prefix(written);
    offset += written;
  }
  return true;
}

// A regular file read at any place.
class WindowsFile : public RandomAccessFile {
 public:
  WindowsFile(HANDLE handle, uint64_t size, std::string path)
      : handle_(handle), size_(size), path_(std::move(path)) {}
  uint64_t size() const override { return size_; }
  Status ReadAt(uint64_t offset, char* out, size_t n, size_t* got) override {
    if (!ReadAtOffset(handle_.get(), offset, out, n, got)) {
      return Failed(Operation::kRead, path_);
    }
    return Status::Ok();
  }

 private:
  Handle handle_;
  uint64_t size_;
  std::string path_;
};

bool IsTemporaryName(std::string_view name) {
  return name.starts_with(kTemporaryPrefix) && name.ends_with(kTemporarySuffix);
}

std::string TemporaryName(const std::string& folder) {
  static unsigned counter = 0;
  return folder + "/" + std::string(kTemporaryPrefix) +
         std::to_string(::GetCurrentProcessId()) + "-" +
         std::to_string(counter++) + std::string(kTemporarySuffix);
}

// Why a target cannot take a new content, before any is moved into place:
// a folder in its way, or a file its owner marked read-only (which the
// move would refuse on Windows and Wine would replace).
int InTheWay(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(WindowsPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
  if (attributes & FILE_ATTRIBUTE_READONLY) return EACCES;
  return 0;
}

// One new content, written and flushed under a temporary name beside its
// target. Removed again unless committed.
class StagedFile {
 public:
  explicit StagedFile(const FileContents& file) : target_(file.path) {}
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  ~StagedFile() {
    if (!temporary_.empty()) ::DeleteFileW(WindowsPath(temporary_).c_str());
  }

  DWORD Write(const FileContents& file) {
    const std::string name = TemporaryName(FolderOf(target_));
    Handle out(::CreateFileW(WindowsPath(name).c_str(), GENERIC_WRITE, 0,
                             nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
    if (!out.ok()) return ::GetLastError();
    temporary_ = name;
    bool written = true;
    if (file.pieces) {
      file.pieces([&](uint64_t offset, std::string_view piece) {
        written = written && WriteAtOffset(out.get(), offset, piece);
        return written;
      });
    } else {
      written = WriteAtOffset(out.get(), 0, file.contents);
    }
    if (!written || (!file.scratch && !::FlushFileBuffers(out.get()))) {
      return ::GetLastError();
    }
    return 0;
  }

  DWORD Commit() {
    if (!::MoveFileExW(WindowsPath(temporary_).c_str(),
                       WindowsPath(target_).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return ::GetLastError();
    }
    temporary_.clear();
    return 0;
  }

  const std::string& target() const { return target_; }

 private:
  std::string target_;
  std::string temporary_;  // written and not yet moved into place
};

class WindowsFolderLock : public FolderLock {
 public:
  explicit WindowsFolderLock(HANDLE handle) : handle_(handle) {}

 private:
  Handle handle_;
};

}  // namespace

bool DiskFileSystem::Exists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(WindowsPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

Status DiskFileSystem::ReadPieces(const std::string& path, const ByteSink& sink,
                                  size_t limit,
                                  const std::function<void(size_t)>& sized) {
  HANDLE handle = INVALID_HANDLE_VALUE;
  std::optional<uint64_t> size;
  Status opened = OpenToRead(path, limit, &handle, &size);
  if (!opened.ok()) return opened;
  Handle file(handle);
  if (size) sized(static_cast<size_t>(*size));
  constexpr size_t kBlock = size_t{64} << 10;
  const auto block = std::make_unique_for_overwrite<char[]>(kBlock);
  size_t total = 0;
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(file.get(), block.get(), kBlock, &n, nullptr)) {
      if (::GetLastError() == ERROR_BROKEN_PIPE) break;  // a pipe's end
      return Failed(Operation::kRead, path);
    }
    if (n == 0) break;
    total += n;
    if (total > limit) return Status::FileError(Operation::kRead, path, EFBIG);
    if (!sink(std::string_view(block.get(), n))) break;
  }
  return Status::Ok();
}

Status DiskFileSystem::Open(const std::string& path,
                            std::unique_ptr<RandomAccessFile>* file,
                            size_t limit) {
  HANDLE handle = INVALID_HANDLE_VALUE;
  std::optional<uint64_t> size;
  Status opened = OpenToRead(path, limit, &handle, &size);
  if (!opened.ok()) return opened;
  if (size) {
    *file = std::make_unique<WindowsFile>(handle, *size, path);
    return Status::Ok();
  }
  ::CloseHandle(handle);
  // A pipe or a device is read as it comes, up to the limit.
  return OpenHeld(path, file, limit);
}

Status DiskFileSystem::ReplaceAll(const std::vector<FileContents>& files) {
  std::vector<std::unique_ptr<StagedFile>> staged;
  for (const FileContents& file : files) {
    staged.push_back(std::make_unique<StagedFile>(file));
    if (DWORD error = staged.back()->Write(file)) {
      return Status::FileError(Operation::kWrite, file.path, ErrnoOf(error));
    }
  }
  // Found before the first move, what stands in a target's way leaves
  // every old file as it was.
  for (const auto& file : staged) {
    if (const int error = InTheWay(file->target())) {
      return Status::FileError(Operation::kWrite, file->target(), error);
    }
  }
  // Each move goes through to the disk before it returns: there is no
  // folder to flush afterwards on this platform.
  for (const auto& file : staged) {
    if (DWORD error = file->Commit()) {
      return Status::FileError(Operation::kWrite, file->target(),
                               ErrnoOf(error));
    }
  }
  return Status::Ok();
}

Status DiskFileSystem::Remove(const std::string& path) {
  if (!::DeleteFileW(WindowsPath(path).c_str())) {
    return Failed(Operation::kDelete, path);
  }
  return Status::Ok();
}

Status DiskFileSystem::CreateFolders(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(WindowsPath(path)),
                                      error);
  if (error) {
    return Status::FileError(Operation::kWrite, path, ErrnoOf(error.value()));
  }
  return Status::Ok();
}

Status DiskFileSystem::List(const std::string& folder,
                            std::vector<std::string>* names) {
  names->clear();
  WIN32_FIND_DATAW found;
  const std::wstring pattern = WindowsPath(folder) + L"\\*";
  HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    if (::GetLastError() == ERROR_FILE_NOT_FOUND) return Status::Ok();
    return Failed(Operation::kRead, folder);
  }
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names->push_back(Narrow(found.cFileName));
    }
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  std::sort(names->begin(), names->end());
  return Status::Ok();
}

Status DiskFileSystem::LockFolder(const std::string& given,
                                  std::unique_ptr<FolderLock>* lock) {
  const std::string folder = given.empty() ? "." : given;
  const std::wstring name = WindowsPath(folder + "/" + std::string(kLockName));
  for (;;) {
    HANDLE handle = ::CreateFileW(
        name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      *lock = std::make_unique<WindowsFolderLock>(handle);
      break;
    }
    // Another run holds the folder: wait for it to end.
    const DWORD error = ::GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) {
      return Status::FileError(Operation::kRead, folder, ErrnoOf(error));
    }
    ::Sleep(50);
  }
  // Only a run that was killed leaves a temporary file: one whose process
  // is gone.
  std::vector<std::string> names;
  if (List(folder, &names).ok()) {
    for (const std::string& file : names) {
      if (!IsTemporaryName(file)) continue;
      const unsigned long pid =
          std::strtoul(file.c_str() + kTemporaryPrefix.size(), nullptr, 10);
      HANDLE process =
          ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
      if (process != nullptr) {
        ::CloseHandle(process);
        continue;
      }
      ::DeleteFileW(WindowsPath(folder + "/" + file).c_str());
    }
  }
  return Status::Ok();
}

}  // namespace scenario
