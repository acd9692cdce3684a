#ifndef BASE_DOCUMENT_LINES_FOR_TEST_H_
#define BASE_DOCUMENT_LINES_FOR_TEST_H_

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_document.h"

namespace scenario {

// A written document split back into its lines; a missing CR LF after the
// last line shows up as a last line "<no CR LF>".
inline std::vector<std::string> DocumentLines(
    std::span<const std::string_view> slots) {
  const std::string bytes = EncodeTextDocument(slots);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  if (start != bytes.size()) lines.push_back("<no CR LF>");
  return lines;
}

inline bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace scenario

#endif  // BASE_DOCUMENT_LINES_FOR_TEST_H_
