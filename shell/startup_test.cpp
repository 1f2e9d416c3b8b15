// Starts the real program in a program directory whose database cannot be opened.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "database.h"
#include "database_file.h"

namespace qinghe {
namespace {

// A database file of the program, protected by `password`, with no word pairs.
void WriteDatabase(const QString& path, const std::string& password) {
  std::string error;
  const std::optional<ByteSeq> image = BuildDatabaseImage({}, password, "", error);
  QVERIFY2(image.has_value(), error.c_str());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(image->data(), static_cast<qint64>(image->size()));
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private:
  // Copies the program into `program_dir` and starts it there on the offscreen platform,
  // with message boxes that close themselves and report their texts on standard error.
  void Start(QProcess& process, const QTemporaryDir& program_dir) {
    const QString program = program_dir.filePath(QStringLiteral("qinghe"));
    QVERIFY(QFile::copy(bin_dir_ + QStringLiteral("/qinghe"), program));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QINGHE_TEST_CLOSE_MESSAGES"), QStringLiteral("1"));
    // As root the program has to switch the browser sandbox off by itself.
    if (geteuid() == 0) environment.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(program_dir.path());
    process.start(program, {});
    QVERIFY(process.waitForStarted());
  }

  const QString bin_dir_ = qEnvironmentVariable("QINGHE_BIN_DIR");

 private slots:
  void failsWithoutReadableDatabase_data() {
    QTest::addColumn<QString>("database_password");  // empty: no database file
    QTest::newRow("no database file") << QString();
    QTest::newRow("wrong password") << QStringLiteral("123456789");
  }

  void failsWithoutReadableDatabase() {
    QFETCH(QString, database_password);
    QTemporaryDir program_dir;
    QVERIFY(program_dir.isValid());
    if (!database_password.isEmpty()) {
      WriteDatabase(program_dir.filePath(QString::fromLatin1(kDatabaseFileName)),
                    database_password.toStdString());
    }
    QProcess process;
    Start(process, program_dir);
    if (QTest::currentTestFailed()) return;
    QVERIFY(process.waitForFinished(60000));

    const QString messages = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(messages.contains(QStringLiteral("出错了\t读取数据库文件出错，程序无法正常启动。\n")),
             qPrintable(messages));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
  }

  // With its database and editor page the program opens its window and keeps running
  // (the browser engine would end it at once if its sandbox were still on under root).
  void runsWithItsDatabase() {
    QTemporaryDir program_dir;
    QVERIFY(program_dir.isValid());
    WriteDatabase(program_dir.filePath(QString::fromLatin1(kDatabaseFileName)), kDatabasePassword);
    QVERIFY(QDir(program_dir.path()).mkdir(QStringLiteral("HTMLedit")));
    QVERIFY(QFile::copy(bin_dir_ + QStringLiteral("/HTMLedit/HtmlEdit.htm"),
                        program_dir.filePath(QStringLiteral("HTMLedit/HtmlEdit.htm"))));
    QProcess process;
    Start(process, program_dir);
    if (QTest::currentTestFailed()) return;
    QVERIFY2(!process.waitForFinished(5000), process.readAllStandardError().constData());
    process.kill();
    QVERIFY(process.waitForFinished());
    QVERIFY(!process.readAllStandardError().contains("\t"));
  }
};

}  // namespace qinghe

QTEST_GUILESS_MAIN(qinghe::StartupTest)
#include "startup_test.moc"
