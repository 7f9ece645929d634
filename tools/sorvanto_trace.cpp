// sorvanto-trace: plays the window's part for the draw engine. It starts the engine on
// ./table.txt, reads pointer moves, clicks, ticks, resets and typed text from standard
// input, one event a line of at most kMaxEventLine bytes, and prints one line per window
// change and beep, so that the engine's behaviour can be checked call by call. A number
// added to the result box is printed as the text it adds (AppendResultText), the whole
// box only when it changes otherwise (SetResultText).
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "engine_start.h"
#include "entropy_chain.h"
#include "number_draw.h"
#include "run_error.h"
#include "trace_view.h"

namespace sorvanto {
namespace {

// The random value of the tick being replayed stands in for the generator.
class ReplayPlatform final : public EnginePlatform {
 public:
  explicit ReplayPlatform(TraceView& view) : view_(view) {}

  float TimeOfDay() override { return 0; }
  void SeedRandom(float) override {}
  float NextRandom() override { return next_random_; }
  void Beep() override { view_.Write("Beep"); }
  std::filesystem::path TableFolder() override { return std::filesystem::current_path(); }

  void SetNextRandom(float value) { next_random_ = value; }

 private:
  TraceView& view_;
  float next_random_ = 0;
};

// Far above any event a person writes; a longer line is refused before it is read whole.
constexpr std::size_t kMaxEventLine = 65536;

struct MalformedLine {
  std::string reason;
};

// The next line of `in` without its LF, or nothing at the end of the input.
std::optional<std::string> ReadEventLine(std::istream& in) {
  std::string line;
  std::streambuf& source = *in.rdbuf();
  for (int c = source.sbumpc(); c != std::char_traits<char>::eof(); c = source.sbumpc()) {
    if (c == '\n') return line;
    if (line.size() == kMaxEventLine) {
      throw MalformedLine{"the line is longer than " + std::to_string(kMaxEventLine) + " bytes"};
    }
    line.push_back(static_cast<char>(c));
  }
  if (line.empty()) return std::nullopt;
  return line;
}

std::optional<float> ParseFloat(std::string_view text) {
  float value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

float RequireFloat(std::string_view text, std::string_view what) {
  const auto value = ParseFloat(text);
  if (!value) throw MalformedLine{std::string(what) + " " + QuoteInput(text) + " is not a number"};
  return *value;
}

// Typed text with \r, \n and \\ standing for CR, LF and a backslash.
std::string UnescapeTyped(std::string_view text) {
  std::string typed;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      typed += text[i];
      continue;
    }
    const char next = i + 1 < text.size() ? text[++i] : '\0';
    switch (next) {
      case 'r':
        typed += '\r';
        break;
      case 'n':
        typed += '\n';
        break;
      case '\\':
        typed += '\\';
        break;
      default:
        throw MalformedLine{"typed text has an unknown escape; use \\r, \\n or \\\\"};
    }
  }
  return typed;
}

class Replay {
 public:
  Replay() : view_([](std::string_view line) { std::cout << line << '\n'; }), platform_(view_) {}

  void Start() { StartEngine(state_, view_, platform_); }

  void Apply(std::string_view line) {
    const std::size_t blank = line.find(' ');
    const std::string_view command = line.substr(0, blank);
    const std::string_view rest = blank == std::string_view::npos ? "" : line.substr(blank + 1);
    if (command == "move") {
      const std::size_t split = rest.find(' ');
      if (split == std::string_view::npos) throw MalformedLine{"move needs X and Y"};
      RecordPointer(state_, RequireFloat(rest.substr(0, split), "X"),
                    RequireFloat(rest.substr(split + 1), "Y"));
    } else if (command == "click" && rest.empty()) {
      ToggleTicking(view_);
    } else if (command == "tick") {
      const float random = RequireFloat(rest, "the random value");
      if (random < 0 || random >= 1) throw MalformedLine{"the random value must be in [0, 1)"};
      platform_.SetNextRandom(random);
      if (view_.GetTimerEnabled()) OnTick(state_, view_, platform_);
    } else if (command == "reset" && rest.empty()) {
      if (view_.ResetEnabled()) RequestReset(state_, view_);
    } else if (command == "type") {
      view_.TypeText(UnescapeTyped(rest));
    } else {
      throw MalformedLine{"unknown event " + QuoteInput(line) +
                          "; expected move X Y, click, tick R, reset or type TEXT"};
    }
  }

 private:
  DrawState state_;
  TraceView view_;
  ReplayPlatform platform_;
};

int Run() {
  try {
    Replay replay;
    replay.Start();
    for (int number = 1;; ++number) {
      try {
        auto line = ReadEventLine(std::cin);
        if (!line) break;
        if (line->ends_with('\r')) line->pop_back();
        if (!line->empty()) replay.Apply(*line);
      } catch (const MalformedLine& malformed) {
        std::cout.flush();
        std::cerr << "sorvanto-trace: input line " << number << ": " << malformed.reason << '\n';
        return 2;
      }
    }
  } catch (const std::exception& exception) {
    const RunError error = AsRunError(exception);
    std::cout << "Error " << error.Code() << '\n';
    std::cout.flush();
    std::cerr << "sorvanto-trace: run-time error " << error.Code() << ": " << error.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace sorvanto

int main() {
  std::ios::sync_with_stdio(false);
  return sorvanto::Run();
}
