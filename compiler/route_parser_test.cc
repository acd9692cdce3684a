#include "compiler/route_parser.h"

#include <gtest/gtest.h>

#include "compiler/compile_for_test.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

// Reads a route text with an empty train text.
CompiledForTest Route(std::string_view route) {
  CompiledForTest c;
  ReadTexts(c, route, TrainWith(""));
  return c;
}

std::vector<int> Gradients(const Scenario& s, int64_t from, int64_t to) {
  std::vector<int> out;
  for (int64_t i = from; i <= to; ++i) out.push_back(s.celle.at(i)->pendenza);
  return out;
}

TEST(RouteParserTest, EmbeddedRoute) {
  CompiledForTest c = Route(EmbeddedRoute());
  const Scenario& s = c.s;
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.n_celle, 1480);
  EXPECT_EQ(s.lunghezza_estesa, 74000);
  EXPECT_EQ(s.voci[84].fine, 67000);
  EXPECT_EQ(s.voci[81].inizio, 0);
  EXPECT_EQ(s.voci[81].fine, 65100);
  EXPECT_EQ(s.voci[81].progressiva, 1);
  EXPECT_EQ(s.voci[82], Voce{});
  EXPECT_EQ(s.voci[85].inizio, 1);       // sfondo uno
  EXPECT_EQ(s.voci[86].progressiva, 0);  // end 0: no code count
  // 48 signboards, from slot 80 down.
  EXPECT_EQ(s.voci[80].nome, "(P.L.Km)(60+900)");
  EXPECT_EQ(s.voci[77].nome, "( - - )(|_|_|)( / / )");
  EXPECT_EQ(s.voci[33].nome, "(P.L.Km)( 0+950)");
  EXPECT_EQ(s.voci[32].nome, "");
  EXPECT_EQ(s.celle.at(82)->tipo, kSignboard);
  EXPECT_EQ(s.celle.at(82)->valore1, 80);
  // Speed boards: 650 m, 60/65/65 km/h, in cell 14.
  EXPECT_EQ(s.celle.at(14)->tipo, kSpeedBoard);
  EXPECT_EQ(s.celle.at(14)->valore1, 1200);
  EXPECT_EQ(s.celle.at(14)->valore2, 1300);
  int boards = 0;
  int signboards = 0;
  for (const Cella& cell : s.celle.all()) {
    boards += cell.tipo == kSpeedBoard;
    signboards += cell.tipo == kSignboard;
  }
  EXPECT_EQ(boards, 8);
  EXPECT_EQ(signboards, 48);
  // Gradients: 0 to cell 19, -4 from cell 20 (1000 m) to 97, ...
  EXPECT_EQ(Gradients(s, 18, 21), (std::vector<int>{100, 100, 96, 96}));
  EXPECT_EQ(Gradients(s, 97, 98), (std::vector<int>{96, 100}));
  EXPECT_EQ(Gradients(s, 1476, 1480), (std::vector<int>{100, 100, 0, 0, 0}));
  // The plan: two integer points, computed reals, the last two empty.
  EXPECT_EQ(*s.tracciato.Points().y(1), PlanValue::Integer(1));
  EXPECT_EQ(*s.tracciato.Points().y(700), PlanValue::Real(700));
  EXPECT_EQ(s.tracciato.Points().x(701)->kind, PlanValue::Kind::kReal);
  EXPECT_GT(s.tracciato.Points().x(1000)->value,
            0);  // "curvad3" turns towards +x
  EXPECT_EQ(s.tracciato.Points().x(73998)->kind, PlanValue::Kind::kReal);
  EXPECT_EQ(s.tracciato.Points().x(73999)->kind, PlanValue::Kind::kEmpty);
  EXPECT_EQ(s.tracciato.Points().y(74000)->kind, PlanValue::Kind::kEmpty);
}

TEST(RouteParserTest, KeywordCase) {
  CompiledForTest c = Route(
      "[generale]\r\nLunghezza Percorso, 67000\r\n"
      "Progressiva chilometrica uno, 0, 65000, 1\r\n[curve]\r\n"
      "Pendenza, 1000, -4\r\nPENDENZA, 2000, 2\r\n[fine]\r\n");
  EXPECT_EQ(c.s.codice_errore, 0);
  EXPECT_EQ(c.s.voci[81], Voce{});  // references match their case exactly
  EXPECT_EQ(Gradients(c.s, 19, 21), (std::vector<int>{100, 96, 96}));
  EXPECT_EQ(c.s.celle.at(40)->pendenza, 102);
}

