#include "tool/dump_command.h"

#include <charconv>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "messages/messages.h"
#include "model/binary_files.h"
#include "model/cell_units.h"
#include "model/record_layout.h"
#include "model/scenario.h"
#include "tool/scenario_tool.h"
#include "tool/voice.h"

namespace scenario {
namespace {

using nlohmann::json;

std::string Format(const char* pattern, auto... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, pattern, values...);
  return buffer;
}

// A speed pair of a speed board, left|right in km/h.
std::string SpeedPairText(Integer v) {
  return Format("%d|%d", SpeedPairLeft(v), SpeedPairRight(v));
}

// A field's value as JSON: a number, or a text.
template <typename Record>
json FieldJson(const Record& record, const RecordField<Record>& field) {
  if (field.is_text()) {
    return record.*std::get<std::string Record::*>(field.member);
  }
  return StoredNumber(record, field);
}

// A record's fields into a JSON row, by the names of its field list.
template <typename Record>
void AddFields(const Record& record,
               std::span<const RecordField<Record>> fields, json& row) {
  for (const RecordField<Record>& field : fields) {
    row[std::string(field.name)] = FieldJson(record, field);
  }
}

std::string Csv(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// The CSV header of a record: its index column, then its field names.
template <typename Record>
std::string CsvHeader(const char* index,
                      std::span<const RecordField<Record>> fields) {
  std::string header = index;
  for (const RecordField<Record>& field : fields) {
    header += ",";
    header += field.name;
  }
  return header + "\n";
}

template <typename Record>
std::string CsvRow(size_t index, const Record& record,
                   std::span<const RecordField<Record>> fields) {
  std::string row = std::to_string(index);
  for (const RecordField<Record>& field : fields) {
    row += ",";
    row += field.is_text()
               ? Csv(record.*std::get<std::string Record::*>(field.member))
               : std::to_string(StoredNumber(record, field));
  }
  return row + "\n";
}

// What a cell carries, in words.
std::string Explain(const Cella& c, size_t index, const DumpWords& w) {
  auto second_speed = [&](std::string text) {
    if (c.valore2 != 0) text += Format(w.second_speed, c.valore2);
    return text;
  };
  switch (c.tipo) {
    case kNone:
      if (index == 1 && (c.valore1 != 0 || c.valore2 != 0)) {
        return Format(w.cell_one, c.valore1, c.valore2);
      }
      return c.valore1 || c.valore2 || c.valore3 || c.valore4
                 ? Format(w.values, c.valore1, c.valore2, c.valore3, c.valore4)
                 : "";
    case kSignal:
      return Format(w.signal, FirstDigit(c.valore1), SecondDigit(c.valore1),
                    FirstDigit(c.valore2), SecondDigit(c.valore2),
                    FirstDigit(c.valore3), SecondDigit(c.valore3), c.valore4,
                    c.tempo);
    case kSlowDownEnd:
    case kSlowDownStart: {
      std::string text = second_speed(
          Format(c.tipo == kSlowDownEnd ? w.slow_down_end : w.slow_down_start,
                 c.valore1));
      if (c.valore3 != 0) text += Format(w.f_tt, c.valore3);
      return text;
    }
    case kWarningBoard:
      return second_speed(Format(w.warning_board, c.valore1));
    case kSlowDownMarker:
      return Format(w.slow_down_marker, c.valore1);
    case kSpeedBoard:
      return w.speed_board + SpeedPairText(c.valore1) + ", " +
             SpeedPairText(c.valore2) + ", " + SpeedPairText(c.valore3) +
             Format(w.stripes, FirstDigit(c.valore4), SecondDigit(c.valore4));
    case kStopPoint:
      return Format(w.stop_point, c.valore1);
    case kMountainMark:
      return w.mountain_mark;
    case kSpeedPoint:
      return Format(w.speed_point, c.valore1);
    case kPlainPoint:
      return w.plain_point;
    case kSignboard:
      return Format(w.signboard, c.valore1);
  }
  return Format(w.other_kind, c.tipo, c.valore1, c.valore2, c.valore3,
                c.valore4);
}

std::string Clock(int h, int m, int s) {
  return Format("%d:%02d:%02d", h, m, s);
}

// What a record of the bank holds, by its slot.
enum class Role {
  kTrain,
  kRoute,
  kGeneral,
  kReference,
  kEmpty,
  kSignboard,
  kStation
};
Role RoleOf(const Voce& v, int slot) {
  if (slot == kTrainSlot) return Role::kTrain;
  if (slot == kRouteSlot) return Role::kRoute;
  if (slot == kExtraSlot) return Role::kGeneral;
  if (slot >= kReferenceTreSlot) return Role::kReference;
  if (v == Voce{}) return Role::kEmpty;
  if (slot >= kFirstStationSlot && v.holds_only_text()) return Role::kSignboard;
  return Role::kStation;
}

std::string Describe(const Voce& v, int slot, const DumpWords& w) {
  const Role role = RoleOf(v, slot);
  const std::string role_name = w.roles[static_cast<int>(role)];
  switch (role) {
    case Role::kEmpty:
      return role_name;
    case Role::kSignboard:
      return role_name + ": " + v.nome;
    case Role::kReference:
      return Format(w.reference,
                    slot == kReferenceTreSlot   ? "tre"
                    : slot == kReferenceDueSlot ? "due"
                                                : "uno",
                    v.inizio, v.fine, v.progressiva);
    case Role::kTrain:
      return Format(w.train_values, v.inizio, v.fine, v.progressiva);
    case Role::kRoute:
      return role_name + " " + v.nome +
             Format(w.route_values, v.inizio, v.progressiva, v.fine, v.intero1,
                    v.orario);
    case Role::kGeneral:
      return w.roles[static_cast<int>(Role::kTrain)] + std::string(" ") +
             v.nome +
             Format(w.general_values, v.inizio, v.fine, v.progressiva,
                    v.intero1, Clock(v.intero3, v.intero4, v.intero5).c_str());
    case Role::kStation:
      break;
  }
  return role_name + " " + v.nome +
         Format(
             w.station, v.tipo, v.progressiva, v.inizio, v.fine,
             Clock(v.orario / 3600, v.orario / 60 % 60, v.orario % 60).c_str(),
             v.byte1, v.byte2, v.byte3, v.byte4, v.byte5, v.intero1, v.intero2,
             v.intero3, v.intero4, v.intero5);
}

void DumpCells(const std::vector<Cella>& cells, const std::string& format,
               const DumpWords& w, std::ostream& out) {
  if (format == "json") {
    json rows = json::array();
    for (size_t i = 0; i < cells.size(); ++i) {
      json row = {{"cella", i}, {"oggetto", Explain(cells[i], i, w)}};
      AddFields<Cella>(cells[i], kCellFields, row);
      rows.push_back(std::move(row));
    }
    out << json({{"kind", "cells"}, {"cells", rows}}).dump(1) << "\n";
    return;
  }
  if (format == "csv") {
    out << CsvHeader<Cella>("cella", kCellFields);
    for (size_t i = 0; i < cells.size(); ++i) {
      out << CsvRow<Cella>(i, cells[i], kCellFields);
    }
    return;
  }
  out << w.cells_header;
  for (size_t i = 0; i < cells.size(); ++i) {
    const Cella& c = cells[i];
    out << Format("%6zu  %8zu  %8d  %6d  %8d  %9d  %8d  ", i, i * kCellLength,
                  SpeedOfCell(c.velocita), GradientOfCell(c.pendenza),
                  c.aderenza, c.preavviso, c.montagna)
        << Explain(c, i, w) << "\n";
  }
}

void DumpVoci(const std::array<Voce, kVoci>& voci, const std::string& format,
              const DumpWords& w, std::ostream& out) {
  if (format == "json") {
    json rows = json::array();
    for (int slot = 0; slot < kVoci; ++slot) {
      json row = {
          {"record", slot},
          {"ruolo", w.roles[static_cast<int>(RoleOf(voci[slot], slot))]}};
      AddFields<Voce>(voci[slot], kVoceFields, row);
      rows.push_back(std::move(row));
    }
    out << json({{"kind", "train"}, {"records", rows}})
               .dump(1, ' ', false, json::error_handler_t::replace)
        << "\n";
    return;
  }
  if (format == "csv") {
    out << CsvHeader<Voce>("record", kVoceFields);
    for (size_t slot = 0; slot < voci.size(); ++slot) {
      out << CsvRow<Voce>(slot, voci[slot], kVoceFields);
    }
    return;
  }
  out << w.records_header;
  for (int slot = 0; slot < kVoci; ++slot) {
    out << Format("%6d  ", slot) << Describe(voci[slot], slot, w) << "\n";
  }
}

json PlanJson(const PlanValue& v) {
  switch (v.kind) {
    case PlanValue::Kind::kEmpty:
      return nullptr;
    case PlanValue::Kind::kInteger:
      return static_cast<int>(v.value);
    case PlanValue::Kind::kReal:
      return v.value;
  }
  return nullptr;
}

// An empty or integer plan value in the text table.
std::string PlanText(const PlanValue& v, const DumpWords& w) {
  return v.kind == PlanValue::Kind::kInteger
             ? Format(w.integer_value, static_cast<int>(v.value))
             : w.empty_value;
}

void DumpPlan(const std::vector<PlanValue>& xs,
              const std::vector<PlanValue>& ys, const std::string& format,
              const DumpWords& w, std::ostream& out) {
  if (format == "json") {
    // Written value by value, as the whole document would print: a plan of
    // two million values is never held as a tree.
    out << R"({"kind":"plan","points":)" << xs.size();
    for (const auto* column : {&xs, &ys}) {
      out << (column == &xs ? R"(,"x":[)" : R"(],"y":[)");
      for (size_t m = 0; m < column->size(); ++m) {
        if (m > 0) out << ',';
        out << PlanJson((*column)[m]).dump();
      }
    }
    out << "]}\n";
    return;
  }
  // Numbers by std::to_chars, which prints as printf does in the C locale,
  // into one line buffer.
  std::string line;
  const auto number = [&](double value, std::chars_format form, int precision) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, form, precision);
    line.append(buffer, result.ptr);
  };
  if (format == "csv") {
    out << "metro,x,y\n";
    for (size_t m = 0; m < xs.size(); ++m) {
      line = std::to_string(m);
      for (const PlanValue* v : {&xs[m], &ys[m]}) {
        line += ',';
        if (v->kind != PlanValue::Kind::kEmpty) {
          number(v->value, std::chars_format::general, 17);
        }
      }
      line += '\n';
      out << line;
    }
    return;
  }
  out << w.plan_header;
  for (size_t m = 0; m < xs.size(); ++m) {
    line = Format("%6zu", m);
    for (const PlanValue* v : {&xs[m], &ys[m]}) {
      line += "  ";
      if (v->kind == PlanValue::Kind::kReal) {
        number(v->value, std::chars_format::fixed, 6);
      } else {
        line += PlanText(*v, w);
      }
    }
    line += '\n';
    out << line;
  }
}

}  // namespace

