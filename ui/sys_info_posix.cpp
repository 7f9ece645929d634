// Without a registry, the first lookup is answered with the name of the first system
// information program found, and every other key and value is missing; Shell starts the
// program of that name, or when it cannot, the ones found after it. The tools are tried in
// the order of kToolNames, each found as a shell finds it, in the first folder of the
// search path that holds it. The name, unlike the program's path, always fits the
// launcher's value buffer, so that a program in a folder of any depth is started too.
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <array>
#include <filesystem>
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

struct Tool {
  std::string_view name;
  QString path;
};

// PATH, or where it is unset, the default path that a shell and execvp search.
QString SearchPath() {
  if (qEnvironmentVariableIsSet("PATH")) return qEnvironmentVariable("PATH");
  std::string path(::confstr(_CS_PATH, nullptr, 0), '\0');
  if (path.empty()) return {};
  ::confstr(_CS_PATH, path.data(), path.size());
  path.pop_back();
  return QString::fromLocal8Bit(path);
}

// Only absolute folders are searched. A relative one (".", "bin", or the empty entry)
// would be taken against the current folder, the folder of table.txt, which may be a
// downloaded one holding a program of the same name. Without any folder left, nothing is
// searched: given no folders, findExecutable would search PATH whole.
std::vector<Tool> FindTools() {
  QStringList folders = SearchPath().split(QLatin1Char(':'));
  folders.removeIf([](const QString& folder) { return !QDir::isAbsolutePath(folder); });
  std::vector<Tool> tools;
  if (folders.isEmpty()) return tools;
  for (const char* name : kToolNames) {
    QString path = QStandardPaths::findExecutable(QString::fromLatin1(name), folders);
    if (!path.isEmpty()) tools.push_back({name, std::move(path)});
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
    const std::vector<Tool> tools = FindTools();
    if (tools.empty()) return kErrorFileNotFound;
    const std::string_view name = tools.front().name;
    if (name.size() + 1 > data.size()) return kErrorMoreData;
    std::ranges::copy(name, data.begin());
    data[name.size()] = 0;
    type = kRegSz;
    size = static_cast<std::uint32_t>(name.size() + 1);
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

  // The command is the name of a tool found; it takes no arguments. When the tool cannot
  // be started (a script without "#!", say), the tools found after it are tried in turn,
  // so that the message comes only when none of them starts.
  void Shell(std::string_view command) override {
    const std::vector<Tool> tools = FindTools();
    for (auto tool = std::ranges::find(tools, command, &Tool::name); tool != tools.end(); ++tool) {
      if (QProcess::startDetached(tool->path, {})) return;
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
