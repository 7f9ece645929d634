#include "engine_start.h"

#include "md5.h"
#include "weight_table.h"

namespace sorvanto {

void StartEngine(DrawState& state, DrawView& view, EnginePlatform& platform) {
  DigestInit();
  view.SetTimerInterval(20);
  platform.SeedRandom(platform.TimeOfDay());
  LoadWeightTable(state, platform);
}

}  // namespace sorvanto
