#include "base/text_document.h"

#include <algorithm>

#include "base/windows_1252.h"

namespace scenario {

std::string EncodeTextLines(std::span<const std::string_view> lines) {
  std::string bytes;
  for (std::string_view line : lines) {
    bytes += ToWindows1252(line);
    bytes += "\r\n";
  }
  return bytes;
}

std::string EncodeTextDocument(std::span<const std::string_view> slots) {
  const std::span<const std::string_view> lines =
      slots.first(std::min(slots.size(), kLineSlots));
  const auto end = std::find(lines.begin(), lines.end(), kEndOfList);
  return EncodeTextLines(lines.first(static_cast<size_t>(end - lines.begin())));
}

Status WriteTextDocument(FileSystem& files, const std::string& path,
                         std::span<const std::string_view> slots,
                         bool scratch) {
  return files.Replace(path, EncodeTextDocument(slots), scratch);
}

}  // namespace scenario
