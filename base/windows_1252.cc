#include "base/windows_1252.h"

#include <array>
#include <cstdint>

namespace scenario {
namespace {

// Bytes 80 to 9F of the code page, which it uses for characters beyond
// Latin-1; 0 marks the five bytes it leaves unassigned.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char Encode(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c && c != 0) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at `text[*i]` and advances `*i` past it. A
// malformed sequence yields U+FFFD, which no code page byte stands for.
char32_t Decode(std::string_view text, size_t* i) {
  const size_t length = Utf8SequenceLength(text, *i);
  if (length == 0) {
    ++*i;
    return 0xFFFD;
  }
  const uint8_t lead = static_cast<uint8_t>(text[*i]);
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    c = (c << 6) | (static_cast<uint8_t>(text[*i + k]) & 0x3F);
  }
  *i += length;
  return c;
}

}  // namespace

std::string ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) out += Encode(Decode(utf8, &i));
  return out;
}

std::string FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto b = static_cast<uint8_t>(byte);
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0) c = kHighControls[b - 0x80];
    if (c == 0) c = '?';
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

char ToLowerWindows1252(char c) {
  const auto byte = static_cast<uint8_t>(c);
  if ((byte >= 'A' && byte <= 'Z') ||
      (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
    return static_cast<char>(byte + 0x20);
  }
  switch (byte) {
    case 0x8A:  // Š
    case 0x8C:  // Œ
    case 0x8E:  // Ž
      return static_cast<char>(byte + 0x10);
    case 0x9F:  // Ÿ
      return static_cast<char>(0xFF);
  }
  return c;
}

size_t Utf8SequenceLength(std::string_view text, size_t i) {
  const uint8_t lead = static_cast<uint8_t>(text[i]);
  const size_t length = lead < 0x80         ? 1
                        : lead >> 5 == 0x6  ? 2
                        : lead >> 4 == 0xE  ? 3
                        : lead >> 3 == 0x1E ? 4
                                            : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((static_cast<uint8_t>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

bool IsWindows1252Text(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    const uint8_t b = static_cast<uint8_t>(bytes[i]);
    if (b >= 0x80 && b <= 0x9F && kHighControls[b - 0x80] == 0) return false;
    if (b >= 0x80 && Utf8SequenceLength(bytes, i) > 1) return false;
  }
  return true;
}

bool IsUtf8BeyondAscii(std::string_view text) {
  bool beyond = false;
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0) return false;
    beyond = beyond || length > 1;
    i += length;
  }
  return beyond;
}

}  // namespace scenario
