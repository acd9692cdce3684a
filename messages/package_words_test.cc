#include "messages/package_words.h"

#include <gtest/gtest.h>

#include "model/placement.h"

namespace scenario {
namespace {

// What a cell carries, in words, from the values the format packs: one row
// a kind, in both languages.
TEST(PackageWordsTest, CellsInWords) {
  struct Case {
    Cella cell;
    size_t index;
    const char* italian;
    const char* english;
  } cases[] = {
      {{}, 5, "", ""},
      {{.valore1 = 5121, .valore2 = 77},
       1,
       "formato 5121, codice og 77",
       "format 5121, og code 77"},
      {{.tipo = kSignal,
        .valore1 = 41,
        .valore2 = 30,
        .valore4 = 3,
        .tempo = 101},
       7,
       "segnale: s1/d1 4/1, s2/d2 3/0, s3/d3 0/0, rapp·10+sx·3+dx 3, tempo "
       "101",
       "signal: s1/d1 4/1, s2/d2 3/0, s3/d3 0/0, rapp·10+sx·3+dx 3, time 101"},
      {{.tipo = kSlowDownStart, .valore1 = 30, .valore2 = 10, .valore3 = 2},
       9,
       "inizio rallentamento: 30 km/h, seconda velocità 10, f_tt 2",
       "slow-down start: 30 km/h, second speed 10, f_tt 2"},
      {{.tipo = kSpeedBoard, .valore1 = 20 * 60 + 8, .valore4 = 12},
       3,
       "indicatore velocità: 60|40, 0|0, 0|0 km/h, strisce 1|2",
       "speed board: 60|40, 0|0, 0|0 km/h, stripes 1|2"},
      {{.tipo = 99, .valore1 = 1},
       3,
       "tipo 99: valori 1 0 0 0",
       "kind 99: values 1 0 0 0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CellText(c.cell, c.index, DumpWordsFor(Language::kItalian)),
              c.italian);
    EXPECT_EQ(CellText(c.cell, c.index, DumpWordsFor(Language::kEnglish)),
              c.english);
  }
}

// The report's objects: each value named as its line names it, in the
// language asked; a signal read with its markers, a signboard's text
// whole however long.
TEST(PackageWordsTest, ObjectsNameEachValueAsTheirLines) {
  Scenario s;
  s.celle.Create(400);
  Segnale signal{.sx = 4, .s1 = 3, .rapp = 1};
  ASSERT_EQ(memo_segnale(s, 950, signal), 0);  // cell 20
  ASSERT_EQ(
      memo_indicatori_v_max(s, 1950, {.vas = 60, .vcd = 35, .strisced = 1}),
      0);  // cell 40
  ASSERT_EQ(memo_rallentamento(s, 5000, {.v = 30, .l = 500, .f_tt = 2}), 0);
  const std::string text(300, 'x');
  s.voci[12].nome = text;
  Cella& signboard = *s.celle.at(300);
  signboard.tipo = kSignboard;
  signboard.valore1 = 12;
  s.celle.at(310)->tipo = kPlainPoint;

  const struct {
    size_t cell;
    std::string italian, english;
  } cases[] = {
      {20,
       "segnale: sx 4, s1 3, s2 0, s3 0, rapp 1, dx 0, d1 0, d2 0, d3 0, "
       "tempo 0 s",
       "signal: sx 4, s1 3, s2 0, s3 0, rapp 1, dx 0, d1 0, d2 0, d3 0, time "
       "0 s"},
      {40,
       "indicatore di velocità massima: vas 60 km/h, vbs 0 km/h, vcs 0 km/h, "
       "strisces 0, vad 0 km/h, vbd 0 km/h, vcd 35 km/h, strisced 1",
       "speed board: left speed a 60 km/h, left speed b 0 km/h, left speed c "
       "0 km/h, left stripes 0, right speed a 0 km/h, right speed b 0 km/h, "
       "right speed c 35 km/h, right stripes 1"},
      {77, "rallentamento, cartello di avviso: velocità 30 km/h, d_v 0 km/h",
       "slow-down, warning board: speed 30 km/h, second speed 0 km/h"},
      {101, "rallentamento, inizio: velocità 30 km/h, f_tt 2, d_v 0 km/h",
       "slow-down, start: speed 30 km/h, f_tt 2, second speed 0 km/h"},
      {300, "cartello: testo \"" + text + "\" (record 12)",
       "signboard: text \"" + text + "\" (record 12)"},
      {310, "abbattimento: senza velocità",
       "abbattimento point: without a speed"},
      {5, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ObjectText(s, c.cell, Language::kItalian), c.italian);
    EXPECT_EQ(ObjectText(s, c.cell, Language::kEnglish), c.english);
  }
}

// A station's name may run to 32767 characters: its tooltip keeps it whole.
TEST(PackageWordsTest, APatternTakesTextsOfAnyLength) {
  const std::string name(32767, 'x');
  EXPECT_EQ(Format("stazione %d %s: tipo %s", 3, name.c_str(), "8"),
            "stazione 3 " + name + ": tipo 8");
}

}  // namespace
}  // namespace scenario
