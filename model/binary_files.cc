#include "model/binary_files.h"

#include <bit>
#include <cassert>
#include <cstdint>
#include <memory>
#include <type_traits>

#include "model/byte_reader.h"
#include "model/byte_writer.h"
#include "model/record_layout.h"

namespace scenario {
namespace {

static_assert(FixedSize<Cella>(kCellFields) == kCellRecordSize);
static_assert(FixedSize<Voce>(kRecordFields) == kRecordFixedSize);

template <typename Record>
void PutField(const Record& record, const RecordField<Record>& field,
              ByteWriter& out) {
  std::visit(
      [&](auto member) {
        const auto& value = record.*member;
        using Value = std::remove_cvref_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, Byte>) {
          out.put_u8(value);
        } else if constexpr (std::is_same_v<Value, Integer>) {
          out.put_i16(value);
        } else if constexpr (std::is_same_v<Value, Long>) {
          out.put_i32(value);
        } else {
          // The parser refuses longer texts; cut here too rather than let
          // the count disagree with the bytes that follow it.
          out.put_text(std::string_view(value).substr(0, kMaxTextLength));
        }
      },
      field.member);
}

template <typename Record>
void PutRecord(const Record& record,
               std::span<const RecordField<Record>> fields, ByteWriter& out) {
  for (const RecordField<Record>& field : fields) PutField(record, field, out);
}

// A number field; false when the bytes run out. Texts are read apart.
template <typename Record>
bool GetNumber(Record& record, const RecordField<Record>& field,
               ByteReader& in) {
  return std::visit(
      [&](auto member) {
        auto& value = record.*member;
        using Value = std::remove_cvref_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, Byte>) {
          return in.get_u8(&value);
        } else if constexpr (std::is_same_v<Value, Integer>) {
          return in.get_i16(&value);
        } else if constexpr (std::is_same_v<Value, Long>) {
          return in.get_i32(&value);
        } else {
          return false;
        }
      },
      field.member);
}

// A plan value at `at`, its kind's code and its payload; returns the end.
// Inlined into the loop that writes two million of them.
[[gnu::always_inline]] inline char* PutPlanValue(const PlanValue& value,
                                                 char* at) {
  at = PutLittleEndian<2>(static_cast<uint16_t>(PlanItemOf(value.kind).code),
                          at);
  switch (value.kind) {
    case PlanValue::Kind::kEmpty:
      break;
    case PlanValue::Kind::kInteger:
      at = PutLittleEndian<2>(
          static_cast<uint16_t>(static_cast<int16_t>(value.value)), at);
      break;
    case PlanValue::Kind::kReal:
      at = PutLittleEndian<8>(std::bit_cast<uint64_t>(value.value), at);
      break;
  }
  return at;
}

// The train file's record, split where its name stands: the head up to
// and with the name's count, the name, and the tail.
constexpr size_t kNameField = 5;
static_assert(kRecordFields[kNameField].is_text());
constexpr std::span<const RecordField<Voce>> kRecordHead =
    std::span(kRecordFields).first(kNameField);
constexpr std::span<const RecordField<Voce>> kRecordTail =
    std::span(kRecordFields).subspan(kNameField + 1);
constexpr size_t kRecordHeadSize =
    FixedSize(kRecordHead) + kRecordFields[kNameField].width();
constexpr size_t kRecordTailSize = FixedSize(kRecordTail);

}  // namespace

std::string EncodeCells(const Celle& celle) {
  ByteWriter out(celle.size() * kCellRecordSize);
  for (const Cella& c : celle.all()) {
    [[maybe_unused]] const size_t start = out.size();
    PutRecord<Cella>(c, kCellFields, out);
    assert(out.size() - start == kCellRecordSize);
  }
  return out.Take();
}

std::string EncodeRecords(const std::array<Voce, kVoci>& voci) {
  size_t size = 0;
  for (const Voce& v : voci) size += kRecordFixedSize + v.nome.size();
  ByteWriter out(size);
  for (const Voce& v : voci) {
    [[maybe_unused]] const size_t start = out.size();
    PutRecord<Voce>(v, kRecordFields, out);
    assert(out.size() - start ==
           kRecordFixedSize + std::min(v.nome.size(), kMaxTextLength));
  }
  return out.Take();
}

namespace {

constexpr size_t kLongestPlanValue = kPlanCodeSize + 8;

// One half of the plan's values, every x or every y, handed to the sink
// in pieces of 256 KiB, each at its place in the file. The walk writes
// into the piece through a pointer of its own, kept in a register.
class PlanHalfWriter {
 public:
  static constexpr size_t kPiece = size_t{256} << 10;
  PlanHalfWriter(const PlacedSink& sink, uint64_t start, bool* failed)
      : sink_(sink), offset_(start), failed_(failed) {}

  char* start() { return buffer_.get(); }
  // Hands the piece written up to `end` over; returns where the next one
  // starts.
  char* Hand(char* end) {
    const std::string_view piece(buffer_.get(),
                                 static_cast<size_t>(end - buffer_.get()));
    *failed_ = *failed_ || (!piece.empty() && !sink_(offset_, piece));
    offset_ += piece.size();
    return buffer_.get();
  }

