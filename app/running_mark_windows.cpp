// On Windows the mark is a named mutex that the program holds: the installer and the
// uninstaller open it by name. Its handle is never closed, so Windows drops it only when
// the program ends, however it ends. Without it the uninstaller would report success
// while the running program's files stay behind. Failing to make one only costs that
// warning, so the program runs on.
#include <windows.h>

#include "running_mark.h"

namespace sorvanto {

void MarkRunning(const char* name) { CreateMutexA(nullptr, FALSE, name); }

}  // namespace sorvanto
