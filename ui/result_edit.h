// The result box: an editable plain-text box that keeps, beside its document, the text
// the engine sees (UTF-8, line breaks as CR LF). Reading it costs nothing, and a text
// that extends the current one only appends its tail to the document.
#pragma once

#include <QPlainTextEdit>
#include <cstdint>
#include <string>
#include <string_view>

namespace sorvanto {

class ResultEdit final : public QPlainTextEdit {
 public:
  explicit ResultEdit(QWidget* parent);

  // The whole text, including what the user typed.
  const std::string& Text();
  void SetText(std::string_view text);
  // Puts the caret at a byte position of Text() with nothing selected, in view.
  void SetCaret(std::int32_t position);

 private:
  void AppendToDocument(std::string_view tail);

  std::string text_;
  // The user changed the document since text_ was last read from it.
  bool edited_ = false;
  bool writing_ = false;
};

}  // namespace sorvanto
