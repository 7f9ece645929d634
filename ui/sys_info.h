// The About window's System Info button: finds the system information tool through two
// registry values and starts it, or tells the user it is unavailable.
#pragma once

#include <string>
#include <string_view>

#include "sys_info_platform.h"

namespace sorvanto {

// The two registry keys below HKEY_LOCAL_MACHINE that name the tool: the first holds its
// path as "PATH", the second the folder of MSINFO32.EXE as "MSINFO".
inline constexpr std::string_view kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kToolLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

inline constexpr std::string_view kSysInfoUnavailable =
    "System Information Is Unavailable At This Time";

// Starts the tool or shows kSysInfoUnavailable; never throws a RunError.
void StartSysInfo(SysInfoPlatform& platform);

// Reads a REG_SZ value as its text, without a terminating 0 byte, or a REG_DWORD as "&h"
// and its hexadecimal digits. Returns false, with `keyVal` emptied, when the key or
// value cannot be read, or the value is empty or of another type.
bool GetKeyValue(SysInfoPlatform& platform, RegKey keyRoot, std::string_view keyName,
                 std::string_view subKeyRef, std::string& keyVal);

}  // namespace sorvanto
