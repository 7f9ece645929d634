// A SysInfoPlatform for tests: registry values as typed bytes, a set of existing files,
// and a record of the access masks asked for, the keys left open and what was started
// or shown.
#pragma once

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "run_error.h"
#include "sys_info_platform.h"

namespace sorvanto {

class FakeSysInfo final : public SysInfoPlatform {
 public:
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

}  // namespace sorvanto
