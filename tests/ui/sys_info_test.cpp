// The System Info button's registry lookups and launch, against a fake registry and, away
// from Windows, against the store that searches PATH.
#include "sys_info.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "system_sys_info.h"
#include "window_fixture.h"

namespace sorvanto {
namespace {

const std::string kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

}  // namespace

class SysInfoTest : public QObject {
  Q_OBJECT

 private slots:
  void GetKeyValueReadsTheValue_data();
  void GetKeyValueReadsTheValue();
  void StartSysInfoTriesBothLookups_data();
  void StartSysInfoTriesBothLookups();
  void PosixStoreFindsAndStartsAToolOnPath();
};

// Type 0 stores nothing.
void SysInfoTest::GetKeyValueReadsTheValue_data() {
  QTest::addColumn<uint>("type");
  QTest::addColumn<QByteArray>("stored");
  QTest::addColumn<bool>("read");
  QTest::addColumn<QString>("keyVal");

  const QByteArray full(1024, 'x');
  const QByteArray none;
  QTest::newRow("string with its 0 byte") << 1u << QByteArray("C:\\a\0", 5) << true << "C:\\a";
  QTest::newRow("string without a 0 byte") << 1u << QByteArray("C:\\a") << true << "C:\\a";
  QTest::newRow("string filling the buffer") << 1u << full << true << QString(full);
  QTest::newRow("string beyond the buffer") << 1u << full + 'y' << false << QString();
  QTest::newRow("empty value") << 1u << none << false << QString();
  QTest::newRow("empty string, its 0 byte alone")
      << 1u << QByteArray("\0", 1) << false << QString();
  QTest::newRow("missing value") << 0u << none << false << QString();
  QTest::newRow("dword") << 4u << QByteArray("\x78\x56\x34\x12") << true << "&h12345678";
  QTest::newRow("dword with a 0 high byte")
      << 4u << QByteArray("\x03\x02\x01\x00", 4) << true << "&h010203";
  QTest::newRow("other type") << 3u << QByteArray("ab") << true << "before";
}

void SysInfoTest::GetKeyValueReadsTheValue() {
  QFETCH(uint, type);
  QFETCH(QByteArray, stored);
  FakeSysInfo registry;
  if (type != 0) registry.values[{kToolKey, "PATH"}] = {type, stored.toStdString()};

  std::string keyVal = "before";
  QTEST(GetKeyValue(registry, kHKeyLocalMachine, kToolKey, "PATH", keyVal), "read");
  QTEST(QString::fromStdString(keyVal), "keyVal");
  QCOMPARE(registry.accessMasks, std::vector<std::uint32_t>{kKeyRead});
  QCOMPARE(registry.keysOpen, 0);
}

// A null value is absent from the registry.
void SysInfoTest::StartSysInfoTriesBothLookups_data() {
  QTest::addColumn<QByteArray>("first");
  QTest::addColumn<QByteArray>("second");
  QTest::addColumn<bool>("toolExists");
  QTest::addColumn<bool>("shellFails");
  QTest::addColumn<QString>("started");

  const QByteArray none;
  const QByteArray folder = "C:\\Shared";
  const QString tool = "C:\\Shared\\MSINFO32.EXE";
  QTest::newRow("first, started without a file test")
      << QByteArray("C:\\x.exe") << folder << false << false << "C:\\x.exe";
  QTest::newRow("first fails to start")
      << QByteArray("C:\\x.exe") << folder << true << true << QString();
  QTest::newRow("second, tool present") << none << folder << true << false << tool;
  QTest::newRow("second, tool absent") << none << folder << false << false << QString();
  QTest::newRow("empty first, so second") << QByteArray("\0", 1) << folder << true << false << tool;
  QTest::newRow("neither") << none << none << true << false << QString();
}

void SysInfoTest::StartSysInfoTriesBothLookups() {
  QFETCH(QByteArray, first);
  QFETCH(QByteArray, second);
  QFETCH(QString, started);
  FakeSysInfo system;
  if (!first.isNull()) system.values[{kToolKey, "PATH"}] = {kRegSz, first.toStdString()};
  if (!second.isNull()) system.values[{kLocationKey, "MSINFO"}] = {kRegSz, second.toStdString()};
  QFETCH(bool, toolExists);
  QFETCH(bool, shellFails);
  if (toolExists) system.files.insert("C:\\Shared\\MSINFO32.EXE");
  system.shellFails = shellFails;

  StartSysInfo(system);

  const bool starts = !started.isEmpty();
  QCOMPARE(system.started,
           starts ? std::vector{started.toStdString()} : std::vector<std::string>{});
  QCOMPARE(system.messages,
           starts ? std::vector<std::string>{} : std::vector{std::string(kSysInfoUnavailable)});
}

void SysInfoTest::PosixStoreFindsAndStartsAToolOnPath() {
#ifdef Q_OS_WIN
  QSKIP("Windows has a registry to look in.");
#else
  QTemporaryDir bin;
  const QByteArray savedPath = qgetenv("PATH");
  qputenv("PATH", bin.path().toLocal8Bit());
  const auto system = CreateSystemSysInfo("Sorvanto");
  std::string path;
  QVERIFY(!GetKeyValue(*system, kHKeyLocalMachine, kToolKey, "PATH", path));

  QFile tool(bin.filePath("hardinfo"));
  QVERIFY(tool.open(QIODevice::WriteOnly));
  tool.write("#!/bin/sh\n: > \"$0.ran\"\n");
  tool.close();
  tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
  QVERIFY(GetKeyValue(*system, kHKeyLocalMachine, kToolKey, "PATH", path));
  QCOMPARE(QString::fromStdString(path), tool.fileName());

  StartSysInfo(*system);
  qputenv("PATH", savedPath);
  QTRY_VERIFY(QFile::exists(tool.fileName() + ".ran"));
  // Reported like a missing tool by StartSysInfo.
  QVERIFY_THROWS_EXCEPTION(RunError, system->Shell("/nonexistent/tool"));
#endif
}

}  // namespace sorvanto

QTEST_MAIN(sorvanto::SysInfoTest)
#include "sys_info_test.moc"
