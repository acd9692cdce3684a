#include "model/binary_files.h"

#include <bit>
#include <cassert>
#include <cstdint>
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

// Inlined into the loops that write two million of them.
[[gnu::always_inline]] inline void PutPlanValue(const PlanValue& value,
                                                ByteWriter& out) {
  out.put_i16(PlanItemOf(value.kind).code);
  switch (value.kind) {
    case PlanValue::Kind::kEmpty:
      break;
    case PlanValue::Kind::kInteger:
      out.put_i16(static_cast<int16_t>(value.value));
      break;
    case PlanValue::Kind::kReal:
      out.put_f64(value.value);
      break;
  }
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

// One half of the plan's values, every x or every y, handed to the sink
// in pieces of 256 KiB as they come.
class PlanHalfWriter {
 public:
  static constexpr size_t kPiece = size_t{256} << 10;
  PlanHalfWriter(const ByteSink& sink, bool ys, bool* failed)
      : sink_(sink), ys_(ys), failed_(failed) {}

  [[gnu::always_inline]] void operator()(size_t, const PlanValue& x,
                                         const PlanValue& y) {
    PutPlanValue(ys_ ? y : x, out_);
    if (out_.size() >= kPiece) {
      Hand(out_.view());
      out_.Clear();
    }
  }
  void Finish() { Hand(out_.view()); }

 private:
  void Hand(std::string_view piece) {
    *failed_ = *failed_ || (!piece.empty() && !sink_(piece));
  }

  const ByteSink& sink_;
  const bool ys_;
  bool* failed_;
  // Room for a piece and the value that passes it.
  ByteWriter out_{kPiece + kPlanCodeSize + 8};
};

// The plan's values in the file's order, every x then every y. The points
// are worked out twice, once for each half: keeping every y value until
// the x values were out cost more, in memory and in the time to touch it,
// than working the points out again.
template <typename Plan>
void EncodePlan(const Plan& plan, const ByteSink& sink) {
  bool failed = false;
  for (const bool ys : {false, true}) {
    if (failed) return;
    PlanHalfWriter writer(sink, ys, &failed);
    plan.Walk(writer);
    writer.Finish();
  }
}

template <typename Plan>
std::string EncodePlan(const Plan& plan) {
  std::string bytes;
  bytes.reserve(2 * plan.size() * (kPlanCodeSize + 8));
  EncodePlan(plan, [&](std::string_view piece) {
    bytes += piece;
    return true;
  });
  return bytes;
}

}  // namespace

