#include "weight_table.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <charconv>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "md5.h"
#include "numbers.h"
#include "run_error.h"

namespace sorvanto {
namespace {

constexpr std::string_view kTableName = "table.txt";

// Reads table.txt one line at a time. CR LF, LF and CR all end a line, so that a table
// saved by any editor reads the same; a UTF-8 byte order mark at the start is skipped.
class TableReader {
 public:
  explicit TableReader(const std::filesystem::path& folder)
      : folder_(folder), path_(folder / kTableName) {
    Open();
  }

  // The next line without its line end, or nothing at the end of the file.
  // A read that fails ends the stream as the end of the file does, so the failure is
  // told apart before the end is taken for one.
  std::optional<std::string> NextLine() {
    std::string line;
    int c = in_.get();
    const bool at_end = c == std::char_traits<char>::eof();
    while (c != std::char_traits<char>::eof() && c != '\n' && c != '\r') {
      line.push_back(static_cast<char>(c));
      c = in_.get();
    }
    if (c == '\r' && in_.peek() == '\n') in_.get();
    if (in_.bad()) Fail(ErrorNumber::kFileAccess, "reading failed: " + std::string(std::strerror(errno)));
    if (at_end) return std::nullopt;
    ++line_number_;
    return line;
  }

  int LineNumber() const { return line_number_; }

  // Raises a start-up error that names the file, its folder and the current line.
  [[noreturn]] void Fail(ErrorNumber number, const std::string& what) const {
    std::string where = std::string(kTableName) + " in folder " + folder_.string();
    if (line_number_ > 0) where += ", line " + std::to_string(line_number_);
    throw RunError(number, where + ": " + what);
  }

 private:
  void Open() {
    std::error_code ec;
    const auto status = std::filesystem::status(path_, ec);
    if (!std::filesystem::exists(status)) {
      Fail(ErrorNumber::kFileNotFound, "file not found; the weight table must be in the folder the program starts in");
    }
    if (std::filesystem::is_directory(status)) Fail(ErrorNumber::kFileAccess, "this is a folder, not a file");
    in_.open(path_, std::ios::binary);
    if (!in_) Fail(ErrorNumber::kFileAccess, "the file cannot be opened: " + std::string(std::strerror(errno)));
    SkipByteOrderMark();
  }

  void SkipByteOrderMark() {
    char mark[3] = {};
    in_.read(mark, 3);
    const std::string_view start(mark, static_cast<std::size_t>(in_.gcount()));
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
      Fail(ErrorNumber::kBadFileFormat, "the file is saved as UTF-16; save it as plain text (UTF-8)");
    }
    in_.clear();
    in_.seekg(start == "\xEF\xBB\xBF" ? 3 : 0);
  }

  std::filesystem::path folder_;
  std::filesystem::path path_;
  std::ifstream in_;
  int line_number_ = 0;
};

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
    // Quoted back to the user, so control bytes (a UTF-16 file without its mark is full
    // of NULs) become "?", and a very long word is cut short.
    std::string found(line.substr(pos, std::min<std::size_t>(word_end - pos, 40)));
    std::replace_if(found.begin(), found.end(), [](unsigned char c) { return c < 32 || c == 127; }, '?');
    reader.Fail(ErrorNumber::kTypeMismatch,
                "the " + std::string(name) + " must be a whole number, found \"" + found +
                    "\"; the first line holds the two counts, such as 49,6");
  }
  std::int64_t value = 0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (token.starts_with('-')) value = -value;
  if (ec == std::errc::result_out_of_range || value < INT32_MIN || value > INT32_MAX) {
    reader.Fail(ErrorNumber::kOverflow, "the " + std::string(name) + " " + std::string(token) +
                                            " is outside the range of a 32-bit number");
  }
  pos = end;
  return static_cast<std::int32_t>(value);
}

// The two counts from the first line that holds anything; what follows them on that
// line is ignored.
void ReadCounts(TableReader& reader, DrawState& state) {
  std::optional<std::string> line;
  do {
    line = reader.NextLine();
    if (!line) {
      reader.Fail(ErrorNumber::kInputPastEnd,
                  "the file holds no counts; its first line must hold the count of numbers and "
                  "the count per combination, such as 49,6");
    }
  } while (line->find_first_not_of(" \t") == std::string::npos);

  std::size_t pos = 0;
  state.BallCount = ReadCount(reader, *line, pos, "count of numbers");
  while (pos < line->size() && IsBlank((*line)[pos])) ++pos;
  if (pos < line->size() && (*line)[pos] == ',') ++pos;
  state.PickCount = ReadCount(reader, *line, pos, "count of numbers per combination");

  const auto check = [&](std::int32_t count, std::string_view name) {
    if (count < 1) {
      reader.Fail(ErrorNumber::kSubscript,
                  "the " + std::string(name) + " is " + std::to_string(count) + "; it must be at least 1");
    }
    if (count > kMaxTableCount) {
      reader.Fail(ErrorNumber::kOutOfMemory, "the " + std::string(name) + " is " +
                                                 std::to_string(count) + "; it can be at most " +
                                                 std::to_string(kMaxTableCount));
    }
  };
  check(state.BallCount, "count of numbers");
  check(state.PickCount, "count of numbers per combination");
  if (state.PickCount > state.BallCount) {
    reader.Fail(ErrorNumber::kInvalidArgument,
                "a combination of " + std::to_string(state.PickCount) + " numbers cannot be drawn from " +
                    std::to_string(state.BallCount) + " numbers without repeating one");
  }
}

// The cumulative weights of the weight lines. Raises a RunError for a line that starts
// with "#", a missing line, or a weight or running total beyond 32 bits.
std::vector<std::int32_t> ReadCumulativeWeights(TableReader& reader, std::int32_t ball_count) {
  std::vector<std::int32_t> weights(static_cast<std::size_t>(ball_count));
  std::int64_t total = 0;
  for (auto& cumulative : weights) {
    const auto line = reader.NextLine();
    if (!line) throw RunError(ErrorNumber::kInputPastEnd, "the file ends before the last weight");
    if (line->starts_with('#')) throw RunError(ErrorNumber::kWeightComment, "a weight line starts with #");
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
  for (std::int32_t i = 0; i < state.BallCount; ++i) state.Weights[static_cast<std::size_t>(i)] = i + 1;
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
    if (CountSelectable(weights) < state.PickCount) {
      UseEqualWeights(state);
      return;
    }
    state.WeightTotal = weights.back();
    state.Weights = std::move(weights);
  } catch (const RunError&) {
    UseEqualWeights(state);
    return;
  }
  platform.Beep();
}

}  // namespace sorvanto
