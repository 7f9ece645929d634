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
  void GetKeyValueReadsTheValue_data();
  void GetKeyValueReadsTheValue();
  void StartSysInfoTriesBothLookups_data();
  void StartSysInfoTriesBothLookups();
  void PosixStoreStartsTheToolOnPath();
};

// Type 0 stores nothing.
void SysInfoTest::GetKeyValueReadsTheValue_data() {
  QTest::addColumn<uint>("type");
  QTest::addColumn<QByteArray>("stored");
  QTest::addColumn<QString>("keyVal");  // null: not read
  const QByteArray full(1024, 'x');
  QTest::newRow("string with its 0 byte") << 1u << QByteArray("C:\\a\0", 5) << "C:\\a";
  QTest::newRow("string without a 0 byte") << 1u << QByteArray("C:\\a") << "C:\\a";
  QTest::newRow("string filling the buffer") << 1u << full << QString(full);
  QTest::newRow("string beyond the buffer") << 1u << full + 'y' << QString();
  QTest::newRow("empty value") << 1u << QByteArray() << QString();
  QTest::newRow("empty string, its 0 byte alone") << 1u << QByteArray("\0", 1) << QString();
  QTest::newRow("missing value") << 0u << QByteArray() << QString();
  QTest::newRow("dword") << 4u << QByteArray("\xEF\xBE\xAD\xDE") << "&hDEADBEEF";
  QTest::newRow("dword with a 0 high byte")
      << 4u << QByteArray("\x03\x02\x01\x00", 4) << "&h010203";
  QTest::newRow("expandable string") << 2u << QByteArray("%SystemRoot%\0", 13) << QString();
  QTest::newRow("binary") << 3u << QByteArray("ab") << QString();
}

void SysInfoTest::GetKeyValueReadsTheValue() {
  QFETCH(uint, type);
  QFETCH(QByteArray, stored);
  QFETCH(QString, keyVal);
  FakeSysInfo registry;
  if (type != 0) registry.values[{std::string(kToolKey), "PATH"}] = {type, stored.toStdString()};
  std::string read = "before";
  QCOMPARE(GetKeyValue(registry, kHKeyLocalMachine, kToolKey, "PATH", read), !keyVal.isNull());
  QCOMPARE(QString::fromStdString(read), keyVal.isNull() ? "" : keyVal);
  QCOMPARE(registry.accessMasks, std::vector<std::uint32_t>{kKeyRead});
  QCOMPARE(registry.keysOpen, 0);
}

void SysInfoTest::StartSysInfoTriesBothLookups_data() {
  QTest::addColumn<uint>("firstType");  // 0: no first value
  QTest::addColumn<QByteArray>("first");
  QTest::addColumn<bool>("toolExists");
  QTest::addColumn<bool>("shellFails");
  QTest::addColumn<QString>("started");  // empty: the message instead
  const QString tool = "C:\\Shared\\MSINFO32.EXE";
  QTest::newRow("first, without a file test")
      << 1u << QByteArray("C:\\x.exe") << false << false << "C:\\x.exe";
  QTest::newRow("first fails to start")
      << 1u << QByteArray("C:\\x.exe") << true << true << QString();
  QTest::newRow("second, tool present") << 0u << QByteArray() << true << false << tool;
  QTest::newRow("second, tool absent") << 0u << QByteArray() << false << false << QString();
  QTest::newRow("empty first, so second") << 1u << QByteArray("\0", 1) << true << false << tool;
  QTest::newRow("unreadable first, so second")
      << 2u << QByteArray("C:\\x.exe") << true << false << tool;
}

void SysInfoTest::StartSysInfoTriesBothLookups() {
  QFETCH(uint, firstType);
  QFETCH(QByteArray, first);
  QFETCH(QString, started);
  FakeSysInfo system;
  if (firstType != 0)
    system.values[{std::string(kToolKey), "PATH"}] = {firstType, first.toStdString()};
  system.values[{std::string(kToolLocationKey), "MSINFO"}] = {kRegSz, "C:\\Shared"};
  QFETCH(bool, toolExists);
  QFETCH(bool, shellFails);
  if (toolExists) system.files.insert("C:\\Shared\\MSINFO32.EXE");
  system.shellFails = shellFails;
  StartSysInfo(system);
  const bool starts = !started.isEmpty();
  QCOMPARE(system.started, std::vector<std::string>(starts, started.toStdString()));
  QCOMPARE(system.messages, std::vector<std::string>(!starts, std::string(kSysInfoUnavailable)));
}

// The tool's path has a blank and is started whole; a buffer too small for it is left
// untouched.
void SysInfoTest::PosixStoreStartsTheToolOnPath() {
#ifdef Q_OS_WIN
  QSKIP("Windows has a registry to look in.");
#else
  QTemporaryDir root;
  const QString bin = root.filePath("my tools");
  QVERIFY(QDir().mkpath(bin));
  const QByteArray savedPath = qgetenv("PATH");
  qputenv("PATH", bin.toLocal8Bit());
  const auto system = CreateSystemSysInfo("Sorvanto");
  std::string path;
  QVERIFY(!GetKeyValue(*system, kHKeyLocalMachine, kToolKey, "PATH", path));
  QFile tool(bin + "/hardinfo");
  QVERIFY(tool.open(QIODevice::WriteOnly) && tool.write("#!/bin/sh\n: > \"$0.ran\"\n") > 0);
  tool.close();
  tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);

  std::vector<std::uint8_t> data(1024);
  std::uint32_t type = 0;
  std::uint32_t size = 4;
  RegKey key = 0;
  QCOMPARE(system->RegOpenKeyExA(kHKeyLocalMachine, kToolKey, 0, kKeyRead, key), kErrorSuccess);
  QCOMPARE(system->RegQueryValueExA(key, "PATH", type, std::span(data).first(4), size),
           kErrorMoreData);
  QCOMPARE(data[4], 0);
  QVERIFY(GetKeyValue(*system, kHKeyLocalMachine, kToolKey, "PATH", path));
  QCOMPARE(QString::fromStdString(path), tool.fileName());
  StartSysInfo(*system);
  qputenv("PATH", savedPath);
  QTRY_VERIFY(QFile::exists(tool.fileName() + ".ran"));
  QVERIFY_THROWS_EXCEPTION(RunError, system->Shell("/nonexistent/tool"));
#endif
}

}  // namespace sorvanto

QTEST_MAIN(sorvanto::SysInfoTest)
#include "sys_info_test.moc"