int DumpCommand(const DumpOptions& options, FileSystem& files,
                std::ostream& out, std::ostream& err) {
  BinaryKind binary = KindOfFile(options.file);
  for (BinaryKind named :
       {BinaryKind::kCells, BinaryKind::kTrainBank, BinaryKind::kRoutePlan}) {
    if (options.kind == KindName(named)) binary = named;
  }
  const Voice voice{"dump", options.language, options.format == "json"};
  const DumpWords& words = DumpWordsFor(options.language);
  const std::string kind(KindName(binary));
  if (kind.empty()) {
    return voice.Fail(
        out, err,
        ToolText(ToolMessage::kUnknownKind, options.language, {options.file}));
  }
  std::string bytes;
  // A file larger than any package's is refused before it fills memory.
  Status status = files.Read(options.file, &bytes, LargestFile(binary));
  if (!status.ok()) {
    return voice.Fail(out, err, MessageFor(status, options.language));
  }
  if (kind == "cells") {
    std::vector<Cella> cells;
    status = DecodeCelle(bytes, &cells);
    if (status.ok()) DumpCells(cells, options.format, words, out);
  } else if (kind == "train") {
    std::array<Voce, kVoci> voci;
    status = DecodeVoci(bytes, &voci);
    if (status.ok()) DumpVoci(voci, options.format, words, out);
  } else {
    std::vector<PlanValue> xs, ys;
    status = DecodeTracciato(bytes, &xs, &ys);
    if (status.ok()) DumpPlan(xs, ys, options.format, words, out);
  }
  if (!status.ok()) {
    return voice.Fail(
        out, err,
        DamagedFileText(
            Status::Damaged(options.file, status.offset(), status.detail()),
            kind, options.language));
  }
  return kToolClean;
}

}  // namespace scenario
