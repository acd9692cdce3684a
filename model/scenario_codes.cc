#include "model/scenario_codes.h"

#include <cstdint>

#include "base/windows_1252.h"

namespace scenario {
namespace {

// Completes names shorter than 25 characters together.
constexpr char kFiller[] = "aabbccddeeffgghhiillmmnnoo";
constexpr int kCountedCharacters = 25;

int CharacterCode(const std::string& text, int i) {
  return static_cast<uint8_t>(text[static_cast<size_t>(i)]);
}

}  // namespace

std::string WorkText(std::string_view numero_treno,
                     std::string_view nome_linea) {
  std::string text = std::string(numero_treno) + std::string(nome_linea);
  // In the names' single-byte character set: an accented capital turns
  // to its small letter as the ASCII capitals do.
  for (char& c : text) c = ToLowerWindows1252(c);
  return text + kFiller;
}

Long codice_gara_st(std::string_view numero_treno,
                    std::string_view nome_linea) {
  const std::string text = WorkText(numero_treno, nome_linea);
  Long st = 0;
  for (int i = 0; i < kCountedCharacters; ++i) {
    st += (i + 1) * CharacterCode(text, i);
  }
  return st;
}

Integer codice_gara_og(std::string_view numero_treno,
                       std::string_view nome_linea) {
  const std::string text = WorkText(numero_treno, nome_linea);
  int og = 0;
  for (int i = 0; i < kCountedCharacters; ++i) og += CharacterCode(text, i);
  return static_cast<Integer>(og);
}

}  // namespace scenario
