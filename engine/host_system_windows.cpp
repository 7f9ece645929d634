#include <sys/stat.h>

#include <cerrno>

#include "host_system.h"

namespace sorvanto {

std::tm LocalTime(std::time_t time) {
  std::tm local{};
  localtime_s(&local, &time);
  return local;
}

// RtlGenRandom, the system's generator.
const char kSystemRandomSource[] = "rand_s";

// Opening a device or a pipe by name does not wait on Windows. A folder does not open at
// all, with the error of a file one may not read, so a failed open asks what is there.
std::FILE* OpenOrdinaryFile(const std::filesystem::path& path, FileKind& kind) {
  kind = FileKind::kOrdinary;
  std::FILE* file = ::_wfopen(path.c_str(), L"rb");
  if (file == nullptr) {
    const int error = errno;
    std::error_code unknown;
    if (std::filesystem::is_directory(path, unknown)) kind = FileKind::kFolder;
    errno = error;
    return nullptr;
  }
  struct _stat64 info {};
  if (::_fstat64(::_fileno(file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
    kind = (info.st_mode & _S_IFMT) == _S_IFDIR ? FileKind::kFolder : FileKind::kOther;
    std::fclose(file);
    return nullptr;
  }
  return file;
}

}  // namespace sorvanto
