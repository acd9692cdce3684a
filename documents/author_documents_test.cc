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
  AuthorCompile compiled = CompileAuthorTexts({route,
                                               train,
                                               "R_linea.txt",
                                               "R_7-.txt",
                                               {"Valdorsio-Ronsale", "37264"}});
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
  EXPECT_EQ(Bytes(SlowOrderFormOf(s)),
            EncodeTextDocument(SlowOrderFormLines()));
}

// Every station of the embedded card between origin and destination, by
// name (letter case aside), kilometre and departure; the destination by
// its arrival.
TEST(AuthorDocumentsTest, TheEmbeddedTextsGiveTheEmbeddedCardsStations) {
  const std::vector<std::string> card =
      TrainCardOf(Compiled(EmbeddedRoute(), EmbeddedTrain()));
  auto row_of = [&](const std::string& name) -> std::string {
    for (const std::string& line : card) {
      if (line.size() > 60 &&
          Lower(line.substr(31, 28)).find(Lower(name) + " ") == 1) {
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

// A small route of 10 km whose kilometre posts fall from 20 (flag 1) or
// rise from it (flag 0), and a train at 90 km/h through three stations.
std::string SmallRoute(int flag, const std::string& length = "10000") {
  return "[generale]\r\nlunghezza percorso, " + length +
         "\r\n"
         "progressiva chilometrica uno, 0, 20000, " +
         std::to_string(flag) + "\r\n[curve]\r\n[fine]\r\n";
}
std::string SmallTrain(const std::string& slow_downs,
                       const std::string& beta_time = "8, 5, 0") {
  const std::string zeros = "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ";
  return "[generale]\r\npercentuale massa frenata, 90\r\n"
         "orologio, 8, 0, 0\r\n[vel_limite]\r\nvelocita, 0, 90\r\n"
         "[stazioni]\r\n"
         "stazione, 1000, 12, 400, " +
         zeros +
         "0, 0, 0, ALFA\r\n"
         "stazione, 4000, 12, 400, " +
         zeros + beta_time +
         ", BETA\r\n"
         "stazione, 8000, 12, 400, " +
         zeros +
         "8, 10, 0, GAMMA\r\n"
         "[rallentamenti]\r\n" +
         slow_downs + "[fine]\r\n";
}

// The row of a slow-down: where it starts among the stations, the post
// after which it starts, and E only where a warning board stands without
// approach markers before it.
TEST(AuthorDocumentsTest, EachSlowDownGetsItsRow) {
  struct Case {
    const char* line;
    int flag;
    const char* row;
  } cases[] = {
      {"rallentamento, 3850, 30, 100, 0, 0, 0", 1,  // inside BETA's zone
       " | 1 | BETA                       |     17     |    30    |   100   |  "
       "   E      |"},
      {"rallentamento, 6000, 50, 400, 0, 1, 0", 1,  // markers: no E
       " | 1 | BETA-GAMMA                 |     14     |    50    |   400   |  "
       "          |"},
      {"rallentamento, 6050, 50, 400, 0, 0, 0", 0,  // posts rising
       " | 1 | BETA-GAMMA                 |     26     |    50    |   400   |  "
       "   E      |"},
      {"rallentamento, 1400, 20, 50, 0, 0, 0", 1,  // no warning board
       " | 1 | ALFA-BETA                  |     19     |    20    |   50    |  "
       "          |"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::vector<std::string> form = SlowOrderFormOf(
        Compiled(SmallRoute(c.flag), SmallTrain(std::string(c.line) + "\r\n")));
    ASSERT_EQ(form.size(), std::size(SlowOrderFormLines()) - 1);
    EXPECT_EQ(form[12], c.row);
    EXPECT_EQ(form[13], std::string(SlowOrderFormLines()[13]));
    EXPECT_EQ(form[4], "  Linea  Valdorsio-Ronsale");
  }
  // More slow-downs than the form's rows: the table grows.
  std::string many;
  for (int i = 0; i < 30; ++i) {
    many += "rallentamento, " + std::to_string(9000 + 1000 * i) +
            ", 60, 50, 0, 0, 0\r\n";
  }
  const std::vector<std::string> form =
      SlowOrderFormOf(Compiled(SmallRoute(1, "40000"), SmallTrain(many)));
  EXPECT_EQ(form.size(), std::size(SlowOrderFormLines()) - 1 + 4);
  EXPECT_EQ(form[41].substr(0, 6), " |30 |");
}

// Kilometres through the references, either way; the time to the minute,
// a departure but at the destination, where it is the arrival; the
// minutes to spare in "Rec".
TEST(AuthorDocumentsTest, TheCardsRows) {
  for (int flag : {1, 0}) {
    SCOPED_TRACE(flag);
    const std::vector<std::string> card =
        TrainCardOf(Compiled(SmallRoute(flag), SmallTrain("", "8, 4, 31")));
    ASSERT_GE(card.size(), 20u);
    EXPECT_EQ(card[4].substr(0, 49),
              " |   TRENO n.37264   |                   da: ALFA");
    EXPECT_EQ(card[4].size(), 83u);
    EXPECT_EQ(card[5].substr(67), "|     90%      |");
    if (flag == 1) {
      EXPECT_EQ(card[16],
                " |  90 |  90 |   19.000 |  90 | ALFA                  "
                "     |           8.00 |     |");
    } else {
      EXPECT_EQ(card[16].substr(14, 9), "   21.000");
    }
    // 59 cells of 50 m at 90 km/h between the stops of ALFA and BETA,
    // 118 s, in 4 min 31 s: 2.55 minutes to spare.
    EXPECT_EQ(card[17].substr(31),
              " BETA                       |           8.05 | 2.6 |");
    // 79 cells on to GAMMA, 158 s, in 5 min 29 s: 2.85 to spare.
    EXPECT_EQ(card[18].substr(60), "  8.10          | 2.8 |");
  }
}

TEST(AuthorDocumentsTest, TheNotesTakeTheAuthorsOwnInEitherCodePage) {
  const Scenario s = Compiled(SmallRoute(1), SmallTrain(""));
  const std::vector<std::string> expected = {
      "***NOTE SUL TRENO 37264***",
      "N.RO RALLENTAMENTI: 0",
      "",
      "",
      "***NOTE SULLA LINEA VALDORSIO-RONSALE***",
      "Città alta",
      "",
      "fine"};
  EXPECT_EQ(NotesOf(s, "Citt\xE0 alta\r\n\r\nfine"), expected);
  EXPECT_EQ(NotesOf(s, "Città alta\n\nfine\n"), expected);
  EXPECT_EQ(NotesOf(s, "").size(), 5u);
}

}  // namespace
}  // namespace scenario
