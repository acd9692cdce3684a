#ifndef BASE_FILE_SYSTEM_H_
#define BASE_FILE_SYSTEM_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace scenario {

// The largest file a reading takes whole: a source text of the longest
// route is a few megabytes, the largest plan file 20 MB. Anything larger
// (a device, a file passed by mistake) is refused, not read into memory.
inline constexpr size_t kMaxReadSize = size_t{64} << 20;

// Bytes handed over in pieces, for a file too large to be held whole: the
// source calls the sink with each piece in order, and stops when the sink
// answers false (the write failed).
using ByteSink = std::function<bool(std::string_view piece)>;
using ByteSource = std::function<void(const ByteSink& sink)>;

// A new content for one file: its bytes, or a source of them in pieces.
struct FileContents {
  std::string path;
  std::string_view contents = {};
  ByteSource pieces = {};
  // A file the run removes before it ends is replaced as whole as any, but
  // not flushed to disk: a power cut would take it anyway.
  bool scratch = false;
};

// Held while a folder is locked; the lock ends with it.
class FolderLock {
 public:
  virtual ~FolderLock() = default;
};

// The few file operations the program needs. Parsers and writers take this
// interface so that their tests run on memory; the program uses the disk.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when a regular file of that name exists.
  virtual bool Exists(const std::string& path) = 0;
  // Reads a file whole; one larger than `limit` bytes is refused (EFBIG).
  virtual Status Read(const std::string& path, std::string* contents,
                      size_t limit = kMaxReadSize) = 0;
  // Hands a file to `sink` in pieces, for files too large to hold whole;
  // a sink that returns false ends the reading early, without error.
  virtual Status ReadPieces(const std::string& path, const ByteSink& sink,
                            size_t limit = kMaxReadSize) = 0;
  // Replaces files as one: every new content is written beside its target
  // and made durable before the first is renamed over its target, so a
  // failure leaves every old file whole and no partial or temporary file.
  virtual Status ReplaceAll(const std::vector<FileContents>& files) = 0;
  Status Replace(const std::string& path, std::string_view contents,
                 bool scratch = false) {
    return ReplaceAll({{path, contents, {}, scratch}});
  }
  virtual Status Remove(const std::string& path) = 0;
  // Creates a folder and the folders above it, where missing.
  virtual Status CreateFolders(const std::string& path) = 0;
  // The names of the files in a folder, sorted.
  virtual Status List(const std::string& folder,
                      std::vector<std::string>* names) = 0;
  // Waits until no other run holds the folder, then holds it until `lock`
  // is released, and removes what a killed run left half-written there.
  virtual Status LockFolder(const std::string& folder,
                            std::unique_ptr<FolderLock>* lock) = 0;
};

// The real disk. New contents go to temporary files in the target's folder
// (anonymous where the platform allows, so a kill leaves nothing), are
// flushed to disk, and renamed over their targets; then the folder itself
// is flushed, so that a power cut leaves the old files or the new ones.
class DiskFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& path) override;
  Status Read(const std::string& path, std::string* contents,
              size_t limit = kMaxReadSize) override;
  Status ReadPieces(const std::string& path, const ByteSink& sink,
                    size_t limit = kMaxReadSize) override;
  Status ReplaceAll(const std::vector<FileContents>& files) override;
  Status Remove(const std::string& path) override;
  Status CreateFolders(const std::string& path) override;
  Status List(const std::string& folder,
              std::vector<std::string>* names) override;
  Status LockFolder(const std::string& folder,
                    std::unique_ptr<FolderLock>* lock) override;

 private:
  // `sized` learns a regular file's size before its first piece.
  Status ReadPieces(const std::string& path, const ByteSink& sink, size_t limit,
                    const std::function<void(size_t)>& sized);
};

}  // namespace scenario

#endif  // BASE_FILE_SYSTEM_H_
