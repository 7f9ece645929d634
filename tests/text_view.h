// A window that keeps only the result text and the timer's state, for runs long enough
// that recording every call would cost more than the engine's own work.
#pragma once

#include <string>

#include "draw_view.h"

namespace sorvanto::testing {

struct TextView final : DrawView {
  void SetTimerEnabled(bool on) override { timer = on; }
  bool GetTimerEnabled() override { return timer; }
  void SetTimerInterval(std::int32_t) override {}
  void SetDigestCaption(std::string_view) override {}
  void SetPercentCaption(std::string_view) override {}
  void ClearProgressBar() override {}
  void DrawProgressBar(double) override {}
  std::string_view GetResultText() override { return text; }
  void SetResultText(std::string_view new_text) override { text = new_text; }
  void SetResultCaret(std::int32_t) override {}
  void SetResetCaption(std::string_view) override {}
  void SetResetEnabled(bool) override {}

  bool timer = false;
  std::string text;
};

}  // namespace sorvanto::testing
