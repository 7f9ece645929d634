// The window as the draw engine sees it: the only way the engine changes what the
// user sees. The main window implements it; tests and the replay tool record it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sorvanto {

class DrawView {
 public:
  virtual ~DrawView() = default;

  // The tick timer. OnTick is called once per period while it is on, never while off;
  // a new period applies to the ticks that follow and leaves the on/off state alone.
  virtual void SetTimerEnabled(bool on) = 0;
  virtual bool GetTimerEnabled() = 0;
  virtual void SetTimerInterval(std::int32_t milliseconds) = 0;

  virtual void SetDigestCaption(std::string_view text) = 0;
  virtual void SetPercentCaption(std::string_view text) = 0;

  // The warm-up bar: cleared to its background, then filled from the left to
  // `fraction` (0 to 1) of its width.
  virtual void ClearProgressBar() = 0;
  virtual void DrawProgressBar(double fraction) = 0;

  // The result box. GetResultText gives back exactly what was last set, plus what the
  // user typed since; the view stays valid until the next call on this DrawView. It is
  // read on every drawn number, so it must not copy the text. The caret position
  // counts the text's characters (bytes of UTF-8).
  virtual std::string_view GetResultText() = 0;
  virtual void SetResultText(std::string_view text) = 0;
  virtual void SetResultCaret(std::int32_t position) = 0;

  virtual void SetResetCaption(std::string_view text) = 0;
  virtual void SetResetEnabled(bool on) = 0;
};

}  // namespace sorvanto
