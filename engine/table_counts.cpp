#include "table_counts.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

#include "run_error.h"

namespace sorvanto {
namespace {

constexpr std::string_view kBallCountName = "count of numbers";
constexpr std::string_view kPickCountName = "count of numbers per combination";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One of the two counts: a whole decimal number that ends at a blank, a comma or the
// end of the line. Moves `pos` past it.
std::int32_t ReadCount(const TableReader& reader, std::string_view line, std::size_t& pos,
                       std::string_view name) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  std::size_t end = pos;
  if (end < line.size() && (line[end] == '+' || line[end] == '-')) ++end;
  while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
  const std::string_view token = line.substr(pos, end - pos);
  const bool delimited = end == line.size() || IsBlank(line[end]) || line[end] == ',';
  const auto digits = token.substr(token.starts_with('+') || token.starts_with('-') ? 1 : 0);
  if (digits.empty() || !delimited) {
    std::size_t word_end = end;
    while (word_end < line.size() && !IsBlank(line[word_end]) && line[word_end] != ',') ++word_end;
    reader.Fail(ErrorNumber::kTypeMismatch,
                "the " + std::string(name) + " must be a whole number, found " +
                    QuoteInput(line.substr(pos, word_end - pos)) +
                    "; the first line holds the two counts, such as 49,6");
  }
  std::int64_t value = 0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (token.starts_with('-')) value = -value;
  if (ec == std::errc::result_out_of_range || value < INT32_MIN || value > INT32_MAX) {
    reader.Fail(ErrorNumber::kOverflow, "the " + std::string(name) + " " + QuoteInput(token) +
                                            " is outside the range of a 32-bit number");
  }
  pos = end;
  return static_cast<std::int32_t>(value);
}

// The next line that holds more than blanks: the counts are read as list input, which
// skips blanks and line ends.
std::string NextFilledLine(TableReader& reader, std::string_view name) {
  for (;;) {
    const auto line = reader.NextLine(LineForm::kValues);
    if (!line) {
      reader.Fail(ErrorNumber::kInputPastEnd,
                  (name == kBallCountName ? std::string("the file holds no counts")
                                          : "the file ends before the " + std::string(name)) +
                      "; its first line must hold the count of numbers and the count per "
                      "combination, such as 49,6");
    }
    if (reader.LineTooLong()) {
      reader.Fail(ErrorNumber::kBadFileFormat,
                  "the line is longer than " + std::to_string(kMaxLineLength) +
                      " characters, not counting repeated blanks and leading zeros; the first "
                      "line holds the two counts, such as 49,6");
    }
    if (line->find_first_not_of(" \t") != std::string::npos) return *line;
  }
}

}  // namespace

void ReadCounts(TableReader& reader, DrawState& state) {
  std::string line = NextFilledLine(reader, kBallCountName);
  std::size_t pos = 0;
  state.BallCount = ReadCount(reader, line, pos, kBallCountName);
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  if (pos < line.size() && line[pos] == ',') ++pos;
  if (line.find_first_not_of(" \t", pos) == std::string::npos) {
    line = NextFilledLine(reader, kPickCountName);
    pos = 0;
  }
  state.PickCount = ReadCount(reader, line, pos, kPickCountName);

  const auto check = [&](std::int32_t count, std::string_view name) {
    if (count < 1) {
      reader.Fail(ErrorNumber::kSubscript, "the " + std::string(name) + " is " +
                                               std::to_string(count) + "; it must be at least 1");
    }
    if (count > kMaxTableCount) {
      reader.Fail(ErrorNumber::kOutOfMemory, "the " + std::string(name) + " is " +
                                                 std::to_string(count) + "; it can be at most " +
                                                 std::to_string(kMaxTableCount));
    }
  };
  check(state.BallCount, kBallCountName);
  check(state.PickCount, kPickCountName);
  if (state.PickCount > state.BallCount) {
    reader.Fail(ErrorNumber::kInvalidArgument,
                "a combination of " + std::to_string(state.PickCount) +
                    " numbers cannot be drawn from " + std::to_string(state.BallCount) +
                    " numbers without repeating one");
  }
}

}  // namespace sorvanto
