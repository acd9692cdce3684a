#ifndef MODEL_SCENARIO_CODES_H_
#define MODEL_SCENARIO_CODES_H_

#include "model/scenario.h"

namespace scenario {

// The two check numbers of a scenario, derived from the train number and
// the route name (`voci`(86) and (85) `nome`): the st code goes into the
// train file, the og code into the cell file, so that the files of one
// scenario carry matching codes. Both use `riga` as their work text.
Long codice_gara_st(Scenario& s);
Integer codice_gara_og(Scenario& s);

}  // namespace scenario

#endif  // MODEL_SCENARIO_CODES_H_
