// MD5 (RFC 1321) of a text, written as the digest text: 32 upper-case hexadecimal
// digits, the 16 digest bytes in their standard order. One digest is in progress at a
// time, held privately by the module; the program is single-threaded.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace sorvanto {

// The digest text of `text`, hashed byte by byte. Depends on its argument alone: it
// restarts the digest in progress, whatever was fed to it before.
std::string DigestText(std::string_view text);

// Starts a new digest: no bytes counted, A-D set to the RFC 1321 initial words.
void DigestInit();

// The bytes of `text`, one per char, viewed in place. The view lives as long as `text`.
std::span<const std::uint8_t> TextToBytes(std::string_view text);

// Feeds more bytes into the digest in progress; may be called any number of times
// between DigestInit and DigestFinal. There is no limit on the total length.
void DigestUpdate(std::span<const std::uint8_t> bytes);

// Pads the message with its 64-bit bit count and leaves the finished digest in A-D.
void DigestFinal();

// The digest text of the current A-D: A, B, C, D in turn, each as WordHex writes it.
std::string DigestHex();

// Eight upper-case hexadecimal digits: the word's four bytes, least significant first,
// each as two digits ("0A", "00", "FF").
std::string WordHex(std::uint32_t word);

}  // namespace sorvanto
