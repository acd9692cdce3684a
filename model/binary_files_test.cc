#include "model/binary_files.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "messages/messages.h"

namespace scenario {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

TEST(BinaryFilesTest, CellRecordFieldByField) {
  Celle celle;
  celle.Create(1);
  *celle.at(1) = {.tipo = 1,
                  .valore1 = 5121,
                  .valore2 = -2,
                  .valore3 = 0x0304,
                  .valore4 = 32767,
                  .tempo = 101,
                  .preavviso = 31,
                  .montagna = 3,
                  .velocita = 24,
                  .pendenza = 96,
                  .aderenza = 255};
  std::string bytes = EncodeCells(celle);
  ASSERT_EQ(bytes.size(), 2 * kCellRecordSize);
  EXPECT_EQ(bytes.substr(0, 15), std::string(15, '\0'));
  EXPECT_EQ(bytes.substr(15), Bytes({1, 0x01, 0x14, 0xFE, 0xFF, 0x04, 0x03,
                                     0xFF, 0x7F, 101, 31, 3, 24, 96, 255}));
}

TEST(BinaryFilesTest, TrainFileAlwaysHolds87Records) {
  std::array<Voce, kVoci> voci;
  EXPECT_EQ(EncodeRecords(voci), std::string(kVoci * kRecordFixedSize, '\0'));

  voci[1] = {.tipo = 8,
             .inizio = -400,
             .fine = 400,
             .progressiva = 0x01020304,
             .byte1 = 1,
             .nome = "LUVIA",
             .intero1 = 4,
             .intero2 = 1,
             .intero3 = 2,
             .intero4 = 3,
             .intero5 = -1,
             .byte2 = 5,
             .byte3 = 99,
             .byte4 = 7,
             .byte5 = 9,
             .orario = 21915};
  std::string bytes = EncodeRecords(voci);
  ASSERT_EQ(bytes.size(), kVoci * kRecordFixedSize + 5);
  EXPECT_EQ(bytes.substr(kRecordFixedSize, kRecordFixedSize + 5),
            Bytes({8, 0x70, 0xFE, 0xFF, 0xFF, 0x90, 0x01, 0, 0, 0x04, 0x03,
                   0x02, 0x01, 1, 5, 0}) +
                "LUVIA" +
                Bytes({4, 0, 1, 0, 2, 0, 3, 0, 0xFF, 0xFF, 5, 99, 7, 9, 0x9B,
                       0x55, 0, 0}));
  // The record after it starts right after the name.
  EXPECT_EQ(bytes.substr(2 * kRecordFixedSize + 5, kRecordFixedSize),
            std::string(kRecordFixedSize, '\0'));
}

TEST(BinaryFilesTest, PlanHoldsTheXHalfThenTheYHalf) {
  PlanPoints plan;
  plan.Create(2);
  plan.Set(0, PlanValue::Integer(0), PlanValue::Integer(0));
  plan.Set(1, PlanValue::Integer(-3), PlanValue::Integer(1));
  plan.Set(2, PlanValue::Real(1.0), PlanValue{});
  std::string one = Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F});
  EXPECT_EQ(EncodeTrackPlan(plan), Bytes({2, 0, 0, 0, 2, 0, 0xFD, 0xFF, 5, 0}) +
                                       one +
                                       Bytes({2, 0, 0, 0, 2, 0, 1, 0, 0, 0}));
}

TEST(BinaryFilesTest, ALaidPlanWritesThePointsItsRunsGive) {
  // Straight up the y axis, then a turn to the left; the plan ends at
  // metre 6, whatever a run asks.
  Tracciato plan;
  plan.Create(6);
  plan.Begin();
  plan.Lay(3, 0);
  plan.Lay(100, -0.5);
  EXPECT_EQ(plan.cursor(), 7);
  const PlanPoints points = plan.Points();
  EXPECT_EQ(*points.y(3), PlanValue::Real(3));
  // The step (0, 1) turned by -0.5: (0 - 0.5, 1 + 0), added to (0, 3).
  EXPECT_EQ(*points.x(4), PlanValue::Real(-0.5));
  EXPECT_EQ(*points.y(4), PlanValue::Real(4));
  EXPECT_EQ(EncodeTrackPlan(plan), EncodeTrackPlan(points));
  // Laid short of its end, the rest of the plan is empty.
  plan.Create(6);
  plan.Begin();
  plan.Lay(4, 0);
  EXPECT_EQ(plan.Points().x(5)->kind, PlanValue::Kind::kEmpty);
}

TEST(BinaryFilesTest, ShortestRouteSizes) {
  // A route of length 0 still reaches 7000 m past its end.
  Scenario s;
  s.lunghezza_estesa = 0 + kRouteExtension;
  s.n_celle = s.lunghezza_estesa / kCellLength;
  s.celle.Create(s.n_celle);
  s.tracciato.Create(s.lunghezza_estesa);
  EXPECT_EQ(EncodeCells(s.celle).size(), 15u * 141);
  EXPECT_EQ(EncodeTrackPlan(s.tracciato).size(), 2u * 2 * 7001);
}

TEST(BinaryFilesTest, WritesPlanThenTrainThenCells) {
  Scenario s;
  s.celle.Create(140);
  s.tracciato.Create(7000);
  FileNames names("d", "R", "7");
  MemoryFileSystem files;
  s.scrivi_linea = 1;
  ASSERT_TRUE(WriteBinaryFiles(s, names, files).ok());
  EXPECT_EQ(files.written, (std::vector<std::string>{
                               "d/R_linea.dat", "d/R_7.sim", "d/R_7.dat"}));

  // Without the plan switch an older plan file is left alone.
  files.written.clear();
  files.files["d/R_linea.dat"] = "old";
  s.scrivi_linea = 0;
  ASSERT_TRUE(WriteBinaryFiles(s, names, files).ok());
  EXPECT_EQ(files.written,
            (std::vector<std::string>{"d/R_7.sim", "d/R_7.dat"}));
  EXPECT_EQ(files.files["d/R_linea.dat"], "old");
}

