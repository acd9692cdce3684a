#include "tool/commands/dump_command.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "base/decimal_text.h"
#include "base/exit_status.h"
#include "messages/messages.h"
#include "messages/package_words.h"
#include "model/binary_files.h"
#include "model/cell_units.h"
#include "model/record_layout.h"
#include "model/scenario.h"
#include "tool/common/json_number.h"
#include "tool/common/voice.h"

namespace scenario {
namespace {

using nlohmann::json;

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

void DumpCells(const std::vector<Cella>& cells, const std::string& format,
               const DumpWords& w, std::ostream& out) {
  if (format == "json") {
    json rows = json::array();
    for (size_t i = 0; i < cells.size(); ++i) {
      json row = {{"cella", i}, {"oggetto", CellText(cells[i], i, w)}};
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
  out << w[DumpWord::kCellsHeader];
  for (size_t i = 0; i < cells.size(); ++i) {
    const Cella& c = cells[i];
    out << Format("%6zu  %8zu  %8d  %6d  %8d  %9d  %8d  ", i, i * kCellLength,
                  SpeedOfCell(c.velocita), GradientOfCell(c.pendenza),
                  c.aderenza, c.preavviso, c.montagna)
        << CellText(c, i, w) << "\n";
  }
}

void DumpRecords(const std::array<Voce, kVoci>& voci, const std::string& format,
                 const DumpWords& w, std::ostream& out) {
  if (format == "json") {
    json rows = json::array();
    for (int slot = 0; slot < kVoci; ++slot) {
      json row = {{"record", slot}, {"ruolo", RoleName(voci[slot], slot, w)}};
      AddFields<Voce>(voci[slot], kRecordFields, row);
      rows.push_back(std::move(row));
    }
    out << json({{"kind", "train"}, {"records", rows}})
               .dump(1, ' ', false, json::error_handler_t::replace)
        << "\n";
    return;
  }
  if (format == "csv") {
    out << CsvHeader<Voce>("record", kRecordFields);
    for (size_t slot = 0; slot < voci.size(); ++slot) {
      out << CsvRow<Voce>(slot, voci[slot], kRecordFields);
    }
    return;
  }
  out << w[DumpWord::kRecordsHeader];
  for (int slot = 0; slot < kVoci; ++slot) {
    out << Format("%6d  ", slot) << RecordText(voci[slot], slot, w) << "\n";
  }
}

// An empty or integer plan value in the text table.
std::string PlanText(const PlanValue& v, const DumpWords& w) {
  return v.kind == PlanValue::Kind::kInteger
             ? Format(w[DumpWord::kIntegerValue], static_cast<int>(v.value))
             : w[DumpWord::kEmptyValue];
}

// Text gathered in a buffer of 64 KiB and handed to the stream as it
// fills: a dump of two million lines makes a few hundred writes.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::ostream& out) : out_(out) {}
  ~OutputBuffer() { Flush(); }
  // Room for `n` characters at the returned place; `Commit` keeps those
  // written.
  char* Room(size_t n) {
    if (used_ + n > bytes_.size()) Flush();
    return bytes_.data() + used_;
  }
  void Commit(char* end) { used_ = static_cast<size_t>(end - bytes_.data()); }
  void Append(std::string_view text) {
    Commit(std::copy(text.begin(), text.end(), Room(text.size())));
  }
  // Forgets what is not yet handed over.
  void Discard() { used_ = 0; }
  void Flush() {
    out_.write(bytes_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
  }

 private:
  std::ostream& out_;
  std::array<char, size_t{1} << 16> bytes_;
  size_t used_ = 0;
};

// The plan in a table, metre by metre, read from the file a piece at a
// time: numbers written as printf writes them in the C locale.
Status DumpPlanTable(RandomAccessFile& file, const std::string& format,
                     const DumpWords& w, std::ostream& stream) {
  OutputBuffer out(stream);
  // A line holds a metre and two values, none longer than the room.
  constexpr size_t kLine = 3 * kDecimalRoom;
  const bool csv = format == "csv";
  const std::string empty = PlanText(PlanValue{}, w);
  out.Append(csv ? "metro,x,y\n" : w[DumpWord::kPlanHeader]);
  Status status =
      WalkPlanFile(file, [&](size_t m, const PlanValue& x, const PlanValue& y) {
        char* at = out.Room(kLine);
        // In the table the metre stands right-aligned in six columns.
        if (!csv) {
          for (size_t limit = 100000; limit > 1 && m < limit; limit /= 10) {
            *at++ = ' ';
          }
        }
        at = std::to_chars(at, at + 20, m).ptr;
        for (const PlanValue* v : {&x, &y}) {
          if (csv) {
            *at++ = ',';
            if (v->kind != PlanValue::Kind::kEmpty) {
              at = WriteGeneral17(v->value, at);
            }
            continue;
          }
          *at++ = ' ';
          *at++ = ' ';
          if (v->kind == PlanValue::Kind::kReal) {
            at = WriteFixed(v->value, 6, at);
          } else if (v->kind == PlanValue::Kind::kEmpty) {
            at = std::copy(empty.begin(), empty.end(), at);
          } else {
            const std::string text = PlanText(*v, w);
            at = std::copy(text.begin(), text.end(), at);
          }
        }
        *at++ = '\n';
        out.Commit(at);
      });
  // A damaged file is refused before its first point: nothing is shown.
  if (!status.ok()) out.Discard();
  return status;
}

// A plan value as JSON writes it: null, an integer, or a double in the
// shortest form that reads back, straight into the buffer.
char* WritePlanJson(const PlanValue& v, char* at) {
  switch (v.kind) {
    case PlanValue::Kind::kEmpty:
      break;
    case PlanValue::Kind::kInteger:
      return std::to_chars(at, at + kDecimalRoom, static_cast<int>(v.value))
          .ptr;
    case PlanValue::Kind::kReal:
      if (!std::isfinite(v.value)) break;
      return WriteJsonNumber(v.value, at);
  }
  constexpr std::string_view kNull = "null";
  return std::copy(kNull.begin(), kNull.end(), at);
}

// The plan as one JSON document, written value by value as the file is
// read in pieces: a plan of two million values is never held, as bytes or
// as a tree.
Status DumpPlanJson(RandomAccessFile& file, std::ostream& stream) {
  size_t points = 0;
  uint64_t y_start = 0;
  Status status = PlanFileLayout(file, &points, &y_start);
  if (!status.ok()) return status;
  OutputBuffer out(stream);
  out.Append(R"({"kind":"plan","points":)" + std::to_string(points) +
             R"(,"x":[)");
  PlanCursor cursor(file, 0);
  PlanValue value;
  for (size_t index = 0; index < 2 * points; ++index) {
    if (!cursor.Next(&value)) {
      out.Discard();
      return cursor.status();
    }
    char* at = out.Room(kDecimalRoom + 8);
    if (index == points) {
      at = std::copy_n(R"(],"y":[)", 7, at);
    } else if (index != 0) {
      *at++ = ',';
    }
    out.Commit(WritePlanJson(value, at));
  }
  if (points == 0) out.Append(R"(],"y":[)");
  out.Append("]}\n");
  return status;
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
    // What cannot be opened (a missing file, a folder) is told as such,
    // not as a file whose kind is unknown.
    std::unique_ptr<RandomAccessFile> file;
    if (Status opened = files.Open(options.file, &file, LargestFile(binary));
        !opened.ok() && opened.number() != EFBIG) {
      return voice.Fail(out, err, MessageFor(opened, options.language));
    }
    return voice.Fail(
        out, err,
        ToolText(ToolMessage::kUnknownKind, options.language, {options.file}));
  }
  std::string bytes;
  // A file larger than any package's is refused before it fills memory.
  Status status = Status::Ok();
  if (kind == "plan") {
    std::unique_ptr<RandomAccessFile> file;
    status = files.Open(options.file, &file, LargestFile(binary));
    if (status.ok() && options.format == "json") {
      status = DumpPlanJson(*file, out);
    } else if (status.ok()) {
      status = DumpPlanTable(*file, options.format, words, out);
    }
  } else {
    status = files.Read(options.file, &bytes, LargestFile(binary));
    if (status.ok() && kind == "cells") {
      std::vector<Cella> cells;
      status = DecodeCells(bytes, &cells);
      if (status.ok()) DumpCells(cells, options.format, words, out);
    } else if (status.ok() && kind == "train") {
      std::array<Voce, kVoci> voci;
      status = DecodeRecords(bytes, &voci);
      if (status.ok()) DumpRecords(voci, options.format, words, out);
    }
  }
  if (!status.ok() && status.kind() != Status::Kind::kDamaged) {
    return voice.Fail(out, err, MessageFor(status, options.language));
  }
  if (!status.ok()) {
    return voice.Fail(
        out, err,
        DamagedFileText(status.WithPath(options.file), kind, options.language));
  }
  return kExitSuccess;
}

}  // namespace scenario
