#include <sys/stat.h>

#include "host_system.h"

namespace sorvanto {

std::tm LocalTime(std::time_t time) {
  std::tm local{};
  localtime_s(&local, &time);
  return local;
}

// RtlGenRandom, the system's generator.
const char kSystemRandomSource[] = "rand_s";

// Opening a device or a pipe by name does not wait on Windows; a folder does not open.
std::FILE* OpenOrdinaryFile(const std::filesystem::path& path, FileKind& kind) {
  kind = FileKind::kOrdinary;
  std::FILE* file = ::_wfopen(path.c_str(), L"rb");
  if (file == nullptr) return nullptr;
  struct _stat64 info {};
  if (::_fstat64(::_fileno(file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
    kind = (info.st_mode & _S_IFMT) == _S_IFDIR ? FileKind::kFolder : FileKind::kOther;
    std::fclose(file);
    return nullptr;
  }
  return file;
}

}  // namespace sorvanto
