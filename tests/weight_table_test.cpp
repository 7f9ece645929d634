#include "weight_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine_harness.h"
#include "run_error.h"
#include "system_platform.h"

namespace sorvanto {
namespace {

using namespace std::string_literals;
using enum ErrorNumber;
using testing::EngineRun;
using ::testing::HasSubstr;
using testing::TableText;
namespace fs = std::filesystem;

struct LoadCase {
  std::string table;
  std::vector<std::int32_t> weights;  // cumulative; the beep sounds unless `note` says why not
  std::string note;                   // the line on standard error
};

TEST(WeightTableTest, StartsOnTheTableWeightsOrFallsBackToEqualWeights) {
  const std::vector<std::int32_t> equal = {1, 2, 3, 4, 5};
  const std::vector<std::int32_t> plain = {1, 3, 6};
  const LoadCase cases[] = {
      {TableText(3, 2, {"2.5", "3.5", "0.5"}), {2, 6, 6}, ""},  // ties to even
      {TableText(3, 2, {"12 balls", "1 000", "2,5"}), {12, 1012, 1014}, ""},
      {TableText(3, 2, {"5", "-2", "4", "#"}), {5, 3, 7}, ""},  // lines past the table unread
      {TableText(4, 2, {"4", "", " # no", "1"}), {4, 4, 4, 5}, ""},
      {TableText(5, 2, {"9", "9", "# comment", "9", "9"}), equal, "line 4: a weight line starts"},
      {TableText(5, 2, {"9", "9", "9", "9"}), equal, "line 5: the file ends"},
      // Wrapped to 32 bits, the total would be 1 and the table usable.
      {TableText(3, 1, {"2147483647", "2147483647", "3"}), {1, 2, 3}, "line 3: the weights add"},
      // Tables that could never complete a combination: all weights 0, and three weights
      // of which those of 3 and 5 lie under an earlier running total.
      {TableText(5, 1, {"0", "0", "0", "0", "0"}), equal, "line 6: only 0 numbers"},
      {TableText(5, 3, {"8", "-6", "3", "9", "-5"}), equal, "line 6: only 2 numbers"},
      // As editors save it, and the counts on lines of their own as list input reads them.
      {"3,2\n1\n2\n3\n", plain, ""},
      {"3,2\r1\r2\r3", plain, ""},
      {"\357\273\2773,2\r\n1\r\n2\r\n3\r\n", plain, ""},  // UTF-8 byte order mark
      {"\r\n  \r\n3\r\n\r\n 2 note\r\n1\r\n2\r\n3\r\n\r\n", plain, ""},
      {"\t3 , \r\n  2   counts and a note\r\n1\r\n2\r\n3\r\n", plain, ""},
      // An over-long weight line weighs its leading number, kept in its first 4 KiB.
      {"3,2\r\n1" + std::string(5000, ' ') + "9\r\n2\r\n3", plain, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QuoteInput(c.table));
    EngineRun run;
    run.Write(c.table);
    ::testing::internal::CaptureStderr();
    run.Start();
    const std::string note = ::testing::internal::GetCapturedStderr();
    std::vector<std::string> lines = {"SetTimerInterval 20", "Beep"};
    if (!c.note.empty()) lines.pop_back();
    EXPECT_EQ(run.lines, lines) << note;
    EXPECT_EQ(run.seeds, std::vector{run.TimeOfDay()});
    EXPECT_EQ(run.state.Weights, c.weights);
    EXPECT_EQ(run.state.WeightTotal, c.weights.back());
    EXPECT_EQ(run.state.Picks, std::vector<std::int32_t>(run.state.PickCount, 0));
    EXPECT_EQ(note.empty(), c.note.empty());
    EXPECT_THAT(note, HasSubstr(c.note.empty() ? "" : "table.txt, " + c.note));
  }
}

struct FailCase {
  std::string table;  // the bytes of table.txt, or "@" and what stands in its place
  ErrorNumber number;
  int line;  // 0: the message names no line
  std::string says;
};

// Each start must fail with a message that names the file, its folder and the line,
// then says what is wrong. None may wait, however the file misbehaves.
TEST(WeightTableTest, StopsStartUpWhenTheTableCannotBeRead) {
  const std::string digits(100, '1');
  const FailCase cases[] = {
      {"@none", kFileNotFound, 0, "file not found"},
      {"@folder", kFileAccess, 0, "a folder, not a file"},
      {"@fifo", kFileAccess, 0, "not an ordinary file"},
      {"@/dev/zero", kFileAccess, 0, "not an ordinary file"},
      {"@table.txt", kFileAccess, 0, "cannot be opened: Too many levels of symbolic links"},
      {"@locked", kFileAccess, 0, "cannot be opened: Permission denied"},
      // /proc/self/mem opens, and fails to read at address 0, as a failing disk would.
      {"@/proc/self/mem", kFileAccess, 0, "reading failed"},
      {"", kInputPastEnd, 0, "holds no counts"},
      {"49\r\n \r\n", kInputPastEnd, 2, "ends before the count of numbers per combination"},
      {"\r\n\r\n49;6\r\n", kTypeMismatch, 3, "must be a whole number, found \"49;6\""},
      {"0,0", kSubscript, 1, "the count of numbers is 0"},
      {"49,-6", kSubscript, 1, "per combination is -6"},
      {"6,49", kInvalidArgument, 1, "a combination of 49 numbers"},
      {"2147483648,1", kOverflow, 1, "\"2147483648\" is outside the range"},
      {digits + ",1", kOverflow, 1, "\"" + digits.substr(0, 40) + "...\" is outside"},
      {std::string(1 << 20, '7') + ",1", kBadFileFormat, 1, "longer than 4096 characters"},
      {"1000001,1", kOutOfMemory, 1, "at most 1000000"},
      {"\377\3764\0009\0,\0006\0"s, kBadFileFormat, 0, "UTF-16"},
      {"\376\377\0004\0009\0,\0006"s, kBadFileFormat, 0, "UTF-16"},
      // Without its mark, quoted back with "?" for the NULs, which would end the message.
      {"4\0009\0,\0006\0"s, kTypeMismatch, 1, "found \"4?9?\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    EngineRun run;
    const fs::path path = run.folder / "table.txt";
    if (c.table == "@locked" && ::geteuid() == 0) continue;  // root searches any folder
    if (c.table == "@fifo") ::mkfifo(path.c_str(), 0600);
    if (c.table == "@folder") fs::create_directory(path);
    if (c.table == "@locked") fs::permissions(run.folder, fs::perms::owner_write);
    if (c.table.starts_with("@/") || c.table == "@table.txt")
      fs::create_symlink(c.table.substr(1), path);
    if (!c.table.starts_with('@')) run.Write(c.table);
    try {
      run.Start();
      ADD_FAILURE() << "start-up succeeded";
    } catch (const RunError& error) {
      EXPECT_EQ(error.Number(), c.number);
      EXPECT_THAT(error.what(),
                  HasSubstr("table.txt in folder " + run.folder.string() +
                            (c.line ? ", line " + std::to_string(c.line) : "") + ": "));
      EXPECT_THAT(error.what(), HasSubstr(c.says));
    }
    fs::permissions(run.folder, fs::perms::owner_all);
  }
}

TEST(WeightTableTest, StopsStartUpWhenTheStartFolderIsGone) {
  const fs::path start = fs::current_path();
  const fs::path gone = fs::temp_directory_path() / ("sorvanto-gone-" + std::to_string(::getpid()));
  fs::create_directory(gone);
  fs::current_path(gone);
  fs::remove(gone);
  try {
    SystemPlatform(nullptr).TableFolder();
    ADD_FAILURE() << "a folder that is gone has a path";
  } catch (const RunError& error) {
    EXPECT_EQ(error.Number(), kFileAccess);
    EXPECT_THAT(error.what(), HasSubstr("the folder the program starts in"));
  }
  fs::current_path(start);
}

}  // namespace
}  // namespace sorvanto
