// What the About window's system information launcher needs from the system: three
// registry calls, a file test, a program start and a message box. Injected so the
// launcher runs the same on every system and under test.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace sorvanto {

// Registry roots, value types and statuses, with their Windows values.
using RegKey = std::uintptr_t;
inline constexpr RegKey kHKeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorMoreData = 234;

class SysInfoPlatform {
 public:
  virtual ~SysInfoPlatform() = default;

  // Returns a status; 0 means `key` is open and must be closed with RegCloseKey.
  virtual std::int32_t RegOpenKeyExA(RegKey root, std::string_view subKey, std::uint32_t options,
                                     std::uint32_t access, RegKey& key) = 0;
  // Status 0: `type` is the value's type and `size` the bytes written into `data`.
  // `size` holds data.size() on entry; a longer value gives a non-zero status.
  virtual std::int32_t RegQueryValueExA(RegKey key, std::string_view valueName, std::uint32_t& type,
                                        std::span<std::uint8_t> data, std::uint32_t& size) = 0;
  virtual void RegCloseKey(RegKey key) = 0;

  // The file's name when an ordinary (not hidden, not system) file exists at `path`,
  // otherwise the empty text.
  virtual std::string Dir(std::string_view path) = 0;
  // Starts `command` without waiting for it; throws RunError when it cannot start.
  virtual void Shell(std::string_view command) = 0;
  // An OK-only message box captioned with the application title, owned by the active
  // window; returns once dismissed.
  virtual void MsgBox(std::string_view message) = 0;
};

}  // namespace sorvanto
