// The load of table.txt: the two counts, then one weight a line for each number, kept as
// running totals; a table whose weights cannot be used falls back to equal weights.
#pragma once

#include "draw_state.h"
#include "engine_platform.h"

namespace sorvanto {

// Reads TableFolder()/table.txt into BallCount, PickCount, Weights, WeightTotal and
// Picks. Beeps once when the file's own weights are in use; falls back silently to
// equal weights when a weight line is bad or when the weights could never complete a
// combination. Throws RunError when the file, its two counts or a weight's number cannot
// be read.
void LoadWeightTable(DrawState& state, EnginePlatform& platform);

}  // namespace sorvanto
