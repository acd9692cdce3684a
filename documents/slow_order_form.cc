#include "documents/slow_order_form.h"

#include "base/text_document.h"

namespace scenario {
namespace {

// clang-format off
constexpr std::string_view kSlowOrderLines[] = {
    // Heading
    "",
    "                               Modulo M. 3",
    "                           ORDINE DI RALLENTAMENTO",
    " ________________________________________________________________________________",
    "  Linea  Valdorsio-Ronsale",
    "",
    "  Si ordina al macchinista del treno 37264 di effettuare i seguenti rallentamenti",
    // Table of restrictions
    "  _______________________________________________________________________________",
    " |   |                            |Inizio dopo |          |         |            |",
    " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
    " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
    " |___|____________________________|____________|__________|_________|____________|",
    // The one restriction, then the empty rows
    " | 1 | TALVERNO-BORGOFREDANO      |     22     |    35    |   550   |     E      |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |___|____________________________|____________|__________|_________|____________|",
    // Key to the prescriptions
    "",
    "              Prescrizioni specifiche",
    " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
    " B - Interessa anche la stazione di.......",
    " C - Rallentamneto N. ... e N. ...  sono contigui",
    " D - Da rispettare dalle ore ....  alle ore ..... di tutti",
    "     i giorni esclusi i seguenti:.........",
    " E - Segnale di avviso non preceduto da pannelli distanziometrici",
    kEndOfList,
};
// clang-format on

static_assert(std::size(kSlowOrderLines) <= kLineSlots);

}  // namespace

std::span<const std::string_view> SlowOrderFormLines() {
  return kSlowOrderLines;
}

Status dati_rallentamenti(FileSystem& files, const FileNames& names) {
  return WriteTextDocument(files, names.SlowOrders(), kSlowOrderLines);
}

}  // namespace scenario
