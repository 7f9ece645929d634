#include "weight_table.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "host_system.h"
#include "md5.h"
#include "numbers.h"
#include "run_error.h"

namespace sorvanto {
namespace {

constexpr std::string_view kTableName = "table.txt";
// No sound table line is longer than a few dozen characters; keeping no more than this
// of a line bounds the memory a load takes, whatever the file holds.
constexpr std::size_t kMaxLineLength = 4096;

// Reads table.txt one line at a time. CR LF, LF and CR all end a line, so that a table
// saved by any editor reads the same; a UTF-8 byte order mark at the start is skipped.
class TableReader {
 public:
  explicit TableReader(const std::filesystem::path& folder)
      : folder_(folder), file_(Open(folder / kTableName), &std::fclose) {
    SkipByteOrderMark();
  }

  // The next line without its line end, or nothing at the end of the file. Of a line
  // longer than kMaxLineLength only the start is returned, and LineTooLong() is true.
  std::optional<std::string> NextLine() {
    int c = 0;
    if (too_long_) {
      do c = Get();
      while (c != EOF && c != '\n' && c != '\r');
      EndLine(c);
      too_long_ = false;
    }
    c = Get();
    if (c == EOF) return std::nullopt;
    ++line_number_;
    std::string line;
    for (; c != EOF && c != '\n' && c != '\r'; c = Get()) {
      if (line.size() == kMaxLineLength) {
        too_long_ = true;
        return line;
      }
      line.push_back(static_cast<char>(c));
    }
    EndLine(c);
    return line;
  }

  bool LineTooLong() const { return too_long_; }
  int LineNumber() const { return line_number_; }

  // Raises a start-up error that names the file, its folder and the current line.
  [[noreturn]] void Fail(ErrorNumber number, const std::string& what) const {
    Fail(folder_, number, what, line_number_);
  }

  [[noreturn]] static void Fail(const std::filesystem::path& folder, ErrorNumber number,
                                const std::string& what, int line = 0) {
    std::string where = std::string(kTableName) + " in folder " + folder.string();
    if (line > 0) where += ", line " + std::to_string(line);
    throw RunError(number, where + ": " + what);
  }

 private:
  std::FILE* Open(const std::filesystem::path& path) const {
    FileKind kind = FileKind::kOrdinary;
    std::FILE* file = OpenOrdinaryFile(path, kind);
    if (file != nullptr) return file;
    if (kind == FileKind::kFolder) {
      Fail(folder_, ErrorNumber::kFileAccess, "this is a folder, not a file");
    }
    if (kind == FileKind::kOther) {
      Fail(folder_, ErrorNumber::kFileAccess,
           "this is not an ordinary file (a device, pipe or socket); the weight table must be a "
           "text file");
    }
    if (errno == ENOENT) {
      Fail(folder_, ErrorNumber::kFileNotFound,
           "file not found; the weight table must be in the folder the program starts in");
    }
    Fail(folder_, ErrorNumber::kFileAccess,
         "the file cannot be opened: " + std::string(std::strerror(errno)));
  }

  void SkipByteOrderMark() {
    Refill();
    const std::string_view start(buffer_.data(), std::min<std::size_t>(end_, 3));
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
      Fail(ErrorNumber::kBadFileFormat,
           "the file is saved as UTF-16; save it as plain text (UTF-8)");
    }
    if (start == "\xEF\xBB\xBF") next_ = 3;
  }

  // A read that fails ends the input as the end of the file does, so the failure is
  // told apart before the end is taken for one.
  void Refill() {
    next_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
    if (std::ferror(file_.get())) {
      Fail(ErrorNumber::kFileAccess, "reading failed: " + std::string(std::strerror(errno)));
    }
  }

  int Get() {
    if (next_ == end_) Refill();
    return next_ == end_ ? EOF : static_cast<unsigned char>(buffer_[next_++]);
  }

  void EndLine(int c) {
    if (c == '\r' && Get() != '\n' && next_ > 0) --next_;
  }

