// The engine and the platform layer speak UTF-8 std::string; Qt speaks QString.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace sorvanto {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

}  // namespace sorvanto
