#include "result_edit.h"

#include <QTextCursor>

#include "text_conversion.h"

namespace sorvanto {
namespace {

// The document's text in the engine's form: each paragraph or line separator becomes
// CR LF.
std::string DocumentText(const QTextDocument& document) {
  QString text = document.toRawText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return ToUtf8(text);
}

// How many document positions the first `bytes` bytes of `text` take: a CR LF pair
// is one line break there.
int DocumentLength(std::string_view text) {
  const QString prefix = ToQString(text);
  return static_cast<int>(prefix.size() - prefix.count(QStringLiteral("\r\n")));
}

}  // namespace

ResultEdit::ResultEdit(QWidget* parent) : QPlainTextEdit(parent) {
  // The engine appends for as long as the program runs; an undo history of every
  // number would grow without bound.
  setUndoRedoEnabled(false);
  // Tab moves on to the next control, as in any text box; the results hold no tabs.
  setTabChangesFocus(true);
  setAccessibleName(QStringLiteral("Drawn combinations"));
  setAccessibleDescription(
      QStringLiteral("One combination per line, in the order its numbers were drawn. You can "
                     "type here too."));
  connect(document(), &QTextDocument::contentsChange, this, [this] {
    if (!writing_) edited_ = true;
  });
}

const std::string& ResultEdit::Text() {
  if (edited_) {
    text_ = DocumentText(*document());
    edited_ = false;
  }
  return text_;
}

void ResultEdit::SetText(std::string_view text) {
  const std::string& current = Text();
  // A CR LF pair split between the old text and the tail would show as two breaks.
  const bool extends = text.size() > current.size() && text.starts_with(current) &&
                       !(current.ends_with('\r') && text[current.size()] == '\n');
  if (!extends && text == current) return;
  writing_ = true;
  if (extends) {
    const std::string_view tail = text.substr(current.size());
    AppendToDocument(tail);
    text_.append(tail);
  } else {
    setPlainText(ToQString(text));
    text_.assign(text);
  }
  writing_ = false;
}

void ResultEdit::SetCaret(std::int32_t position) {
  const std::string& text = Text();
  QTextCursor cursor(document());
  if (position >= 0 && static_cast<std::size_t>(position) >= text.size()) {
    cursor.movePosition(QTextCursor::End);
  } else if (position > 0) {
    cursor.setPosition(DocumentLength(std::string_view(text).substr(0, position)));
  }
  setTextCursor(cursor);
  ensureCursorVisible();
}

void ResultEdit::AppendToDocument(std::string_view tail) {
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(ToQString(tail));
}

}  // namespace sorvanto
