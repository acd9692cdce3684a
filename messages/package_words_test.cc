#include "messages/package_words.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace scenario
