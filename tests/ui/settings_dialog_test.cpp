// The settings sheet: three check boxes preset from the options, OK and キャンセル only; OK
// sets the options and stores "play2", キャンセル changes nothing.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include "ui/actions.h"
#include "ui/application.h"
#include "ui/commands.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/main_window.h"
#include "ui/support/ui_fixture.h"

using namespace toq;

namespace {

// Acts on the settings sheet once it is open.
void onSheet(const std::function<void(ui::SettingsDialog&)>& act) {
  QTimer::singleShot(0, [act] {
    auto* sheet = qobject_cast<ui::SettingsDialog*>(QApplication::activeModalWidget());
    if (!sheet) return onSheet(act);
    act(*sheet);
  });
}

}  // namespace

class SettingsSheetTest : public QObject {
  Q_OBJECT

 private slots:
  void theSheetShowsTheOptionsAndOnlyOkAndCancel() {
    pairing::PairingOptions options;
    options.play2 = true;
    ui::SettingsDialog sheet(options);
    QCOMPARE(sheet.windowTitle(), QStringLiteral("設定"));
    QCOMPARE(sheet.tabs()->count(), 1);
    QVERIFY(!sheet.page()->allowSixPieceHandicaps->isChecked());
    QVERIFY(sheet.page()->play2->isChecked());
    QVERIFY(!sheet.page()->womanTwice->isChecked());
    QCOMPARE(sheet.page()->allowSixPieceHandicaps->text(),
             QStringLiteral("手合割を六枚落ちまでとする(&6)"));
    QCOMPARE(sheet.page()->play2->text(), QStringLiteral("棋士と２度対局可能とする(&2)"));
    QCOMPARE(sheet.page()->womanTwice->text(), QStringLiteral("女流棋士と２度対局可能とする(&J)"));
    const auto buttons = sheet.findChild<QDialogButtonBox*>()->buttons();
    QCOMPARE(buttons.size(), 2);
    QStringList texts;
    for (auto* b : buttons) texts << b->text().remove('&');
    QVERIFY(texts.contains("OK"));
    QVERIFY(texts.contains(QStringLiteral("キャンセル")));
  }

  void okStoresPlay2AndCancelChangesNothing() {
    testing::UiSandbox box;
    auto app = box.makeApp();
    app->start({}, false);
    QAction* settings = app->window()->actions()->action(view::Command::Settings);

    onSheet([](ui::SettingsDialog& sheet) {
      sheet.page()->play2->setChecked(true);
      sheet.page()->womanTwice->setChecked(true);
      sheet.reject();
    });
    settings->trigger();
    QVERIFY(!app->workspace().options.play2);
    QVERIFY(!app->workspace().options.womanProfessionalTwice);

    onSheet([](ui::SettingsDialog& sheet) {
      sheet.page()->play2->setChecked(true);
      sheet.page()->allowSixPieceHandicaps->setChecked(true);
      sheet.page()->womanTwice->setChecked(true);
      sheet.accept();
    });
    settings->trigger();
    QVERIFY(app->workspace().options.play2);
    QVERIFY(app->workspace().options.allowSixPieceHandicaps);
    QVERIFY(app->workspace().options.womanProfessionalTwice);
    QCOMPARE(app->settings().play2(0), 1);                   // written at once
    QCOMPARE(app->settings().allowSixPieceHandicaps(0), 0);  // written at exit
    app->exit();
    QCOMPARE(app->settings().allowSixPieceHandicaps(0), 1);
  }
};

QTEST_MAIN(SettingsSheetTest)
#include "settings_dialog_test.moc"
