// Who made the program and where to find it; the main window's credit text and the
// About window's description both show them.
#pragma once

namespace sorvanto {

inline constexpr char kMakerName[] = "the Sorvanto authors";
inline constexpr char kWebAddress[] = "https://sorvanto.example/";
inline constexpr int kCopyrightYear = 2026;

}  // namespace sorvanto
