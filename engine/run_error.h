// The program's numbered run-time errors. Each carries the number a user can quote
// and a message that says in words what went wrong and where.
#pragma once

#include <stdexcept>
#include <string>

namespace sorvanto {

// The numbers the program raises; they keep the meanings users of the classic
// numbered errors know.
enum class ErrorNumber : int {
  kWeightComment = 1,     // a weight line starts with "#"
  kInvalidArgument = 5,   // a value that makes no sense where it stands
  kOverflow = 6,          // a number outside the range of its variable
  kOutOfMemory = 7,       // a size the program refuses to allocate
  kSubscript = 9,         // an index or array bound out of range
  kTypeMismatch = 13,     // text where a number was expected
  kFileNotFound = 53,     // a file that does not exist
  kInputPastEnd = 62,     // the file ended before the value was read
  kFileAccess = 75,       // a file that exists but cannot be read
  kBadFileFormat = 321,   // a file in an encoding or form the program cannot read
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

}  // namespace sorvanto
