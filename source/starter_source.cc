#include "source/starter_source.h"

#include "base/text_document.h"

namespace scenario {
namespace {

// clang-format off
constexpr std::string_view kRouteLines[] = {
    "[generale]",
    "lunghezza percorso,    5000",
    "progressiva chilometrica uno,    0,    0,    0",
    "progressiva chilometrica due,    0,    0,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "sfondo uno,    1",
    "sfondo due,    0",
    "sfondo tre,    0",
    "ripetizione segnali 4 codici,    0    ,0",
    "[curve]",
    "curvad3,  1500,  400",
    "[pendenze]",
    "pendenza,  0,   0",
    "pendenza,  2000,   5",
    "[montagne]",
    "montagna,  3000,  3500,  1",
    "[cartelli]",
    "indicatori_vmax,  650,  80,  90,  90,  0,  ,  ,  ,  0",
    "[indicazioni]",
    "cartello_indicatore,  1000,  (P.L.Km)(1+000)",
    "[fine]",
    kEndOfList,
};

constexpr std::string_view kTrainLines[] = {
    "[generale]",
    "numero vetture,    4",
    "percentuale massa frenata,    100",
    "sabbia,    100",
    "orologio,    8               0             0 ",
    "[aderenze]",
    "aderenza,       0,    90",
    "[vel_limite]",
    "velocita,       0,    90",
    "[stazioni]",
    "stazione,       0,  8,  400,  1, 0, 0,  4,1,0,  2,1,1,    1,   0, 0, 0, PARTENZA",
    "stazione,    4500,  2,  500,  0, 0, 0,  1,1,0,  2,1,1,    0,   8, 6, 0, ARRIVO",
    "[rallentamenti]",
    "rallentamento,   2500,    60,  300, 0,  0,  0",
    "[segnali]",
    "segnale,    1900,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "[codici]",
    "abbattimento,    3500,    0",
    "[fine]",
    kEndOfList,
};
// clang-format on

}  // namespace

std::span<const std::string_view> StarterRouteLines() { return kRouteLines; }
std::span<const std::string_view> StarterTrainLines() { return kTrainLines; }

}  // namespace scenario
