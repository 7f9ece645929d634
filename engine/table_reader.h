// table.txt read one line at a time, whatever editor saved it: any line end, a UTF-8
// byte order mark, and lines of any length kept to a bounded start, without the blanks
// and zeros that mean nothing. Errors it raises name the file, its folder and the line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "run_error.h"

namespace sorvanto {

inline constexpr std::string_view kTableName = "table.txt";
// No sound table line is longer than a few dozen characters; keeping no more than this
// of a line bounds the memory a load takes, whatever the file holds.
inline constexpr std::size_t kMaxLineLength = 4096;

// What of a line NextLine keeps. Neither form counts a number's leading zeros beyond the
// first, which change no value, so that no number of them pushes a number past the bound.
enum class LineForm {
  // Values separated by blanks, such as the counts: a run of blanks is kept as one.
  kValues,
  // One weight, whose number ignores blanks wherever they stand: only a leading blank is
  // kept, since a line that starts with one is no comment. Nothing is kept after the first
  // character that belongs to no number, since the weight has ended there.
  kWeight,
};

class TableReader {
 public:
  // Opens folder/table.txt; raises a RunError when it is missing, not an ordinary file,
  // unreadable or saved as UTF-16 or UTF-32.
  explicit TableReader(const std::filesystem::path& folder);

  // The next line without its line end, or nothing at the end of the file. CR LF, LF and
  // CR all end a line. When what the form keeps of a line is longer than kMaxLineLength,
  // only its start is returned, and LineTooLong() is true.
  std::optional<std::string> NextLine(LineForm form);

  bool LineTooLong() const { return too_long_; }
  int LineNumber() const { return line_number_; }

  // Raises a start-up error that names the file, its folder and the current line.
  [[noreturn]] void Fail(ErrorNumber number, const std::string& what) const;

 private:
  std::FILE* Open(const std::filesystem::path& path) const;
  void SkipByteOrderMark();
  void Refill();
  int Get();
  void EndLine(int c);

  std::filesystem::path folder_;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
  std::array<char, 16384> buffer_{};
  std::size_t next_ = 0;
  std::size_t end_ = 0;
  int line_number_ = 0;
  bool too_long_ = false;
};

}  // namespace sorvanto
