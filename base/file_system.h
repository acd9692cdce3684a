#ifndef BASE_FILE_SYSTEM_H_
#define BASE_FILE_SYSTEM_H_

#include <cstddef>
#include <cstdint>
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
// Bytes written in pieces, each at its place in the file, so that a writer
// that knows where a later part begins can write two parts in one walk.
// Together the pieces cover the file once, without a gap.
using PlacedSink = std::function<bool(uint64_t offset, std::string_view piece)>;
using ByteSource = std::function<void(const PlacedSink& sink)>;

// A new content for one file: its bytes, or a source of them in pieces.
struct FileContents {
  std::string path;
  std::string_view contents = {};
  ByteSource pieces = {};
  // A file the run removes before it ends is replaced as whole as any, but
  // not flushed to disk: a power cut would take it anyway.
  bool scratch = false;
};

// A file open for reading at any place, for a reader that walks two parts
// of a large file at once without holding it.
class RandomAccessFile {
 public:
  virtual ~RandomAccessFile() = default;
  virtual uint64_t size() const = 0;
  // Up to `n` bytes from `offset` into `out`; `*got` is 0 past the end.
  virtual Status ReadAt(uint64_t offset, char* out, size_t n, size_t* got) = 0;
};

// Bytes already in memory, read as a file.
class BytesFile : public RandomAccessFile {
 public:
  explicit BytesFile(std::string_view bytes) : bytes_(bytes) {}
  uint64_t size() const override { return bytes_.size(); }
  Status ReadAt(uint64_t offset, char* out, size_t n, size_t* got) override {
    *got = offset < bytes_.size()
               ? bytes_.copy(out, n, static_cast<size_t>(offset))
               : 0;
    return Status::Ok();
  }

 private:
  std::string_view bytes_;
};

// A file read whole into memory (a pipe, which cannot be read at a place).
class HeldFile : public RandomAccessFile {
 public:
  explicit HeldFile(std::string bytes) : bytes_(std::move(bytes)) {}
  uint64_t size() const override { return bytes_.size(); }
  Status ReadAt(uint64_t offset, char* out, size_t n, size_t* got) override {
    return BytesFile(bytes_).ReadAt(offset, out, n, got);
  }

 private:
  std::string bytes_;
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
  // Opens a file to be read at any place; one larger than `limit` bytes is
  // refused (EFBIG).
  virtual Status Open(const std::string& path,
                      std::unique_ptr<RandomAccessFile>* file,
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
  Status Open(const std::string& path, std::unique_ptr<RandomAccessFile>* file,
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
  // A file that cannot be read at a place (a pipe, a device), read whole.
  Status OpenHeld(const std::string& path,
                  std::unique_ptr<RandomAccessFile>* file, size_t limit);
};

}  // namespace scenario

#endif  // BASE_FILE_SYSTEM_H_
