#include "table_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host_system.h"

namespace sorvanto {
namespace {

[[noreturn]] void FailIn(const std::filesystem::path& folder, ErrorNumber number,
                         const std::string& what, int line = 0) {
  std::string where = std::string(kTableName) + " in folder " + folder.string();
  if (line > 0) where += ", line " + std::to_string(line);
  throw RunError(number, where + ": " + what);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A character that cannot stand in a number of any kind: decimal, "&H" hexadecimal or
// "&O" octal.
bool EndsEveryNumber(char c) {
  return !IsBlank(c) &&
         std::string_view("0123456789+-.&ABCDEFHOabcdefho").find(c) == std::string_view::npos;
}

// Whether `c` adds to what `line` keeps of its line so far, or can be left out without
// changing any value the line holds.
bool Keeps(LineForm form, std::string_view line, char c) {
  if (form == LineForm::kWeight && !line.empty() && EndsEveryNumber(line.back())) return false;
  if (IsBlank(c)) return line.empty() || (form == LineForm::kValues && !IsBlank(line.back()));
  // A number's leading zero: after the start of the line, a blank, a comma or a sign.
  const bool after_leading_zero =
      line.ends_with('0') &&
      (line.size() == 1 ||
       std::string_view(" \t,+-").find(line[line.size() - 2]) != std::string_view::npos);
  return c != '0' || !after_leading_zero;
}

}  // namespace

TableReader::TableReader(const std::filesystem::path& folder)
    : folder_(folder), file_(Open(folder / kTableName), &std::fclose) {
  SkipByteOrderMark();
}

std::optional<std::string> TableReader::NextLine(LineForm form) {
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
    if (!Keeps(form, line, static_cast<char>(c))) continue;
    if (line.size() == kMaxLineLength) {
      too_long_ = true;
      return line;
    }
    line.push_back(static_cast<char>(c));
  }
  EndLine(c);
  return line;
}

void TableReader::Fail(ErrorNumber number, const std::string& what) const {
  FailIn(folder_, number, what, line_number_);
}

std::FILE* TableReader::Open(const std::filesystem::path& path) const {
  FileKind kind = FileKind::kOrdinary;
  std::FILE* file = OpenOrdinaryFile(path, kind);
  if (file != nullptr) return file;
  if (kind == FileKind::kFolder) {
    FailIn(folder_, ErrorNumber::kFileAccess, "this is a folder, not a file");
  }
  if (kind == FileKind::kOther) {
    FailIn(folder_, ErrorNumber::kFileAccess,
           "this is not an ordinary file (a device, pipe or socket); the weight table must be "
           "a text file");
  }
  if (errno == ENOENT) {
    FailIn(folder_, ErrorNumber::kFileNotFound,
           "file not found; the weight table must be in the folder the program starts in");
  }
  FailIn(folder_, ErrorNumber::kFileAccess,
         "the file cannot be opened: " + std::string(std::strerror(errno)));
}

void TableReader::SkipByteOrderMark() {
  Refill();
  const std::string_view start(buffer_.data(), std::min<std::size_t>(end_, 4));
  if (start == std::string_view("\xFF\xFE\0\0", 4) ||
      start == std::string_view("\0\0\xFE\xFF", 4)) {
    Fail(ErrorNumber::kBadFileFormat, "the file is saved as UTF-32; save it as plain text (UTF-8)");
  }
  if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
    Fail(ErrorNumber::kBadFileFormat, "the file is saved as UTF-16; save it as plain text (UTF-8)");
  }
  if (start.starts_with("\xEF\xBB\xBF")) next_ = 3;
}

// A read that fails ends the input as the end of the file does, so the failure is told
// apart before the end is taken for one.
void TableReader::Refill() {
  next_ = 0;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
  if (std::ferror(file_.get())) {
    Fail(ErrorNumber::kFileAccess, "reading failed: " + std::string(std::strerror(errno)));
  }
}

int TableReader::Get() {
  if (next_ == end_) Refill();
  return next_ == end_ ? EOF : static_cast<unsigned char>(buffer_[next_++]);
}

void TableReader::EndLine(int c) {
  if (c == '\r' && Get() != '\n' && next_ > 0) --next_;
}

}  // namespace sorvanto
