#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "md5.h"

namespace sorvanto {
namespace {

// OpenSSL's MD5 of `copies` times `text`, written as a digest text. A failure in OpenSSL
// leaves the digest zero, which no comparison takes for a match.
std::string ReferenceDigestText(std::string_view text, std::size_t copies = 1) {
  const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                        &EVP_MD_CTX_free);
  EVP_DigestInit_ex(context.get(), EVP_md5(), nullptr);
  for (std::size_t i = 0; i < copies; ++i)
    EVP_DigestUpdate(context.get(), text.data(), text.size());
  unsigned char digest[16] = {};
  EVP_DigestFinal_ex(context.get(), digest, nullptr);
  char hex[33];
  for (int i = 0; i < 16; ++i) std::snprintf(hex + 2 * i, 3, "%02X", digest[i]);
  return hex;
}

// A text of `length` bytes running through every byte value, high ones included.
std::string PatternText(std::size_t length) {
  std::string text(length, '\0');
  for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(i * 37 + 11);
  return text;
}

TEST(DigestTest, MatchesRfc1321TestSuite) {
  // RFC 1321, appendix A.5.
  const std::string_view answers[][2] = {
      {"", "D41D8CD98F00B204E9800998ECF8427E"},
      {"a", "0CC175B9C0F1B6A831C399E269772661"},
      {"abc", "900150983CD24FB0D6963F7D28E17F72"},
      {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
      {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "D174AB98D277D9F5A5611C2C9F419D9F"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57EDF4A22BE3C955AC49DA2E2107B67A"}};
  for (const auto& [text, digest] : answers) EXPECT_EQ(digest, DigestText(text)) << text;
}

TEST(DigestTest, MatchesOpenSslForEveryLengthAndByteValue) {
  // Up to two blocks, so every way the padding and the bit count can fall is reached.
  for (std::size_t length = 0; length <= 129; ++length) {
    const std::string text = PatternText(length);
    EXPECT_EQ(ReferenceDigestText(text), DigestText(text)) << "length " << length;
  }
  for (int value = 0; value < 256; ++value) {
    const std::string text(1, static_cast<char>(value));
    EXPECT_EQ(ReferenceDigestText(text), DigestText(text)) << "byte " << value;
  }
}

TEST(DigestTest, IgnoresWhateverWasHashedBefore) {
  // RFC 1321, appendix A.5.
  constexpr std::string_view kExpected = "F96B697D7CB7938D525A2F31AAF161D0";
  DigestText(PatternText(200));
  EXPECT_EQ(kExpected, DigestText("message digest")) << "after a finished digest";
  DigestInit();
  DigestUpdate(TextToBytes(PatternText(70)));
  EXPECT_EQ(kExpected, DigestText("message digest")) << "after an unfinished stream";
}

TEST(DigestTest, WritesWordsLeastSignificantByteFirst) {
  EXPECT_EQ("00000080", WordHex(0x80000000));
  EXPECT_EQ("0102FEFF", WordHex(0xfffe0201));
  // RFC 1321, section 3.3: the initial words A-D, low-order bytes first.
  DigestInit();
  EXPECT_EQ("0123456789ABCDEFFEDCBA9876543210", DigestHex());
}

TEST(DigestTest, StreamsInChunksOfAnySize) {
  const std::string text = PatternText(1000);
  constexpr std::size_t kSizes[] = {1, 0, 63, 2, 64, 65, 127, 128, 13, 129};
  DigestInit();
  for (std::size_t i = 0, pos = 0; pos < text.size(); pos += kSizes[i++ % std::size(kSizes)]) {
    DigestUpdate(TextToBytes(std::string_view(text).substr(pos, kSizes[i % std::size(kSizes)])));
  }
  DigestFinal();
  const std::string streamed = DigestHex();
  EXPECT_EQ(DigestText(text), streamed);
}

TEST(DigestTest, StreamsPastA32BitBitCountLikeOpenSsl) {
  // More than 2^29 bytes, so the bit count in the padding needs more than 32 bits. The
  // chunks are not whole blocks, so each update starts with a partial block buffered.
  constexpr std::size_t kChunks = 537;
  const std::string chunk = PatternText(1'000'003);
  static_assert(kChunks * 1'000'003 > std::size_t{1} << 29);
  DigestInit();
  for (std::size_t i = 0; i < kChunks; ++i) DigestUpdate(TextToBytes(chunk));
  DigestFinal();
  const std::string streamed = DigestHex();
  EXPECT_EQ(ReferenceDigestText(chunk, kChunks), streamed);
}

}  // namespace
}  // namespace sorvanto
