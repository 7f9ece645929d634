// Start-up of the engine and the load of table.txt, the per-number weights.
#pragma once

#include "draw_state.h"
#include "draw_view.h"
#include "engine_platform.h"

namespace sorvanto {

// Largest BallCount or PickCount a table may ask for; larger ones stop start-up
// rather than attempt the allocation.
inline constexpr std::int32_t kMaxTableCount = 1'000'000;

// Initialises the digest, sets the 20 ms tick period, seeds the random source from
// the time of day and loads the weight table. Throws RunError when table.txt or its
// two counts cannot be read; the window must not be shown then.
void StartEngine(DrawState& state, DrawView& view, EnginePlatform& platform);

// Reads TableFolder()/table.txt into BallCount, PickCount, Weights, WeightTotal and
// Picks. Beeps once when the file's own weights are in use; falls back silently to
// equal weights when a weight line is bad or when the weights could never complete a
// combination.
void LoadWeightTable(DrawState& state, EnginePlatform& platform);

}  // namespace sorvanto
