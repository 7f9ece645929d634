// DigestText of arbitrary bytes, and the same bytes fed to DigestUpdate in pieces, must
// give OpenSSL's MD5 of them.
#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "md5.h"

namespace sorvanto {
namespace {

std::string OpenSslDigestText(std::span<const std::uint8_t> bytes) {
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int size = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &size, EVP_md5(), nullptr) != 1) {
    std::abort();
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned int i = 0; i < size; ++i) {
    text += kHex[digest[i] >> 4];
    text += kHex[digest[i] & 15];
  }
  return text;
}

void Expect(const std::string& found, const std::string& expected, const char* how) {
  if (found == expected) return;
  std::fprintf(stderr, "%s gave %s, OpenSSL %s\n", how, found.c_str(), expected.c_str());
  std::abort();
}

void CheckDigest(std::span<const std::uint8_t> bytes) {
  const std::string expected = OpenSslDigestText(bytes);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  Expect(DigestText(text), expected, "DigestText");

  // Pieces of 1 to 129 bytes, their lengths taken from the bytes themselves, so that
  // every position within a block is reached with every kind of continuation.
  DigestInit();
  std::span<const std::uint8_t> rest = bytes;
  while (!rest.empty()) {
    const std::size_t piece = std::min<std::size_t>(rest.size(), rest.front() % 129 + 1);
    DigestUpdate(rest.first(piece));
    rest = rest.subspan(piece);
  }
  DigestFinal();
  Expect(DigestHex(), expected, "DigestUpdate in pieces");
}

}  // namespace
}  // namespace sorvanto

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvanto::CheckDigest({data, size});
  return 0;
}
