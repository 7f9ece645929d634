#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "md5.h"

namespace sorvanto {
namespace {

// RFC 1321, appendix A.5.
constexpr std::string_view kRfc1321Suite[][2] = {
    {"", "D41D8CD98F00B204E9800998ECF8427E"},
    {"a", "0CC175B9C0F1B6A831C399E269772661"},
    {"abc", "900150983CD24FB0D6963F7D28E17F72"},
    {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
    {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "D174AB98D277D9F5A5611C2C9F419D9F"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57EDF4A22BE3C955AC49DA2E2107B67A"}};

// Each text of the suite also fed in pieces of every size from 1 to 64 bytes, after a
// finished digest and an unfinished stream of something else.
TEST(DigestTest, MatchesRfc1321TestSuiteWholeAndInPieces) {
  for (const auto& [text, digest] : kRfc1321Suite) {
    EXPECT_EQ(DigestText(text), digest) << text;
    for (std::size_t piece = 1; piece <= 64; ++piece) {
      DigestUpdate(TextToBytes("left over from an unfinished stream"));
      DigestInit();
      for (std::size_t pos = 0; pos < text.size(); pos += piece)
        DigestUpdate(TextToBytes(text.substr(pos, piece)));
      DigestFinal();
      EXPECT_EQ(DigestHex(), digest) << text << " in pieces of " << piece;
    }
  }
  EXPECT_EQ(WordHex(0xfffe0201), "0102FEFF");  // least significant byte first
}

}  // namespace
}  // namespace sorvanto
