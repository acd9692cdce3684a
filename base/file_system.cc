#include "base/file_system.h"

namespace scenario {

// The reading of whole files, the same on every platform: in pieces, with
// room made for a regular file's size before the first.

Status DiskFileSystem::Read(const std::string& path, std::string* contents,
                            size_t limit) {
  contents->clear();
  Status status = ReadPieces(
      path,
      [&](std::string_view piece) {
        contents->append(piece);
        return true;
      },
      limit, [&](size_t size) { contents->reserve(size); });
  if (!status.ok()) contents->clear();
  return status;
}

Status DiskFileSystem::ReadPieces(const std::string& path, const ByteSink& sink,
                                  size_t limit) {
  return ReadPieces(path, sink, limit, [](size_t) {});
}

Status DiskFileSystem::OpenHeld(const std::string& path,
                                std::unique_ptr<RandomAccessFile>* file,
                                size_t limit) {
  std::string contents;
  Status status = Read(path, &contents, limit);
  if (status.ok()) *file = std::make_unique<HeldFile>(std::move(contents));
  return status;
}

}  // namespace scenario
