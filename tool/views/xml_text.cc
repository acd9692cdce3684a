#include "tool/views/xml_text.h"

#include "base/windows_1252.h"

namespace scenario {

std::string Utf8Text(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t length = c < 0x80 ? 1 : Utf8SequenceLength(text, i);
    if (length > 0) {
      out.append(text, i, length);
      i += length - 1;
    } else {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string XmlText(const std::string& text) {
  std::string out;
  for (char c : Utf8Text(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return out;
}

}  // namespace scenario
