#include "source/route_source.h"

#include <gtest/gtest.h>

#include "base/document_lines_for_test.h"

namespace scenario {
namespace {

TEST(RouteSourceTest, FileAsWritten) {
  const std::string bytes = EncodeTextDocument(RouteSourceLines());
  const std::vector<std::string> lines = DocumentLines(RouteSourceLines());
  EXPECT_EQ(bytes.size(), 4236u);
  ASSERT_EQ(lines.size(), 112u);
  EXPECT_TRUE(IsAscii(bytes));
  EXPECT_EQ(bytes.find(kEndOfList), std::string::npos);
  EXPECT_EQ(lines.front(), "[generale]");
  EXPECT_EQ(lines.back(), "[fine]");
  EXPECT_EQ(lines[8], "ripetizione segnali 4 codici,    0    ,0");
  EXPECT_EQ(lines[52], "[montagne]");
  EXPECT_EQ(lines[53], "[cartelli]");
  EXPECT_EQ(lines[66], "cartello_indicatore,  10000,   ( - - )(|_|_|)( / / )");
  EXPECT_EQ(lines[68], "cartello_indicatore,  10200,   ( - - )(|_|_|)(  /  )");
}

TEST(RouteSourceTest, SpeedBoardsKeepTheirEmptyFields) {
  const std::vector<std::string> lines = DocumentLines(RouteSourceLines());
  for (size_t slot = 54; slot <= 61; ++slot) {
    EXPECT_TRUE(lines[slot].starts_with("indicatori_vmax,  ")) << lines[slot];
    EXPECT_NE(lines[slot].find(",  ,  ,  ,  0"), std::string::npos)
        << lines[slot];
  }
}

}  // namespace
}  // namespace scenario
