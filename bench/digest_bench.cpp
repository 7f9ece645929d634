// The digest text of one chain link against OpenSSL's MD5 with a plain hex encoding:
// DigestText should be no slower than the reference.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <benchmark/benchmark.h>
#include <openssl/md5.h>

#include <string>
#include <string_view>

#include "md5.h"

namespace {

// A chain link as the program hashes it: the previous digest text followed by numbers.
constexpr std::string_view kLink = "0CC175B9C0F1B6A831C399E269772661 1245 900 .3750001 27 .50000";
static_assert(kLink.size() == 60);

void BM_DigestText(benchmark::State& state) {
  for (auto _ : state) {
    std::string digest = sorvanto::DigestText(kLink);
    benchmark::DoNotOptimize(digest);
  }
}
BENCHMARK(BM_DigestText);

void BM_OpenSslMd5Hex(benchmark::State& state) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  for (auto _ : state) {
    unsigned char bytes[MD5_DIGEST_LENGTH];
    MD5(reinterpret_cast<const unsigned char*>(kLink.data()), kLink.size(), bytes);
    std::string digest;
    digest.reserve(2 * MD5_DIGEST_LENGTH);
    for (unsigned char byte : bytes) {
      digest += kDigits[byte >> 4];
      digest += kDigits[byte & 0xf];
    }
    benchmark::DoNotOptimize(digest);
  }
}
BENCHMARK(BM_OpenSslMd5Hex);

}  // namespace
