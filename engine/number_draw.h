// What each moving tick does with its digest: a pending reset, a warm-up step, or the
// draw of one weighted number into the combination being built.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "draw_state.h"
#include "draw_view.h"

namespace sorvanto {

// Marks a reset as pending; it is carried out by the next moving tick.
void RequestReset(DrawState& state, DrawView& view);

// Called by OnTick once per moving tick with the state's own Digest and MoveCount,
// which a reset empties.
void DrawStep(DrawState& state, DrawView& view, std::string& digest, std::int32_t& moveCount);

// Folds a digest text into 0..total-1: the XOR of its 32-bit words, scaled.
std::int32_t ScaleDigest(std::string_view digest, std::int32_t total);

// The scaling step of ScaleDigest: a folded word to 0..total-1 in proportion to its
// place among the 2^32 words, in double arithmetic. It never decreases as the word
// grows, which is what lets its bias be counted exactly, one result at a time.
std::int32_t ScaleWord(std::int32_t word, std::int32_t total);

}  // namespace sorvanto
