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
#include <stdexcept>

#include "run_error.h"
#include "sorvanto_frm.h"

namespace sorvanto {

struct FakeEnginePlatform final : EnginePlatform {
  explicit FakeEnginePlatform(bool withTable = true) {
    std::string table = "49,6\r\n";
    for (int ball = 0; ball < 49 && withTable; ++ball) table += "1\r\n";
    if (withTable) std::ofstream(TableFolder() / "table.txt", std::ios::binary) << table;
  }
  float TimeOfDay() override { return 0; }
  void SeedRandom(float) override {}
  // Steps of 1/64 from 3/8, so that the first value's text is ".375".
  float NextRandom() override {
    if (failure) std::rethrow_exception(failure);
    return static_cast<float>(step_++ % 64) / 64;
  }
  void Beep() override {}
  std::filesystem::path TableFolder() override { return folder_.path().toStdString(); }

  std::exception_ptr failure;

 private:
  QTemporaryDir folder_;
  int step_ = 24;
};

struct FakeSysInfo final : SysInfoPlatform {
  std::int32_t RegOpenKeyExA(RegKey root, std::string_view subKey, std::uint32_t,
                             std::uint32_t access, RegKey& key) override {
    accessMasks.push_back(access);
    const auto inKey = [&](const auto& value) { return value.first.first == subKey; };
    if (root != kHKeyLocalMachine || std::ranges::none_of(values, inKey)) {
      return kErrorFileNotFound;
    }
    opened_.emplace_back(subKey);
    key = opened_.size();
    ++keysOpen;
    return kErrorSuccess;
  }
  std::int32_t RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t& type,
                                std::span<std::uint8_t> data, std::uint32_t& size) override {
    const auto value = values.find({opened_.at(key - 1), std::string(name)});
    if (value == values.end()) return kErrorFileNotFound;
    const auto& [valueType, bytes] = value->second;
    if (bytes.size() > data.size()) return kErrorMoreData;
    std::ranges::copy(bytes, data.begin());
    type = valueType;
    size = static_cast<std::uint32_t>(bytes.size());
    return kErrorSuccess;
  }
  void RegCloseKey(RegKey) override { --keysOpen; }
  std::string Dir(std::string_view path) override {
    return files.contains(std::string(path)) ? "MSINFO32.EXE" : "";
  }
  void Shell(std::string_view command) override {
    if (shellFails) throw RunError(ErrorNumber::kFileNotFound, "The program did not start.");
    started.emplace_back(command);
  }
  void MsgBox(std::string_view message) override { messages.emplace_back(message); }

  // (key path below HKEY_LOCAL_MACHINE, value name) -> (type, bytes).
  std::map<std::pair<std::string, std::string>, std::pair<std::uint32_t, std::string>> values;
  std::set<std::string> files;
  bool shellFails = false;
  std::vector<std::uint32_t> accessMasks;
  int keysOpen = 0;
  std::vector<std::string> started;
  std::vector<std::string> messages;

 private:
  std::vector<std::string> opened_;
};

// Sent directly: QTest takes a press at QPoint(0, 0) for one at the widget's centre.
inline void Send(QWidget* widget, QEvent::Type type, QPointF position,
                 Qt::MouseButton button = Qt::NoButton) {
  QMouseEvent event(type, position, widget->mapToGlobal(position), button, button, {});
  QApplication::sendEvent(widget, &event);
}

struct MainWindow {
  MainWindow() { window.show(); }

  template <typename T = QWidget>
  T* Control(const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
  }
  // The pointer to a new place over the field, then one tick of the timer; returns the place.
  QPointF MovingTick() {
    ++moves;
    const QPointF position(moves % 300, moves / 300 % 390);
    Send(Control("Picture1"), QEvent::MouseMove, position);
    QMetaObject::invokeMethod(Control<QTimer>("Trigger"), "timeout");
    return position;
  }

  FakeEnginePlatform platform;
  FakeSysInfo sysInfo;
  SorvantoFrm window{platform, sysInfo};
  int moves = 0;
};

}  // namespace sorvanto
