// The first part of table.txt: the count of numbers and the count per combination,
// both whole numbers, each checked against the others and the largest table allowed.
#pragma once

#include <cstdint>

#include "draw_state.h"
#include "table_reader.h"

namespace sorvanto {

// Largest BallCount or PickCount a table may ask for; larger ones stop start-up
// rather than attempt the allocation.
inline constexpr std::int32_t kMaxTableCount = 1'000'000;

// Reads the two counts into BallCount and PickCount. They are separated by a comma,
// blanks or line ends; the weights start on the line after the second count, and what
// follows it on its line is ignored. Raises a RunError when they are missing, not whole
// numbers, below 1, above kMaxTableCount, or when PickCount exceeds BallCount.
void ReadCounts(TableReader& reader, DrawState& state);

}  // namespace sorvanto
