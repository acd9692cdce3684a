#ifndef MODEL_BYTE_READER_H_
#define MODEL_BYTE_READER_H_

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace scenario {

// Reads fixed-length little-endian numbers from a buffer, checking every
// read against its end: a short buffer makes a read fail, never overrun.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  size_t offset() const { return offset_; }
  size_t left() const { return bytes_.size() - offset_; }
  bool done() const { return offset_ == bytes_.size(); }

  bool get_u8(uint8_t* v) {
    uint64_t raw;
    if (!GetLittleEndian<1>(&raw)) return false;
    *v = static_cast<uint8_t>(raw);
    return true;
  }
  bool get_i16(int16_t* v) {
    uint64_t raw;
    if (!GetLittleEndian<2>(&raw)) return false;
    *v = static_cast<int16_t>(static_cast<uint16_t>(raw));
    return true;
  }
  bool get_i32(int32_t* v) {
    uint64_t raw;
    if (!GetLittleEndian<4>(&raw)) return false;
    *v = static_cast<int32_t>(static_cast<uint32_t>(raw));
    return true;
  }
  bool get_f64(double* v) {
    uint64_t raw;
    if (!GetLittleEndian<8>(&raw)) return false;
    *v = std::bit_cast<double>(raw);
    return true;
  }
  bool get_bytes(size_t n, std::string* v) {
    if (left() < n) return false;
    v->assign(bytes_.substr(offset_, n));
    offset_ += n;
    return true;
  }

 private:
  // One path for every host: byte i is bits 8i to 8i + 7. Unrolled, the
  // byte loads merge into one load on a little-endian machine; a plan
  // file is two million numbers.
  template <size_t kWidth>
  [[gnu::always_inline]] bool GetLittleEndian(uint64_t* v) {
    if (left() < kWidth) return false;
    *v = 0;
#pragma GCC unroll 8
    for (size_t i = 0; i < kWidth; ++i) {
      *v |= uint64_t{static_cast<uint8_t>(bytes_[offset_ + i])} << (8 * i);
    }
    offset_ += kWidth;
    return true;
  }

  std::string_view bytes_;
  size_t offset_ = 0;
};

}  // namespace scenario

#endif  // MODEL_BYTE_READER_H_