TEST(RouteParserTest, CellsRoundHalvesToEven) {
  CompiledForTest c = Route(RouteWithBody(
      "pendenza, 0, 1\r\npendenza, 75, 2\r\npendenza, 125, 3\r\n"
      "pendenza, 1000, 0\r\n"
      "cartello_indicatore, 1225, a\r\ncartello_indicatore, 1175, b\r\n"));
  // 0 writes nothing; 75 and 125 both give cell 2; 125 still writes one.
  EXPECT_EQ(Gradients(c.s, 0, 4), (std::vector<int>{101, 101, 102, 103, 103}));
  EXPECT_EQ(c.s.celle.at(26)->valore1, 80);
  EXPECT_EQ(c.s.celle.at(24)->valore1, 79);
}

TEST(RouteParserTest, Comments) {
  // Two hyphenated key items in a row are skipped; the third is examined.
  CompiledForTest c =
      Route(RouteWithBody("-- a comment, pendenza, 500, 9\r\n"
                          "-a, -b, -pendenza, 1000, 5\r\n"));
  EXPECT_EQ(c.s.codice_errore, 0);
  EXPECT_EQ(c.s.celle.at(0)->pendenza, 100);
  EXPECT_EQ(c.s.celle.at(10)->pendenza, 109);
  EXPECT_EQ(c.s.celle.at(20)->pendenza, 105);

  // In the general phase up to ten comments are read in a row.
  std::string general = "[generale]\r\n";
  for (int i = 0; i < 10; ++i) general += "-c\r\n";
  c = Route(general + "lunghezza percorso, 1000\r\n[curve]\r\n[fine]\r\n");
  EXPECT_EQ(c.s.n_celle, 160);
  // A comment that is the very last item is a reading fault.
  c = Route("[generale]\r\nlunghezza percorso, 1000\r\n-a\r\n-b\r\n");
  EXPECT_EQ(c.s.codice_errore, kReadingFault);
}

TEST(RouteParserTest, RouteLengthLimit) {
  CompiledForTest c = Route(RouteWithBody("", "1000000"));
  EXPECT_EQ(c.s.codice_errore, 0);
  EXPECT_EQ(c.s.n_celle, 20140);
  c = Route(RouteWithBody("", "1000001"));
  EXPECT_EQ(c.s.codice_errore, kRouteTooLong);
  EXPECT_FALSE(c.s.celle.exists());
  EXPECT_EQ(c.s.voci[84].fine, 1000001);
  c = Route(RouteWithBody("", "-1"));
  EXPECT_EQ(c.s.codice_errore, kReadingFault);
}

TEST(RouteParserTest, Codes) {
  struct Case {
    const char* body;
    Long code;
    Long position;
  } cases[] = {
      {"pendenza, 73900, 1\r\n", 0, 0},
      {"pendenza, 73901, 1\r\n", kBeyondCells, 73901},
      {"cartello_indicatore, 100, a\r\ncartello_indicatore, 120, b\r\n",
       kSignboardCellTaken, 120},
      {"indicatori_vmax, 100, 1,1,1,0, ,,, 0\r\ncartello_indicatore, 100, "
       "b\r\n",
       kSignboardCellTaken, 100},
      {"cartello_indicatore, 100, b\r\nindicatori_vmax, 100, 1,1,1,0, ,,, "
       "0\r\n",
       kSpeedBoardCellTaken, 100},
      {"curvad, 100, 10\r\n", kBadCurve, 0},
      {"curvad3, -300, 10\r\n", 0, 0},
      {"montagna, -1000, 500, 1\r\n", 0, 0},
      {"pendenza, 100, 200\r\n", kReadingFault, 0},  // 300 beyond its byte
      {"pendenza, 100, 2147483647\r\n", kReadingFault, 0},
      {"pendenza, 100\r\n", kReadingFault, 0},  // "[fine]" read as its gradient
      {"pendenza, 100, x\r\n", kReadingFault, 0},
  };
  for (const Case& c : cases) {
    CompiledForTest compiled = Route(RouteWithBody(c.body));
    EXPECT_EQ(compiled.s.codice_errore, c.code) << c.body;
    EXPECT_EQ(compiled.s.posizione_errore, c.position) << c.body;
  }
}

