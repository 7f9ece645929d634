#include "sys_info.h"

#include <array>
#include <cstdint>

#include "hex_digits.h"
#include "run_error.h"

namespace sorvanto {
namespace {

constexpr std::string_view kToolFile = "\\MSINFO32.EXE";
constexpr std::size_t kValueBufferSize = 1024;

// "&h" and the value's bytes from the last to the first, two digits each.
std::string DwordText(std::span<const std::uint8_t> bytes) {
  std::string text = "&h";
  for (auto byte = bytes.rbegin(); byte != bytes.rend(); ++byte) {
    text += kHexDigits[*byte >> 4];
    text += kHexDigits[*byte & 15];
  }
  return text;
}

}  // namespace

bool GetKeyValue(SysInfoPlatform& platform, RegKey keyRoot, std::string_view keyName,
                 std::string_view subKeyRef, std::string& keyVal) {
  RegKey key = 0;
  if (platform.RegOpenKeyExA(keyRoot, keyName, 0, kKeyRead, key) != kErrorSuccess) {
    keyVal.clear();
    return false;
  }
  std::array<std::uint8_t, kValueBufferSize> buffer{};
  std::uint32_t type = 0;
  std::uint32_t size = buffer.size();
  const std::int32_t status = platform.RegQueryValueExA(key, subKeyRef, type, buffer, size);
  platform.RegCloseKey(key);
  // A size beyond the buffer is a platform fault, and reading it would run past the buffer.
  if (status != kErrorSuccess || size > buffer.size()) {
    keyVal.clear();
    return false;
  }
  std::span<const std::uint8_t> value(buffer.data(), size);
  if (!value.empty() && value.back() == 0) value = value.first(size - 1);
  // An empty value names no tool. The registry stores an empty string as its 0 byte
  // alone, so the test comes after that byte is dropped. A value of a type that cannot
  // name one (REG_EXPAND_SZ, REG_BINARY, ...) does not hide the second lookup either.
  if (value.empty() || (type != kRegSz && type != kRegDword)) {
    keyVal.clear();
    return false;
  }
  keyVal = type == kRegSz ? std::string(value.begin(), value.end()) : DwordText(value);
  return true;
}

void StartSysInfo(SysInfoPlatform& platform) {
  std::string toolPath;
  try {
    if (GetKeyValue(platform, kHKeyLocalMachine, kToolKey, "PATH", toolPath)) {
      platform.Shell(toolPath);
      return;
    }
    if (GetKeyValue(platform, kHKeyLocalMachine, kToolLocationKey, "MSINFO", toolPath)) {
      toolPath += kToolFile;
      if (!platform.Dir(toolPath).empty()) {
        platform.Shell(toolPath);
        return;
      }
    }
  } catch (const RunError&) {
    // A tool that cannot start is reported like one that cannot be found.
  }
  platform.MsgBox(kSysInfoUnavailable);
}

}  // namespace sorvanto
