#include "md5.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "hex_digits.h"

namespace sorvanto {
namespace {

constexpr std::size_t kBlockSize = 64;
constexpr std::size_t kLengthOffset = kBlockSize - 8;

constexpr std::uint32_t kInitialA = 0x67452301;
constexpr std::uint32_t kInitialB = 0xefcdab89;
constexpr std::uint32_t kInitialC = 0x98badcfe;
constexpr std::uint32_t kInitialD = 0x10325476;

// The digest in progress. `pending` holds the bytes of an unfinished block; how many
// of them are in use follows from `byte_count`, the number of bytes fed since DigestInit.
struct DigestState {
  std::uint64_t byte_count = 0;
  std::uint32_t a = kInitialA;
  std::uint32_t b = kInitialB;
  std::uint32_t c = kInitialC;
  std::uint32_t d = kInitialD;
  std::array<std::uint8_t, kBlockSize> pending;
};

DigestState digest_state;

// Assembled byte by byte so the result is the same on any host; compilers turn this
// into a single load where the host is little-endian.
inline std::uint32_t LoadLittleEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline void StoreLittleEndian64(std::uint8_t* p, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) {
    p[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

// The four round steps of RFC 1321. F and G are rewritten in forms equal to the RFC's
// that leave fewer operations waiting on `b`, the most recently computed word; in G
// the two halves have no bits in common, so adding them is the same as or-ing them.
inline std::uint32_t StepF(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                           std::uint32_t x, std::uint32_t t, int s) {
  return b + std::rotl(a + x + t + (d ^ (b & (c ^ d))), s);
}

inline std::uint32_t StepG(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                           std::uint32_t x, std::uint32_t t, int s) {
  return b + std::rotl(a + x + t + (c & ~d) + (b & d), s);
}

inline std::uint32_t StepH(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                           std::uint32_t x, std::uint32_t t, int s) {
  return b + std::rotl(a + x + t + (b ^ c ^ d), s);
}

inline std::uint32_t StepI(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                           std::uint32_t x, std::uint32_t t, int s) {
  return b + std::rotl(a + x + t + (c ^ (b | ~d)), s);
}

// Compresses one 64-byte block into A-D.
void DigestTransform(std::span<const std::uint8_t, kBlockSize> block) {
  // The message words are read from the block where each step uses them rather than
  // copied out first; the compiler folds each read into that step's addition.
  const auto x = [block](int i) { return LoadLittleEndian32(block.data() + 4 * i); };
  std::uint32_t a = digest_state.a;
  std::uint32_t b = digest_state.b;
  std::uint32_t c = digest_state.c;
  std::uint32_t d = digest_state.d;

  a = StepF(a, b, c, d, x(0), 0xd76aa478, 7);
  d = StepF(d, a, b, c, x(1), 0xe8c7b756, 12);
  c = StepF(c, d, a, b, x(2), 0x242070db, 17);
  b = StepF(b, c, d, a, x(3), 0xc1bdceee, 22);
  a = StepF(a, b, c, d, x(4), 0xf57c0faf, 7);
  d = StepF(d, a, b, c, x(5), 0x4787c62a, 12);
  c = StepF(c, d, a, b, x(6), 0xa8304613, 17);
  b = StepF(b, c, d, a, x(7), 0xfd469501, 22);
  a = StepF(a, b, c, d, x(8), 0x698098d8, 7);
  d = StepF(d, a, b, c, x(9), 0x8b44f7af, 12);
  c = StepF(c, d, a, b, x(10), 0xffff5bb1, 17);
  b = StepF(b, c, d, a, x(11), 0x895cd7be, 22);
  a = StepF(a, b, c, d, x(12), 0x6b901122, 7);
  d = StepF(d, a, b, c, x(13), 0xfd987193, 12);
  c = StepF(c, d, a, b, x(14), 0xa679438e, 17);
  b = StepF(b, c, d, a, x(15), 0x49b40821, 22);

  a = StepG(a, b, c, d, x(1), 0xf61e2562, 5);
  d = StepG(d, a, b, c, x(6), 0xc040b340, 9);
  c = StepG(c, d, a, b, x(11), 0x265e5a51, 14);
  b = StepG(b, c, d, a, x(0), 0xe9b6c7aa, 20);
  a = StepG(a, b, c, d, x(5), 0xd62f105d, 5);
  d = StepG(d, a, b, c, x(10), 0x02441453, 9);
  c = StepG(c, d, a, b, x(15), 0xd8a1e681, 14);
  b = StepG(b, c, d, a, x(4), 0xe7d3fbc8, 20);
  a = StepG(a, b, c, d, x(9), 0x21e1cde6, 5);
  d = StepG(d, a, b, c, x(14), 0xc33707d6, 9);
  c = StepG(c, d, a, b, x(3), 0xf4d50d87, 14);
  b = StepG(b, c, d, a, x(8), 0x455a14ed, 20);
  a = StepG(a, b, c, d, x(13), 0xa9e3e905, 5);
  d = StepG(d, a, b, c, x(2), 0xfcefa3f8, 9);
  c = StepG(c, d, a, b, x(7), 0x676f02d9, 14);
  b = StepG(b, c, d, a, x(12), 0x8d2a4c8a, 20);

  a = StepH(a, b, c, d, x(5), 0xfffa3942, 4);
  d = StepH(d, a, b, c, x(8), 0x8771f681, 11);
  c = StepH(c, d, a, b, x(11), 0x6d9d6122, 16);
  b = StepH(b, c, d, a, x(14), 0xfde5380c, 23);
  a = StepH(a, b, c, d, x(1), 0xa4beea44, 4);
  d = StepH(d, a, b, c, x(4), 0x4bdecfa9, 11);
  c = StepH(c, d, a, b, x(7), 0xf6bb4b60, 16);
  b = StepH(b, c, d, a, x(10), 0xbebfbc70, 23);
  a = StepH(a, b, c, d, x(13), 0x289b7ec6, 4);
  d = StepH(d, a, b, c, x(0), 0xeaa127fa, 11);
  c = StepH(c, d, a, b, x(3), 0xd4ef3085, 16);
  b = StepH(b, c, d, a, x(6), 0x04881d05, 23);
  a = StepH(a, b, c, d, x(9), 0xd9d4d039, 4);
  d = StepH(d, a, b, c, x(12), 0xe6db99e5, 11);
  c = StepH(c, d, a, b, x(15), 0x1fa27cf8, 16);
  b = StepH(b, c, d, a, x(2), 0xc4ac5665, 23);

  a = StepI(a, b, c, d, x(0), 0xf4292244, 6);
  d = StepI(d, a, b, c, x(7), 0x432aff97, 10);
  c = StepI(c, d, a, b, x(14), 0xab9423a7, 15);
  b = StepI(b, c, d, a, x(5), 0xfc93a039, 21);
  a = StepI(a, b, c, d, x(12), 0x655b59c3, 6);
  d = StepI(d, a, b, c, x(3), 0x8f0ccc92, 10);
  c = StepI(c, d, a, b, x(10), 0xffeff47d, 15);
  b = StepI(b, c, d, a, x(1), 0x85845dd1, 21);
  a = StepI(a, b, c, d, x(8), 0x6fa87e4f, 6);
  d = StepI(d, a, b, c, x(15), 0xfe2ce6e0, 10);
  c = StepI(c, d, a, b, x(6), 0xa3014314, 15);
  b = StepI(b, c, d, a, x(13), 0x4e0811a1, 21);
  a = StepI(a, b, c, d, x(4), 0xf7537e82, 6);
  d = StepI(d, a, b, c, x(11), 0xbd3af235, 10);
  c = StepI(c, d, a, b, x(2), 0x2ad7d2bb, 15);
  b = StepI(b, c, d, a, x(9), 0xeb86d391, 21);

  digest_state.a += a;
  digest_state.b += b;
  digest_state.c += c;
  digest_state.d += d;
}

// Two upper-case digits for every byte value, so each byte is written with one lookup.
constexpr std::array<std::array<char, 2>, 256> kHexPairs = [] {
  std::array<std::array<char, 2>, 256> pairs{};
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    pairs[i] = {kHexDigits[i >> 4], kHexDigits[i & 0xf]};
  }
  return pairs;
}();

inline void WriteWordHex(char* out, std::uint32_t word) {
  for (int i = 0; i < 4; ++i) {
    const auto& pair = kHexPairs[(word >> (8 * i)) & 0xff];
    out[2 * i] = pair[0];
    out[2 * i + 1] = pair[1];
  }
}

}  // namespace

std::string DigestText(std::string_view text) {
  DigestInit();
  DigestUpdate(TextToBytes(text));
  DigestFinal();
  return DigestHex();
}

void DigestInit() {
  digest_state.byte_count = 0;
  digest_state.a = kInitialA;
  digest_state.b = kInitialB;
  digest_state.c = kInitialC;
  digest_state.d = kInitialD;
}

std::span<const std::uint8_t> TextToBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void DigestUpdate(std::span<const std::uint8_t> bytes) {
  const std::size_t used = digest_state.byte_count % kBlockSize;
  digest_state.byte_count += bytes.size();
  if (used != 0) {
    const std::size_t taken = std::min(kBlockSize - used, bytes.size());
    std::copy_n(bytes.begin(), taken, digest_state.pending.begin() + used);
    bytes = bytes.subspan(taken);
    if (used + taken < kBlockSize) {
      return;
    }
    DigestTransform(digest_state.pending);
  }
  while (bytes.size() >= kBlockSize) {
    DigestTransform(bytes.first<kBlockSize>());
    bytes = bytes.subspan(kBlockSize);
  }
  std::copy(bytes.begin(), bytes.end(), digest_state.pending.begin());
}

void DigestFinal() {
  std::array<std::uint8_t, kBlockSize>& block = digest_state.pending;
  std::size_t used = digest_state.byte_count % kBlockSize;
  block[used++] = 0x80;
  if (used > kLengthOffset) {
    std::fill(block.begin() + used, block.end(), 0);
    DigestTransform(block);
    used = 0;
  }
  std::fill(block.begin() + used, block.begin() + kLengthOffset, 0);
  StoreLittleEndian64(block.data() + kLengthOffset, digest_state.byte_count * 8);
  DigestTransform(block);
}

std::string DigestHex() {
  std::string text(32, '0');
  WriteWordHex(text.data(), digest_state.a);
  WriteWordHex(text.data() + 8, digest_state.b);
  WriteWordHex(text.data() + 16, digest_state.c);
  WriteWordHex(text.data() + 24, digest_state.d);
  return text;
}

std::string WordHex(std::uint32_t word) {
  std::string text(8, '0');
  WriteWordHex(text.data(), word);
  return text;
}

}  // namespace sorvanto