TEST(RouteParserTest, CabSignalRepetition) {
  struct Case {
    const char* line;
    Long code;
    std::array<Long, 3> stored;  // start, end, code count
  } cases[] = {
      {"ripetizione segnali 9 codici, 100, 200", 0, {100, 200, 9}},
      {"ripetizione segnali 4 codici, 100, 200", 0, {100, 200, 4}},
      {"ripetizione segnali 9 codici, 100, 0", 0, {100, 0, 0}},
      {"ripetizione segnali 4 codici, 75, 200",
       kCabSignalStartNotOnCell,
       {75, 200, 0}},
      {"ripetizione segnali 4 codici, 100, 225",
       kCabSignalEndNotOnCell,
       {100, 225, 0}},
      {"ripetizione segnali codici, 100, 200",
       kCabSignalCodeCountMissing,
       {100, 200, 0}},
  };
  for (const Case& c : cases) {
    CompiledForTest compiled =
        Route("[generale]\r\nlunghezza percorso, 1000\r\n" +
              std::string(c.line) + "\r\n[curve]\r\n[fine]\r\n");
    const Voce& v = compiled.s.voci[kExtraSlot];
    EXPECT_EQ(compiled.s.codice_errore, c.code) << c.line;
    EXPECT_EQ((std::array<Long, 3>{v.inizio, v.fine, v.progressiva}), c.stored)
        << c.line;
  }
}

TEST(RouteParserTest, CurveClassAndSide) {
  auto x_at = [](std::string_view curve) {
    CompiledForTest c = Route(RouteWithBody(std::string(curve) + "\r\n"));
    return c.s.tracciato.Points().x(120)->value;
  };
  const double class1 = x_at("curva12, 100, 50");
  EXPECT_GT(class1, 0);
  EXPECT_EQ(class1, x_at("curvad1, 100, 50"));
  EXPECT_EQ(-class1, x_at("curvaS1, 100, 50"));
  EXPECT_LT(class1, x_at("curvad2, 100, 50"));
  // A curve running past the plan computes no point beyond it.
  CompiledForTest c = Route(RouteWithBody("curvad3, 73000, 5000\r\n"));
  EXPECT_EQ(c.s.codice_errore, 0);
  EXPECT_EQ(c.s.tracciato.Points().x(74000)->kind, PlanValue::Kind::kReal);
}

TEST(RouteParserTest, TextsWithoutTheUsualFrame) {
  // No "[fine]": the last gradient line, having its fields, is still read.
  CompiledForTest c = Route(
      "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\npendenza, 500, 5");
  EXPECT_EQ(c.s.codice_errore, 0);
  EXPECT_EQ(c.s.celle.at(10)->pendenza, 105);
  // No bracketed item after "[generale]": the body is empty.
  c = Route("[generale]\r\nlunghezza percorso, 1000\r\npendenza, 500, 5\r\n");
  EXPECT_EQ(Gradients(c.s, 0, 10), std::vector<int>(11, 100));
  EXPECT_EQ(Gradients(c.s, 157, 160), (std::vector<int>{100, 0, 0, 0}));
  // No length line: no cells, and nothing is written anywhere.
  c = Route(
      "[generale]\r\n[curve]\r\npendenza, -200, 5\r\n"
      "cartello_indicatore, -500, a\r\n[fine]\r\n");
  EXPECT_FALSE(c.s.celle.exists());
  EXPECT_EQ(c.s.codice_errore, kCellOutsideRoute);
}

TEST(RouteParserTest, TheEightyFirstSignboardIsRefused) {
  std::string body;
  for (int i = 0; i < 81; ++i) {
    body += "cartello_indicatore, " + std::to_string(i * 100) + ", t\r\n";
  }
  CompiledForTest c = Route(RouteWithBody(body));
  EXPECT_EQ(c.s.codice_errore, kTooManySignboards);
  EXPECT_EQ(c.s.posizione_errore, 8000);
  EXPECT_EQ(c.s.voci[0], Voce{});
  EXPECT_EQ(c.s.voci[1].nome, "t");
}

}  // namespace
}  // namespace scenario
