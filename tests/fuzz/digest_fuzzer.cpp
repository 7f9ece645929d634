// DigestText of arbitrary bytes, and the same bytes fed to DigestUpdate in pieces, must
// give OpenSSL's MD5 of them.
#include <openssl/evp.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "md5.h"

namespace {

void Expect(const std::string& found, const std::string& expected, const char* how) {
  if (found == expected) return;
  std::fprintf(stderr, "%s gave %s, OpenSSL %s\n", how, found.c_str(), expected.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int digest_size = 0;
  if (EVP_Digest(data, size, digest, &digest_size, EVP_md5(), nullptr) != 1) std::abort();
  char expected[2 * EVP_MAX_MD_SIZE + 1] = {};
  for (unsigned int i = 0; i < digest_size; ++i)
    std::snprintf(expected + 2 * i, 3, "%02X", digest[i]);

  Expect(sorvanto::DigestText({reinterpret_cast<const char*>(data), size}), expected, "DigestText");
  // Pieces of 1 to 129 bytes, their lengths taken from the bytes themselves, so that
  // every position within a block is reached with every kind of continuation.
  sorvanto::DigestInit();
  for (std::span<const std::uint8_t> rest(data, size); !rest.empty();) {
    const std::size_t piece = std::min<std::size_t>(rest.size(), rest.front() % 129 + 1);
    sorvanto::DigestUpdate(rest.first(piece));
    rest = rest.subspan(piece);
  }
  sorvanto::DigestFinal();
  Expect(sorvanto::DigestHex(), expected, "DigestUpdate in pieces");
  return 0;
}
