#include "base/text_document.h"

#include <algorithm>

#include "base/windows_1252.h"

namespace scenario {

std::string EncodeTextDocument(std::span<const std::string_view> slots) {
  std::string bytes;
  for (std::string_view line :
       slots.first(std::min(slots.size(), kLineSlots))) {
    if (line == kEndOfList) break;
    bytes += ToWindows1252(line);
    bytes += "\r\n";
  }
  return bytes;
}

Status WriteTextDocument(FileSystem& files, const std::string& path,
                         std::span<const std::string_view> slots,
                         bool scratch) {
  return files.Replace(path, EncodeTextDocument(slots), scratch);
}

}  // namespace scenario
