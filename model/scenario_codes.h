#ifndef MODEL_SCENARIO_CODES_H_
#define MODEL_SCENARIO_CODES_H_

#include <string>
#include <string_view>

#include "model/scenario.h"

namespace scenario {

// The two check numbers of a scenario, derived from the train number and
// the route name as the bank holds them (`voci`(86) and (85) `nome`): the
// st code goes into the train file, the og code into the cell file, so
// that the files of one scenario carry matching codes.
Long codice_gara_st(std::string_view numero_treno, std::string_view nome_linea);
Integer codice_gara_og(std::string_view numero_treno,
                       std::string_view nome_linea);

// The text both codes count the characters of: the train number and the
// route name in lower case, completed by a fixed filler.
std::string WorkText(std::string_view numero_treno,
                     std::string_view nome_linea);

}  // namespace scenario

#endif  // MODEL_SCENARIO_CODES_H_
