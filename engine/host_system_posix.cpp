#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host_system.h"

namespace sorvanto {

std::tm LocalTime(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  return local;
}

// One getrandom(2) call per value: the kernel's generator.
const char kSystemRandomSource[] = "getentropy";

std::FILE* OpenOrdinaryFile(const std::filesystem::path& path, FileKind& kind) {
  kind = FileKind::kOrdinary;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    kind = S_ISDIR(info.st_mode) ? FileKind::kFolder : FileKind::kOther;
    ::close(fd);
    return nullptr;
  }
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) ::close(fd);
  return file;
}

}  // namespace sorvanto
