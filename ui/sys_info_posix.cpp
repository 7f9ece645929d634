// Without a registry, the first lookup is answered with the first system information
// program found on PATH, and every other key and value is missing.
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <array>
#include <filesystem>
#include <utility>

#include "run_error.h"
#include "sys_info.h"
#include "system_sys_info.h"
#include "text_conversion.h"

namespace sorvanto {
namespace {

constexpr std::string_view kToolValue = "PATH";
constexpr RegKey kToolKeyHandle = 1;
constexpr std::array kToolNames = {"kinfocenter", "hardinfo", "gnome-system-monitor",
                                   "xfce4-taskmanager", "lxtask"};

std::string FindTool() {
  for (const char* name : kToolNames) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!path.isEmpty()) return path.toStdString();
  }
  return {};
}

class PosixSysInfo final : public SysInfoPlatform {
 public:
  explicit PosixSysInfo(std::string title) : title_(std::move(title)) {}

  std::int32_t RegOpenKeyExA(RegKey root, std::string_view subKey, std::uint32_t, std::uint32_t,
                             RegKey& key) override {
    if (root != kHKeyLocalMachine || subKey != kToolKey) return kErrorFileNotFound;
    key = kToolKeyHandle;
    return kErrorSuccess;
  }

  std::int32_t RegQueryValueExA(RegKey key, std::string_view valueName, std::uint32_t& type,
                                std::span<std::uint8_t> data, std::uint32_t& size) override {
    if (key != kToolKeyHandle || valueName != kToolValue) return kErrorFileNotFound;
    const std::string tool = FindTool();
    if (tool.empty()) return kErrorFileNotFound;
    if (tool.size() + 1 > data.size()) return kErrorMoreData;
    std::ranges::copy(tool, data.begin());
    data[tool.size()] = 0;
    type = kRegSz;
    size = static_cast<std::uint32_t>(tool.size() + 1);
    return kErrorSuccess;
  }

  void RegCloseKey(RegKey) override {}

  std::string Dir(std::string_view path) override {
    const std::filesystem::path file(path);
    std::error_code error;
    const std::string name = file.filename().string();
    if (name.starts_with('.') || !std::filesystem::is_regular_file(file, error)) return {};
    return name;
  }

  // The command is the path of the program found, blanks and all; it takes no arguments.
  void Shell(std::string_view command) override {
    if (command.empty() || !QProcess::startDetached(ToQString(command), {})) {
      throw RunError(ErrorNumber::kFileNotFound,
                     "The program " + QuoteInput(command) + " could not be started.");
    }
  }

  void MsgBox(std::string_view message) override {
    QMessageBox box(QMessageBox::NoIcon, ToQString(title_), ToQString(message), QMessageBox::Ok);
    box.exec();
  }

 private:
  std::string title_;
};

}  // namespace

std::unique_ptr<SysInfoPlatform> CreateSystemSysInfo(std::string title) {
  return std::make_unique<PosixSysInfo>(std::move(title));
}

}  // namespace sorvanto
