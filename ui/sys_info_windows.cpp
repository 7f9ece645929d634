// The registry through advapi32, the file test, the program start and the message box
// of the Windows API. Kept free of Qt. Only a full path is tested or started: anything
// else would be looked for in the current folder, the folder of table.txt, which may be
// a downloaded one holding a planted program.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <utility>

#include "run_error.h"
#include "system_sys_info.h"

namespace sorvanto {
namespace {

// The predefined roots are sign-extended handle values on 64-bit Windows.
HKEY ToHkey(RegKey key) {
  return key == kHKeyLocalMachine ? HKEY_LOCAL_MACHINE : reinterpret_cast<HKEY>(key);
}

// A drive letter, a colon and a backslash, or a UNC path: \\server\share\...
bool IsFullPath(std::string_view path) {
  const bool letter =
      !path.empty() && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  if (letter && path.substr(1, 2) == ":\\") return true;
  const auto share = path.find('\\', 2);
  return path.starts_with("\\\\") && share != std::string_view::npos && share > 2 &&
         share + 1 < path.size() && path[share + 1] != '\\';
}

class WindowsSysInfo final : public SysInfoPlatform {
 public:
  explicit WindowsSysInfo(std::string title) : title_(std::move(title)) {}

  std::int32_t RegOpenKeyExA(RegKey root, std::string_view subKey, std::uint32_t options,
                             std::uint32_t access, RegKey& key) override {
    HKEY opened = nullptr;
    const LSTATUS status =
        ::RegOpenKeyExA(ToHkey(root), std::string(subKey).c_str(), options, access, &opened);
    if (status == ERROR_SUCCESS) key = reinterpret_cast<RegKey>(opened);
    return status;
  }

  std::int32_t RegQueryValueExA(RegKey key, std::string_view valueName, std::uint32_t& type,
                                std::span<std::uint8_t> data, std::uint32_t& size) override {
    DWORD valueType = 0;
    DWORD valueSize = static_cast<DWORD>(data.size());
    const LSTATUS status = ::RegQueryValueExA(ToHkey(key), std::string(valueName).c_str(), nullptr,
                                              &valueType, data.data(), &valueSize);
    type = valueType;
    size = valueSize;
    return status;
  }

  void RegCloseKey(RegKey key) override { ::RegCloseKey(ToHkey(key)); }

  std::string Dir(std::string_view path) override {
    if (!IsFullPath(path)) return {};
    const std::string file(path);
    const DWORD attributes = ::GetFileAttributesA(file.c_str());
    constexpr DWORD kNotOrdinary =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kNotOrdinary) != 0) return {};
    const auto slash = file.find_last_of("\\/:");
    return slash == std::string::npos ? file : file.substr(slash + 1);
  }

  // The command is the path of the program, passed as the application name so that
  // Windows never looks for a program in a part of a path with blanks ("C:\Program.exe"
  // for "C:\Program Files\..."); the command line repeats it in quotes as argument 0.
  void Shell(std::string_view command) override {
    const std::string application(command);
    std::string commandLine = "\"" + application + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!IsFullPath(application) ||
        !::CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &process)) {
      throw RunError(ErrorNumber::kFileNotFound,
                     "The program " + QuoteInput(application) + " could not be started.");
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }

  // Owned by the window whose button asked, About: kept above it, and with no taskbar
  // entry of its own.
  void MsgBox(std::string_view message) override {
    ::MessageBoxA(::GetActiveWindow(), std::string(message).c_str(), title_.c_str(),
                  MB_OK | MB_TASKMODAL);
  }

 private:
  std::string title_;
};

}  // namespace

std::unique_ptr<SysInfoPlatform> CreateSystemSysInfo(std::string title) {
  return std::make_unique<WindowsSysInfo>(std::move(title));
}

}  // namespace sorvanto
