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

using testing::TableText;
namespace fs = std::filesystem;

// Starts the engine on `table`, the bytes of table.txt or "@" and what stands in its
// place. The outcome: the cumulative weights, "beep" if the file's own are in use, and
// the note on standard error; or the error number, the line it names and its message.
std::string Outcome(const std::string& table) {
  testing::EngineRun run;
  const fs::path path = run.folder / "table.txt";
  const std::string made = table.starts_with('@') ? table.substr(1) : "";
  if (!table.starts_with('@')) run.Write(table);
  if (made == "fifo") ::mkfifo(path.c_str(), 0600);
  if (made == "locked") fs::permissions(run.folder, fs::perms::owner_write);
  if (made.starts_with('/') || made == "table.txt") fs::create_symlink(made, path);
  ::testing::internal::CaptureStderr();
  try {
    StartEngine(run.state, run.view, run);
  } catch (const RunError& error) {
    fs::permissions(run.folder, fs::perms::owner_all);
    const std::string where = "table.txt in folder " + run.folder.string();
    std::string what = error.what();
    ::testing::internal::GetCapturedStderr();
    return "error " + std::to_string(error.Code()) +
           (what.starts_with(where) ? what.substr(where.size()) : what);
  }
  std::string outcome;
  for (const std::int32_t weight : run.state.Weights) outcome += std::to_string(weight) + " ";
  EXPECT_EQ(run.seeds, std::vector{run.TimeOfDay()});  // seeded once, at start-up
  return outcome + (run.lines.back() == "Beep" ? "beep" : "/ ") +
         ::testing::internal::GetCapturedStderr();
}

