#ifndef BASE_WIN32_H_
#define BASE_WIN32_H_

// Shared by the Windows files of the platform layer alone.
#include <windows.h>

#include <cerrno>
#include <string>
#include <string_view>

namespace scenario {

// Paths are UTF-8 inside the program and UTF-16 at every Windows call.
inline std::wstring Wide(std::string_view text) {
  if (text.empty()) return {};
  const int size = ::MultiByteToWideChar(
      CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                        wide.data(), size);
  return wide;
}

inline std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(),
                                         static_cast<int>(wide.size()), nullptr,
                                         0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                        text.data(), size, nullptr, nullptr);
  return text;
}

// A path for a Windows call: whole, and past 260 characters in the form
// that lifts the limit.
inline std::wstring WindowsPath(std::string_view path) {
  const std::wstring wide = Wide(path.empty() ? "." : path);
  const DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return wide;
  std::wstring full(size, L'\0');
  const DWORD length =
      ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  full.resize(length);
  if (full.size() < MAX_PATH - 12 || full.starts_with(L"\\\\?\\")) return full;
  return full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2)
                                   : L"\\\\?\\" + full;
}

// The errno number that says what a Windows error says, for the messages.
inline int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EBUSY;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
      return EPIPE;
    default:
      return EIO;
  }
}

}  // namespace scenario

#endif  // BASE_WIN32_H_
