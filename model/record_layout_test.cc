#include "model/record_layout.h"

#include <gtest/gtest.h>

#include <set>

#include "model/binary_files.h"

namespace scenario {
namespace {

// Gives field i of a record the value i + 1 through its field list.
template <typename Record>
Record Numbered(std::span<const RecordField<Record>> fields) {
  Record record;
  for (size_t i = 0; i < fields.size(); ++i) {
    std::visit(
        [&](auto member) {
          auto& value = record.*member;
          using Value = std::remove_cvref_t<decltype(value)>;
          if constexpr (std::is_same_v<Value, std::string>) {
            // Only the bank's records hold a text.
            if constexpr (std::is_same_v<Record, Voce>) {
              value = std::string(i + 1, 'n');
            }
          } else {
            value = static_cast<Value>(i + 1);
          }
        },
        fields[i].member);
  }
  return record;
}

// Each field lands at its own place in the file, once: the first byte of
// field i holds i + 1, a text's count included.
template <typename Record>
void ExpectEachFieldInItsPlace(std::span<const RecordField<Record>> fields,
                               const std::string& bytes) {
  std::set<std::string_view> names;
  size_t offset = 0;
  for (size_t i = 0; i < fields.size(); ++i) {
    SCOPED_TRACE(fields[i].name);
    EXPECT_TRUE(names.insert(fields[i].name).second);
    ASSERT_LT(offset, bytes.size());
    EXPECT_EQ(static_cast<uint8_t>(bytes[offset]), i + 1);
    offset += fields[i].width() + (fields[i].is_text() ? i + 1 : 0);
  }
}

TEST(RecordLayoutTest, EveryCellFieldOnceInFileOrder) {
  Celle celle;
  celle.Assign({Numbered<Cella>(kCellFields)});
  const std::string bytes = EncodeCells(celle);
  ASSERT_EQ(bytes.size(), kCellRecordSize);
  ExpectEachFieldInItsPlace<Cella>(kCellFields, bytes);
  std::vector<Cella> decoded;
  ASSERT_TRUE(DecodeCells(bytes, &decoded).ok());
  EXPECT_EQ(decoded, celle.all());
}

TEST(RecordLayoutTest, EveryBankFieldOnceInFileOrder) {
  std::array<Voce, kVoci> voci;
  voci[0] = Numbered<Voce>(kRecordFields);
  const std::string bytes = EncodeRecords(voci);
  ExpectEachFieldInItsPlace<Voce>(kRecordFields, bytes);
  std::array<Voce, kVoci> decoded;
  ASSERT_TRUE(DecodeRecords(bytes, &decoded).ok());
  EXPECT_EQ(decoded, voci);
}

TEST(RecordLayoutTest, UnitsReadAsADriverReads) {
  ASSERT_EQ(kCellFields[8].name, "velocita");
  EXPECT_EQ(kCellFields[8].unit.Read(24), 120);
  ASSERT_EQ(kCellFields[9].name, "pendenza");
  EXPECT_EQ(kCellFields[9].unit.Read(95), -5);
  EXPECT_EQ(SpeedPairLeft(SpeedPair(60, 35)), 60);
  EXPECT_EQ(SpeedPairRight(SpeedPair(60, 35)), 35);
  EXPECT_EQ(SecondDigit(DigitPair(4, 1)), 1);
}

}  // namespace
}  // namespace scenario
