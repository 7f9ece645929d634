#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "engine_harness.h"
#include "run_error.h"
#include "weight_table.h"

namespace sorvanto {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::FakePlatform;
using testing::TableText;
using testing::TempFolder;

struct LoadCase {
  const char* name;
  std::string table;
  std::vector<std::int32_t> weights;  // cumulative
  bool beep;                          // the file's own weights are in use
};

// A load in a fresh folder: the cumulative weights and whether it beeped.
struct Loaded {
  explicit Loaded(std::string_view table) {
    folder.Write("table.txt", table);
    LoadWeightTable(state, platform);
  }
  bool Beeped() const { return lines == std::vector<std::string>{"Beep"}; }

  TempFolder folder;
  std::vector<std::string> lines;
  TraceView view{[this](std::string_view line) { lines.emplace_back(line); }};
  FakePlatform platform{view, folder.Path()};
  DrawState state;
};

const std::vector<std::int32_t> kEqual5 = {1, 2, 3, 4, 5};

TEST(WeightTableTest, LoadsWeightsOrFallsBackToEqualWeights) {
  const LoadCase cases[] = {
      {"plain table", TableText(3, 2, {"1", "2", "3"}), {1, 3, 6}, true},
      {"weights rounded half to even", TableText(3, 2, {"2.5", "3.5", "0.5"}), {2, 6, 6}, true},
      {"leading number of a line, blanks inside ignored",
       TableText(3, 2, {"12 balls", "1 000", "&HFF"}), {12, 1012, 1267}, true},
      {"negative weight lowers the total", TableText(3, 2, {"5", "-2", "4"}), {5, 3, 7}, true},
      {"lines without a number weigh 0", TableText(4, 2, {"4", "", " # no", "1"}), {4, 4, 4, 5}, true},
      {"one number, one per combination", TableText(1, 1, {"5"}), {5}, true},
      {"lines past the table are never read", TableText(2, 1, {"1", "1", "#", "x"}), {1, 2}, true},
      {"a comma ends a weight, for thousands or decimals alike",
       TableText(3, 2, {"1,000", "2,5", "3"}), {1, 3, 6}, true},
      {"# line", TableText(5, 2, {"9", "9", "# comment", "9", "9"}), kEqual5, false},
      {"one weight line short", TableText(5, 2, {"9", "9", "9", "9"}), kEqual5, false},
      {"total beyond 32 bits", TableText(5, 2, {"2147483647", "1", "1", "1", "1"}), kEqual5, false},
      {"weight beyond 32 bits", TableText(5, 2, {"1", "2147483647.6", "1", "1", "1"}), kEqual5, false},
      {"weight beyond a double", TableText(5, 2, {"1", "1e400", "1", "1", "1"}), kEqual5, false},
      // Tables that can never complete a combination would draw a number that is not on
      // the ticket, or nothing at all, for ever.
      {"all weights zero", TableText(5, 1, {"0", "0", "0", "0", "0"}), kEqual5, false},
      {"too few numbers with a weight", TableText(5, 2, {"0", "0", "7", "0", "-1"}), kEqual5, false},
      {"later positive weights after a negative start",
       TableText(5, 2, {"-3", "0", "2", "4", "8"}), {-3, -3, -1, 3, 11}, true},
      {"a later weight under an earlier running total",
       TableText(5, 3, {"8", "-6", "3", "9", "-5"}), kEqual5, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Loaded loaded(c.table);
    EXPECT_EQ(loaded.Beeped(), c.beep);
    EXPECT_EQ(loaded.state.Weights, c.weights);
    EXPECT_EQ(loaded.state.WeightTotal, c.weights.back());
    EXPECT_EQ(loaded.state.Picks, std::vector<std::int32_t>(loaded.state.PickCount, 0));
  }
}

TEST(WeightTableTest, ReadsTheFilesEditorsWrite) {
  const std::vector<std::int32_t> weights = {1, 3, 6};
  const std::string tables[] = {
      "3,2\n1\n2\n3\n",
      "3,2\r1\r2\r3",
      "\xEF\xBB\xBF" "3,2\r\n1\r\n2\r\n3\r\n",
      "\r\n  \r\n3,2\r\n1\r\n2\r\n3\r\n\r\n\r\n",
      "  3 , 2   counts and a note\r\n1\r\n2\r\n3\r\n",
      "3 2\r\n1\r\n2\r\n3\r\n",
      "\t+3,\t2\r\n1\r\n2\r\n3\r\n",
  };
  for (const auto& table : tables) {
    SCOPED_TRACE(table);
    Loaded loaded(table);
    EXPECT_TRUE(loaded.Beeped());
    EXPECT_EQ(loaded.state.BallCount, 3);
    EXPECT_EQ(loaded.state.PickCount, 2);
    EXPECT_EQ(loaded.state.Weights, weights);
  }
}

struct FailCase {
  const char* name;
  std::optional<std::string> table;  // nothing: no table.txt at all
  ErrorNumber number;
  const char* says;
};

TEST(WeightTableTest, StartUpStopsWithAClearErrorWhenTheCountsCannotBeRead) {
  const FailCase cases[] = {
      {"missing file", std::nullopt, ErrorNumber::kFileNotFound, "file not found"},
      {"empty file", "", ErrorNumber::kInputPastEnd, "holds no counts"},
      {"blank lines only", "\r\n \r\n\t\r\n", ErrorNumber::kInputPastEnd, "holds no counts"},
      {"semicolon", "49;6\r\n", ErrorNumber::kTypeMismatch, "\"49;6\""},
      {"one count", "49\r\n", ErrorNumber::kTypeMismatch, "per combination must be a whole number"},
      {"decimal count", "49.5,6\r\n", ErrorNumber::kTypeMismatch, "\"49.5\""},
      {"zero counts", "0,0\r\n", ErrorNumber::kSubscript, "count of numbers is 0"},
      {"negative pick count", "49,-6\r\n", ErrorNumber::kSubscript, "is -6"},
      {"most negative count", "-2147483648,1\r\n", ErrorNumber::kSubscript, "-2147483648"},
      {"more picks than numbers", "6,49\r\n", ErrorNumber::kInvalidArgument, "combination of 49"},
      {"count beyond 32 bits", "2147483648,1\r\n", ErrorNumber::kOverflow, "2147483648"},
      {"count too large to allocate", "1000001,1\r\n", ErrorNumber::kOutOfMemory, "at most 1000000"},
      {"UTF-16", std::string("\xFF\xFE" "4\0009\0,\0006\0", 10), ErrorNumber::kBadFileFormat, "UTF-16"},
      {"UTF-16 big-endian", std::string("\xFE\xFF\x00\x34\x00\x39\x00\x2C\x00\x36", 10),
       ErrorNumber::kBadFileFormat, "UTF-16"},
      {"UTF-16 without a byte order mark", std::string("\x34\x00\x39\x00\x2C\x00\x36\x00", 8),
       ErrorNumber::kTypeMismatch, "found \"4?9?\""},
      {"a spreadsheet renamed table.txt", std::string("PK\x03\x04\x14\x00\x06\x00", 8),
       ErrorNumber::kTypeMismatch, "must be a whole number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    if (c.table) folder.Write("table.txt", *c.table);
    std::vector<std::string> lines;
    TraceView view([&](std::string_view line) { lines.emplace_back(line); });
    FakePlatform platform(view, folder.Path());
    DrawState state;
    try {
      LoadWeightTable(state, platform);
      ADD_FAILURE() << "the load succeeded";
    } catch (const RunError& error) {
      EXPECT_EQ(error.Number(), c.number);
      EXPECT_THAT(error.what(), HasSubstr(c.says));
      EXPECT_THAT(error.what(), HasSubstr("table.txt in folder " + folder.Path().string()));
    }
    EXPECT_TRUE(lines.empty()) << "no beep on a failed start";
  }
}

TEST(WeightTableTest, ErrorsNameTheLineThatIsWrong) {
  TempFolder folder;
  folder.Write("table.txt", "\r\n\r\n49;6\r\n");
  TraceView view([](std::string_view) {});
  FakePlatform platform(view, folder.Path());
  DrawState state;
  try {
    LoadWeightTable(state, platform);
    FAIL() << "the load succeeded";
  } catch (const RunError& error) {
    EXPECT_THAT(error.what(), HasSubstr(", line 3: "));
  }
}

TEST(WeightTableTest, AFolderNamedLikeTheTableIsNoTable) {
  TempFolder folder;
  std::filesystem::create_directory(folder.Path() / "table.txt");
  TraceView view([](std::string_view) {});
  FakePlatform platform(view, folder.Path());
  DrawState state;
  try {
    LoadWeightTable(state, platform);
    FAIL() << "the load succeeded";
  } catch (const RunError& error) {
    EXPECT_EQ(error.Number(), ErrorNumber::kFileAccess);
    EXPECT_THAT(error.what(), HasSubstr("a folder"));
  }
}

// Fails the load in `folder` and returns the error, or nothing when the load succeeded.
std::optional<RunError> LoadError(const TempFolder& folder) {
  TraceView view([](std::string_view) {});
  FakePlatform platform(view, folder.Path());
  DrawState state;
  try {
    LoadWeightTable(state, platform);
  } catch (const RunError& error) {
    return error;
  }
  return std::nullopt;
}

TEST(WeightTableTest, AFileWithoutReadPermissionStopsStartUp) {
  TempFolder folder;
  folder.Write("table.txt", TableText(1, 1, {"1"}));
  std::filesystem::permissions(folder.Path() / "table.txt", std::filesystem::perms::none);
  if (std::ifstream(folder.Path() / "table.txt")) {
    GTEST_SKIP() << "this user reads files whatever their permissions (root does)";
  }
  const auto error = LoadError(folder);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Number(), ErrorNumber::kFileAccess);
  EXPECT_THAT(error->what(), HasSubstr("cannot be opened"));
}

// /proc/self/mem opens, and fails to read at address 0, as a failing disk would.
TEST(WeightTableTest, AFileThatFailsToReadStopsStartUpWithTheReadError) {
  TempFolder folder;
  std::filesystem::create_symlink("/proc/self/mem", folder.Path() / "table.txt");
  const auto error = LoadError(folder);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Number(), ErrorNumber::kFileAccess);
  EXPECT_THAT(error->what(), HasSubstr("reading failed"));
}

TEST(WeightTableTest, StartEngineSetsThePeriodSeedsFromTheClockThenLoads) {
  TempFolder folder;
  folder.Write("table.txt", TableText(3, 2, {"1", "2", "3"}));
  std::vector<std::string> lines;
  TraceView view([&](std::string_view line) { lines.emplace_back(line); });
  FakePlatform platform(view, folder.Path());
  DrawState state;
  StartEngine(state, view, platform);
  EXPECT_THAT(lines, ElementsAre("SetTimerInterval 20", "Beep"));
  EXPECT_THAT(platform.seeds, ElementsAre(platform.TimeOfDay()));
  EXPECT_FALSE(view.GetTimerEnabled());
}

}  // namespace
}  // namespace sorvanto