TEST(BinaryFilesTest, AFailureStopsTheWritingAndKeepsWhatWasWritten) {
  Scenario s;
  s.celle.Create(140);
  FileNames names("d", "R", "7");
  MemoryFileSystem files;
  files.files["d/R_7.dat"] = "previous";
  files.read_only.insert("d/R_7.sim");
  Status status = WriteBinaryFiles(s, names, files);
  EXPECT_EQ(status.path(), "d/R_7.sim");
  EXPECT_EQ(files.files["d/R_7.dat"], "previous");
}

}  // namespace
}  // namespace scenario

namespace scenario {
namespace {

// A small compiled-looking scenario to write and read back.
Scenario Sample() {
  Scenario s;
  s.celle.Create(140);
  *s.celle.at(75) = {.tipo = 1,
                     .valore1 = 40,
                     .valore2 = 10,
                     .valore4 = 3,
                     .preavviso = 31,
                     .velocita = 24,
                     .pendenza = 96,
                     .aderenza = 90};
  s.voci[1].nome = "VALDORSIO";
  s.voci[1].inizio = -400;
  s.voci[80].nome = "(P.L.Km)(60+900)";
  s.voci[85].orario = 34355;
  return s;
}

PlanPoints SamplePlan() {
  PlanPoints plan;
  plan.Create(7000);
  plan.Set(0, PlanValue::Integer(0), PlanValue{});
  plan.Set(1, PlanValue{}, PlanValue::Integer(1));
  plan.Set(2, PlanValue::Real(0.0004), PlanValue{});
  return plan;
}

TEST(BinaryDecodingTest, RoundTrip) {
  const Scenario s = Sample();
  const std::string cells = EncodeCells(s.celle);
  const std::string bank = EncodeRecords(s.voci);
  const PlanPoints sample_plan = SamplePlan();
  const std::string plan = EncodeTrackPlan(sample_plan);
  std::vector<Cella> decoded_cells;
  std::array<Voce, kVoci> decoded_voci;
  PlanPoints decoded_plan;
  Status status = DecodeCells(cells, &decoded_cells);
  ASSERT_TRUE(status.ok()) << status.ToString();
  status = DecodeRecords(bank, &decoded_voci);
  ASSERT_TRUE(status.ok()) << status.ToString();
  status = DecodeTrackPlan(plan, &decoded_plan);
  ASSERT_TRUE(status.ok()) << status.ToString();
  EXPECT_EQ(decoded_cells, s.celle.all());
  EXPECT_EQ(decoded_voci, s.voci);
  EXPECT_EQ(EncodeTrackPlan(decoded_plan), plan);
  EXPECT_EQ(decoded_plan.xs(), sample_plan.xs());
  Celle again;
  again.Assign(decoded_cells);
  EXPECT_EQ(EncodeCells(again), cells);
}

TEST(BinaryDecodingTest, MalformedFilesSayWhatWasExpectedWhere) {
  const Scenario s = Sample();
  const std::string cells = EncodeCells(s.celle);
  const std::string bank = EncodeRecords(s.voci);
  const std::string plan = EncodeTrackPlan(SamplePlan());
  std::string negative_name = bank;
  negative_name[14] = '\xFF';  // record 0's name length: -1
  negative_name[15] = '\xFF';
  std::string bad_kind = plan;
  bad_kind[0] = 7;
  struct Case {
    char kind;  // c, t, p
    std::string bytes;
    size_t offset;
    const char* expected;
  } cases[] = {
      {'c', cells.substr(0, cells.size() - 1), 2100,
       "a 15-byte cell record, found 14 bytes"},
      {'t', bank.substr(0, 20), 16,
       "the 18-byte record tail of record 0 (4 bytes left)"},
      {'t', bank.substr(0, kRecordFixedSize + 16 + 6), kRecordFixedSize + 16,
       "a name of 9 bytes of record 1 (6 bytes left)"},
      {'t', bank.substr(0, bank.size() - 3), bank.size() - 18,
       "the 18-byte record tail of record 86 (15 bytes left)"},
      {'t', bank + "xx", bank.size(),
       "the end of the file after 87 records, found 2 more bytes"},
      {'t', negative_name, 14,
       "a name length of 0 to 32767 in record 0, found -1"},
      {'t', "", 0, "a 16-byte record head of record 0 (0 bytes left)"},
      {'p', plan.substr(0, plan.size() - 1), plan.size() - 2,
       "a whole plan value (1 bytes left)"},
      {'p', plan.substr(0, plan.size() - 2), plan.size() - 2,
       "as many y values as x values, found 14001 values"},
      {'p', bad_kind, 0, "a plan value kind 0, 2 or 5, found 7"},
  };
  for (const Case& c : cases) {
    std::vector<Cella> decoded_cells;
    std::array<Voce, kVoci> voci;
    PlanPoints plan_points;
    const Status status = c.kind == 'c' ? DecodeCells(c.bytes, &decoded_cells)
                          : c.kind == 't'
                              ? DecodeRecords(c.bytes, &voci)
                              : DecodeTrackPlan(c.bytes, &plan_points);
    EXPECT_EQ(status.kind(), Status::Kind::kDamaged) << c.expected;
    EXPECT_EQ(status.offset(), c.offset) << c.expected;
    EXPECT_EQ(MessageFor(status.WithPath("f"), Language::kEnglish),
              "f: expected " + std::string(c.expected) + " at byte " +
                  std::to_string(c.offset));
  }
}

}  // namespace
}  // namespace scenario