 private:
  const PlacedSink& sink_;
  uint64_t offset_;
  bool* failed_;
  // Room for a piece, and for the plan's first two values before the
  // first hand-over.
  std::unique_ptr<char[]> buffer_{new char[kPiece + 2 * kLongestPlanValue]};
};

size_t ValueSize(PlanValue::Kind kind) {
  return kPlanCodeSize + PlanItemOf(kind).payload;
}

// The bytes of the x half, where the y values begin. A plan laid from its
// runs knows it without working out a point: two integers, then a real
// for each metre laid, then empty values.
uint64_t XHalfSize(const Tracciato& plan) {
  const size_t laid = plan.laid();
  const size_t integers = std::min<size_t>(laid, 2);
  return integers * ValueSize(PlanValue::Kind::kInteger) +
         (laid - integers) * ValueSize(PlanValue::Kind::kReal) +
         (plan.size() - laid) * ValueSize(PlanValue::Kind::kEmpty);
}
uint64_t XHalfSize(const PlanPoints& plan) {
  uint64_t size = 0;
  for (size_t m = 0; m < plan.size(); ++m) size += ValueSize(plan.xs()[m].kind);
  return size;
}

// The plan's values in the file's order, every x then every y, in one
// walk: each point is worked out once and its y value goes straight to its
// place past the x half. Neither half is ever held whole.
template <typename Plan>
void EncodePlan(const Plan& plan, const PlacedSink& sink) {
  bool failed = false;
  PlanHalfWriter xs(sink, 0, &failed);
  PlanHalfWriter ys(sink, XHalfSize(plan), &failed);
  char* x_at = xs.start();
  char* y_at = ys.start();
  // The walk hands the pieces over between stretches of pure arithmetic,
  // each short enough to fill at most a piece: no call in the stretch, so
  // the point's values and the two pointers stay in registers.
  plan.Walk(
      [&](size_t, const PlanValue& x, const PlanValue& y)
          __attribute__((always_inline)) {
            x_at = PutPlanValue(x, x_at);
            y_at = PutPlanValue(y, y_at);
          },
      PlanHalfWriter::kPiece / kLongestPlanValue,
      [&] {
        x_at = xs.Hand(x_at);
        y_at = ys.Hand(y_at);
      });
  xs.Hand(x_at);
  ys.Hand(y_at);
}

template <typename Plan>
std::string EncodePlan(const Plan& plan) {
  std::string bytes;
  bytes.reserve(2 * plan.size() * (kPlanCodeSize + 8));
  EncodePlan(plan, [&](uint64_t offset, std::string_view piece) {
    const size_t end = static_cast<size_t>(offset) + piece.size();
    if (bytes.size() < end) bytes.resize(end);
    piece.copy(bytes.data() + offset, piece.size());
    return true;
  });
  return bytes;
}

}  // namespace

void EncodeTrackPlan(const Tracciato& tracciato, const PlacedSink& sink) {
  EncodePlan(tracciato, sink);
}
std::string EncodeTrackPlan(const Tracciato& tracciato) {
  return EncodePlan(tracciato);
}
std::string EncodeTrackPlan(const PlanPoints& plan) { return EncodePlan(plan); }

Status DecodeCells(std::string_view bytes, std::vector<Cella>* cells) {
  cells->clear();
  if (bytes.size() % kCellRecordSize != 0) {
    const size_t whole = bytes.size() / kCellRecordSize * kCellRecordSize;
    return Status::Damaged({}, whole, Status::Damage::kCellRecordCut,
                           {static_cast<int64_t>(bytes.size() - whole)});
  }
  cells->reserve(bytes.size() / kCellRecordSize);
  ByteReader in(bytes);
  while (!in.done()) {
    Cella c;
    // The length is a whole number of records: every read succeeds.
    for (const RecordField<Cella>& field : kCellFields) {
      GetNumber(c, field, in);
    }
    cells->push_back(c);
  }
  return Status::Ok();
}

Status DecodeRecords(std::string_view bytes, std::array<Voce, kVoci>* voci) {
  ByteReader in(bytes);
  for (int slot = 0; slot < kVoci; ++slot) {
    Voce& v = (*voci)[slot];
    v = Voce{};
    // Reports from where the part that failed begins.
    auto fail = [&](size_t at, Status::Damage damage, int64_t size) {
      return Status::Damaged(
          {}, at, damage,
          {size, slot, static_cast<int64_t>(bytes.size() - at)});
    };
    auto get_all = [&](std::span<const RecordField<Voce>> fields) {
      for (const RecordField<Voce>& field : fields) {
        if (!GetNumber(v, field, in)) return false;
      }
      return true;
    };
    const size_t start = in.offset();
    int16_t length = 0;
    if (!get_all(kRecordHead) || !in.get_i16(&length)) {
      return fail(start, Status::Damage::kRecordHeadCut, kRecordHeadSize);
    }
    if (length < 0) {
      return Status::Damaged({}, in.offset() - 2,
                             Status::Damage::kNameLengthNegative,
                             {slot, length});
    }
    if (!in.get_bytes(static_cast<size_t>(length), &v.nome)) {
      return fail(in.offset(), Status::Damage::kNameCut, length);
    }
    const size_t tail = in.offset();
    if (!get_all(kRecordTail)) {
      return fail(tail, Status::Damage::kRecordTailCut, kRecordTailSize);
    }
  }
  if (!in.done()) {
    return Status::Damaged({}, in.offset(), Status::Damage::kBankTooLong,
                           {kVoci, static_cast<int64_t>(in.left())});
  }
  return Status::Ok();
}

