// The System Info button's Windows layer against a real registry and real program starts,
// run under Wine by run-wine-test.sh, which prepares the registry and files:
//   sys_info_wine_test.exe lookups             values under HKLM\SOFTWARE\Sorvanto Test
//   sys_info_wine_test.exe start PROGRAM|none  StartSysInfo starts PROGRAM, or only says why not
// Prints "ok" or "not ok" per check; the exit code is the number of failures.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sys_info.h"
#include "system_sys_info.h"

namespace sorvanto {
namespace {

int failures = 0;

void Check(bool passed, const std::string& name, const std::string& detail = {}) {
  if (passed) {
    std::printf("ok - %s\n", name.c_str());
  } else {
    ++failures;
    std::printf("not ok - %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
  }
}

constexpr std::string_view kTestKey = "SOFTWARE\\Sorvanto Test";

void Lookups(SysInfoPlatform& system) {
  const struct {
    const char* name;
    std::string_view key, value;
    bool read;
    std::string keyVal;
  } cases[] = {
      {"REG_SZ", kTestKey, "Text", true, "C:\\Program Files\\Tool"},
      {"REG_DWORD with a 0 high byte", kTestKey, "Number", true, "&h010203"},
      {"REG_DWORD", kTestKey, "High", true, "&h12345678"},
      {"REG_SZ filling the buffer with its 0 byte", kTestKey, "Full", true, std::string(1023, 'x')},
      {"REG_SZ one byte beyond the buffer", kTestKey, "Long", false, ""},
      {"empty REG_SZ", kTestKey, "Empty", false, ""},
      {"REG_BINARY leaves the text alone", kTestKey, "Binary", true, "before"},
      {"missing value", kTestKey, "Absent", false, ""},
      {"missing key", "SOFTWARE\\Sorvanto Missing", "Text", false, ""},
  };
  for (const auto& c : cases) {
    std::string keyVal = "before";
    const bool read = GetKeyValue(system, kHKeyLocalMachine, c.key, c.value, keyVal);
    Check(read == c.read && keyVal == c.keyVal, std::string("GetKeyValue, ") + c.name,
          "read " + std::to_string(read) + ", text \"" + keyVal.substr(0, 40) + "\"");
  }

  const std::pair<const char*, const char*> files[] = {
      {"C:\\sorvanto\\location\\MSINFO32.EXE", "MSINFO32.EXE"},
      {"C:\\sorvanto\\location", ""},
      {"C:\\sorvanto\\location\\absent.exe", ""},
  };
  for (const auto& [path, name] : files) {
    const std::string found = system.Dir(path);
    Check(found == name, std::string("Dir ") + path, "gave \"" + found + "\"");
  }
}

// The system's own registry, file test and program start; the message box is recorded
// instead of shown, since nobody is there to dismiss it.
class RecordingSysInfo final : public SysInfoPlatform {
 public:
  explicit RecordingSysInfo(SysInfoPlatform& system) : system_(system) {}

  std::int32_t RegOpenKeyExA(RegKey root, std::string_view subKey, std::uint32_t options,
                             std::uint32_t access, RegKey& key) override {
    return system_.RegOpenKeyExA(root, subKey, options, access, key);
  }
  std::int32_t RegQueryValueExA(RegKey key, std::string_view valueName, std::uint32_t& type,
                                std::span<std::uint8_t> data, std::uint32_t& size) override {
    return system_.RegQueryValueExA(key, valueName, type, data, size);
  }
  void RegCloseKey(RegKey key) override { system_.RegCloseKey(key); }
  std::string Dir(std::string_view path) override { return system_.Dir(path); }
  void Shell(std::string_view command) override {
    system_.Shell(command);
    started.emplace_back(command);
  }
  void MsgBox(std::string_view message) override { messages.emplace_back(message); }

  std::vector<std::string> started;
  std::vector<std::string> messages;

 private:
  SysInfoPlatform& system_;
};

// The fake tool leaves its mark once it runs; the start does not wait for it.
bool ToolRan(const std::string& program) {
  const std::string marker = program + ".started";
  for (int wait = 0; wait < 200; ++wait) {
    if (::GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    ::Sleep(50);
  }
  return false;
}

void Start(SysInfoPlatform& system, const std::string& expected) {
  const bool starts = expected != "none";
  if (starts) ::DeleteFileA((expected + ".started").c_str());
  RecordingSysInfo recording(system);
  StartSysInfo(recording);
  const std::vector<std::string> started(starts, expected);
  const std::vector<std::string> messages(!starts, std::string(kSysInfoUnavailable));
  Check(recording.started == started && recording.messages == messages,
        "StartSysInfo " + (starts ? "starts " + expected : "shows its message"),
        std::to_string(recording.started.size()) + " started, " +
            std::to_string(recording.messages.size()) + " messages");
  if (starts) Check(ToolRan(expected), expected + " ran");
}

}  // namespace
}  // namespace sorvanto

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto system = sorvanto::CreateSystemSysInfo("Sorvanto");
  if (args.size() == 1 && args[0] == "lookups") {
    sorvanto::Lookups(*system);
  } else if (args.size() == 2 && args[0] == "start") {
    sorvanto::Start(*system, args[1]);
  } else {
    std::fprintf(stderr, "usage: sys_info_wine_test lookups | start PROGRAM|none\n");
    return 100;
  }
  return sorvanto::failures;
}
