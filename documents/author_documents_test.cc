#include "documents/author_documents.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/text_document.h"
#include "compiler/author_compile.h"
#include "compiler/compile_for_test.h"
#include "documents/slow_order_form.h"
#include "documents/train_card.h"

namespace scenario {
namespace {

Scenario Compiled(const std::string& route, const std::string& train) {
  AuthorCompile compiled = CompileAuthorTexts(
      {route, train, "R_linea.txt", "R_7-.txt", {"Valdorsio-Ronsale", "37264"}});
  EXPECT_EQ(compiled.scenario.codice_errore, 0);
  return std::move(compiled.scenario);
}

std::string Bytes(const std::vector<std::string>& lines) {
  const std::vector<std::string_view> views(lines.begin(), lines.end());
  return EncodeTextLines(views);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return text;
}

TEST(AuthorDocumentsTest, TheEmbeddedTextsGiveTheEmbeddedForm) {
  const Scenario s = Compiled(EmbeddedRoute(), EmbeddedTrain());
  EXPECT_EQ(Bytes(SlowOrderFormOf(s)), EncodeTextDocument(SlowOrderFormLines()));
}

// Every station of the embedded card between origin and destination, by
// name (letter case aside), kilometre and departure; the destination by
// its arrival.
TEST(AuthorDocumentsTest, TheEmbeddedTextsGiveTheEmbeddedCardsStations) {
  const std::vector<std::string> card =
      TrainCardOf(Compiled(EmbeddedRoute(), EmbeddedTrain()));
  auto row_of = [&](const std::string& name) -> std::string {
    for (const std::string& line : card) {
      if (line.size() > 60 && Lower(line.substr(31, 28)).find(Lower(name) + " ") == 1) {
        return line;
      }
    }
    return "";
  };
  const auto embedded = TrainCardLines();
  size_t stations = 0;
  for (size_t i = 19; i <= 31; ++i) {
    const std::string line(embedded[i]);
    const std::string kilometre = line.substr(14, 9);
    const std::string place = line.substr(31, 28);
    if (kilometre == "         " || place.starts_with(" P.M.")) continue;
    const std::string name = place.substr(1, place.find_last_not_of(' '));
    SCOPED_TRACE(name);
    const std::string row = row_of(name);
    ASSERT_FALSE(row.empty());
    if (i == 31) {
      EXPECT_EQ(row.substr(60, 6), line.substr(60, 6));  // the arrival
    } else {
      EXPECT_EQ(row.substr(14, 9), kilometre);
      EXPECT_EQ(row.substr(67, 8), line.substr(67, 8));  // the departure
    }
    ++stations;
  }
  EXPECT_EQ(stations, 10u);
}

}  // namespace
}  // namespace scenario