  std::filesystem::path folder_;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
  std::array<char, 16384> buffer_{};
  std::size_t next_ = 0;
  std::size_t end_ = 0;
  int line_number_ = 0;
  bool too_long_ = false;
};

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
    const auto line = reader.NextLine();
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
                      " characters; the first line holds the two counts, such as 49,6");
    }
    if (line->find_first_not_of(" \t") != std::string::npos) return *line;
  }
}

// The two counts, separated by a comma, blanks or line ends. Weights start on the line
// after the second count; what follows it on its line is ignored.
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

// The cumulative weights of the weight lines. Raises a RunError for a line that starts
// with "#", a missing line, or a weight or running total beyond 32 bits. An over-long
// line weighs what its leading number gives, which lies in the start that is kept.
std::vector<std::int32_t> ReadCumulativeWeights(TableReader& reader, std::int32_t ball_count) {
  std::vector<std::int32_t> weights(static_cast<std::size_t>(ball_count));
  std::int64_t total = 0;
  for (auto& cumulative : weights) {
    const auto line = reader.NextLine();
    if (!line) throw RunError(ErrorNumber::kInputPastEnd, "the file ends before the last weight");
    if (line->starts_with('#'))
      throw RunError(ErrorNumber::kWeightComment, "a weight line starts with #");
    total += RoundToInt32(NumberValue(*line));
    if (total < INT32_MIN || total > INT32_MAX) {
      throw RunError(ErrorNumber::kOverflow, "the weights add up beyond 32 bits");
    }
    cumulative = static_cast<std::int32_t>(total);
  }
  return weights;
}

// How many numbers some draw value 0..total-1 can select: number i is selected by the
// values below its cumulative weight and not below any earlier one.
std::int32_t CountSelectable(const std::vector<std::int32_t>& weights) {
  const std::int64_t total = weights.back();
  std::int64_t floor = 0;
  std::int32_t selectable = 0;
  for (const std::int32_t cumulative : weights) {
    if (floor < std::min<std::int64_t>(cumulative, total)) ++selectable;
    floor = std::max<std::int64_t>(floor, cumulative);
  }
  return selectable;
}

void UseEqualWeights(DrawState& state) {
  for (std::int32_t i = 0; i < state.BallCount; ++i)
    state.Weights[static_cast<std::size_t>(i)] = i + 1;
  state.WeightTotal = state.BallCount;
}

}  // namespace

void StartEngine(DrawState& state, DrawView& view, EnginePlatform& platform) {
  DigestInit();
  view.SetTimerInterval(20);
  platform.SeedRandom(platform.TimeOfDay());
  LoadWeightTable(state, platform);
}

void LoadWeightTable(DrawState& state, EnginePlatform& platform) {
  TableReader reader(platform.TableFolder());
  ReadCounts(reader, state);
  state.Weights.assign(static_cast<std::size_t>(state.BallCount), 0);
  state.Picks.assign(static_cast<std::size_t>(state.PickCount), 0);

  // A bad weight line is no reason to stop: the table falls back to equal weights, and
  // the missing beep is the sign. So does a table that could never complete a
  // combination (too few numbers with a chance of being drawn).
  try {
    auto weights = ReadCumulativeWeights(reader, state.BallCount);
    const std::int32_t selectable = CountSelectable(weights);
    if (selectable < state.PickCount) {
      throw RunError(ErrorNumber::kInvalidArgument,
                     "only " + std::to_string(selectable) +
                         " numbers have a chance of being drawn, too few for a combination");
    }
    state.WeightTotal = weights.back();
    state.Weights = std::move(weights);
  } catch (const RunError& error) {
    // The window shows no message; this line is for the person who writes tables.
    std::fprintf(stderr, "sorvanto: %s, line %d: %s; every number has weight 1 instead\n",
                 std::string(kTableName).c_str(), reader.LineNumber(), error.what());
    UseEqualWeights(state);
    return;
  }
  platform.Beep();
}

}  // namespace sorvanto
