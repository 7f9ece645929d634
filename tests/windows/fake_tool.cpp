// Stands in for the system information tool: leaves "<its own path>.started" beside
// itself, so the test can tell that the launcher really started it.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

int main() {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return 1;
  const std::string marker = std::string(path, length) + ".started";
  const HANDLE file = ::CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  ::CloseHandle(file);
  return 0;
}
