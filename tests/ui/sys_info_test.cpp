// The System Info button's registry lookups and launch, against a fake registry and, away
// from Windows, against the store that searches PATH.
#include "sys_info.h"

#include <QDir>
#include <QTest>

#include "system_sys_info.h"
#include "window_fixture.h"

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

  // The tool's path has a blank and is started whole; a buffer too small for it stays as
  // it was.
  void PosixStoreStartsTheToolOnPath() {
#ifndef Q_OS_WIN
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkdir("my tools"));
    QFile tool(root.filePath("my tools/hardinfo"));
    QVERIFY(tool.open(QIODevice::WriteOnly) && tool.write("#!/bin/sh\n: > \"$0.ran\"\n") > 0);
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", root.filePath("my tools").toLocal8Bit());
    const auto system = CreateSystemSysInfo("Sorvanto");
    std::vector<std::uint8_t> data(1024);
    std::uint32_t type = 0, size = 4;
    RegKey key = 0;
    system->RegOpenKeyExA(kHKeyLocalMachine, kToolKey, 0, kKeyRead, key);
    QCOMPARE(system->RegQueryValueExA(key, "PATH", type, std::span(data).first(4), size),
             kErrorMoreData);
    QCOMPARE(data[4], 0);
    StartSysInfo(*system);
    qputenv("PATH", savedPath);
    QTRY_VERIFY(QFile::exists(tool.fileName() + ".ran"));
    QVERIFY_THROWS_EXCEPTION(RunError, system->Shell("/nonexistent/tool"));
#endif
  }
};

}  // namespace sorvanto

QTEST_MAIN(sorvanto::SysInfoTest)
#include "sys_info_test.moc"
