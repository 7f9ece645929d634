// Marks the program as running until it ends, so that its installer and uninstaller can
// tell, and refuse to replace or remove the files it has in use.
#pragma once

namespace sorvanto {

// name: what the installer looks the mark up by, the application id.
void MarkRunning(const char* name);

}  // namespace sorvanto
