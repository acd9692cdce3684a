#ifndef MODEL_POST_PROCESSING_H_
#define MODEL_POST_PROCESSING_H_

#include "model/scenario.h"

namespace scenario {

// The smaller of two values: `y` when `x` > `y`, else `x`.
Integer minimo(Integer x, Integer y);

// Completes the cells with generated "abbattimento" points (kind 12, speed
// 180): before each signal in the 1000 m before a slow-down's warning board,
// in three windows before a slow-down's start, every 400 m along a
// slow-down slower than 110 km/h, and before the first signal after its
// end. Where no cell is free it records code 11, 12 or 13 and goes on.
void PostProcessCells(Scenario& s);

}  // namespace scenario

#endif  // MODEL_POST_PROCESSING_H_
