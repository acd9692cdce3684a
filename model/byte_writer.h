#ifndef MODEL_BYTE_WRITER_H_
#define MODEL_BYTE_WRITER_H_

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace scenario {

// Appends fixed-length numbers least-significant byte first, whatever the
// host's byte order, to a buffer that is later written in one piece.
class ByteWriter {
 public:
  // Room for `size` bytes up front: a file whose size is known is encoded
  // without the buffer ever growing.
  explicit ByteWriter(size_t size = 0) : bytes_(size, '\0') {}

  void put_u8(uint8_t v) { PutLittleEndian<1>(v); }
  void put_i16(int16_t v) { PutLittleEndian<2>(static_cast<uint16_t>(v)); }
  void put_i32(int32_t v) { PutLittleEndian<4>(static_cast<uint32_t>(v)); }
  void put_f64(double v) { PutLittleEndian<8>(std::bit_cast<uint64_t>(v)); }
  // A text: its length as a 16-bit count, then one byte per character.
  // The caller keeps texts within the count's range.
  void put_text(std::string_view text) {
    put_i16(static_cast<int16_t>(text.size()));
    Room(text.size());
    text.copy(bytes_.data() + used_, text.size());
    used_ += text.size();
  }

  size_t size() const { return used_; }
  // The bytes written, and nothing more.
  std::string& bytes() {
    bytes_.resize(used_);
    return bytes_;
  }

 private:
  void Room(size_t n) {
    if (bytes_.size() - used_ < n) bytes_.resize(2 * bytes_.size() + n);
  }
  template <size_t kWidth>
  void PutLittleEndian(uint64_t v) {
    Room(kWidth);
    // Built apart and copied in one piece: the buffer's bytes cannot alias
    // the value, and the copy is a single store.
    char little_endian[kWidth];
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(little_endian, &v, kWidth);
    } else {
      for (size_t i = 0; i < kWidth; ++i) {
        little_endian[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
      }
    }
    std::memcpy(bytes_.data() + used_, little_endian, kWidth);
    used_ += kWidth;
  }

  std::string bytes_;
  size_t used_ = 0;
};

}  // namespace scenario

#endif  // MODEL_BYTE_WRITER_H_
