// What the program asks of the operating system: when a slot's lock is stale, the slots in a
// folder with a Japanese name, the font names the printed pages ask for, and (on Windows) the
// settings in the registry.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QtTest>
#include <boost/asio.hpp>
#include <chrono>
#include <functional>
#include <future>

#include "edit/pair_command.h"
#include "edit/pairing_edits.h"
#include "edit/results.h"
#include "print_qt/font_substitutes.h"
#include "ui/actions.h"
#include "ui/app_settings.h"
#include "ui/dialogs/venue_dialog.h"
#include "ui/instance_slots.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/qr_image.h"
#include "ui/qt_text.h"
#include "ui/support/running_app.h"
#include "ui/support/ui_fixture.h"
#include "ui/table_model.h"

using namespace toq;

namespace {

// Writes a slot's lock file as another copy would have left it.
// A lock of this process as Qt itself writes it, one line each: the process, the program, the
// machine, the machine's and the boot's ids (Windows names the program without ".exe" and the
// machine by its NetBIOS name).
QList<QByteArray> ownLockLines(const QString& folder) {
  const QString file = QDir(folder).filePath(QStringLiteral("own.lock"));
  QLockFile own(file);
  if (!own.tryLock(0)) return {};
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().split('\n');
}

// A program's name as Qt's lock files give it: Windows leaves out ".exe".
QString lockedName(QString program) {
#ifdef Q_OS_WIN
  if (program.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) program.chop(4);
#endif
  return program;
}

// `own` with another process and program: a lock as a copy that crashed leaves it.
void writeLock(const QString& file, QList<QByteArray> own, qint64 pid, const QString& program) {
  QVERIFY(own.size() > 2);
  own[0] = QByteArray::number(pid);
  own[1] = program.toUtf8();
  QFile f(file);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(own.join('\n'));
}

// GET `target` from 127.0.0.1:port on a thread of its own while the GUI thread's event loop
// runs the server's jobs: the raw answer, empty when none came within five seconds.
std::string getFromLoopback(unsigned short port, const std::string& target) {
  auto answer = std::async(std::launch::async, [port, target] {
    namespace net = boost::asio;
    net::io_context ioc;
    net::ip::tcp::socket socket(ioc);
    const std::string request =
        "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    std::string out;
    char chunk[4096];
    std::function<void(boost::system::error_code, std::size_t)> read =
        [&](boost::system::error_code ec, std::size_t n) {
          out.append(chunk, n);
          if (!ec) socket.async_read_some(net::buffer(chunk), read);
        };
    socket.async_connect({net::ip::make_address_v4("127.0.0.1"), port},
                         [&](boost::system::error_code ec) {
                           if (ec) return;
                           net::async_write(socket, net::buffer(request),
                                            [&](boost::system::error_code e, std::size_t) {
                                              if (!e)
                                                socket.async_read_some(net::buffer(chunk), read);
                                            });
                         });
    ioc.run_for(std::chrono::seconds(5));
    return out;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
  while (answer.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready &&
         std::chrono::steady_clock::now() < deadline)
    QTest::qWait(5);
  return answer.get();
}

}  // namespace

class PlatformTest : public QObject {
  Q_OBJECT

 private slots:
  // The window's font draws a line edit's Latin letters and digits (a Wine prefix's system
  // font once resolved to a face that left them blank while Japanese showed).
  void aLineEditDrawsLatinTextInTheWindowFont() {
    QApplication::setFont(ui::platform::windowFont(QApplication::font()));
    const auto inked = [](const QString& text) {
      QLineEdit edit(text);
      edit.resize(240, edit.sizeHint().height());
      edit.show();
      if (!QTest::qWaitForWindowExposed(&edit)) return -1;
      const QImage image = edit.grab().toImage();
      int dark = 0;
      for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x) dark += qGray(image.pixel(x, y)) < 128;
      return dark;
    };
    const int empty = inked(QString());
    const int drawn = inked(QStringLiteral("1600 ABC"));
    QVERIFY2(empty >= 0 && drawn > empty + 40,
             qPrintable(QStringLiteral("%1 dark pixels (empty %2) in %3")
                            .arg(drawn)
                            .arg(empty)
                            .arg(QFontInfo(QApplication::font()).family())));
  }

  void whenALockIsStale() {
    const QDateTime boot = QDateTime::currentDateTimeUtc().addSecs(-3600);
    const auto running = [](qint64 pid) -> std::optional<QString> {
      if (pid == 100) return QStringLiteral("toq.exe");
      if (pid == 200) return QStringLiteral("notepad.exe");
      if (pid == 300) return QString();  // another user's: cannot be told
      return std::nullopt;
    };
    ui::SlotJudge judge{32, false, QStringLiteral("here"), boot, running};
    const QDateTime now = QDateTime::currentDateTimeUtc();
    struct Case {
      const char* what;
      ui::SlotLock lock;
      bool heldHere;
      bool stale;
    };
    const Case cases[] = {
        {"a running copy", {100, "here", "toq.exe", now}, false, false},
        {"the program's name in another case",
         {100, "here", "TOQ.EXE", now},
         false,
#ifdef Q_OS_WIN
         false
#else
         true
#endif
        },
        {"a crashed copy whose number this process got", {32, "here", "toq.exe", now}, false, true},
        {"this process's own slot", {32, "here", "toq.exe", now}, true, false},
        {"a process that is gone", {400, "here", "toq.exe", now}, false, true},
        {"the number now runs another program", {200, "here", "toq.exe", now}, false, true},
        {"a program that cannot be told", {300, "here", "toq.exe", now}, false, false},
        {"written before the machine started",
         {100, "here", "toq.exe", boot.addSecs(-5)},
         false,
         true},
        {"written on another machine", {400, "there", "toq.exe", boot.addSecs(-5)}, false, false},
        {"no machine named", {400, "", "toq.exe", now}, false, true},
#ifdef Q_OS_WIN
        // Windows' own lock files: the program without ".exe", the machine in capitals.
        {"a running copy as Windows names it", {100, "here", "toq", now}, false, false},
        {"a gone copy on this machine in capitals", {400, "HERE", "toq", now}, false, true},
        {"the number now runs another program, named the Windows way",
         {200, "here", "toq", now},
         false,
         true},
#endif
    };
    for (const Case& c : cases) {
      judge.heldHere = c.heldHere;
      QVERIFY2(ui::isStale(c.lock, judge) == c.stale, c.what);
    }
    QVERIFY(!ui::isStale({100, "here", "toq.exe", now}, {32, false, "here", {}, running}));
  }

  void thePlatformTellsProcessesAndTheBoot() {
    const QDateTime boot = ui::platform::bootTime();
    QVERIFY(boot.isValid());
    QVERIFY(boot < QDateTime::currentDateTimeUtc());
    const auto self = ui::platform::processName(QCoreApplication::applicationPid());
    QVERIFY(self.has_value());
    QCOMPARE(*self, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    QVERIFY(!ui::platform::processName(0x7ffffff0).has_value());
  }

  // A crashed copy's locks in a folder with a Japanese name: one naming this process (as Wine
  // numbers a restarted program alike), one written before the machine started, one of a
  // process of another program. Each slot is free again; a slot held here still counts.
  void staleLocksInAJapaneseFolderFreeTheirSlots() {
    testing::UiSandbox box;
    const QString folder = box.dir.filePath(QStringLiteral("大会 2026/スロット"));
    QVERIFY(QDir().mkpath(folder));
    ui::InstanceSlots probe(folder);
    const QList<QByteArray> own = ownLockLines(folder);
    QVERIFY(own.size() > 2);
    const QString self = QString::fromUtf8(own[1]);
    const qint64 pid = QCoreApplication::applicationPid();
    QCOMPARE(own[0].toLongLong(), pid);
    // Exactly the lock this process would leave when it crashed.
    QFile crashed(probe.slotFile(1));
    QVERIFY(crashed.open(QIODevice::WriteOnly));
    crashed.write(own.join('\n'));
    crashed.close();
    {
      ui::InstanceSlots restarted(folder);
      QCOMPARE(restarted.take(), 1);
      ui::InstanceSlots second(folder);
      QCOMPARE(second.take(), 2);
    }
    writeLock(probe.slotFile(1), own, pid, self);
    QFile old(probe.slotFile(1));
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(
        old.setFileTime(ui::platform::bootTime().addSecs(-60), QFileDevice::FileModificationTime));
    old.close();
    {
      ui::InstanceSlots afterReboot(folder);
      QCOMPARE(afterReboot.take(), 1);
    }
    // A process that runs another program has the number now; one that runs the program the
    // lock names holds its slot.
    QProcess other;
#ifdef Q_OS_WIN
    other.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QStringLiteral("pause")});
#else
    other.start(QStringLiteral("sleep"), {QStringLiteral("60")});
#endif
    QVERIFY(other.waitForStarted());
    const auto otherName = ui::platform::processName(other.processId());
    QVERIFY(otherName.has_value() && !otherName->isEmpty());
    writeLock(probe.slotFile(1), own, other.processId(), self);
    writeLock(probe.slotFile(2), own, other.processId(), lockedName(*otherName));
    ui::InstanceSlots next(folder);
    QCOMPARE(next.take(), 1);
    ui::InstanceSlots another(folder);
    QCOMPARE(another.take(), 3);
    other.kill();
    other.waitForFinished();
  }

