#include "model/binary_files.h"

#include <gtest/gtest.h>

#include "app/memory_file_system.h"

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
  std::string bytes = EncodeCelle(celle);
  ASSERT_EQ(bytes.size(), 2 * kCellRecordSize);
  EXPECT_EQ(bytes.substr(0, 15), std::string(15, '\0'));
  EXPECT_EQ(bytes.substr(15), Bytes({1, 0x01, 0x14, 0xFE, 0xFF, 0x04, 0x03,
                                     0xFF, 0x7F, 101, 31, 3, 24, 96, 255}));
}

TEST(BinaryFilesTest, TrainFileAlwaysHolds87Records) {
  std::array<Voce, kVoci> voci;
  EXPECT_EQ(EncodeVoci(voci), std::string(kVoci * kVoceRecordSize, '\0'));

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
  std::string bytes = EncodeVoci(voci);
  ASSERT_EQ(bytes.size(), kVoci * kVoceRecordSize + 5);
  EXPECT_EQ(bytes.substr(kVoceRecordSize, kVoceRecordSize + 5),
            Bytes({8, 0x70, 0xFE, 0xFF, 0xFF, 0x90, 0x01, 0, 0, 0x04, 0x03,
                   0x02, 0x01, 1, 5, 0}) +
                "LUVIA" +
                Bytes({4, 0, 1, 0, 2, 0, 3, 0, 0xFF, 0xFF, 5, 99, 7, 9, 0x9B,
                       0x55, 0, 0}));
  // The record after it starts right after the name.
  EXPECT_EQ(bytes.substr(2 * kVoceRecordSize + 5, kVoceRecordSize),
            std::string(kVoceRecordSize, '\0'));
}

TEST(BinaryFilesTest, PlanHoldsTheXHalfThenTheYHalf) {
  Tracciato plan;
  plan.Create(2);
  *plan.x(0) = PlanValue::Integer(0);
  *plan.y(0) = PlanValue::Integer(0);
  *plan.x(1) = PlanValue::Integer(-3);
  *plan.y(1) = PlanValue::Integer(1);
  *plan.x(2) = PlanValue::Real(1.0);
  std::string one = Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F});
  EXPECT_EQ(EncodeTracciato(plan), Bytes({2, 0, 0, 0, 2, 0, 0xFD, 0xFF, 5, 0}) +
                                       one +
                                       Bytes({2, 0, 0, 0, 2, 0, 1, 0, 0, 0}));
}

TEST(BinaryFilesTest, ShortestRouteSizes) {
  // A route of length 0 still reaches 7000 m past its end.
  Scenario s;
  s.lunghezza_estesa = 0 + kRouteExtension;
  s.n_celle = s.lunghezza_estesa / kCellLength;
  s.celle.Create(s.n_celle);
  s.tracciato.Create(s.lunghezza_estesa);
  EXPECT_EQ(EncodeCelle(s.celle).size(), 15u * 141);
  EXPECT_EQ(EncodeTracciato(s.tracciato).size(), 2u * 2 * 7001);
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
