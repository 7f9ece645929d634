// Without a registry, the first lookup is answered with the first system information
// program found on PATH, and every other key and value is missing. The tools are tried in
// the order of kToolNames, each found as a shell finds it, in the first PATH folder that
// holds it; when one cannot be started, the next one found is.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <array>
#include <filesystem>
#include <iterator>
#include <utility>
#include <vector>

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

// Only absolute PATH folders are searched. A relative one (".", "bin", or the empty
// entry) would be taken against the current folder, the folder of table.txt, which may
// be a downloaded one holding a program of the same name. Without any folder left,
// nothing is searched: given no folders, findExecutable would search PATH whole.
std::vector<std::string> FindTools() {
  QStringList folders = qEnvironmentVariable("PATH").split(QLatin1Char(':'));
  folders.removeIf([](const QString& folder) { return !QDir::isAbsolutePath(folder); });
  std::vector<std::string> tools;
  if (folders.isEmpty()) return tools;
  for (const char* name : kToolNames) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name), folders);
    if (!path.isEmpty()) tools.push_back(path.toStdString());
  }
  return tools;
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
    const std::vector<std::string> tools = FindTools();
    if (tools.empty()) return kErrorFileNotFound;
    const std::string& tool = tools.front();
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

  // The command is the path of a program found, blanks and all; it takes no arguments.
  // When it cannot be started (a script without "#!", say), the tools found after it are
  // tried in turn, so that the message comes only when none of them starts.
  void Shell(std::string_view command) override {
    std::vector<std::string> tries = FindTools();
    const auto found = std::ranges::find(tries, command);
    tries.erase(tries.begin(), found == tries.end() ? tries.end() : std::next(found));
    tries.emplace(tries.begin(), command);
    for (const std::string& tool : tries) {
      if (!tool.empty() && QProcess::startDetached(ToQString(tool), {})) return;
    }
    throw RunError(ErrorNumber::kFileNotFound,
                   "The program " + QuoteInput(command) + " could not be started.");
  }

  // Owned by the window whose button asked, About: kept above it, and with no taskbar
  // entry of its own.
  void MsgBox(std::string_view message) override {
    QMessageBox box(QMessageBox::NoIcon, ToQString(title_), ToQString(message), QMessageBox::Ok,
                    QApplication::activeWindow());
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
