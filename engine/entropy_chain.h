// The chain from pointer movement to digests: moves only record the position; each
// timer tick on which it changed hashes the old digest with the position and one
// pseudo-random value, and hands the new digest to the number draw.
#pragma once

#include "draw_state.h"
#include "draw_view.h"
#include "engine_platform.h"

namespace sorvanto {

// Stores the latest pointer position over the input field, in twips.
void RecordPointer(DrawState& state, float x, float y);

// Switches the tick timer on when it is off and off when it is on.
void ToggleTicking(DrawView& view);

// One timer tick: idle unless the pointer moved since the last moving tick.
void OnTick(DrawState& state, DrawView& view, EnginePlatform& platform);

}  // namespace sorvanto
