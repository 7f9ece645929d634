#include "host_system.h"

namespace sorvanto {

std::tm LocalTime(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  return local;
}

// One getrandom(2) call per value: the kernel's generator.
const char kSystemRandomSource[] = "getentropy";

}  // namespace sorvanto
