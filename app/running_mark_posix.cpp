// On Linux the package manager replaces and removes files in use safely (the running
// program keeps its open copies), so there is nothing to mark.
#include "running_mark.h"

namespace sorvanto {

void MarkRunning(const char* /*name*/) {}

}  // namespace sorvanto
