#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "md5.h"

namespace sorvanto {
namespace {

std::string UpperHex(const unsigned char* bytes, std::size_t size) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < size; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0xf];
  }
  return text;
}

// OpenSSL's MD5 of the same bytes, written as a digest text.
std::string ReferenceDigestText(std::string_view text) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  EXPECT_EQ(1, EVP_Digest(text.data(), text.size(), digest, &size, EVP_md5(), nullptr));
  return UpperHex(digest, size);
}

// A text of `length` bytes running through every byte value, high ones included.
std::string PatternText(std::size_t length) {
  std::string text(length, '\0');
  for (std::size_t i = 0; i < length; ++i) {
    text[i] = static_cast<char>(i * 37 + 11);
  }
  return text;
}

TEST(DigestTest, MatchesRfc1321TestSuite) {
  // RFC 1321, appendix A.5.
  struct KnownAnswer {
    std::string_view text;
    std::string_view digest;
  };
  constexpr KnownAnswer kAnswers[] = {
      {"", "D41D8CD98F00B204E9800998ECF8427E"},
      {"a", "0CC175B9C0F1B6A831C399E269772661"},
      {"abc", "900150983CD24FB0D6963F7D28E17F72"},
      {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
      {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "D174AB98D277D9F5A5611C2C9F419D9F"},
      {"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
       "0",
       "57EDF4A22BE3C955AC49DA2E2107B67A"},
  };
  for (const KnownAnswer& answer : kAnswers) {
    EXPECT_EQ(answer.digest, DigestText(answer.text)) << '"' << answer.text << '"';
  }
}

TEST(DigestTest, MatchesOpenSslAroundPaddingBoundaries) {
  for (std::size_t length : {0, 55, 56, 57, 63, 64, 65, 119, 120, 121}) {
    const std::string text = PatternText(length);
    EXPECT_EQ(ReferenceDigestText(text), DigestText(text)) << "length " << length;
  }
}

TEST(DigestTest, HashesEveryByteValueAsACharacter) {
  for (int value = 0; value < 256; ++value) {
    const std::string text(1, static_cast<char>(value));
    EXPECT_EQ(ReferenceDigestText(text), DigestText(text)) << "byte " << value;
  }
  // A text that opens with a digest text is hashed as those 32 characters, not as the
  // 16 bytes they spell.
  const std::string chained = DigestText("abc") + " 1245 900 .3750001";
  EXPECT_EQ(ReferenceDigestText(chained), DigestText(chained));
}

TEST(DigestTest, IgnoresWhateverWasHashedBefore) {
  // RFC 1321, appendix A.5.
  constexpr std::string_view kExpected = "F96B697D7CB7938D525A2F31AAF161D0";

  DigestText(PatternText(200));
  EXPECT_EQ(kExpected, DigestText("message digest")) << "after a finished digest";

  DigestInit();
  DigestUpdate(TextToBytes(PatternText(70)));
  EXPECT_EQ(kExpected, DigestText("message digest")) << "after an unfinished stream";

  DigestInit();
  EXPECT_EQ(kExpected, DigestText("message digest")) << "after DigestInit";
}

TEST(DigestTest, WritesWordsLeastSignificantByteFirst) {
  EXPECT_EQ("00000000", WordHex(0));
  EXPECT_EQ("0A000000", WordHex(0x0000000a));
  EXPECT_EQ("00000080", WordHex(0x80000000));
  EXPECT_EQ("0102FEFF", WordHex(0xfffe0201));

  // RFC 1321, section 3.3: the initial words A-D, low-order bytes first.
  DigestInit();
  EXPECT_EQ("0123456789ABCDEFFEDCBA9876543210", DigestHex());
}

TEST(DigestTest, StreamedUpdatesMatchOneUpdate) {
  const std::string text = PatternText(1000);
  std::span<const std::uint8_t> rest = TextToBytes(text);
  constexpr std::size_t kSizes[] = {1, 0, 63, 2, 64, 65, 127, 128, 13, 129};
  DigestInit();
  for (std::size_t i = 0; !rest.empty(); ++i) {
    const std::size_t size = std::min(kSizes[i % std::size(kSizes)], rest.size());
    DigestUpdate(rest.first(size));
    rest = rest.subspan(size);
  }
  DigestFinal();
  const std::string streamed = DigestHex();
  EXPECT_EQ(DigestText(text), streamed);
}

TEST(DigestTest, StreamsPastA32BitBitCountLikeOpenSsl) {
  // More than 2^29 bytes, so the bit count in the padding needs more than 32 bits. The
  // chunks are not whole blocks, so each update starts with a partial block buffered.
  constexpr std::size_t kChunkSize = 1'000'003;
  constexpr std::size_t kChunks = 537;
  static_assert(kChunkSize * kChunks > std::size_t{1} << 29);
  const std::string chunk = PatternText(kChunkSize);

  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> reference(EVP_MD_CTX_new(),
                                                                    &EVP_MD_CTX_free);
  ASSERT_EQ(1, EVP_DigestInit_ex(reference.get(), EVP_md5(), nullptr));
  DigestInit();
  for (std::size_t i = 0; i < kChunks; ++i) {
    DigestUpdate(TextToBytes(chunk));
    ASSERT_EQ(1, EVP_DigestUpdate(reference.get(), chunk.data(), chunk.size()));
  }
  DigestFinal();
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  ASSERT_EQ(1, EVP_DigestFinal_ex(reference.get(), digest, &size));
  EXPECT_EQ(UpperHex(digest, size), DigestHex());
}

}  // namespace
}  // namespace sorvanto
