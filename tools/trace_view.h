// A DrawView that writes every call that changes the window as one line of the replay
// format ("SetTimerEnabled true", "SetResultText \"...\"", ...), and keeps the state the
// engine reads back. A result text that extends the last one is written as what it adds,
// "AppendResultText \"...\"". The replay tool prints through it; the engine tests record
// with it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "draw_view.h"

namespace sorvanto {

class TraceView final : public DrawView {
 public:
  using Sink = std::function<void(std::string_view line)>;

  explicit TraceView(Sink sink) : sink_(std::move(sink)) {}

  void SetTimerEnabled(bool on) override;
  bool GetTimerEnabled() override { return timer_enabled_; }
  void SetTimerInterval(std::int32_t milliseconds) override;
  void SetDigestCaption(std::string_view text) override;
  void SetPercentCaption(std::string_view text) override;
  void ClearProgressBar() override;
  void DrawProgressBar(double fraction) override;
  std::string_view GetResultText() override { return result_text_; }
  void SetResultText(std::string_view text) override;
  void SetResultCaret(std::int32_t position) override;
  void SetResetCaption(std::string_view text) override;
  void SetResetEnabled(bool on) override;

  // What the window would show or do, for the events the replay feeds in.
  bool ResetEnabled() const { return reset_enabled_; }
  // Text the user types at the end of the result box; the engine sees it on its next read.
  void TypeText(std::string_view text) { result_text_ += text; }
  // A line that is not a DrawView call, such as the beep.
  void Write(std::string_view line) { sink_(line); }

 private:
  Sink sink_;
  bool timer_enabled_ = false;
  bool reset_enabled_ = true;
  std::string result_text_;
};

// `text` in double quotes, with '"', '\', CR, LF and tab escaped as \" \\ \r \n \t and
// every other byte below 32 as \u00XX.
std::string QuoteTraceText(std::string_view text);

}  // namespace sorvanto
