#include "weight_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "engine_harness.h"
#include "run_error.h"

namespace sorvanto {
namespace {

using namespace std::string_literals;
using enum ErrorNumber;
using ::testing::ElementsAre;
using testing::EngineRun;
using ::testing::HasSubstr;
using testing::TableText;

struct LoadCase {
  std::string table;
  std::vector<std::int32_t> weights;  // cumulative
  bool beep;                          // the file's own weights are in use
};

TEST(WeightTableTest, StartsOnTheTableWeightsOrFallsBackToEqualWeights) {
  const std::vector<std::int32_t> equal = {1, 2, 3, 4, 5};
  const std::vector<std::int32_t> plain = {1, 3, 6};
  const LoadCase cases[] = {
      {TableText(3, 2, {"2.5", "3.5", "0.5"}), {2, 6, 6}, true},  // ties to even
      {TableText(3, 2, {"12 balls", "1 000", "2,5"}), {12, 1012, 1014}, true},
      {TableText(3, 2, {"5", "-2", "4", "#"}), {5, 3, 7}, true},  // lines past the table unread
      {TableText(4, 2, {"4", "", " # no", "1"}), {4, 4, 4, 5}, true},
      {TableText(5, 2, {"9", "9", "# comment", "9", "9"}), equal, false},
      {TableText(5, 2, {"9", "9", "9", "9"}), equal, false},
      // Wrapped to 32 bits, the total would be 1 and the table usable.
      {TableText(3, 1, {"2147483647", "2147483647", "3"}), {1, 2, 3}, false},
      // Tables that could never complete a combination: all weights 0, and three weights
      // of which those of 3 and 5 lie under an earlier running total.
      {TableText(5, 1, {"0", "0", "0", "0", "0"}), equal, false},
      {TableText(5, 3, {"8", "-6", "3", "9", "-5"}), equal, false},
      // As editors save it.
      {"3,2\n1\n2\n3\n", plain, true},
      {"3,2\r1\r2\r3", plain, true},
      {"\357\273\2773,2\r\n1\r\n2\r\n3\r\n", plain, true},  // UTF-8 byte order mark
      {"\r\n  \r\n3,2\r\n1\r\n2\r\n3\r\n\r\n\r\n", plain, true},
      {"\t3 , 2   counts and a note\r\n1\r\n2\r\n3\r\n", plain, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QuoteTraceText(c.table));
    EngineRun run;
    run.Write(c.table);
    run.Start();
    std::vector<std::string> lines = {"SetTimerInterval 20"};
    if (c.beep) lines.emplace_back("Beep");
    EXPECT_EQ(run.lines, lines);
    EXPECT_THAT(run.seeds, ElementsAre(run.TimeOfDay()));
    EXPECT_EQ(run.state.BallCount, static_cast<std::int32_t>(c.weights.size()));
    EXPECT_EQ(run.state.Weights, c.weights);
    EXPECT_EQ(run.state.WeightTotal, c.weights.back());
    EXPECT_EQ(run.state.Picks, std::vector<std::int32_t>(run.state.PickCount, 0));
  }
}

// Starts the engine in `run`'s folder, which must fail with `number` and a message that
// names the file, its folder and the line (0: none), then says what is wrong.
void ExpectStartError(EngineRun& run, ErrorNumber number, int line, const std::string& says) {
  try {
    run.Start();
    ADD_FAILURE() << "start-up succeeded";
  } catch (const RunError& error) {
    EXPECT_EQ(error.Number(), number);
    EXPECT_THAT(error.what(), HasSubstr("table.txt in folder " + run.folder.string() +
                                        (line ? ", line " + std::to_string(line) : "") + ": "));
    EXPECT_THAT(error.what(), HasSubstr(says));
  }
}

struct FailCase {
  std::optional<std::string> table;  // nothing: no table.txt at all
  ErrorNumber number;
  int line;
  const char* says;
};

TEST(WeightTableTest, StopsStartUpWhenTheCountsCannotBeRead) {
  const FailCase cases[] = {
      {std::nullopt, kFileNotFound, 0, "file not found"},
      {"", kInputPastEnd, 0, "holds no counts"},
      {"\r\n\r\n49;6\r\n", kTypeMismatch, 3, "must be a whole number, found \"49;6\""},
      {"0,0", kSubscript, 1, "the count of numbers is 0"},
      {"49,-6", kSubscript, 1, "per combination is -6"},
      {"6,49", kInvalidArgument, 1, "a combination of 49 numbers"},
      {"2147483648,1", kOverflow, 1, "2147483648 is outside the range"},
      {"1000001,1", kOutOfMemory, 1, "at most 1000000"},
      {"\377\3764\0009\0,\0006\0"s, kBadFileFormat, 0, "UTF-16"},
      {"\376\377\0004\0009\0,\0006"s, kBadFileFormat, 0, "UTF-16"},
      // Without its mark, quoted back with "?" for the NULs, which would end the message.
      {"4\0009\0,\0006\0"s, kTypeMismatch, 1, "found \"4?9?\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    EngineRun run;
    if (c.table) run.Write(*c.table);
    ExpectStartError(run, c.number, c.line, c.says);
  }
}

TEST(WeightTableTest, StopsStartUpWhenTheFileCannotBeRead) {
  {
    EngineRun run;
    std::filesystem::create_directory(run.folder / "table.txt");
    ExpectStartError(run, kFileAccess, 0, "a folder, not a file");
  }
  {
    // /proc/self/mem opens, and fails to read at address 0, as a failing disk would.
    EngineRun run;
    std::filesystem::create_symlink("/proc/self/mem", run.folder / "table.txt");
    ExpectStartError(run, kFileAccess, 0, "reading failed");
  }
  EngineRun run;
  run.Write("1,1\r\n1\r\n");
  std::filesystem::permissions(run.folder / "table.txt", std::filesystem::perms::none);
  // Root reads the file whatever its permissions.
  if (!std::ifstream(run.folder / "table.txt")) {
    ExpectStartError(run, kFileAccess, 0, "cannot be opened");
  }
}

}  // namespace
}  // namespace sorvanto
