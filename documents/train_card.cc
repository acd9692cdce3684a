#include "documents/train_card.h"

#include "base/text_document.h"

namespace scenario {
namespace {

// clang-format off
constexpr std::string_view kTrainCardLines[] = {
    // Title box
    "",
    "",
    "  ___________________                                               ______________",
    " |                   |                    SCHEDA                   |              |",
    " |   TRENO n.37264   |                   da: VALDORSIO             |    V140 B    |",
    " |___________________|                    a: RONSALE               |     115%     |",
    "                                                                   |______________|",
    // Classification and blocked mass
    "  ___________________                ___________________",
    " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
    " |         R         |              |      200T         |",
    " |___________________|              |___________________|",
    "",
    // Timetable
    "  ________________________________________________________________________________",
    " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
    " | Lim.|Marc.|          |  Rs |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    " |  30 |  30 |   64.600 |  30 | VALDORSIO                  |           5.55 |     |",
    " |  65 |  65 |          |  65 |     Dev.U.Valdorsio        |                |     |",
    " | 110 | 110 |          | 110 |     Cippo Km.63,000        |                |     |",
    " | 120 |     |   59.550 | 120 | MORLANZONE                 |  6.01     6.05 | 1.0 |",
    " |     |     |   53.750 |     | Sestruga                   |  6.10     6.11 | 1.0 |",
    " |     |     |   49.850 |     | PIEVE DI LORMANO           |  6.15+    6.16 | 1.0 |",
    " |     |     |   42.900 |     | LUVIA                      |  6.22     6.28 | 1.5 |",
    " |     |     |   39.000 |     | Ferantola                  |  6.32+    6.33 | 0.5 |",
    " |     | 120 |   33.500 |     | ROCCABRUNIA                |  6.38     6.45 | 0.5 |",
    " |     | 110 |   25.950 |     | TALVERNO                   |  6.50+    6.51 |     |",
    " |     |     |   17.150 |     | BORGOFREDANO               |  6.58     7.04 | 0.5 |",
    " | 105 | 105 |          | 105 |     Cippo Km.13,000        |                |     |",
    " | 120 | 120 |   10.850 | 120 | ZERBIOLA                   |  7.09+    7.10 |     |",
    " |     |  55 |    5.240 |     | P.M. Km.5,240              |       7.13+    |     |",
    " |  60 |     |          |  60 |     Cippo Km.2,000         |                |     |",
    " |     |     |    0.000 |     | RONSALE                    |  7.18          | 1.0 |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    "",
    "",
    // Prescription for the driver
    "***********        ATTENZIONE: Prescrizione per il macchinista        *************",
    "",
    "MARCIA A VISTA (10 Km/h) in corrispondenza dei P.L. ai Km.43+200, Km.42+700,",
    "Km.42+500",
    "Prestare attenzione prima e dopo la stazione di Luvia, dove sono situati i P.L.",
    "",
    "***********************************************************************************",
    kEndOfList,
};
// clang-format on

static_assert(std::size(kTrainCardLines) <= kLineSlots);

}  // namespace

std::span<const std::string_view> TrainCardLines() { return kTrainCardLines; }

Status dati_scheda(FileSystem& files, const FileNames& names) {
  return WriteTextDocument(files, names.TrainCard(), kTrainCardLines);
}

}  // namespace scenario
