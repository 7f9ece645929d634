#include "host_system.h"

namespace sorvanto {

std::tm LocalTime(std::time_t time) {
  std::tm local{};
  localtime_s(&local, &time);
  return local;
}

// RtlGenRandom, the system's generator.
const char kSystemRandomSource[] = "rand_s";

}  // namespace sorvanto
