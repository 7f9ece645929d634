// The POSIX system information store and launcher, with PATH set to a folder of ours.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "run_error.h"
#include "sys_info.h"
#include "system_sys_info.h"

namespace sorvanto {

class SysInfoPosixTest : public QObject {
  Q_OBJECT

 private slots:
  void FindsAndStartsTheFirstToolOnPath();
  void ShellRefusesWhatCannotStart();
};

void SysInfoPosixTest::FindsAndStartsTheFirstToolOnPath() {
  QTemporaryDir bin;
  const QByteArray savedPath = qgetenv("PATH");
  qputenv("PATH", bin.path().toLocal8Bit());
  const auto system = CreateSystemSysInfo("Sorvanto");
  const std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  std::string path;
  QVERIFY(!GetKeyValue(*system, kHKeyLocalMachine, key, "PATH", path));

  QFile tool(bin.filePath("hardinfo"));
  QVERIFY(tool.open(QIODevice::WriteOnly));
  tool.write("#!/bin/sh\n: > \"$0.ran\"\n");
  tool.close();
  tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
  QVERIFY(GetKeyValue(*system, kHKeyLocalMachine, key, "PATH", path));
  QCOMPARE(QString::fromStdString(path), tool.fileName());
  QVERIFY(!GetKeyValue(*system, kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location",
                       "MSINFO", path));

  StartSysInfo(*system);
  qputenv("PATH", savedPath);
  QTRY_VERIFY(QFile::exists(tool.fileName() + ".ran"));
}

void SysInfoPosixTest::ShellRefusesWhatCannotStart() {
  const auto system = CreateSystemSysInfo("Sorvanto");
  QVERIFY_THROWS_EXCEPTION(RunError, system->Shell(""));
  QVERIFY_THROWS_EXCEPTION(RunError, system->Shell("/nonexistent/tool --flag"));
}

}  // namespace sorvanto

QTEST_GUILESS_MAIN(sorvanto::SysInfoPosixTest)
#include "sys_info_posix_test.moc"