void EncodeTrackPlan(const Tracciato& tracciato, const ByteSink& sink) {
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

namespace {

enum class PlanRead { kWhole, kShort, kUnknownKind };

// The value at the front of `bytes` and the bytes it takes.
inline PlanRead ReadPlanValue(std::string_view bytes, PlanValue* value,
                              size_t* size, int16_t* code) {
  ByteReader in(bytes);
  if (!in.get_i16(code)) return PlanRead::kShort;
  for (const PlanItem& item : kPlanItems) {
    if (item.code != *code) continue;
    *size = kPlanCodeSize + item.payload;
    if (bytes.size() < *size) return PlanRead::kShort;
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

}  // namespace

bool PlanReader::Feed(std::string_view piece) {
  if (!status_.ok()) return false;
  // A value split between pieces is put together byte by byte: it is
  // never longer than a code and a double.
  while (!carry_.empty() && !piece.empty()) {
    carry_ += piece.front();
    piece.remove_prefix(1);
    TakeOne(carry_);
    if (!status_.ok()) return false;
  }
  while (!piece.empty()) {
    const size_t used = TakeOne(piece);
    if (!status_.ok()) return false;
    if (used == 0) {
      carry_.assign(piece);
      break;
    }
    piece.remove_prefix(used);
  }
  return true;
}

size_t PlanReader::TakeOne(std::string_view bytes) {
  PlanValue value;
  size_t size = 0;
  int16_t code = 0;
  switch (ReadPlanValue(bytes, &value, &size, &code)) {
    case PlanRead::kShort:
      return 0;
    case PlanRead::kUnknownKind:
      status_ =
          Status::Damaged({}, offset_, Status::Damage::kPlanValueKind, {code});
      return 0;
    case PlanRead::kWhole:
      break;
  }
  if (take_) take_(values_, value);
  ++values_;
  offset_ += size;
  carry_.clear();
  return size;
}

Status PlanReader::End(size_t* points) {
  if (!status_.ok()) return status_;
  if (!carry_.empty()) {
    return Status::Damaged({}, offset_, Status::Damage::kPlanValueCut,
                           {static_cast<int64_t>(carry_.size())});
  }
  if (values_ % 2 != 0) {
    return Status::Damaged({}, offset_, Status::Damage::kPlanValuesOdd,
                           {static_cast<int64_t>(values_)});
  }
  *points = values_ / 2;
  return Status::Ok();
}

namespace {

// A plan file read twice: once to check it and count its points, then
// again to hand each value over, so that its reader can make room for it
// first. `read` gives the file's pieces to a sink.
Status ReadPlan(const std::function<Status(const ByteSink&)>& read,
                const std::function<void(size_t points)>& counted,
                const PlanReader::Take& take) {
  for (bool counting : {true, false}) {
    PlanReader reader(counting ? PlanReader::Take() : take);
    Status status =
        read([&](std::string_view piece) { return reader.Feed(piece); });
    if (!status.ok()) return status;
    size_t points = 0;
    status = reader.End(&points);
    if (!status.ok()) return status;
    if (counting) counted(points);
  }
  return Status::Ok();
}

Status ReadPlan(std::string_view bytes,
                const std::function<void(size_t points)>& counted,
                const PlanReader::Take& take) {
  return ReadPlan(
      [&](const ByteSink& sink) {
        sink(bytes);
        return Status::Ok();
      },
      counted, take);
}

}  // namespace

Status DecodeTrackPlan(std::string_view bytes, std::vector<PlanValue>* xs,
                       std::vector<PlanValue>* ys) {
  size_t half = 0;
  return ReadPlan(
      bytes,
      [&](size_t points) {
        half = points;
        xs->assign(half, PlanValue{});
        ys->assign(half, PlanValue{});
      },
      [&](size_t index, const PlanValue& value) {
        (index < half ? (*xs)[index] : (*ys)[index - half]) = value;
      });
}

namespace {

PlanReader::Take IntoPlan(PlanPoints* plan, const size_t& half) {
  return [plan, &half](size_t index, const PlanValue& value) {
    const auto metre =
        static_cast<int64_t>(index < half ? index : index - half);
    index < half ? plan->SetX(metre, value) : plan->SetY(metre, value);
  };
}

void MakeRoom(PlanPoints* plan, size_t points) {
  if (points > 0) plan->Create(static_cast<Long>(points - 1));
}

}  // namespace

Status DecodeTrackPlan(std::string_view bytes, PlanPoints* plan) {
  size_t half = 0;
  return ReadPlan(
      bytes,
      [&](size_t points) {
        half = points;
        MakeRoom(plan, points);
      },
      IntoPlan(plan, half));
}

Status ReadTrackPlan(FileSystem& files, const std::string& path,
                     PlanPoints* plan) {
  size_t half = 0;
  return ReadPlan(
      [&](const ByteSink& sink) {
        return files.ReadPieces(path, sink, kLargestPlanFile);
      },
      [&](size_t points) {
        half = points;
        MakeRoom(plan, points);
      },
      IntoPlan(plan, half));
}

Status ReadTrackPlan(FileSystem& files, const std::string& path,
                     const std::function<void(size_t points)>& counted,
                     const PlanReader::Take& take) {
  return ReadPlan(
      [&](const ByteSink& sink) {
        return files.ReadPieces(path, sink, kLargestPlanFile);
      },
      counted, take);
}

Status WalkPlanPoints(std::string_view bytes, const PointTake& take) {
  size_t points = 0;
  PlanReader counter(nullptr);
  counter.Feed(bytes);
  Status status = counter.End(&points);
  if (!status.ok()) return status;
  // Checked by the count: every value is whole and known. The y values
  // begin past the x values.
  PlanValue x, y;
  size_t size = 0;
  int16_t code = 0;
  std::string_view ys = bytes;
  for (size_t metre = 0; metre < points; ++metre) {
    ReadPlanValue(ys, &y, &size, &code);
    ys.remove_prefix(size);
  }
  std::string_view xs = bytes;
  for (size_t metre = 0; metre < points; ++metre) {
    ReadPlanValue(xs, &x, &size, &code);
    xs.remove_prefix(size);
    ReadPlanValue(ys, &y, &size, &code);
    ys.remove_prefix(size);
    take(metre, x, y);
  }
  return Status::Ok();
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
    package.push_back({names.RoutePlan(), {}, [&](const ByteSink& sink) {
                         EncodeTrackPlan(scenario.tracciato, sink);
                       }});
  }
  package.push_back({names.TrainBank(), bank});
  package.push_back({names.Cells(), cells});
  return files.ReplaceAll(package);
}

}  // namespace scenario
