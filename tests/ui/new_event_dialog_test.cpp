// NewEventDialog: its fields and their labels, OK only with a file name, the games' range, the
// save dialog behind "参照..." starting in the documents folder, the question before a typed
// file is replaced, and the choice returned on OK (none on キャンセル).
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "support/recording_services.h"
#include "ui/dialogs/new_event_dialog.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"

using namespace toq;
using testing::Await;
using testing::button;
using ui::NewEventDialog;

namespace {

QString labelOf(QWidget* control) {
  for (QLabel* l : control->window()->findChildren<QLabel*>())
    if (l->buddy() == control) return l->text();
  return {};
}

// Replaces the field's text as the keyboard does; Japanese text arrives as one key event that
// carries it, as from an input method's commit.
void type(QWidget* field, const QString& text) {
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_Backspace);
  for (const QChar c : text) {
    if (c.unicode() < 0x80)
      QTest::keyClick(field, c.toLatin1());
    else
      QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

}  // namespace

class NewEventDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void fieldsStartEmptyWithTheFocusOnTheFile() {
    services::RecordingServices ui;
    NewEventDialog dialog(ui);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("新規対戦表"));
    QCOMPARE(labelOf(dialog.fileEdit()), QStringLiteral("対戦表ファイル："));
    QCOMPARE(labelOf(dialog.gamesBox()), QStringLiteral("試合数："));
    QCOMPARE(dialog.browseButton()->text(), QStringLiteral("参照..."));
    QCOMPARE(dialog.keepButton()->text(), QStringLiteral("現在の名簿を引き継ぐ"));
    QCOMPARE(dialog.emptyButton()->text(), QStringLiteral("空の名簿で始める"));
    QVERIFY(dialog.keepButton()->isChecked());
    QCOMPARE(dialog.gamesBox()->value(), 9);
    QVERIFY(button(&dialog, QStringLiteral("キャンセル")));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.fileEdit()));
  }

  void okNeedsAFileName() {
    services::RecordingServices ui;
    NewEventDialog dialog(ui);
    dialog.show();
    QVERIFY(!dialog.okButton()->isEnabled());
    type(dialog.fileEdit(), QStringLiteral("   "));
    QVERIFY(!dialog.okButton()->isEnabled());
    type(dialog.fileEdit(), QStringLiteral("春季大会"));
    QVERIFY(dialog.okButton()->isEnabled());
    type(dialog.fileEdit(), QString());
    QVERIFY(!dialog.okButton()->isEnabled());
    dialog.accept();  // Enter with nothing typed does not close it either
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.isVisible());
  }

  void gamesStayWithinOneToThirtyTwo() {
    services::RecordingServices ui;
    NewEventDialog dialog(ui);
    QSpinBox* games = dialog.gamesBox();
    QCOMPARE(games->minimum(), 1);
    QCOMPARE(games->maximum(), 32);
    for (const char* typed : {"0", "33", "99"}) {
      type(games, QString::fromLatin1(typed));
      games->interpretText();
      QVERIFY2(games->value() >= 1 && games->value() <= 32, typed);
    }
    type(games, QStringLiteral("32"));
    QCOMPARE(games->value(), 32);
    games->stepUp();
    QCOMPARE(games->value(), 32);
    type(games, QStringLiteral("1"));
    games->stepDown();
    QCOMPARE(games->value(), 1);
  }

  void theChoiceIsReturnedOnOkOnly() {
    services::RecordingServices ui;
    const QString documents = NewEventDialog::documentsFolder();
    auto ok = Await::dialog<NewEventDialog>([](NewEventDialog* d) {
      type(d->fileEdit(), QStringLiteral("秋季大会"));
      type(d->gamesBox(), QStringLiteral("12"));
      d->emptyButton()->click();
      d->okButton()->click();
    });
    const auto choice = NewEventDialog::ask(ui, NewEventDialog::Purpose::NewEvent, nullptr);
    QVERIFY(ok->handled());
    QVERIFY(choice.has_value());
    // A bare name goes to the documents folder; the core adds ".tai".
    // Paths are shown with the system's separators.
    QCOMPARE(ui::fromPath(choice->tableFile),
             QDir::toNativeSeparators(QDir(documents).filePath(QStringLiteral("秋季大会"))));
    QCOMPARE(choice->numberOfGames, 12);
    QVERIFY(!choice->keepRegister);

    auto cancel = Await::dialog<NewEventDialog>([](NewEventDialog* d) {
      type(d->fileEdit(), QStringLiteral("x"));
      button(d, QStringLiteral("キャンセル"))->click();
    });
    QVERIFY(!NewEventDialog::ask(ui, NewEventDialog::Purpose::NewEvent, nullptr).has_value());
    QVERIFY(ui.messages.empty());
  }

  void browseStartsInTheDocumentsFolderAndAnExistingFileIsAskedAboutOnce() {
    services::RecordingServices ui;
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("cup.tai"));
    std::ofstream(ui::toPath(existing)) << "old";

    NewEventDialog dialog(ui);
    QString started;
    dialog.setFileChooser([&](QWidget*, const QString& start) {
      started = start;
      return existing;
    });
    dialog.browseButton()->click();
    QCOMPARE(started, NewEventDialog::documentsFolder());
    QCOMPARE(QDir::fromNativeSeparators(dialog.fileEdit()->text()), existing);
    // The save dialog has asked about that file already.
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(ui.questions().empty());

    // Typed by hand, without the extension: asked; No keeps the dialog open.
    NewEventDialog typed(ui);
    typed.show();
    type(typed.fileEdit(), dir.filePath(QStringLiteral("cup")));
    ui.answers = {false};
    typed.accept();
    QCOMPARE(typed.result(), int(QDialog::Rejected));
    QVERIFY(typed.isVisible());
    QCOMPARE(ui.questions().size(), std::size_t(1));
    QVERIFY(ui.questions()[0].find("cup.tai") != std::string::npos);
    ui.answers = {true};
    typed.accept();
    QCOMPARE(typed.result(), int(QDialog::Accepted));
    // Browsing again starts from the file typed.
    typed.setFileChooser([&](QWidget*, const QString& start) {
      started = start;
      return QString();
    });
    typed.browseButton()->click();
    const QString cup = dir.filePath(QStringLiteral("cup"));
    QCOMPARE(QDir::toNativeSeparators(started), QDir::toNativeSeparators(cup));
    QCOMPARE(QDir::toNativeSeparators(typed.fileEdit()->text()),
             QDir::toNativeSeparators(cup));  // キャンセル
  }

  void namingTheEventsFileAsksForTheFileAlone() {
    services::RecordingServices ui;
    NewEventDialog dialog(ui, NewEventDialog::Purpose::NameEventFile, nullptr,
                          {ui::toPath(QStringLiteral("/events/a.tai")), 5, true});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("対戦表ファイルの指定"));
    QVERIFY(!dialog.gamesBox()->isVisible());
    QVERIFY(!dialog.keepButton()->isVisible());
    QVERIFY(dialog.fileEdit()->isVisible());
    QVERIFY(dialog.okButton()->isEnabled());
    QCOMPARE(dialog.choice().numberOfGames, 5);
    QVERIFY(dialog.choice().keepRegister);
  }
};

QTEST_MAIN(NewEventDialogTest)
#include "new_event_dialog_test.moc"
