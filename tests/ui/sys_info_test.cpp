// The System Info button's registry lookups and launch, against a fake registry.
#include "sys_info.h"

#include <QTest>

#include "fake_sys_info.h"

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
};

// Type 0 stores nothing.
void SysInfoTest::GetKeyValueReadsTheValue_data() {
  QTest::addColumn<uint>("type");
  QTest::addColumn<QByteArray>("stored");
  QTest::addColumn<bool>("read");
  QTest::addColumn<QByteArray>("keyVal");

  const QByteArray full(1024, 'x');
  QTest::newRow("string with its 0 byte")
      << 1u << QByteArray("C:\\a\0", 5) << true << QByteArray("C:\\a");
  QTest::newRow("string without a 0 byte")
      << 1u << QByteArray("C:\\a") << true << QByteArray("C:\\a");
  QTest::newRow("string filling the buffer") << 1u << full << true << full;
  QTest::newRow("string beyond the buffer") << 1u << full + 'y' << false << QByteArray();
  QTest::newRow("empty value") << 1u << QByteArray() << false << QByteArray();
  QTest::newRow("empty string, its 0 byte alone")
      << 1u << QByteArray("\0", 1) << false << QByteArray();
  QTest::newRow("missing value") << 0u << QByteArray() << false << QByteArray();
  QTest::newRow("dword") << 4u << QByteArray("\x78\x56\x34\x12") << true
                         << QByteArray("&h12345678");
  QTest::newRow("dword with a 0 high byte")
      << 4u << QByteArray("\x03\x02\x01\x00", 4) << true << QByteArray("&h010203");
  QTest::newRow("dword 0") << 4u << QByteArray(4, '\0') << true << QByteArray("&h000000");
  QTest::newRow("other type") << 3u << QByteArray("ab") << true << QByteArray("before");
}

void SysInfoTest::GetKeyValueReadsTheValue() {
  QFETCH(uint, type);
  QFETCH(QByteArray, stored);
  FakeSysInfo registry;
  if (type != 0) registry.values[{kToolKey, "PATH"}] = {type, stored.toStdString()};

  std::string keyVal = "before";
  const bool read = GetKeyValue(registry, kHKeyLocalMachine, kToolKey, "PATH", keyVal);

  QTEST(read, "read");
  QTEST(QByteArray::fromStdString(keyVal), "keyVal");
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

  const QByteArray folder = "C:\\Shared";
  const QString tool = "C:\\Shared\\MSINFO32.EXE";
  QTest::newRow("first, started without a file test")
      << QByteArray("C:\\x.exe") << folder << false << false << "C:\\x.exe";
  QTest::newRow("first fails to start")
      << QByteArray("C:\\x.exe") << folder << true << true << QString();
  QTest::newRow("second, tool present") << QByteArray() << folder << true << false << tool;
  QTest::newRow("second, tool absent") << QByteArray() << folder << false << false << QString();
  QTest::newRow("empty first, so second") << QByteArray("") << folder << true << false << tool;
  QTest::newRow("empty first with its 0 byte, so second")
      << QByteArray("\0", 1) << folder << true << false << tool;
  QTest::newRow("neither") << QByteArray() << QByteArray() << true << false << QString();
}

void SysInfoTest::StartSysInfoTriesBothLookups() {
  QFETCH(QByteArray, first);
  QFETCH(QByteArray, second);
  QFETCH(bool, toolExists);
  QFETCH(bool, shellFails);
  QFETCH(QString, started);
  FakeSysInfo system;
  if (!first.isNull()) system.values[{kToolKey, "PATH"}] = {kRegSz, first.toStdString()};
  if (!second.isNull()) system.values[{kLocationKey, "MSINFO"}] = {kRegSz, second.toStdString()};
  if (toolExists) system.files.insert("C:\\Shared\\MSINFO32.EXE");
  system.shellFails = shellFails;

  StartSysInfo(system);

  const bool starts = !started.isEmpty();
  QCOMPARE(system.started,
           starts ? std::vector{started.toStdString()} : std::vector<std::string>{});
  QCOMPARE(system.messages.size(), starts ? 0u : 1u);
  if (!starts) QCOMPARE(system.messages[0], std::string(kSysInfoUnavailable));
}

}  // namespace sorvanto

QTEST_GUILESS_MAIN(sorvanto::SysInfoTest)
#include "sys_info_test.moc"
