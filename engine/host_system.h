// What the engine does differently on each operating system: turning a time into local
// time, naming the source of std::random_device that reads the system's own generator,
// and opening table.txt. Each system has its own file, chosen by CMake.
#pragma once

#include <cstdio>
#include <ctime>
#include <filesystem>

namespace sorvanto {

std::tm LocalTime(std::time_t time);

// libstdc++'s "default" source prefers the processor's RDSEED or RDRAND instruction
// where there is one (with GCC 12 on Debian 12, strace shows no system call for 1000
// values), so the system's generator is asked for by name. entropy() cannot tell the
// sources apart: libstdc++ reports 32 for every one of them.
extern const char kSystemRandomSource[];

enum class FileKind { kOrdinary, kFolder, kOther };

// Opens `path` for binary reading if it is an ordinary file. Opening never waits, as it
// would on a FIFO without a writer, and the check is made on what was opened, so that
// nothing can swap the file in between. Returns nullptr with errno set when nothing
// could be opened (`kind` is then kOrdinary, or kFolder where a folder does not open), or
// when something else was found there.
std::FILE* OpenOrdinaryFile(const std::filesystem::path& path, FileKind& kind);

}  // namespace sorvanto
