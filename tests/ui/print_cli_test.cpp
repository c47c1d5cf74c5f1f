// `toq-cli print` run as a program without a display: each layout becomes a PDF beside the
// table or where it is told, nothing but the path is printed, and wrong layouts, missing
// tables and unwritable files are refused with a message.
#include <QProcess>
#include <QtTest>

#include "ui/qt_text.h"
#include "ui/support/ui_fixture.h"

using namespace toq;

namespace {

struct Result {
  int exitCode = -1;
  QString out;
  QString err;
};

/// Runs toq-cli with no display and no Qt platform named.
Result toqCli(const QStringList& args) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(TOQ_CLI_PATH), args);
  Result r;
  if (!process.waitForFinished(120000)) return r;
  r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  r.out = QString::fromUtf8(process.readAllStandardOutput());
  r.err = QString::fromUtf8(process.readAllStandardError());
  return r;
}

bool isPdf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-" && file.size() > 1000;
}

}  // namespace

class PrintCliTest : public QObject {
  Q_OBJECT

 private slots:
  void eachLayoutBecomesAPdfWithoutADisplay() {
    testing::UiSandbox box;
    const QString tai = ui::fromPath(box.importSample());
    struct Case {
      const char* layout;
      const char* file;
    };
    for (Case c : {Case{"players", "event-players.pdf"}, Case{"grid", "event-grid.pdf"},
                   Case{"chart", "event-chart.pdf"}}) {
      const Result r = toqCli({"print", tai, c.layout});
      QCOMPARE(r.exitCode, 0);
      const QString expected = box.dir.filePath(c.file);
      QCOMPARE(r.out, expected + "\n");
      QCOMPARE(r.err, QString());  // Qt's own notes stay off the error stream
      QVERIFY2(isPdf(expected), c.file);
    }
    const QString named = box.dir.filePath("壁貼り.pdf");
    const Result r = toqCli({"print", tai, "grid", named});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(isPdf(named));
  }

  void refusalsSayWhy() {
    testing::UiSandbox box;
    const QString tai = ui::fromPath(box.importSample());

    Result r = toqCli({"print", tai, "list"});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains(QStringLiteral("印刷形式 list はありません")));
    QVERIFY(r.err.contains(QStringLiteral("toq-cli print TABLE.tai players|grid|chart")));

    r = toqCli({"print", box.dir.filePath("none.tai"), "grid"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(!r.err.isEmpty());

    const QString nowhere = box.dir.filePath("no-such-folder/out.pdf");
    r = toqCli({"print", tai, "chart", nowhere});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains(QStringLiteral("PDFファイル(%1)を保存できませんでした。").arg(nowhere)));
    QVERIFY(!QFile::exists(nowhere));

    r = toqCli({"--help"});
    QVERIFY(
        r.out.contains(QStringLiteral("toq-cli print TABLE.tai "
                                      "players|grid|chart|reception|slips|standings [OUT.pdf]")));
  }
};

QTEST_MAIN(PrintCliTest)
#include "print_cli_test.moc"
