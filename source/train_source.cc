#include "source/train_source.h"

#include "base/text_document.h"

namespace scenario {
namespace {

// clang-format off
constexpr std::string_view kTrainLines[] = {
    "[generale]",
    "numero vetture,    4",
    "percentuale massa frenata,    115",
    "sabbia,    100",
    "orologio,    5               55            45 ",
    "[aderenze]",
    "aderenza,       0,    90",
    "aderenza,    3500,    85",
    "aderenza,    8000,    89",
    "aderenza,   13500,    85",
    "aderenza,   22000,    95",
    "aderenza,   39750,    90",
    "[vel_limite]",
    "velocita,       0,    65",
    "velocita,    2000,   110",
    "velocita,    5150,   120",
    "velocita,   21750,    10",
    "velocita,   21800,   120",
    "velocita,   22250,    10",
    "velocita,   22300,   120",
    "velocita,   22450,    10",
    "velocita,   22500,   120",
    "velocita,   52000,   105",
    "velocita,   53450,   120",
    "velocita,   63000,    60",
    "[stazioni]",
    "stazione,       0,  8,  400,  1, 0, 0,  4,1,0,  2,1,1,    1,   0, 0, 0, VALDORSIO",
    "stazione,    5450, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   60,   6, 5,15, MORLANZONE",
    "stazione,   11250, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,   35,   6,11, 0, SESTRUGA",
    "stazione,   15150, 23,  300,  0, 0, 0,  0,0,0,  4,1,1,   45,   6,16, 0, PIEVE DI LORMANO",
    "stazione,   22100, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,   99,   6,28, 0, LUVIA",
    "stazione,   26000, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,   25,   6,33,15, FERANTOLA",
    "stazione,   31500, 23,  300,  0, 0, 0,  0,0,0,  4,1,1,   99,   6,45, 8, ROCCABRUNIA",
    "stazione,   39050, 23,  300,  0, 0, 0,  0,0,0,  4,1,1,   60,   6,51, 0, TALVERNO",
    "stazione,   47850, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   99,   7, 3,58, BORGOFREDANO",
    "stazione,   54150, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,   35,   7,10, 3, ZERBIOLA",
    "stazione,   65150,  2,  500,  0, 0, 0,  1,1,0,  2,1,1,    0,   7,18, 0, RONSALE",
    "[rallentamenti]",
    "rallentamento,   43150,    35,  550, 0,  0,  0",
    "[segnali]",
    "segnale,    3700,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,    4750,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   10050,   1, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   11150,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   12950,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   14000,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   19700,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   20950,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   26600,   1, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   27650,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   29900,   1, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   30900,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   36500,   1, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   37650,   2, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   38300,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   45850,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   46950,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "segnale,   51950,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   52950,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   57550,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   58600,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   59600,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   62300,   1, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   63400,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   64100,   2, 3, 1,  1, 0,    0,  0,0,0, 0",
    "[codici]",
    "[fine]",
    kEndOfList,
};
// clang-format on

static_assert(std::size(kTrainLines) <= kLineSlots);

}  // namespace

std::span<const std::string_view> TrainSourceLines() { return kTrainLines; }

Status dati_treno(FileSystem& files, const FileNames& names) {
  // The compile reads it and removes it.
  return WriteTextDocument(files, names.TrainSource(), kTrainLines,
                           /*scratch=*/true);
}

}  // namespace scenario