TEST(WeightTableTest, StartsOnTheTableWeightsOrFallsBackToEqualWeightsOrStops) {
  const std::string digits(100, '1'), zeros(5000, '0');
  std::string spaced_zeros;
  for (int i = 0; i < 5000; ++i) spaced_zeros += " 0";
  const std::pair<std::string, std::string> cases[] = {
      // Ties to even, also below zero; the double just under 0.5 is no tie.
      {TableText(4, 2, {"2.5", "3.5", "-1.5", "0.49999999999999994"}), "2 6 4 4 beep"},
      {TableText(2, 1, {"1", "2147483647.5"}),
       "1 2 / sorvanto: table.txt, line 3: Overflow: 2147483647.5 rounds outside the 32-bit "
       "whole-number range -2147483648 to 2147483647; every number has weight 1 instead\n"},
      {TableText(3, 2, {"12 balls", "1 000", "2,5"}), "12 1012 1014 beep"},
      {TableText(3, 2, {"5", "-2", "4", "#"}), "5 3 7 beep"},  // lines past the table unread
      {TableText(4, 2, {"4", "", " # no", "1"}), "4 4 4 5 beep"},
      {TableText(5, 2, {"9", "9", "# comment", "9"}),
       "1 2 3 4 5 / sorvanto: table.txt, line 4: a weight line starts with #; every number has "
       "weight 1 instead\n"},
      {TableText(5, 2, {"9", "9", "9", "9"}),
       "1 2 3 4 5 / sorvanto: table.txt, line 5: the file ends before the last weight;"},
      // Wrapped to 32 bits, the total would be 1 and the table usable.
      {TableText(3, 1, {"2147483647", "2147483647", "3"}),
       "1 2 3 / sorvanto: table.txt, line 3: the weights add up beyond 32 bits;"},
      // Tables that could never complete a combination: all weights 0, and three weights
      // of which those of 3 and 5 lie under an earlier running total.
      {TableText(5, 1, {"0", "0", "0", "0", "0"}), "1 2 3 4 5 / sorvanto: table.txt, line 6"},
      {TableText(5, 3, {"8", "-6", "3", "9", "-5"}),
       "1 2 3 4 5 / sorvanto: table.txt, line 6: only 2 numbers have a chance of being drawn, "
       "too few for a combination;"},
      // As editors save it, and the counts on lines of their own, as list input reads them.
      {"3,2\n1\n2\n3\n", "1 3 6 beep"},
      {"3,2\r1\r2\r3", "1 3 6 beep"},
      {"\357\273\2773,2\r\n1\r\n2\r\n3\r\n", "1 3 6 beep"},  // UTF-8 byte order mark
      {"\r\n  \r\n3\r\n\r\n2 note\r\n1\r\n2\r\n3\r\n\r\n", "1 3 6 beep"},
      {"\t3 , \r\n  2   counts and a note\r\n1\r\n2\r\n3\r\n", "1 3 6 beep"},
      {TableText(1, 1, {"-" + digits + "e999"}),
       "1 / sorvanto: table.txt, line 2: Overflow: the number \"-" + digits.substr(0, 39) +
           "...\" is too large"},
      // Blanks and a number's leading zeros, however many, change no value: a weight reads
      // as it would with none, and nothing after its end counts. The first weight's CR is
      // the last byte of the first 16 KiB read, and the next line starts the next read.
      {"3,2\r1" + std::string(16377, ' ') + "9\r2\r3", "19 21 24 beep"},
      {std::string(5000, ' ') + zeros + "5," + std::string(5000, '\t') + "+" + zeros + "1\n" +
           std::string(5000, ' ') + "5\n" + zeros + "1\n0" + spaced_zeros + ".75\n-" + zeros +
           "2e-" + zeros + "1\n3" + std::string(5000, ' ') + "," + std::string(5000, '9'),
       "5 6 7 7 10 beep"},
      {"2," + zeros + "1\n3\n4", "3 7 beep"},
      {TableText(2, 1, {"1", "0." + zeros + "1"}),
       "error 321, line 3: the weight runs on past 4096 characters, not counting blanks and "
       "leading zeros, and cannot be read; a weight line holds one number, such as 5"},
      {"@none",
       "error 53: file not found; the weight table must be in the folder the program starts in"},
      {"@fifo",
       "error 75: this is not an ordinary file (a device, pipe or socket); the weight table "
       "must be a text file"},
      {"@/dev/zero", "error 75: this is not an ordinary file"},
      {"@table.txt", "error 75: the file cannot be opened: Too many levels of symbolic links"},
      {"@locked", ::geteuid() ? "error 75: the file cannot be opened: Permission denied" : ""},
      // /proc/self/mem opens, and fails to read at address 0, as a failing disk would.
      {"@/proc/self/mem", "error 75: reading failed"},
      {"",
       "error 62: the file holds no counts; its first line must hold the count of numbers and "
       "the count per combination, such as 49,6"},
      {"49\r\n \r\n",
       "error 62, line 2: the file ends before the count of numbers per combination; its"},
      {"\r\n\r\n 49;6\177~ 7\r\n",  // DEL quoted as "?"
       "error 13, line 3: the count of numbers must be a whole number, found \"49;6?~\"; the first "
       "line holds the two counts, such as 49,6"},
      {"0,0", "error 9, line 1: the count of numbers is 0; it must be at least 1"},
      {"49,-2147483648",
       "error 9, line 1: the count of numbers per combination is -2147483648; it must be at "
       "least 1"},
      {"6,49",
       "error 5, line 1: a combination of 49 numbers cannot be drawn from 6 numbers without "
       "repeating one"},
      {" 1, 2147483648 note",
       "error 6, line 1: the count of numbers per combination \"2147483648\" is outside the "
       "range of a 32-bit number"},
      {digits + ",1", "error 6, line 1: the count of numbers \"" + digits.substr(0, 40) + "...\""},
      {std::string(1 << 20, '7') + ",1",
       "error 321, line 1: the line is longer than 4096 characters, not counting repeated blanks "
       "and leading zeros; the first line holds the two counts, such as 49,6"},
      {"1000001,1", "error 7, line 1: the count of numbers is 1000001; it can be at most 1000000"},
      {"\377\3764\0009\0,\0006\0"s,
       "error 321: the file is saved as UTF-16; save it as plain text (UTF-8)"},
      {"\376\377\0004\0009\0,\0006"s, "error 321: the file is saved as UTF-16"},
      {"\377\376\0\0004\0\0\0"s, "error 321: the file is saved as UTF-32"},
      {"\0\0\376\377\0\0\0004"s, "error 321: the file is saved as UTF-32"},
      // Without its mark, quoted back with "?" for the NULs, which would end the message.
      {"4\0009\0,\0006\0"s,
       "error 13, line 1: the count of numbers must be a whole number, found \"4?9?\""},
      // Cut before a character that would not fit whole.
      {std::string(39, 'x') + "\303\251,1",
       "error 13, line 1: the count of numbers must be a whole number, found \"" +
           std::string(39, 'x') + "...\""},
  };
  for (const auto& [table, outcome] : cases) {
    SCOPED_TRACE(QuoteInput(table));
    EXPECT_THAT(Outcome(table), ::testing::StartsWith(outcome));
  }
}

TEST(WeightTableTest, StopsStartUpWhenTheStartFolderIsGone) {
  const fs::path start = fs::current_path();
  testing::EngineRun run;
  fs::current_path(run.folder);
  fs::remove(run.folder);
  EXPECT_THROW(SystemPlatform(nullptr).TableFolder(), RunError);
  fs::current_path(start);
}

}  // namespace
}  // namespace sorvanto
