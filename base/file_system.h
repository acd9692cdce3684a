#ifndef BASE_FILE_SYSTEM_H_
#define BASE_FILE_SYSTEM_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace scenario {

// The few file operations the program needs. Parsers and writers take this
// interface so that their tests run on memory; the program uses the disk.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when a regular file of that name exists.
  virtual bool Exists(const std::string& path) = 0;
  virtual Status Read(const std::string& path, std::string* contents) = 0;
  // Replaces the file as a whole. Until the new content is complete the old
  // file stays as it was; a failure leaves no partial or temporary file.
  virtual Status Replace(const std::string& path,
                         std::string_view contents) = 0;
  virtual Status Remove(const std::string& path) = 0;
  // Creates a folder and the folders above it, where missing.
  virtual Status CreateFolders(const std::string& path) = 0;
  // The names of the files in a folder, sorted.
  virtual Status List(const std::string& folder,
                      std::vector<std::string>* names) = 0;
};

// The real disk. Replace writes a temporary file beside the target and
// renames it over the target once every byte is written.
class DiskFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& path) override;
  Status Read(const std::string& path, std::string* contents) override;
  Status Replace(const std::string& path, std::string_view contents) override;
  Status Remove(const std::string& path) override;
  Status CreateFolders(const std::string& path) override;
  Status List(const std::string& folder,
              std::vector<std::string>* names) override;
};

}  // namespace scenario

#endif  // BASE_FILE_SYSTEM_H_
