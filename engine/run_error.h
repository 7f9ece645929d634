// The program's numbered run-time errors. Each carries the number a user can quote
// and a message that says in words what went wrong and where.
#pragma once

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace sorvanto {

// The numbers the program raises; they keep the meanings users of the classic
// numbered errors know.
enum class ErrorNumber : int {
  kWeightComment = 1,    // a weight line starts with "#"
  kInvalidArgument = 5,  // a value that makes no sense where it stands
  kOverflow = 6,         // a number outside the range of its variable
  kOutOfMemory = 7,      // a size the program refuses to allocate
  kSubscript = 9,        // an index or array bound out of range
  kTypeMismatch = 13,    // text where a number was expected
  kInternal = 51,        // a failure the program did not foresee
  kFileNotFound = 53,    // a file that does not exist
  kInputPastEnd = 62,    // the file ended before the value was read
  kFileAccess = 75,      // a file that exists but cannot be read
  kBadFileFormat = 321,  // a file in an encoding or form the program cannot read
};

class RunError : public std::runtime_error {
 public:
  RunError(ErrorNumber number, const std::string& message)
      : std::runtime_error(message), number_(number) {}

  ErrorNumber Number() const { return number_; }
  int Code() const { return static_cast<int>(number_); }

 private:
  ErrorNumber number_;
};

// The numbered error an exception ends the program with: a RunError as it is, anything
// else as error 51, so that no failure ends the program without a word.
inline RunError AsRunError(const std::exception& error) {
  if (const auto* run_error = dynamic_cast<const RunError*>(&error)) return *run_error;
  return RunError(ErrorNumber::kInternal, std::string("internal error: ") + error.what());
}

// A piece of the user's input as a message quotes it: in double quotes, cut to 40
// bytes (at a character boundary, then "...") with control bytes shown as "?", so that
// neither a huge nor a binary input floods the message.
inline std::string QuoteInput(std::string_view text) {
  constexpr std::size_t kMaxQuoted = 40;
  std::size_t length = std::min(text.size(), kMaxQuoted);
  while (length < text.size() && length > 0 && (text[length] & 0xC0) == 0x80) --length;
  std::string quoted = "\"";
  for (const char c : text.substr(0, length)) {
    const auto byte = static_cast<unsigned char>(c);
    quoted += byte < 32 || byte == 127 ? '?' : c;
  }
  return quoted + (length < text.size() ? "...\"" : "\"");
}

}  // namespace sorvanto