  // A table in a folder with a Japanese name, two rounds paired with results: every cell of the
  // list, its text and colours. With TOQ_CELL_DUMP set they are written there, so that a run on
  // Windows can be compared with one on Linux.
  void aTableInAJapaneseFolderShowsEveryCell() {
    testing::UiSandbox box;
    QVERIFY(QDir().mkpath(box.dir.filePath(QStringLiteral("大会 2026"))));
    const auto tai = box.importSample(QStringLiteral("大会 2026/名簿 一覧"));
    auto app = box.makeApp();
    app->start(ui::fromPath(tai), false);
    QCOMPARE(app->window()->windowTitle(), QStringLiteral("名簿 一覧.tai - TOQ"));
    edit::Workspace& ws = app->workspace();
    for (int round = 0; round < 2; ++round) {
      QVERIFY(edit::setBye(ws, box.ui, ws.table.rows() - 1 - round).done());
      QCOMPARE(edit::pairNextRound(ws, box.ui, [] {}), 0);
      QVERIFY(edit::randomResults(ws, box.ui).done());
    }
    app->window()->view()->fill();
    const QAbstractItemModel* model = app->window()->view()->model();
    QCOMPARE(model->rowCount(), 2 * ws.table.rows());
    QStringList cells;
    for (int row = 0; row < model->rowCount(); ++row)
      for (int column = 0; column < model->columnCount(); ++column) {
        const QModelIndex at = model->index(row, column);
        cells << QStringLiteral("%1,%2 %3 %4 %5")
                     .arg(row)
                     .arg(column)
                     .arg(at.data(Qt::DisplayRole).toString(),
                          at.data(Qt::BackgroundRole).value<QBrush>().color().name(),
                          at.data(Qt::ForegroundRole).value<QBrush>().color().name());
      }
    QVERIFY(cells.join('\n').contains(QStringLiteral("北村")));
    if (const QString dump = qEnvironmentVariable("TOQ_CELL_DUMP"); !dump.isEmpty()) {
      QFile out(dump);
      QVERIFY(out.open(QIODevice::WriteOnly));
      out.write(cells.join('\n').toUtf8() + '\n');
    }
    app->exit();
  }

