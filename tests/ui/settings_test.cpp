// What the program keeps between runs: the settings' defaults and round trips, the instance
// slots, and the window placement.
#include <QFile>
#include <QLockFile>
#include <QMainWindow>
#include <QProcess>
#include <QtTest>

#include "ui/app_settings.h"
#include "ui/instance_slots.h"
#include "ui/support/ui_fixture.h"
#include "ui/window_placement.h"

using namespace toq;
using ui::StoredPlacement;

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void defaultsWhenNothingIsStored() {
    testing::UiSandbox box;
    ui::AppSettings s(box.settingsFile());
    QCOMPARE(s.playerFile(), QString());
    QCOMPARE(s.tableFile(), QString());
    QCOMPARE(s.allowSixPieceHandicaps(0), 0);
    QCOMPARE(s.play2(0), 0);
    QCOMPARE(s.viewList(), 0);
    QCOMPARE(s.viewDecideSides(), 1);
    QCOMPARE(s.viewDeriveHandicaps(), 0);
    QCOMPARE(s.listFont({}), ui::ListFont{});
    QCOMPARE(s.placement().rect, QString());
    QCOMPARE(s.placement().icon, 0);
    QCOMPARE(s.placement().max, 0);
    QVERIFY(s.recentFiles().isEmpty());
  }

  void valuesReadBackInTheirSections() {
    testing::UiSandbox box;
    {
      ui::AppSettings s(box.settingsFile());
      s.setPlayerFile(QStringLiteral("/大会 2026/names.ply"));
      s.setTableFile(QStringLiteral("/大会 2026/names.tai"));
      s.setAllowSixPieceHandicaps(1);
      s.setPlay2(1);
      s.setView(1, 0, 1);
      s.setListFont({QStringLiteral("IPAGothic"), -16, 700, 1});
      s.setPlacement({QStringLiteral("-1920 0010 -0100 0600"), 0, 1});
      s.sync();
    }
    QSettings raw(box.settingsFile(), QSettings::IniFormat);
    QCOMPARE(raw.value("TOQ/taisen_file_name").toString(), QStringLiteral("/大会 2026/names.tai"));
    QCOMPARE(raw.value("TOQ/Rokumaioti").toInt(), 1);
    QCOMPARE(raw.value("Option/play2").toInt(), 1);
    QCOMPARE(raw.value("View/Sengo").toInt(), 0);
    QCOMPARE(raw.value("Font/list_font_point").toInt(), -16);
    QCOMPARE(raw.value("Window size/max").toInt(), 1);

    ui::AppSettings s(box.settingsFile());
    QCOMPARE(s.playerFile(), QStringLiteral("/大会 2026/names.ply"));
    QCOMPARE(s.viewList(), 1);
    QCOMPARE(s.viewDeriveHandicaps(), 1);
    QCOMPARE(s.listFont({}), (ui::ListFont{QStringLiteral("IPAGothic"), -16, 700, 1}));
    QCOMPARE(s.placement().rect, QStringLiteral("-1920 0010 -0100 0600"));
  }

  void anEmptyFontFaceReadsNoOtherFontValue() {
    testing::UiSandbox box;
    QSettings raw(box.settingsFile(), QSettings::IniFormat);
    raw.setValue("Font/list_font_point", -30);
    raw.sync();
    ui::AppSettings s(box.settingsFile());
    const ui::ListFont held{QString(), 0, 400, 0};
    QCOMPARE(s.listFont(held), held);
  }

  void recentFilesKeepFourNewestFirst() {
    QStringList files;
    for (const char* f : {"a.tai", "b.tai", "c.ply", "d.tai", "e.tai", "b.tai"})
      files = ui::withRecentFile(files, QString::fromUtf8(f));
    QCOMPARE(files, (QStringList{"b.tai", "e.tai", "d.tai", "c.ply"}));
    testing::UiSandbox box;
    ui::AppSettings s(box.settingsFile());
    s.setRecentFiles(files);
    QCOMPARE(s.recentFiles(), files);
    s.setRecentFiles({"x.tai"});
    QCOMPARE(s.recentFiles(), QStringList{"x.tai"});
  }

  void instanceSlotsCountRunningCopies() {
    testing::UiSandbox box;
    std::vector<std::unique_ptr<ui::InstanceSlots>> copies;
    for (int i = 1; i <= ui::kInstanceSlots; ++i) {
      copies.push_back(std::make_unique<ui::InstanceSlots>(box.instanceFolder()));
      QCOMPARE(copies.back()->take(), i);
      QCOMPARE(ui::InstanceSlots::secondCopy(i), i != 1);
    }
    // The 33rd copy gets no slot, is warned and runs on.
    ui::InstanceSlots extra(box.instanceFolder());
    QCOMPARE(extra.take(), 0);
    QVERIFY(ui::InstanceSlots::secondCopy(0));
    // A copy that ends frees its slot for the next one.
    copies[1].reset();
    ui::InstanceSlots next(box.instanceFolder());
    QCOMPARE(next.take(), 2);
  }

  void aLockLeftByACrashedCopyDoesNotCount() {
    testing::UiSandbox box;
    ui::InstanceSlots probe(box.instanceFolder());
    QVERIFY(QDir().mkpath(box.instanceFolder()));
    QString content;
    {
      QLockFile lock(probe.slotFile(1));
      QVERIFY(lock.tryLock(0));
      QFile f(probe.slotFile(1));
      QVERIFY(f.open(QIODevice::ReadOnly));
      content = QString::fromUtf8(f.readAll());
      lock.unlock();
    }
    // The same lock file, but written by a process that no longer exists.
    QProcess gone;
    gone.start(QStringLiteral("true"));
    QVERIFY(gone.waitForFinished());
    const qint64 deadPid = gone.processId() > 0 ? gone.processId() : 999999;
    QStringList lines = content.split('\n');
    lines[0] = QString::number(deadPid);
    QFile f(probe.slotFile(1));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(lines.join('\n').toUtf8());
    f.close();
    ui::InstanceSlots copy(box.instanceFolder());
    QCOMPARE(copy.take(), 1);
  }

  void rectanglesAreWrittenWithTheirSignAndReadBackAsWritten() {
    QCOMPARE(ui::formatRect(QRect(QPoint(-8, -8), QPoint(689, 589))),
             QStringLiteral("-008 -008 0690 0590"));
    QCOMPARE(ui::formatRect(ui::kDefaultRect), QStringLiteral("0010 0010 0700 0600"));
    const QRect cases[] = {QRect(-8, -8, 698, 598), QRect(-1920, 0, 1280, 1000),
                           QRect(12000, 25, 800, 600), QRect(2560, -1440, 100, 100)};
    for (const QRect& r : cases) QCOMPARE(ui::parseRect(ui::formatRect(r)), std::optional(r));
    QCOMPARE(ui::parseRect(QStringLiteral("-1920 0000 -0640 1000")),
             std::optional(QRect(-1920, 0, 1280, 1000)));
    for (const char* bad : {"", "10 10 700", "a b c d", "10 10 5 5", "1 2 3 4 5"})
      QCOMPARE(ui::parseRect(QString::fromUtf8(bad)), std::nullopt);
  }

  void restoreChecksTheScreensThatExistNow() {
    const QList<QRect> one = {QRect(0, 0, 1920, 1080)};
    // First start: the default rectangle, cut to a small desktop.
    QCOMPARE(ui::restorePlacement({}, one).normal, QRect(10, 10, 690, 590));
    QCOMPARE(ui::restorePlacement({}, {QRect(0, 0, 640, 480)}).normal, QRect(10, 10, 630, 470));
    // A left edge beyond a now smaller desktop: left 10, same width.
    auto p = ui::restorePlacement({QStringLiteral("2000 0100 2800 0700"), 0, 0}, one);
    QCOMPARE(p.normal, QRect(10, 100, 800, 600));
    // A monitor left of the main one, still there: kept.
    const QList<QRect> two = {QRect(-1920, 0, 1920, 1080), QRect(0, 0, 1920, 1080)};
    p = ui::restorePlacement({QStringLiteral("-1900 0050 -1100 0650"), 0, 0}, two);
    QCOMPARE(p.normal, QRect(-1900, 50, 800, 600));
    // That monitor since unplugged: the window opens at (10, 10) with its size.
    p = ui::restorePlacement({QStringLiteral("-1900 0050 -1100 0650"), 0, 0}, one);
    QCOMPARE(p.normal, QRect(10, 10, 800, 600));
    // Maximised and minimised states.
    p = ui::restorePlacement({QStringLiteral("0100 0100 0900 0700"), 0, 1}, one);
    QVERIFY(p.maximised);
    QVERIFY(!p.minimised);
    QCOMPARE(p.normal, QRect(100, 100, 800, 600));
    p = ui::restorePlacement({QStringLiteral("0100 0100 0900 0700"), 1, 1}, one);
    QVERIFY(p.minimised && p.maximised);
    const StoredPlacement saved = ui::savePlacement(p);
    QCOMPARE(saved.rect, QStringLiteral("0100 0100 0900 0700"));
    QCOMPARE(saved.icon, 1);
    QCOMPARE(saved.max, 1);
  }

  // The title bar of a first start is on the screen: the frame, not the inside, is at (10, 10).
  void aFirstStartPlacesTheFrameAtTheCorner() {
    QMainWindow window;
    ui::applyPlacement(window, ui::restorePlacement({}, {QRect(0, 0, 1280, 1024)}));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.frameGeometry().topLeft(), ui::kDefaultRect.topLeft());
  }

  void aWindowClosedMaximisedReopensMaximisedWithItsNormalRectangle() {
    testing::UiSandbox box;
    ui::AppSettings settings(box.settingsFile());
    QMainWindow window;
    window.setGeometry(QRect(50, 60, 640, 480));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect normal = window.geometry();
    const QPoint frameCorner = window.pos();
    window.showMaximized();
    QTRY_VERIFY(window.windowState().testFlag(Qt::WindowMaximized));
    settings.setPlacement(ui::savePlacement(ui::placementOf(window)));
    QCOMPARE(settings.placement().max, 1);
    // The frame's corner and the inside's size.
    QCOMPARE(ui::parseRect(settings.placement().rect),
             std::optional(QRect(frameCorner, normal.size())));

    QMainWindow again;
    ui::applyPlacement(again,
                       ui::restorePlacement(settings.placement(), {QRect(0, 0, 4000, 3000)}));
    QVERIFY(again.windowState().testFlag(Qt::WindowMaximized));
    again.showNormal();
    QCOMPARE(again.geometry(), normal);
  }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
