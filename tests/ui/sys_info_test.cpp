// The System Info button's registry lookups and launch, against a fake registry and, away
// from Windows, against the store that searches PATH.
#include "sys_info.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "frm_about.h"
#include "system_sys_info.h"
#include "window_fixture.h"

// The default path, which the store searches with PATH unset, is the row's: /bin:/usr/bin
// is no place to plant tools in. Nothing else this program loads asks confstr anything.
static QByteArray rowDefaultPath;
extern "C" size_t confstr(int, char* buffer, size_t length) noexcept {
  if (buffer && length > 0) qstrncpy(buffer, rowDefaultPath.constData(), length);
  return rowDefaultPath.size() + 1;
}

namespace sorvanto {

class SysInfoTest : public QObject {
  Q_OBJECT

 private slots:
  // The first value as typed bytes (type 0: missing); the second always names C:\Shared.
  void StartSysInfoStartsWhatTheLookupsFind_data() {
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<bool>("toolThere");
    QTest::addColumn<QString>("started");  // empty: the message instead
    const QByteArray full(1024, 'x');
    const QString tool = "C:\\Shared\\MSINFO32.EXE";
    const auto row = [](const char* name, uint type, const QByteArray& first,
                        bool toolThere) -> QTestData& {
      return QTest::newRow(name) << type << first << toolThere;
    };
    row("string with its 0 byte", 1, {"C:\\a\0", 5}, false) << "C:\\a";
    row("string without a 0 byte", 1, "C:\\a", false) << "C:\\a";
    row("string filling the buffer", 1, full, false) << QString(full);
    row("string beyond the buffer", 1, full + 'y', true) << tool;
    row("empty value", 1, "", true) << tool;
    row("empty string, its 0 byte alone", 1, {"\0", 1}, true) << tool;
    row("missing value", 0, "", true) << tool;
    row("expandable string", 2, "C:\\a", true) << tool;
    row("binary", 3, "C:\\a", true) << tool;
    row("dword", 4, "\xEF\xBE\xAD\xDE", false) << "&hDEADBEEF";
    row("dword with a 0 high byte", 4, {"\x03\x02\x01\x00", 4}, false) << "&h010203";
    row("first fails to start", 1, "C:\\missing.exe", true) << QString();
    row("second, tool absent", 0, "", false) << QString();
  }

  void StartSysInfoStartsWhatTheLookupsFind() {
    QFETCH(uint, type);
    QFETCH(QByteArray, first);
    QFETCH(bool, toolThere);
    QFETCH(QString, started);
    FakeSysInfo system;
    system.values[{std::string(kToolKey), "PATH"}] = {type, first.toStdString()};
    system.values[{std::string(kToolLocationKey), "MSINFO"}] = {kRegSz, "C:\\Shared"};
    if (toolThere) system.files.insert("C:\\Shared\\MSINFO32.EXE");
    StartSysInfo(system);
    QCOMPARE(system.started, std::vector<std::string>(!started.isEmpty(), started.toStdString()));
    QVERIFY(system.messages.size() == (started.isEmpty() ? 1u : 0u) &&
            system.keysClosed == system.opened.size());
  }

  // PATH ("/x": the folder x below a scratch root; others are taken from the start folder,
  // root/start; "-" and a path: PATH unset, and that the default path), the programs planted
  // below the root ("!": cannot start), the one started (none: the message, owned by About).
  void PosixStoreStartsOnlyATrustedTool_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("planted");
    QTest::addColumn<QString>("started");
    for (const QString tool :
         {"kinfocenter", "hardinfo", "gnome-system-monitor", "xfce4-taskmanager", "lxtask"})
      QTest::newRow(qPrintable(tool)) << "/t" << QStringList{"t/" + tool} << "t/" + tool;
    const auto row = [](const char* name, const char* path,
                        const QStringList& planted) -> QTestData& {
      return QTest::newRow(name) << QString(path) << planted;
    };
    row("current folder last", "/t:/usr:.", {"start/kinfocenter", "t/hardinfo"}) << "t/hardinfo";
    row("relative folder first", "bin::/t", {"start/bin/hardinfo", "start/lxtask"}) << "";
    row("names before folders", "/a:/b", {"a/lxtask", "b/hardinfo"}) << "b/hardinfo";
    row("first cannot start", "/my t", {"my t/kinfocenter!", "my t/hardinfo"}) << "my t/hardinfo";
    row("none can start", "/t", {"t/kinfocenter!"}) << "";
    row("no absolute folder", ".:bin", {"start/kinfocenter", "start/bin/hardinfo"}) << "";
    row("PATH unset", "-d:/d", {"start/d/kinfocenter", "d/hardinfo"}) << "d/hardinfo";
    const QString deep = QStringList(6, QString(200, 'd')).join('/');  // 1,205 bytes
    row("deeper than the value buffer", qPrintable("/" + deep + ":/t"),
        {deep + "/kinfocenter", "t/hardinfo"})
        << deep + "/kinfocenter";
  }

  void PosixStoreStartsOnlyATrustedTool() {
#ifndef Q_OS_WIN
    QFETCH(QString, path);
    QFETCH(QStringList, planted);
    QFETCH(QString, started);
    QTemporaryDir scratch;
    const QDir root(scratch.path());
    for (const QString& name : planted) {
      const bool runs = !name.endsWith('!');
      QFile tool(root.filePath(name.chopped(runs ? 0 : 1)));
      QVERIFY(root.mkpath(QFileInfo(tool).path()) && tool.open(QIODevice::WriteOnly) &&
              tool.write(runs ? "#!/bin/sh\n: > \"$0.ran\"\n" : ": > \"$0.ran\"\n") > 0 &&
              tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    }
    const QByteArray savedPath = qgetenv("PATH");
    const QString savedFolder = QDir::currentPath();
    qputenv("PATH", path.replace(QRegularExpression("(^|:)/"), "\\1" + root.path() + '/').toUtf8());
    rowDefaultPath = path.mid(1).toUtf8();
    if (path.startsWith('-')) qunsetenv("PATH");
    QVERIFY(root.mkpath("start") && QDir::setCurrent(root.filePath("start")));
    QWidget mainWindow;
    const auto system = CreateSystemSysInfo("Sorvanto");
    FrmAbout about(mainWindow, *system);
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    QString message;
    QObject rowLife;  // ends the timer with the row
    QTimer::singleShot(0, &rowLife, [&message, &about] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box && box->close())
        message = box->windowHandle()->transientParent() == about.windowHandle() ? box->text() : "";
    });
    QTest::mouseClick(about.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    qputenv("PATH", savedPath);
    QDir::setCurrent(savedFolder);
    QCOMPARE(message, started.isEmpty() ? QString(kSysInfoUnavailable.data()) : QString());
    QTest::qWait(200);  // long enough for a planted program that started to leave its mark
    for (const QString& name : planted)
      QTRY_COMPARE(QFile::exists(root.filePath(name) + ".ran"), name == started);
#endif
  }
};

}  // namespace sorvanto

QTEST_MAIN(sorvanto::SysInfoTest)
#include "sys_info_test.moc"