  // The venue dialog serves the event on loopback (Windows sockets under Wine, too), and the
  // organiser's address comes with its QR code.
  void theVenueDialogServesTheEventOnLoopback() {
    testing::RunningApp run;
    run.action(view::Command::Venue)->trigger();
    auto* dialog = run.window()->findChild<ui::VenueDialog*>();
    QVERIFY(dialog);
    dialog->portBox()->setValue(0);
    dialog->startButton()->click();
    QVERIFY(dialog->serving());
    const unsigned short port = dialog->server().port();
    QVERIFY(port != 0);
    const std::string answer = getFromLoopback(port, "/api/event");
    QVERIFY2(answer.starts_with("HTTP/1.1 200"), answer.c_str());
    QVERIFY(answer.find("\"participants\"") != std::string::npos);
    QVERIFY(!ui::qrImage(dialog->organiserUrlLabel()->text(), 4).isNull());
  }

  void printedFacesAreAskedForByThePlatformsNames() {
    print_qt::installFontSubstitutes();
    struct Case {
      const char* face;
      const char* windows;
    };
    for (const Case& c : {Case{"ＭＳ 明朝", "MS Mincho"}, Case{"ＭＳ ゴシック", "MS Gothic"},
                          Case{"ＭＳ Ｐゴシック", "MS PGothic"}, Case{"Arial", "Arial"}}) {
      const QString face = QString::fromUtf8(c.face);
#ifdef Q_OS_WIN
      QCOMPARE(print_qt::platformFace(face), QString::fromUtf8(c.windows));
#else
      QCOMPARE(print_qt::platformFace(face), face);
#endif
    }
    // Whatever the machine has, the printed faces find a font with Japanese in it.
    for (const char* face : {"ＭＳ 明朝", "ＭＳ ゴシック"}) {
      const QFont font(print_qt::platformFace(QString::fromUtf8(face)));
      const QString family = QFontInfo(font).family();
      QVERIFY2(family.contains("IPA") || family.contains("MS") || family.contains("Yu") ||
                   family.contains("Noto"),
               qPrintable(family));
      QVERIFY(QFontMetrics(font).inFont(QChar(0x5c06)));  // 将
    }
  }

