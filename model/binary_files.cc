#include "model/binary_files.h"

#include <cassert>

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

}  // namespace

std::string EncodeCelle(const Celle& celle) {
  ByteWriter out;
  out.reserve(celle.size() * kCellRecordSize);
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
  ByteWriter out;
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
  ByteWriter out;
  out.reserve(2 * tracciato.size() * 10);
  for (const PlanValue& x : tracciato.xs()) PutPlanValue(x, out);
  for (const PlanValue& y : tracciato.ys()) PutPlanValue(y, out);
  return std::move(out.bytes());
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
