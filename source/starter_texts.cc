#include "source/starter_texts.h"

#include <span>

#include "base/text_document.h"
#include "source/route_source.h"
#include "source/train_source.h"

namespace scenario {
namespace {

struct SectionComment {
  std::string_view header;
  std::string_view comment;
};

// clang-format off
constexpr SectionComment kRouteComments[] = {
    {"[generale]", "- percorso: lunghezza in metri; riferimenti chilometrici uno due tre (inizio km flag); sfondi uno due tre; ripetizione segnali 4 o 9 codici (inizio fine)"},
    {"[curve]", "- curve: curvad (a destra) o curvas (a sinistra) con la classe da 1 a 6; inizio e lunghezza in metri; in ordine"},
    {"[pendenze]", "- pendenze: progressiva e pendenza in per mille; vale fino alla riga successiva; in ordine"},
    {"[montagne]", "- montagne: inizio fine e tipo dello scenario (oltre 10 con i segni di passaggio)"},
    {"[cartelli]", "- indicatori di velocita massima: posizione; tre velocita e strisce a sinistra; tre velocita e strisce a destra"},
    {"[indicazioni]", "- cartelli: posizione e testo a gruppi tra parentesi"},
    {"[fine]", "- fine del testo"},
};
constexpr SectionComment kTrainComments[] = {
    {"[generale]", "- treno: numero vetture; percentuale massa frenata; sabbia; orologio di partenza (ore minuti secondi)"},
    {"[aderenze]", "- aderenze: progressiva e aderenza; vale fino alla riga successiva; in ordine"},
    {"[vel_limite]", "- velocita di linea: progressiva e velocita in km/h; vale fino alla riga successiva; in ordine"},
    {"[stazioni]", "- stazioni in ordine: progressiva; tipo; lunghezza della zona; dieci valori; ore minuti secondi; nome"},
    {"[rallentamenti]", "- rallentamenti: inizio; velocita; lunghezza; f_tt; f_ta (preavvisi); seconda velocita"},
    {"[segnali]", "- segnali: posizione; sx s1 s2 s3 rapp dx d1 d2 d3; tempo"},
    {"[codici]", "- codici: nessuna riga"},
    {"[fine]", "- fine del testo"},
};
// clang-format on

std::vector<std::string_view> WithComments(
    std::span<const std::string_view> lines,
    std::span<const SectionComment> comments) {
  std::vector<std::string_view> starter;
  for (std::string_view line : lines) {
    for (const SectionComment& c : comments) {
      if (line == c.header) starter.push_back(c.comment);
    }
    starter.push_back(line);
    if (line == kEndOfList) break;
  }
  return starter;
}

}  // namespace

std::vector<std::string_view> StarterRouteLines() {
  return WithComments(RouteSourceLines(), kRouteComments);
}

std::vector<std::string_view> StarterTrainLines() {
  return WithComments(TrainSourceLines(), kTrainComments);
}

}  // namespace scenario