  // The user's own settings: on Windows in HKEY_CURRENT_USER\Software\Tamsorel\TOQ.
  void settingsGoToTheRegistryAndBack() {
#ifndef Q_OS_WIN
    QSKIP("the registry is Windows' own");
#else
    QCoreApplication::setOrganizationName(QStringLiteral("Tamsorel"));
    QCoreApplication::setApplicationName(QStringLiteral("TOQ"));
    QSettings registry(QStringLiteral("HKEY_CURRENT_USER\\Software\\Tamsorel\\TOQ"),
                       QSettings::NativeFormat);
    // The user's own values come back afterwards: the next start must not open this test's.
    QMap<QString, QVariant> own;
    for (const QString& key : registry.allKeys()) own.insert(key, registry.value(key));
    const QString table = QStringLiteral("C:/大会 2026/名簿 一覧.tai");
    {
      ui::AppSettings settings;
      QCOMPARE(settings.raw().format(), QSettings::NativeFormat);
      settings.setTableFile(table);
      settings.setRecentFiles({table, QStringLiteral("C:/b.ply")});
      settings.sync();
    }
    registry.sync();
    const bool written = !registry.allKeys().isEmpty();
    ui::AppSettings again;
    const QString readTable = again.tableFile();
    const QStringList readRecent = again.recentFiles();
    registry.clear();
    for (auto it = own.cbegin(); it != own.cend(); ++it) registry.setValue(it.key(), it.value());
    registry.sync();
    QVERIFY(written);
    QCOMPARE(readTable, table);
    QCOMPARE(readRecent, (QStringList{table, QStringLiteral("C:/b.ply")}));
#endif
  }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
