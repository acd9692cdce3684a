#ifndef MODEL_BYTE_WRITER_H_
#define MODEL_BYTE_WRITER_H_

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace scenario {

// Appends fixed-length numbers least-significant byte first, whatever the
// host's byte order, to a buffer that is later written in one piece.
class ByteWriter {
 public:
  void put_u8(uint8_t v) { bytes_ += static_cast<char>(v); }
  void put_i16(int16_t v) { PutLittleEndian(static_cast<uint16_t>(v), 2); }
  void put_i32(int32_t v) { PutLittleEndian(static_cast<uint32_t>(v), 4); }
  void put_f64(double v) { PutLittleEndian(std::bit_cast<uint64_t>(v), 8); }
  // A text: its length as a 16-bit count, then one byte per character.
  // The caller keeps texts within the count's range.
  void put_text(std::string_view text) {
    put_i16(static_cast<int16_t>(text.size()));
    bytes_ += text;
  }

  void reserve(size_t n) { bytes_.reserve(n); }
  size_t size() const { return bytes_.size(); }
  std::string& bytes() { return bytes_; }

 private:
  void PutLittleEndian(uint64_t v, int width) {
    for (int i = 0; i < width; ++i) {
      bytes_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
  }

  std::string bytes_;
};

}  // namespace scenario

#endif  // MODEL_BYTE_WRITER_H_
