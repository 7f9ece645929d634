// The System Info button's Windows layer against Wine's registry and program starts; run
// by run-wine-test.sh, which prepares both:
//   sys_info_wine_test.exe lookups      values under HKLM\SOFTWARE\Sorvanto Test
//   sys_info_wine_test.exe start PATH   StartSysInfo starts PATH ("none": shows its message)
// Run otherwise, as the tool it stands in for, it leaves "<its path>.started".
// Prints "ok" or "not ok" per check; the exit code is the number of failures.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>

#include "sys_info.h"
#include "system_sys_info.h"

namespace sorvanto {
namespace {

int failures = 0;

void Check(bool passed, const std::string& name) {
  failures += passed ? 0 : 1;
  std::printf("%s - %s\n", passed ? "ok" : "not ok", name.c_str());
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Lookups(SysInfoPlatform& system) {
  const std::pair<const char*, std::string> cases[] = {// value, its text or "-": not read
                                                       {"Text", "C:\\Program Files\\Tool"},
                                                       {"Number", "&h010203"},
                                                       {"High", "&h12345678"},
                                                       {"Full", std::string(1023, 'x')},
                                                       {"Long", "-"},
                                                       {"Empty", "-"},
                                                       {"Binary", "-"},
                                                       {"Expand", "-"},
                                                       {"Absent", "-"}};
  for (const auto& [name, text] : cases) {
    std::string keyVal = "before";
    const bool read =
        GetKeyValue(system, kHKeyLocalMachine, "SOFTWARE\\Sorvanto Test", name, keyVal);
    Check(read == (text != "-") && keyVal == (read ? text : ""),
          std::string("GetKeyValue ") + name);
  }
  Check(system.Dir("C:\\sorvanto\\location\\MSINFO32.EXE") == "MSINFO32.EXE" &&
            system.Dir("C:\\sorvanto\\location").empty(),
        "Dir finds ordinary files only");
}

// The system's own registry, file test and program start; the message box is counted
// instead of shown, since nobody is there to dismiss it.
struct Recording final : SysInfoPlatform {
  explicit Recording(SysInfoPlatform& system) : system(system) {}
  std::int32_t RegOpenKeyExA(RegKey root, std::string_view subKey, std::uint32_t options,
                             std::uint32_t access, RegKey& key) override {
    return system.RegOpenKeyExA(root, subKey, options, access, key);
  }
  std::int32_t RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t& type,
                                std::span<std::uint8_t> data, std::uint32_t& size) override {
    return system.RegQueryValueExA(key, name, type, data, size);
  }
  void RegCloseKey(RegKey key) override { system.RegCloseKey(key); }
  std::string Dir(std::string_view path) override { return system.Dir(path); }
  void Shell(std::string_view command) override { system.Shell(command); }
  void MsgBox(std::string_view) override { ++messages; }
  SysInfoPlatform& system;
  int messages = 0;
};

// A planted C:\sorvanto\with.exe must never start in place of "C:\sorvanto\with space\...".
void Start(SysInfoPlatform& system, const std::string& expected) {
  ::DeleteFileA((expected + ".started").c_str());
  Recording recording(system);
  StartSysInfo(recording);
  Check(recording.messages == (expected == "none" ? 1 : 0), "StartSysInfo for " + expected);
  for (int wait = 0; expected != "none" && wait < 200 && !Exists(expected + ".started"); ++wait) {
    ::Sleep(50);
  }
  Check(expected == "none" || Exists(expected + ".started"), expected + " ran");
  Check(!Exists("C:\\sorvanto\\with.exe.started"), "with.exe did not run");
}

}  // namespace
}  // namespace sorvanto

int main(int argc, char** argv) {
  const auto system = sorvanto::CreateSystemSysInfo("Sorvanto");
  const std::string command = argc > 1 ? argv[1] : "";
  if (argc == 2 && command == "lookups") {
    sorvanto::Lookups(*system);
  } else if (argc == 3 && command == "start") {
    sorvanto::Start(*system, argv[2]);
  } else {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::FILE* marker = std::fopen((std::string(path, length) + ".started").c_str(), "w");
    return marker != nullptr && std::fclose(marker) == 0 ? 0 : 1;
  }
  return sorvanto::failures;
}
