// The digest against OpenSSL's MD5 where no published answer reaches: every length up to
// two blocks, and a bit count past 32 bits. Left out of builds without OpenSSL.
#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstddef>
#include <cstdio>
#include <string>

#include "md5.h"

namespace sorvanto {
namespace {

// Bytes of every value, high ones included, in a text of `length`.
std::string PatternText(std::size_t length) {
  std::string text(length, '\0');
  for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(i * 37 + 11);
  return text;
}

// OpenSSL's MD5 of `copies` times `text`, as a digest text.
std::string ReferenceDigestText(const std::string& text, std::size_t copies = 1) {
  unsigned char digest[16] = {};
  EVP_MD_CTX* const context = EVP_MD_CTX_new();
  EVP_DigestInit_ex(context, EVP_md5(), nullptr);
  for (std::size_t i = 0; i < copies; ++i) EVP_DigestUpdate(context, text.data(), text.size());
  EVP_DigestFinal_ex(context, digest, nullptr);
  EVP_MD_CTX_free(context);
  char hex[33];
  for (int i = 0; i < 16; ++i) std::snprintf(hex + 2 * i, 3, "%02X", digest[i]);
  return hex;
}

TEST(DigestOpenSslTest, MatchesForEveryLengthUpToTwoBlocks) {
  for (std::size_t length = 0; length <= 129; ++length)
    EXPECT_EQ(DigestText(PatternText(length)), ReferenceDigestText(PatternText(length))) << length;
}

// More than 2^29 bytes, so the bit count in the padding needs more than 32 bits; the
// chunks are not whole blocks, so each update starts with a partial block buffered.
TEST(DigestOpenSslTest, MatchesPastA32BitBitCount) {
  const std::string chunk = PatternText(1'000'003);
  DigestInit();
  for (int i = 0; i < 537; ++i) DigestUpdate(TextToBytes(chunk));
  DigestFinal();
  EXPECT_EQ(DigestHex(), ReferenceDigestText(chunk, 537));
}

}  // namespace
}  // namespace sorvanto
