// The sixteen hexadecimal digits, upper case: digests, trace escapes and registry values
// are all written with these.
#pragma once

namespace sorvanto {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace sorvanto
