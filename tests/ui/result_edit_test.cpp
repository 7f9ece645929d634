// The result box: the engine's text kept exactly, appends that touch only the end of
// the document, the user's edits, and the caret counted in bytes of the engine's text.
#include "result_edit.h"

#include <QSignalSpy>
#include <QTest>

namespace sorvanto {

class ResultEditTest : public QObject {
  Q_OBJECT

 private slots:
  void KeepsTheTextLastSet_data();
  void KeepsTheTextLastSet();
  void AppendsOnlyTheTailAfterWhatTheUserTyped();
  void PutsTheCaretAtAByteOfTheText_data();
  void PutsTheCaretAtAByteOfTheText();
};

void ResultEditTest::KeepsTheTextLastSet_data() {
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<QString>("shown");
  QTest::newRow("appended") << QStringList{" 5, ", " 5,  12\r\n", " 5,  12\r\n 7, "}
                            << " 5,  12\n 7, ";
  QTest::newRow("emptied") << QStringList{" 5,  12\r\n", ""} << "";
  QTest::newRow("another start") << QStringList{" 5, ", " 6,  7\r\n"} << " 6,  7\n";
  QTest::newRow("shorter") << QStringList{" 5,  12\r\n", " 5, "} << " 5, ";
  QTest::newRow("CR LF split") << QStringList{" 5\r", " 5\r\n 6"} << " 5\n 6";
  QTest::newRow("non-ASCII") << QStringList{"\u00e9", "\u00e9\r\n\u20ac"} << "\u00e9\n\u20ac";
}

void ResultEditTest::KeepsTheTextLastSet() {
  QFETCH(QStringList, texts);
  ResultEdit box(nullptr);
  for (const QString& text : texts) box.SetText(text.toStdString());

  QCOMPARE(QString::fromStdString(box.Text()), texts.last());
  QTEST(box.toPlainText(), "shown");
}

void ResultEditTest::AppendsOnlyTheTailAfterWhatTheUserTyped() {
  ResultEdit box(nullptr);
  box.SetText(std::string(5000, '1') + "\r\n");
  box.SetCaret(5002);
  QTest::keyClicks(&box, QStringLiteral("mine"));
  QTest::keyClick(&box, Qt::Key_Return);
  QCOMPARE(box.Text(), std::string(5000, '1') + "\r\nmine\r\n");

  QSignalSpy changes(box.document(), &QTextDocument::contentsChange);
  box.SetText(box.Text() + " 42, ");
  QCOMPARE(changes.size(), 1);
  QCOMPARE(changes[0], (QVariantList{5006, 0, 5}));  // position, removed, added
  QVERIFY(box.toPlainText().endsWith("\nmine\n 42, "));
}

void ResultEditTest::PutsTheCaretAtAByteOfTheText_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("position");
  QTest::addColumn<int>("documentPosition");
  QTest::newRow("end") << " 5,  12\r\n 7, " << 14 << 12;
  QTest::newRow("past the end") << " 5, " << 99 << 4;
  QTest::newRow("start") << " 5, " << 0 << 0;
  QTest::newRow("after a line break") << "ab\r\ncd" << 4 << 3;
  QTest::newRow("after a two-byte character") << "\u00e9\r\nx" << 4 << 2;
}

void ResultEditTest::PutsTheCaretAtAByteOfTheText() {
  QFETCH(QString, text);
  QFETCH(int, position);
  ResultEdit box(nullptr);
  box.SetText(text.toStdString());

  box.SetCaret(position);
  QTEST(box.textCursor().position(), "documentPosition");
  QVERIFY(!box.textCursor().hasSelection());
}

}  // namespace sorvanto

QTEST_MAIN(sorvanto::ResultEditTest)
#include "result_edit_test.moc"
