// The System Info button's Windows layer against Wine's registry and program starts; run
// by run-wine-test.sh, which prepares values under HKLM\SOFTWARE\Sorvanto Test and the
// tools under C:\sorvanto, copies of this program, some planted where they must never start.
// Run as "check", it prints "ok" or "not ok" per check and exits with the number of
// failures; run otherwise, as a tool, it leaves "<its path>.started" beside itself.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "run_error.h"
#include "sys_info.h"
#include "system_sys_info.h"

int failures = 0;

void Check(bool passed, const std::string& name) {
  failures += passed ? 0 : 1;
  std::printf("%s - %s\n", passed ? "ok" : "not ok", name.c_str());
}

bool Started(const std::string& tool, int tries = 100) {
  for (int wait = 0; wait < tries; ++wait, ::Sleep(50))
    if (::GetFileAttributesA((tool + ".started").c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  return false;
}

int main(int argc, char** argv) {
  if (argc != 2 || argv[1] != std::string("check")) {
    char path[MAX_PATH];
    const std::string marker(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    std::FILE* file = std::fopen((marker + ".started").c_str(), "w");
    return file && std::fclose(file) == 0 ? 0 : 1;
  }
  // The folder a person starts the program in, the folder of table.txt.
  ::SetCurrentDirectoryA("C:\\sorvanto\\start");
  const auto system = sorvanto::CreateSystemSysInfo("Sorvanto");
  // The first four are read, with these texts; the others are not.
  const char* names[] = {"Text",  "Number", "High",   "Full",  "Long",
                         "Empty", "Binary", "Expand", "Absent"};
  const std::string texts[] = {"C:\\Program Files\\Tool", "&h010203", "&h12345678",
                               std::string(1023, 'x')};
  for (std::size_t i = 0; i < std::size(names); ++i) {
    std::string keyVal = "before";
    const bool read = GetKeyValue(*system, sorvanto::kHKeyLocalMachine, "SOFTWARE\\Sorvanto Test",
                                  names[i], keyVal);
    Check(read == (i < 4) && keyVal == (read ? texts[i] : ""),
          std::string("GetKeyValue ") + names[i]);
  }
  Check(system->Dir("C:\\sorvanto\\with space\\MSINFO32.EXE") == "MSINFO32.EXE" &&
            system->Dir("C:\\sorvanto").empty() && system->Dir(".\\MSINFO32.EXE").empty(),
        "Dir");
  // The first four are reported, the others start: the waits for those give one of the first
  // four wrongly started the time to leave its mark.
  const char* commands[] = {"evil.exe",
                            "&h000001",
                            ".\\MSINFO32.EXE",
                            "C:\\sorvanto\\missing.exe",
                            "\\\\?\\C:\\sorvanto\\tool.exe",
                            "C:\\sorvanto\\with space\\MSINFO32.EXE"};
  for (std::size_t i = 0; i < std::size(commands); ++i) {
    bool reported = false;
    try {
      system->Shell(commands[i]);
    } catch (const sorvanto::RunError&) {
      reported = true;
    }
    Check(reported == (i < 4) && (i < 4 || Started(commands[i])),
          commands[i] + std::string(i < 4 ? " reported" : " started"));
  }
  // Planted where the current folder or an unquoted "C:\sorvanto\with space\..." would find
  // them; none may start.
  for (const std::string planted : {"evil.exe", "&h000001", "MSINFO32.EXE", "..\\with.exe"})
    Check(!Started(planted, 1), planted + " not started");
  return failures;
}
