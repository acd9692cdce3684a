#include "model/binary_files.h"

#include <cassert>

#include "model/byte_reader.h"
#include "model/byte_writer.h"

namespace scenario {
namespace {

// Kind codes of a plan value in the route plan file.
constexpr int16_t kEmptyCode = 0;
constexpr int16_t kIntegerCode = 2;
constexpr int16_t kRealCode = 5;

void PutPlanValue(const PlanValue& value, ByteWriter& out) {
  switch (value.kind) {
    case PlanValue::Kind::kEmpty:
      out.put_i16(kEmptyCode);
      break;
    case PlanValue::Kind::kInteger:
      out.put_i16(kIntegerCode);
      out.put_i16(static_cast<int16_t>(value.value));
      break;
    case PlanValue::Kind::kReal:
      out.put_i16(kRealCode);
      out.put_f64(value.value);
      break;
  }
}

// Item lengths by kind: the 2-byte kind code and its payload.
size_t ItemSize(const PlanValue& value) {
  switch (value.kind) {
    case PlanValue::Kind::kEmpty:
      return 2;
    case PlanValue::Kind::kInteger:
      return 4;
    case PlanValue::Kind::kReal:
      return 10;
  }
  return 0;
}

size_t PlanSize(const PlanColumn& values) {
  size_t size = 0;
  for (size_t m = 0; m < values.size(); ++m) size += ItemSize(values[m]);
  return size;
}

}  // namespace

std::string EncodeCelle(const Celle& celle) {
  ByteWriter out(celle.size() * kCellRecordSize);
  for (const Cella& c : celle.all()) {
    [[maybe_unused]] const size_t start = out.size();
    out.put_u8(c.tipo);
    out.put_i16(c.valore1);
    out.put_i16(c.valore2);
    out.put_i16(c.valore3);
    out.put_i16(c.valore4);
    out.put_u8(c.tempo);
    out.put_u8(c.preavviso);
    out.put_u8(c.montagna);
    out.put_u8(c.velocita);
    out.put_u8(c.pendenza);
    out.put_u8(c.aderenza);
    assert(out.size() - start == kCellRecordSize);
  }
  return std::move(out.bytes());
}

std::string EncodeVoci(const std::array<Voce, kVoci>& voci) {
  size_t size = 0;
  for (const Voce& v : voci) size += kVoceRecordSize + v.nome.size();
  ByteWriter out(size);
  for (const Voce& v : voci) {
    [[maybe_unused]] const size_t start = out.size();
    // The parser refuses longer texts; cut here too rather than let the
    // count disagree with the bytes that follow it.
    std::string_view nome(v.nome);
    nome = nome.substr(0, kMaxTextLength);
    out.put_u8(v.tipo);
    out.put_i32(v.inizio);
    out.put_i32(v.fine);
    out.put_i32(v.progressiva);
    out.put_u8(v.byte1);
    out.put_text(nome);
    out.put_i16(v.intero1);
    out.put_i16(v.intero2);
    out.put_i16(v.intero3);
    out.put_i16(v.intero4);
    out.put_i16(v.intero5);
    out.put_u8(v.byte2);
    out.put_u8(v.byte3);
    out.put_u8(v.byte4);
    out.put_u8(v.byte5);
    out.put_i32(v.orario);
    assert(out.size() - start == kVoceRecordSize + nome.size());
  }
  return std::move(out.bytes());
}

std::string EncodeTracciato(const Tracciato& tracciato) {
  ByteWriter out(PlanSize(tracciato.xs()) + PlanSize(tracciato.ys()));
  for (const PlanColumn* column : {&tracciato.xs(), &tracciato.ys()}) {
    for (size_t m = 0; m < column->size(); ++m) PutPlanValue((*column)[m], out);
  }
  return std::move(out.bytes());
}

bool DecodeCelle(std::string_view bytes, std::vector<Cella>* cells,
                 DecodeError* error) {
  cells->clear();
  if (bytes.size() % kCellRecordSize != 0) {
    const size_t whole = bytes.size() / kCellRecordSize * kCellRecordSize;
    *error = {whole, "a 15-byte cell record, found " +
                         std::to_string(bytes.size() - whole) + " bytes"};
    return false;
  }
  cells->reserve(bytes.size() / kCellRecordSize);
  ByteReader in(bytes);
  while (!in.done()) {
    Cella c;
    // The length is a whole number of records: every read succeeds.
    in.get_u8(&c.tipo);
    in.get_i16(&c.valore1);
    in.get_i16(&c.valore2);
    in.get_i16(&c.valore3);
    in.get_i16(&c.valore4);
    in.get_u8(&c.tempo);
    in.get_u8(&c.preavviso);
    in.get_u8(&c.montagna);
    in.get_u8(&c.velocita);
    in.get_u8(&c.pendenza);
    in.get_u8(&c.aderenza);
    cells->push_back(c);
  }
  return true;
}

bool DecodeVoci(std::string_view bytes, std::array<Voce, kVoci>* voci,
                DecodeError* error) {
  ByteReader in(bytes);
  for (int slot = 0; slot < kVoci; ++slot) {
    Voce& v = (*voci)[slot];
    v = Voce{};
    const size_t start = in.offset();
    // Reports from where the part that failed begins.
    auto fail = [&](size_t at, const std::string& what) {
      *error = {at, what + " of record " + std::to_string(slot) + " (" +
                        std::to_string(bytes.size() - at) + " bytes left)"};
      return false;
    };
    int16_t length = 0;
    if (!in.get_u8(&v.tipo) || !in.get_i32(&v.inizio) || !in.get_i32(&v.fine) ||
        !in.get_i32(&v.progressiva) || !in.get_u8(&v.byte1) ||
        !in.get_i16(&length)) {
      return fail(start, "a 16-byte record head");
    }
    if (length < 0) {
      *error = {in.offset() - 2, "a name length of 0 to 32767 in record " +
                                     std::to_string(slot) + ", found " +
                                     std::to_string(length)};
      return false;
    }
    if (!in.get_bytes(static_cast<size_t>(length), &v.nome)) {
      return fail(in.offset(),
                  "a name of " + std::to_string(length) + " bytes");
    }
    const size_t tail = in.offset();
    if (!in.get_i16(&v.intero1) || !in.get_i16(&v.intero2) ||
        !in.get_i16(&v.intero3) || !in.get_i16(&v.intero4) ||
        !in.get_i16(&v.intero5) || !in.get_u8(&v.byte2) ||
        !in.get_u8(&v.byte3) || !in.get_u8(&v.byte4) || !in.get_u8(&v.byte5) ||
        !in.get_i32(&v.orario)) {
      return fail(tail, "the 18-byte record tail");
    }
  }
  if (!in.done()) {
    *error = {in.offset(), "the end of the file after 87 records, found " +
                               std::to_string(in.left()) + " more bytes"};
    return false;
  }
  return true;
}

bool DecodeTracciato(std::string_view bytes, std::vector<PlanValue>* xs,
                     std::vector<PlanValue>* ys, DecodeError* error) {
  std::vector<PlanValue> values;
  ByteReader in(bytes);
  while (!in.done()) {
    const size_t start = in.offset();
    int16_t kind = 0;
    bool ok = in.get_i16(&kind);
    PlanValue value;
    if (ok && kind == kIntegerCode) {
      int16_t v = 0;
      ok = in.get_i16(&v);
      value = PlanValue::Integer(v);
    } else if (ok && kind == kRealCode) {
      double v = 0;
      ok = in.get_f64(&v);
      value = PlanValue::Real(v);
    } else if (ok && kind != kEmptyCode) {
      *error = {start,
                "a plan value kind 0, 2 or 5, found " + std::to_string(kind)};
      return false;
    }
    if (!ok) {
      *error = {start, "a whole plan value (" +
                           std::to_string(bytes.size() - start) +
                           " bytes left)"};
      return false;
    }
    values.push_back(value);
  }
  if (values.size() % 2 != 0) {
    *error = {bytes.size(), "as many y values as x values, found " +
                                std::to_string(values.size()) + " values"};
    return false;
  }
  const size_t half = values.size() / 2;
  xs->assign(values.begin(), values.begin() + static_cast<long>(half));
  ys->assign(values.begin() + static_cast<long>(half), values.end());
  return true;
}

Status WriteBinaryFiles(const Scenario& scenario, const FileNames& names,
                        FileSystem& files) {
  if (scenario.scrivi_linea != 0) {
    Status status =
        files.Replace(names.RoutePlan(), EncodeTracciato(scenario.tracciato));
    if (!status.ok()) return status;
  }
  Status status = files.Replace(names.TrainBank(), EncodeVoci(scenario.voci));
  if (!status.ok()) return status;
  return files.Replace(names.Cells(), EncodeCelle(scenario.celle));
}

}  // namespace scenario
