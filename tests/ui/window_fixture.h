// The main window on fakes, for the window tests and the window benchmark: table.txt of
// 49 numbers of weight 1 in a temporary folder, random values stepping round the unit
// interval, and a registry of typed bytes that records what was asked of it.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <map>
#include <set>

#include "run_error.h"
#include "sorvanto_frm.h"

namespace sorvanto {

struct FakeEnginePlatform final : EnginePlatform {
  FakeEnginePlatform() {
    std::string table = "49,6\r\n";
    for (int ball = 0; ball < 49; ++ball) table += "1\r\n";
    std::ofstream(TableFolder() / "table.txt", std::ios::binary) << table;
  }
  float TimeOfDay() override { return 0; }
  void SeedRandom(float) override {}
  // Steps of 1/64 from 3/8, so that the first value's text is ".375".
  float NextRandom() override {
    if (failure) std::rethrow_exception(failure);
    return static_cast<float>(step++ % 64) / 64;
  }
  void Beep() override {}
  std::filesystem::path TableFolder() override { return folder.path().toStdString(); }

  QTemporaryDir folder;
  int step = 24;
  std::exception_ptr failure;
};

struct FakeSysInfo final : SysInfoPlatform {
  std::int32_t RegOpenKeyExA(RegKey, std::string_view subKey, std::uint32_t, std::uint32_t access,
                             RegKey& key) override {
    opened.emplace_back(subKey);
    key = opened.size();
    return access == kKeyRead ? kErrorSuccess : 5;
  }
  // A value of type 0 is missing.
  std::int32_t RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t& type,
                                std::span<std::uint8_t> data, std::uint32_t& size) override {
    const auto& [valueType, bytes] = values[{opened.at(key - 1), std::string(name)}];
    if (valueType == 0 || bytes.size() > data.size()) return valueType ? kErrorMoreData : 2;
    type = valueType;
    size = static_cast<std::uint32_t>(std::ranges::copy(bytes, data.begin()).out - data.begin());
    return kErrorSuccess;
  }
  void RegCloseKey(RegKey) override { ++keysClosed; }
  std::string Dir(std::string_view path) override {
    return files.contains(std::string(path)) ? "X" : "";
  }
  // A program named missing.exe does not start.
  void Shell(std::string_view command) override {
    if (command.ends_with("missing.exe")) throw RunError(ErrorNumber::kFileNotFound, "");
    started.emplace_back(command);
  }
  void MsgBox(std::string_view message) override { messages.emplace_back(message); }

  // (key path below HKEY_LOCAL_MACHINE, value name) -> (type, bytes).
  std::map<std::pair<std::string, std::string>, std::pair<std::uint32_t, std::string>> values;
  std::set<std::string> files;
  std::vector<std::string> opened, started, messages;
  std::size_t keysClosed = 0;
};

struct MainWindow {
  MainWindow() { window.show(); }
  template <typename T = QWidget>
  T* Control(const char* name) {
    return window.findChild<T*>(name);
  }
  // The pointer to a new place over the field, sent directly, then one tick of the timer.
  void MovingTick() {
    ++moves;
    QWidget* field = Control("Picture1");
    const QPointF at(moves % 300, moves / 300 % 390);
    QMouseEvent move(QEvent::MouseMove, at, field->mapToGlobal(at), Qt::NoButton, {}, {});
    QApplication::sendEvent(field, &move);
    QMetaObject::invokeMethod(Control<QTimer>("Trigger"), "timeout");
  }

  FakeEnginePlatform platform;
  FakeSysInfo sysInfo;
  SorvantoFrm window{platform, sysInfo};
  int moves = 0;
};

}  // namespace sorvanto
