// The digest against OpenSSL's MD5 for every length up to two blocks, so that every way
// the padding and the bit count can fall is reached. Left out of builds without OpenSSL.
#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstddef>
#include <cstdio>
#include <string>

#include "md5.h"

namespace sorvanto {
namespace {

TEST(DigestOpenSslTest, MatchesForEveryLengthUpToTwoBlocks) {
  std::string text;
  for (std::size_t length = 0; length <= 129; ++length) {
    unsigned char digest[16] = {};
    EVP_Digest(text.data(), text.size(), digest, nullptr, EVP_md5(), nullptr);
    char hex[33];
    for (int i = 0; i < 16; ++i) std::snprintf(hex + 2 * i, 3, "%02X", digest[i]);
    EXPECT_EQ(DigestText(text), hex) << length;
    text += static_cast<char>(length * 37 + 11);  // high bytes among them
  }
}

}  // namespace
}  // namespace sorvanto
