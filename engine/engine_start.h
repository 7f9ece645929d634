// What the main window does once before it is shown: the engine's start-up sequence.
#pragma once

#include "draw_state.h"
#include "draw_view.h"
#include "engine_platform.h"

namespace sorvanto {

// Initialises the digest, sets the 20 ms tick period, seeds the random source from
// the time of day and loads the weight table. Throws RunError when table.txt or its
// two counts cannot be read; the window must not be shown then.
void StartEngine(DrawState& state, DrawView& view, EnginePlatform& platform);

}  // namespace sorvanto
