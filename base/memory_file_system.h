#ifndef BASE_MEMORY_FILE_SYSTEM_H_
#define BASE_MEMORY_FILE_SYSTEM_H_

#include <cerrno>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/file_system.h"

namespace scenario {

// Files held in memory, for tests. A path listed in `read_only` refuses to be
// replaced or removed, as a file in a folder that cannot be written does.
class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> read_only;
  // A path listed here exists but refuses to be read.
  std::set<std::string> unreadable;
  // Every replaced path, in order, so tests can check the order of writing.
  std::vector<std::string> written;

  bool Exists(const std::string& path) override { return files.count(path); }

  Status Read(const std::string& path, std::string* contents,
              size_t limit = kMaxReadSize) override {
    auto it = files.find(path);
    if (it == files.end() || unreadable.count(path)) {
      return Status::FileError(Status::Operation::kRead, path,
                               it == files.end() ? ENOENT : EACCES);
    }
    if (it->second.size() > limit) {
      return Status::FileError(Status::Operation::kRead, path, EFBIG);
    }
    *contents = it->second;
    return Status::Ok();
  }

  // Small pieces, so that readers meet values split between them.
  Status ReadPieces(const std::string& path, const ByteSink& sink,
                    size_t limit = kMaxReadSize) override {
    std::string contents;
    Status status = Read(path, &contents, limit);
    if (!status.ok()) return status;
    constexpr size_t kPiece = 7;
    for (size_t at = 0; at < contents.size(); at += kPiece) {
      if (!sink(std::string_view(contents).substr(at, kPiece))) break;
    }
    return Status::Ok();
  }

  Status Open(const std::string& path, std::unique_ptr<RandomAccessFile>* file,
              size_t limit = kMaxReadSize) override {
    std::string contents;
    Status status = Read(path, &contents, limit);
    // A copy, so that a file replaced while open reads as it was.
    if (status.ok()) *file = std::make_unique<HeldFile>(std::move(contents));
    return status;
  }

  // All or nothing, as on the disk.
  Status ReplaceAll(const std::vector<FileContents>& contents) override {
    for (const FileContents& file : contents) {
      if (read_only.count(file.path)) {
        return Status::FileError(Status::Operation::kWrite, file.path, EACCES);
      }
    }
    for (const FileContents& file : contents) {
      std::string& bytes = files[file.path];
      bytes = std::string(file.contents);
      if (file.pieces) {
        file.pieces([&](uint64_t offset, std::string_view piece) {
          const size_t end = static_cast<size_t>(offset) + piece.size();
          if (bytes.size() < end) bytes.resize(end);
          piece.copy(bytes.data() + offset, piece.size());
          return true;
        });
      }
      written.push_back(file.path);
    }
    return Status::Ok();
  }

  Status Remove(const std::string& path) override {
    if (read_only.count(path)) {
      return Status::FileError(Status::Operation::kDelete, path, EACCES);
    }
    if (!files.erase(path)) {
      return Status::FileError(Status::Operation::kDelete, path, ENOENT);
    }
    return Status::Ok();
  }

  Status CreateFolders(const std::string&) override { return Status::Ok(); }
  Status LockFolder(const std::string&,
                    std::unique_ptr<FolderLock>* lock) override {
    *lock = std::make_unique<FolderLock>();
    return Status::Ok();
  }

  Status List(const std::string& folder,
              std::vector<std::string>* names) override {
    names->clear();
    const std::string prefix = folder + "/";
    for (const auto& [path, contents] : files) {
      if (path.starts_with(prefix) &&
          path.find('/', prefix.size()) == std::string::npos) {
        names->push_back(path.substr(prefix.size()));
      }
    }
    return Status::Ok();
  }
};

}  // namespace scenario

#endif  // BASE_MEMORY_FILE_SYSTEM_H_
