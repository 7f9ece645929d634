// Marks the program as running for as long as it lives, so that its installer and
// uninstaller can tell, and refuse to replace or remove the files it has in use.
#pragma once

namespace sorvanto {

class RunningMark {
 public:
  // name: what the installer looks the mark up by, the application id.
  explicit RunningMark(const char* name);
  ~RunningMark();
  RunningMark(const RunningMark&) = delete;
  RunningMark& operator=(const RunningMark&) = delete;

 private:
  void* handle_ = nullptr;
};

}  // namespace sorvanto
