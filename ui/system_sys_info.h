// The SysInfoPlatform of the system the program runs on. Each system has its own file
// (sys_info_windows.cpp, sys_info_posix.cpp), chosen by the build.
#pragma once

#include <memory>
#include <string>

#include "sys_info_platform.h"

namespace sorvanto {

// `title` captions its message box.
std::unique_ptr<SysInfoPlatform> CreateSystemSysInfo(std::string title);

}  // namespace sorvanto
