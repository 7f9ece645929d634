// On Windows the mark is a named mutex that the program holds: the installer and the
// uninstaller open it by name, and Windows drops it when the program ends, however it
// ends. Without it the uninstaller would report success while the running program's
// files stay behind. Failing to make one only costs that warning, so the program runs on.
#include <windows.h>

#include "running_mark.h"

namespace sorvanto {

RunningMark::RunningMark(const char* name) : handle_(CreateMutexA(nullptr, FALSE, name)) {}

RunningMark::~RunningMark() {
  if (handle_ != nullptr) {
    CloseHandle(handle_);
  }
}

}  // namespace sorvanto
