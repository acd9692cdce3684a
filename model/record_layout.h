#ifndef MODEL_RECORD_LAYOUT_H_
#define MODEL_RECORD_LAYOUT_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "model/cell_units.h"
#include "model/scenario.h"

namespace scenario {

// The layout of each record the binary files hold, shared by the writer,
// the readers and every tool that shows a record: one field list per
// record, in file order. The files are the simulator's: these lists must
// not change.

// How a stored number reads to a person: stored × scale + offset, in `unit`.
struct Unit {
  std::string_view symbol;  // "m", "km/h", "‰", "s"; "" for a plain value
  int scale = 1;
  int offset = 0;
  int Read(int64_t stored) const {
    return static_cast<int>(stored * scale + offset);
  }
};

// A field's place in its record: a member of one of the four stored types.
template <typename Record>
using FieldMember = std::variant<Byte Record::*, Integer Record::*,
                                 Long Record::*, std::string Record::*>;

template <typename Record>
struct RecordField {
  std::string_view name;  // the model's name, as dumps and reports show it
  FieldMember<Record> member;
  Unit unit;

  // Bytes in the file: 1 (Byte, unsigned), 2 (Integer, signed), 4 (Long,
  // signed); a text is a 2-byte count and then one byte a character,
  // counted here by its count alone.
  constexpr size_t width() const {
    constexpr size_t kWidths[] = {1, 2, 4, 2};
    return kWidths[member.index()];
  }
  constexpr bool is_signed() const {
    return member.index() == 1 || member.index() == 2;
  }
  constexpr bool is_text() const { return member.index() == 3; }
};

inline constexpr Unit kMetres{"m"};

// The cell file: cells 0 to n_celle, 15 bytes each.
inline constexpr RecordField<Cella> kCellFields[] = {
    {"tipo", &Cella::tipo, {}},
    {"valore1", &Cella::valore1, {}},
    {"valore2", &Cella::valore2, {}},
    {"valore3", &Cella::valore3, {}},
    {"valore4", &Cella::valore4, {}},
    {"tempo", &Cella::tempo, {}},
    {"preavviso", &Cella::preavviso, {}},
    {"montagna", &Cella::montagna, {}},
    {"velocita", &Cella::velocita, {"km/h", kSpeedStep}},
    {"pendenza", &Cella::pendenza, {"‰", 1, -kGradientOffset}},
    {"aderenza", &Cella::aderenza, {}},
};
inline constexpr size_t kCellRecordSize = 15;

// The train file: the 87 records of the bank, 34 + N bytes each, N the
// length of `nome`.
inline constexpr RecordField<Voce> kRecordFields[] = {
    {"tipo", &Voce::tipo, {}},
    {"inizio", &Voce::inizio, kMetres},
    {"fine", &Voce::fine, kMetres},
    {"progressiva", &Voce::progressiva, kMetres},
    {"byte1", &Voce::byte1, {}},
    {"nome", &Voce::nome, {}},
    {"intero1", &Voce::intero1, {}},
    {"intero2", &Voce::intero2, {}},
    {"intero3", &Voce::intero3, {}},
    {"intero4", &Voce::intero4, {}},
    {"intero5", &Voce::intero5, {}},
    {"byte2", &Voce::byte2, {}},
    {"byte3", &Voce::byte3, {}},
    {"byte4", &Voce::byte4, {}},
    {"byte5", &Voce::byte5, {}},
    {"orario", &Voce::orario, {"s"}},
};
inline constexpr size_t kRecordFixedSize = 34;

// The plan file: every x value, metre by metre, then every y value, in
// metres. Each value is a 2-byte kind code and a payload by kind.
struct PlanItem {
  PlanValue::Kind kind;
  Integer code;
  size_t payload;  // bytes after the code: none, an Integer or a double
};
inline constexpr PlanItem kPlanItems[] = {
    {PlanValue::Kind::kEmpty, 0, 0},
    {PlanValue::Kind::kInteger, 2, 2},
    {PlanValue::Kind::kReal, 5, 8},
};
inline constexpr size_t kPlanCodeSize = 2;
inline const PlanItem& PlanItemOf(PlanValue::Kind kind) {
  return kPlanItems[static_cast<size_t>(kind)];
}

// The bytes a record's fields take, the text's characters left out.
template <typename Record>
constexpr size_t FixedSize(std::span<const RecordField<Record>> fields) {
  size_t size = 0;
  for (const RecordField<Record>& field : fields) size += field.width();
  return size;
}

// A field's stored value as a whole number (a text's length).
template <typename Record>
int64_t StoredNumber(const Record& record, const RecordField<Record>& field) {
  return std::visit(
      [&](auto member) -> int64_t {
        using Value = std::remove_cvref_t<decltype(record.*member)>;
        if constexpr (std::is_same_v<Value, std::string>) {
          return static_cast<int64_t>((record.*member).size());
        } else {
          return record.*member;
        }
      },
      field.member);
}

}  // namespace scenario

#endif  // MODEL_RECORD_LAYOUT_H_
