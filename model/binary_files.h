#ifndef MODEL_BINARY_FILES_H_
#define MODEL_BINARY_FILES_H_

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"
#include "model/byte_reader.h"
#include "model/record_layout.h"
#include "model/scenario.h"

namespace scenario {

// The three binary files the simulator reads, laid out as the field lists
// of model/record_layout.h say: little-endian numbers, packed records, no
// header and no trailer.

// Cell file: cells 0 to n_celle, 15 bytes each.
std::string EncodeCells(const Celle& celle);
// Train file: the 87 records of the bank, 34 + N bytes each, N the length
// of `nome`.
std::string EncodeRecords(const std::array<Voce, kVoci>& voci);
// Route plan file: every x value, metre by metre, then every y value. It
// reaches 20 MB: written in pieces of 256 KiB as the points are worked out,
// each piece at its place in the file.
void EncodeTrackPlan(const Tracciato& tracciato, const PlacedSink& sink);
std::string EncodeTrackPlan(const Tracciato& tracciato);
// The same of a plan read back.
std::string EncodeTrackPlan(const PlanPoints& plan);

// The largest file of each kind a package can hold: that of the longest
// route (1000000 m and its extension), with every name as long as a name
// can be. A larger file is no package file.
inline constexpr size_t kLargestCellFile =
    kCellRecordSize * ((kMaxRouteLength + kRouteExtension) / kCellLength + 1);
inline constexpr size_t kLargestTrainFile =
    kVoci * (kRecordFixedSize + kMaxTextLength);
inline constexpr size_t kLargestPlanFile =
    2 * (kMaxRouteLength + kRouteExtension + 1) * (kPlanCodeSize + 8);
size_t LargestFile(BinaryKind kind);

// Reading the files back, for tools that show what a package holds. A
// file that does not have exactly its layout is refused as damaged, with
// what was expected at which byte; the caller names the file.
Status DecodeCells(std::string_view bytes, std::vector<Cella>* cells);
Status DecodeRecords(std::string_view bytes, std::array<Voce, kVoci>* voci);
// Reads plan values one after another from a place in a plan file, a
// piece of 64 KiB at a time, so that the largest plan is never held.
class PlanCursor {
 public:
  PlanCursor(RandomAccessFile& file, uint64_t offset);
  // The next value (only passed over when `value` is null): false at the
  // file's end, or where the value is cut short or of no known kind or the
  // file cannot be read (then `status` says which).
  [[gnu::always_inline]] bool Next(PlanValue* value) {
    // A value whole in the buffer, nearly every one, is read here.
    size_t size = 0;
    int16_t code = 0;
    if (end_ - at_ >= kLongestValue && status_.ok() &&
        ReadPlanValue({buffer_.get() + at_, end_ - at_}, value, &size, &code) ==
            PlanRead::kWhole) {
      at_ += size;
      return true;
    }
    return NextSlowly(value);
  }
  // Of the next value.
  uint64_t offset() const { return start_ + at_; }
  const Status& status() const { return status_; }

 private:
  static constexpr size_t kPiece = size_t{64} << 10;
  static constexpr size_t kLongestValue = kPlanCodeSize + 8;
  enum class PlanRead { kWhole, kShort, kUnknownKind };

  // The value at the front of `bytes` and the bytes it takes.
  [[gnu::always_inline]] static PlanRead ReadPlanValue(std::string_view bytes,
                                                       PlanValue* value,
                                                       size_t* size,
                                                       int16_t* code) {
    ByteReader in(bytes);
    if (!in.get_i16(code)) return PlanRead::kShort;
    for (const PlanItem& item : kPlanItems) {
      if (item.code != *code) continue;
      *size = kPlanCodeSize + item.payload;
      if (bytes.size() < *size) return PlanRead::kShort;
      if (value == nullptr) return PlanRead::kWhole;
      // The payload is whole: each read below succeeds.
      switch (item.kind) {
        case PlanValue::Kind::kReal: {
          double real = 0;
          in.get_f64(&real);
          *value = PlanValue::Real(real);
          break;
        }
        case PlanValue::Kind::kInteger: {
          int16_t integer = 0;
          in.get_i16(&integer);
          *value = PlanValue::Integer(integer);
          break;
        }
        case PlanValue::Kind::kEmpty:
          *value = PlanValue{};
          break;
      }
      return PlanRead::kWhole;
    }
    return PlanRead::kUnknownKind;
  }
  // Refills the buffer, meets the file's end or a damaged value.
  bool NextSlowly(PlanValue* value);
  bool Refill();

  RandomAccessFile& file_;
  uint64_t start_;  // the file's offset of the buffer's first byte
  std::unique_ptr<char[]> buffer_;
  size_t at_ = 0, end_ = 0;
  bool ended_ = false;
  Status status_ = Status::Ok();
};

// Reads a plan file through and checks it: every value whole and of a
// known kind, as many y values as x values. Gives the plan's points and
// the offset where the y values begin.
Status PlanFileLayout(RandomAccessFile& file, size_t* points,
                      uint64_t* y_start);

// Hands `take(metre, x, y)` every point of a plan file, after checking it
// whole: a damaged file is refused before its first point. The x and y
// halves are read side by side, a piece at a time.
template <typename Take>
Status WalkPlanFile(RandomAccessFile& file, Take&& take) {
  size_t points = 0;
  uint64_t y_start = 0;
  Status status = PlanFileLayout(file, &points, &y_start);
  if (!status.ok()) return status;
  PlanCursor xs(file, 0), ys(file, y_start);
  PlanValue x, y;
  for (size_t metre = 0; metre < points; ++metre) {
    if (!xs.Next(&x) || !ys.Next(&y)) {
      // Read twice, the file changed in between.
      if (!xs.status().ok()) return xs.status();
      if (!ys.status().ok()) return ys.status();
      return Status::Damaged({}, ys.offset(), Status::Damage::kPlanValueCut,
                             {0});
    }
    take(metre, x, y);
  }
  return Status::Ok();
}

// The same of a plan held whole, and into a plan's points.
using PointTake =
    std::function<void(size_t metre, const PlanValue& x, const PlanValue& y)>;
Status WalkPlanPoints(std::string_view bytes, const PointTake& take);
Status DecodeTrackPlan(std::string_view bytes, PlanPoints* plan);

// Replaces the plan file (only when `scrivi_linea`), the train file and the
// cell file as one: after a failure every old file is as it was.
Status WriteBinaryFiles(const Scenario& scenario, const FileNames& names,
                        FileSystem& files);

}  // namespace scenario

#endif  // MODEL_BINARY_FILES_H_
