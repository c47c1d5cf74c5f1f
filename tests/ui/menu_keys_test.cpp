// Every entry of every menu answers its access key: with the menu open, the underlined letter
// chooses the entry (no two entries of a menu share one, or the key would only move between
// them). Table-driven over the menus the window builds from the command table.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QtTest>

#include "edit/workspace.h"
#include "support/recording_services.h"
#include "ui/app_settings.h"
#include "ui/main_window.h"
#include "ui/support/ui_fixture.h"

using namespace toq;

namespace {

// The key after '&', upper-cased; 0 without one.
QChar accessKey(const QString& text) {
  const int at = text.indexOf(QLatin1Char('&'));
  return at < 0 || at + 1 >= text.size() ? QChar() : text.at(at + 1).toUpper();
}

}  // namespace

class MenuKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void everyEntryAnswersItsAccessKey() {
    testing::UiSandbox box;
    ui::AppSettings settings(box.settingsFile());
    edit::Workspace ws;
    // No commands are connected: a chosen entry only says that it was chosen.
    ui::MainWindow window(ws, box.ui, settings);
    window.show();
    int checked = 0;
    for (QAction* title : window.menuBar()->actions()) {
      QMenu* menu = title->menu();
      QVERIFY(menu);
      QMap<QChar, QString> keys;
      for (QAction* entry : menu->actions()) {
        const QChar key = accessKey(entry->text());
        if (entry->isSeparator() || key.isNull()) continue;
        QVERIFY2(!keys.contains(key), qPrintable(menu->title() + ": " + entry->text() + " and " +
                                                 keys.value(key) + " share " + key));
        keys.insert(key, entry->text());
        QSignalSpy chosen(entry, &QAction::triggered);
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        // Greyed entries are enabled here (after the menu's own greying on opening): the key
        // itself is what is checked.
        entry->setEnabled(true);
        QTest::keyClick(menu, key.toLatin1());
        QVERIFY2(chosen.count() == 1, qPrintable(menu->title() + ": " + entry->text()));
        if (menu->isVisible()) menu->close();
        ++checked;
      }
    }
    QVERIFY(checked > 30);
  }
};

QTEST_MAIN(MenuKeysTest)
#include "menu_keys_test.moc"
