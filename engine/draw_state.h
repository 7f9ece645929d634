// The generator's whole state: pointer sample, weight table, the chained digest,
// warm-up counter and the combination being built. One per main window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorvanto {

struct DrawState {
  // Shared by the engine's operations.
  float MouseX = 0;
  float MouseY = 0;
  bool ResetPending = false;
  // Cumulative weights; Weights[i - 1] is the sum of the weights of numbers 1..i.
  std::vector<std::int32_t> Weights;
  std::int32_t BallCount = 0;
  std::int32_t WeightTotal = 0;
  std::int32_t PickCount = 0;
  // Numbers of the combination being built; Picks[0..PickPos-1] are placed so far.
  std::vector<std::int32_t> Picks;

  // Private to OnTick.
  float LastX = 0;
  float LastY = 0;
  std::int32_t MoveCount = 0;
  std::string Digest;

  // Private to DrawStep.
  std::int16_t Progress = 0;
  std::int32_t PickPos = 0;
};

}  // namespace sorvanto
