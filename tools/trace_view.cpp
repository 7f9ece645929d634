#include "trace_view.h"

#include <charconv>

#include "hex_digits.h"

namespace sorvanto {
namespace {

std::string_view BoolText(bool on) { return on ? "true" : "false"; }

}  // namespace

std::string QuoteTraceText(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 32) {
          quoted += "\\u00";
          quoted += kHexDigits[c >> 4];
          quoted += kHexDigits[c & 15];
        } else {
          quoted += c;
        }
    }
  }
  quoted += '"';
  return quoted;
}

void TraceView::SetTimerEnabled(bool on) {
  timer_enabled_ = on;
  Write(std::string("SetTimerEnabled ").append(BoolText(on)));
}

void TraceView::SetTimerInterval(std::int32_t milliseconds) {
  Write("SetTimerInterval " + std::to_string(milliseconds));
}

void TraceView::SetDigestCaption(std::string_view text) {
  Write("SetDigestCaption " + QuoteTraceText(text));
}

void TraceView::SetPercentCaption(std::string_view text) {
  Write("SetPercentCaption " + QuoteTraceText(text));
}

void TraceView::ClearProgressBar() { Write("ClearProgressBar"); }

void TraceView::DrawProgressBar(double fraction) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, fraction).ptr;
  Write("DrawProgressBar " + std::string(digits, end));
}

// A drawn number extends the text, and only what it adds is written, so that the output
// of a long run grows with the run rather than with its square.
void TraceView::SetResultText(std::string_view text) {
  if (text.size() > result_text_.size() && text.starts_with(result_text_)) {
    Write("AppendResultText " + QuoteTraceText(text.substr(result_text_.size())));
  } else {
    Write("SetResultText " + QuoteTraceText(text));
  }
  result_text_ = text;
}

void TraceView::SetResultCaret(std::int32_t position) {
  Write("SetResultCaret " + std::to_string(position));
}

void TraceView::SetResetCaption(std::string_view text) {
  Write("SetResetCaption " + QuoteTraceText(text));
}

void TraceView::SetResetEnabled(bool on) {
  reset_enabled_ = on;
  Write(std::string("SetResetEnabled ").append(BoolText(on)));
}

}  // namespace sorvanto
