#ifndef COMPILER_REFERENCE_ORDERING_H_
#define COMPILER_REFERENCE_ORDERING_H_

#include "model/scenario.h"

namespace scenario {

// Puts the three kilometric references (start, km, flag) of `voci`(81) to
// (83) into their fixed order: the greatest start in 81, the smallest in 83;
// when all start at 0, the one with a positive km goes to 81. A flag of 1
// then adds 100 m to its km.
void progressive_ordina(Scenario& s);

// The sum of the three starts, in 32 bits as the records hold them, by
// which the ordering chooses its rule: 0 when all start at the beginning.
Long ReferenceStartsSum(const Scenario& s);

}  // namespace scenario

#endif  // COMPILER_REFERENCE_ORDERING_H_
