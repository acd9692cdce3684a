#include "model/scenario_codes.h"

#include <cstdint>

namespace scenario {
namespace {

// Completes names shorter than 25 characters together.
constexpr char kFiller[] = "aabbccddeeffgghhiillmmnnoo";
constexpr int kCountedCharacters = 25;

// The work text: train number, route name, lower case, then the filler.
void PrepareWorkText(Scenario& s) {
  s.riga = s.voci[kExtraSlot].nome + s.voci[kRouteSlot].nome;
  for (char& c : s.riga) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  s.riga += kFiller;
}

int CharacterCode(const std::string& text, int i) {
  return static_cast<uint8_t>(text[static_cast<size_t>(i)]);
}

}  // namespace

Long codice_gara_st(Scenario& s) {
  PrepareWorkText(s);
  Long st = 0;
  for (int i = 0; i < kCountedCharacters; ++i) {
    st += (i + 1) * CharacterCode(s.riga, i);
  }
  return st;
}

Integer codice_gara_og(Scenario& s) {
  PrepareWorkText(s);
  int og = 0;
  for (int i = 0; i < kCountedCharacters; ++i) og += CharacterCode(s.riga, i);
  return static_cast<Integer>(og);
}

}  // namespace scenario
