// The two things the engine's system services do differently on each operating
// system: turning a time into local time, and naming the source of std::random_device
// that reads the system's own generator. Each system has its own file, chosen by CMake.
#pragma once

#include <ctime>

namespace sorvanto {

std::tm LocalTime(std::time_t time);

// libstdc++'s "default" source prefers the processor's RDSEED or RDRAND instruction
// where there is one (with GCC 12 on Debian 12, strace shows no system call for 1000
// values), so the system's generator is asked for by name. entropy() cannot tell the
// sources apart: libstdc++ reports 32 for every one of them.
extern const char kSystemRandomSource[];

}  // namespace sorvanto
