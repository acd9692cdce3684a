#ifndef MODEL_BYTE_WRITER_H_
#define MODEL_BYTE_WRITER_H_

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace scenario {

// Writes the low `kWidth` bytes of `v` at `out`, least-significant first,
// whatever the host's byte order, and returns their end. One path for
// every host: byte i is bits 8i to 8i + 7. Unrolled, the byte stores merge
// into one store on a little-endian machine.
template <size_t kWidth>
[[gnu::always_inline]] inline char* PutLittleEndian(uint64_t v, char* out) {
#pragma GCC unroll 8
  for (size_t i = 0; i < kWidth; ++i) {
    out[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  }
  return out + kWidth;
}

// Appends fixed-length numbers least-significant byte first, whatever the
// host's byte order, to a buffer that is then handed over whole.
class ByteWriter {
 public:
  // Room for `size` bytes up front: a file whose size is known is encoded
  // without the buffer ever growing.
  explicit ByteWriter(size_t size = 0) : bytes_(size, '\0') {}

  void put_u8(uint8_t v) { PutLittleEndian<1>(v); }
  [[gnu::always_inline]] void put_i16(int16_t v) {
    PutLittleEndian<2>(static_cast<uint16_t>(v));
  }
  void put_i32(int32_t v) { PutLittleEndian<4>(static_cast<uint32_t>(v)); }
  [[gnu::always_inline]] void put_f64(double v) {
    PutLittleEndian<8>(std::bit_cast<uint64_t>(v));
  }
  // A text: its length as a 16-bit count, then one byte per character.
  // The caller keeps texts within the count's range.
  void put_text(std::string_view text) {
    put_i16(static_cast<int16_t>(text.size()));
    Room(text.size());
    text.copy(bytes_.data() + used_, text.size());
    used_ += text.size();
  }

  size_t size() const { return used_; }
  // The bytes written so far, until the next put or Clear.
  std::string_view view() const { return {bytes_.data(), used_}; }
  // Starts over, keeping the room: for a file streamed in pieces.
  void Clear() { used_ = 0; }
  // Hands the bytes written over and leaves the writer empty.
  std::string Take() {
    bytes_.resize(used_);
    std::string taken = std::move(bytes_);
    bytes_.clear();
    used_ = 0;
    return taken;
  }

 private:
  void Room(size_t n) {
    if (bytes_.size() - used_ < n) bytes_.resize(2 * bytes_.size() + n);
  }
  template <size_t kWidth>
  [[gnu::always_inline]] void PutLittleEndian(uint64_t v) {
    Room(kWidth);
    scenario::PutLittleEndian<kWidth>(v, bytes_.data() + used_);
    used_ += kWidth;
  }

  std::string bytes_;
  size_t used_ = 0;
};

}  // namespace scenario

#endif  // MODEL_BYTE_WRITER_H_
