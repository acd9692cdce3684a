#include "documents/slow_order_form.h"

#include <gtest/gtest.h>

#include "base/document_lines_for_test.h"

namespace scenario {
namespace {

TEST(SlowOrderFormTest, FormAsWritten) {
  const std::string bytes = EncodeTextDocument(SlowOrderFormLines());
  const std::vector<std::string> lines = DocumentLines(SlowOrderFormLines());
  EXPECT_EQ(bytes.size(), 3353u);
  ASSERT_EQ(lines.size(), 47u);
  EXPECT_TRUE(IsAscii(bytes));
  EXPECT_EQ(lines[4], "  Linea  Valdorsio-Ronsale");
  EXPECT_EQ(lines[12],
            " | 1 | TALVERNO-BORGOFREDANO      |     22     |    35    |   550"
            "   |     E      |");
  const std::string empty_row =
      " |   |                            |            |          |         |"
      "            |";
  for (size_t slot = 13; slot <= 37; ++slot) EXPECT_EQ(lines[slot], empty_row);
  EXPECT_EQ(lines[38], lines[11]);
  EXPECT_EQ(
      lines[46],
      " E - Segnale di avviso non preceduto da pannelli distanziometrici");
}

}  // namespace
}  // namespace scenario