PlanCursor::PlanCursor(RandomAccessFile& file, uint64_t offset)
    : file_(file), start_(offset), buffer_(new char[kPiece]) {}

bool PlanCursor::Refill() {
  // The start of a value cut by the last piece moves to the front.
  std::copy(buffer_.get() + at_, buffer_.get() + end_, buffer_.get());
  start_ += at_;
  end_ -= at_;
  at_ = 0;
  while (end_ < kPiece) {
    size_t got = 0;
    status_ =
        file_.ReadAt(start_ + end_, buffer_.get() + end_, kPiece - end_, &got);
    if (!status_.ok()) return false;
    if (got == 0) {
      ended_ = true;
      break;
    }
    end_ += got;
  }
  return true;
}

bool PlanCursor::NextSlowly(PlanValue* value) {
  if (!status_.ok()) return false;
  if (end_ - at_ < kLongestValue && !ended_ && !Refill()) return false;
  if (at_ == end_) return false;
  size_t size = 0;
  int16_t code = 0;
  switch (
      ReadPlanValue({buffer_.get() + at_, end_ - at_}, value, &size, &code)) {
    case PlanRead::kWhole:
      at_ += size;
      return true;
    case PlanRead::kShort:
      status_ = Status::Damaged({}, offset(), Status::Damage::kPlanValueCut,
                                {static_cast<int64_t>(end_ - at_)});
      return false;
    case PlanRead::kUnknownKind:
      status_ =
          Status::Damaged({}, offset(), Status::Damage::kPlanValueKind, {code});
      return false;
  }
  return false;
}

Status PlanFileLayout(RandomAccessFile& file, size_t* points,
                      uint64_t* y_start) {
  // Where every 4096th value begins, so that the middle is found again
  // without a second reading of the x half.
  constexpr size_t kMark = 4096;
  std::vector<uint64_t> marks;
  PlanCursor cursor(file, 0);
  size_t values = 0;
  for (;;) {
    if (values % kMark == 0) marks.push_back(cursor.offset());
    if (!cursor.Next(nullptr)) break;
    ++values;
  }
  if (!cursor.status().ok()) return cursor.status();
  if (values % 2 != 0) {
    return Status::Damaged({}, cursor.offset(), Status::Damage::kPlanValuesOdd,
                           {static_cast<int64_t>(values)});
  }
  *points = values / 2;
  PlanCursor middle(file, marks[*points / kMark]);
  for (size_t skip = *points % kMark; skip > 0; --skip) middle.Next(nullptr);
  *y_start = middle.offset();
  return middle.status();
}

Status DecodeTrackPlan(std::string_view bytes, PlanPoints* plan) {
  BytesFile file(bytes);
  size_t points = 0;
  uint64_t y_start = 0;
  Status status = PlanFileLayout(file, &points, &y_start);
  if (!status.ok()) return status;
  *plan = PlanPoints();
  if (points > 0) plan->Create(static_cast<Long>(points - 1));
  return WalkPlanFile(file,
                      [&](size_t m, const PlanValue& x, const PlanValue& y) {
                        plan->Set(static_cast<int64_t>(m), x, y);
                      });
}

Status WalkPlanPoints(std::string_view bytes, const PointTake& take) {
  BytesFile file(bytes);
  return WalkPlanFile(file, take);
}

size_t LargestFile(BinaryKind kind) {
  switch (kind) {
    case BinaryKind::kCells:
      return kLargestCellFile;
    case BinaryKind::kTrainBank:
      return kLargestTrainFile;
    case BinaryKind::kRoutePlan:
      return kLargestPlanFile;
    case BinaryKind::kUnknown:
      break;
  }
  return 0;
}

Status WriteBinaryFiles(const Scenario& scenario, const FileNames& names,
                        FileSystem& files) {
  // The three files are replaced as one: a failure keeps the old package
  // whole rather than mix a new plan with an old bank and cells.
  const std::string bank = EncodeRecords(scenario.voci);
  const std::string cells = EncodeCells(scenario.celle);
  std::vector<FileContents> package;
  if (scenario.scrivi_linea) {
    package.push_back({names.RoutePlan(), {}, [&](const PlacedSink& sink) {
                         EncodeTrackPlan(scenario.tracciato, sink);
                       }});
  }
  package.push_back({names.TrainBank(), bank});
  package.push_back({names.Cells(), cells});
  return files.ReplaceAll(package);
}

}  // namespace scenario
