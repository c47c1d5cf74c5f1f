// The services on Qt: boxes owned by the main window with their captions and icons, the status
// pane, questions, and the viewer's failure message.
#include <QAbstractButton>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include "ui/plain_text_rule.h"
#include "ui/qt_services.h"
#include "ui/qt_text.h"

using namespace toq;

namespace {

struct SeenBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QWidget* owner = nullptr;
};

// Answers the next modal message box with `button` and tells what it showed.
void answerNextBox(SeenBox& seen, QMessageBox::StandardButton button) {
  QTimer::singleShot(0, [&seen, button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return answerNextBox(seen, button);
    seen = {box->windowTitle(), box->text(), box->icon(), box->parentWidget()};
    box->button(button)->click();
  });
}

// Presses Enter on the next modal message box.
void enterOnNextBox() {
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return enterOnNextBox();
    QTest::keyClick(box, Qt::Key_Return);
  });
}

}  // namespace

class ServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void beforeTheWindowExistsTheStatusMessageDoesNothing() {
    ui::QtServices services;
    services.statusMessage("組み合わせました。 0 秒");
    services.setWindowTitle("x");
    QVERIFY(services.mainWindow() == nullptr);
  }

  // A walk-in named like markup reads as typed in a box and in a label, never as a link or an
  // image.
  void namesAreShownAsPlainText() {
    QMainWindow window;
    window.statusBar();
    ui::QtServices services;
    services.setMainWindow(&window);
    ui::installPlainTextRule();
    const QString markup = QStringLiteral("<a href=http://10.9.9.9/>罠</a><img src=x>");
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      format = box->textFormat();
      box->button(QMessageBox::Yes)->click();
    });
    services.askYesNo(ui::toUtf8(markup) + " を受付しますか？", "確認");
    QCOMPARE(format, Qt::PlainText);
    QLabel label(markup, &window);
    label.show();
    QCOMPARE(label.textFormat(), Qt::PlainText);
    QCOMPARE(ui::fromCp932(std::string("A\x1b[31m")), QStringLiteral("A\\x1B[31m"));
  }

  void boxesCarryTheirCaptionsIconsAndOwner() {
    QMainWindow window;
    window.statusBar();
    ui::QtServices services;
    services.setMainWindow(&window);
    SeenBox seen;
    answerNextBox(seen, QMessageBox::Ok);
    services.errorBox("組み合わせ数が奇数(3)です。", "エラー");
    QCOMPARE(seen.caption, QStringLiteral("エラー"));
    QCOMPARE(seen.text, QStringLiteral("組み合わせ数が奇数(3)です。"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.owner, &window);

    answerNextBox(seen, QMessageBox::Ok);
    services.warningBox("変更は禁止されています。", "TOQ");
    QCOMPARE(seen.caption, QStringLiteral("TOQ"));
    QCOMPARE(seen.icon, QMessageBox::Warning);

    answerNextBox(seen, QMessageBox::Ok);
    services.informationBox("x", "TOQ");
    QCOMPARE(seen.icon, QMessageBox::Information);

    answerNextBox(seen, QMessageBox::Yes);
    QVERIFY(services.askYesNo("1回戦の組み合わせをしますか？", "確認"));
    QCOMPARE(seen.caption, QStringLiteral("確認"));
    QCOMPARE(seen.icon, QMessageBox::Question);
    answerNextBox(seen, QMessageBox::No);
    QVERIFY(!services.askYesNo("全ての組み合わせを取り消しますか？", "確認"));

    // The question before a change: Enter answers いいえ.
    enterOnNextBox();
    QVERIFY(!services.askYesNoDefaultNo("結果を変更しますか？", "確認"));

    services.statusMessage("結果の未入力は 3組");
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("結果の未入力は 3組"));
  }

  void theTitleShowsProgressAndComesBack() {
    QMainWindow window;
    window.setWindowTitle("names.tai - TOQ");
    ui::QtServices services;
    services.setMainWindow(&window);
    services.setTitleRestorer([&] { window.setWindowTitle("names.tai - TOQ"); });
    services.setWindowTitle("連続抽選 3/256");
    QCOMPARE(window.windowTitle(), QStringLiteral("連続抽選 3/256"));
    services.setWindowTitle("");
    QCOMPARE(window.windowTitle(), QStringLiteral("names.tai - TOQ"));
  }

  void aFileTheViewerCannotOpenIsReported() {
    QMainWindow window;
    ui::QtServices services;
    services.setMainWindow(&window);
    SeenBox seen;
    answerNextBox(seen, QMessageBox::Ok);
    const int result =
        services.openWithViewer(ui::toPath(QStringLiteral("/nonexistent/フォルダ/成績.txt")));
    QCOMPARE(result, -1);
    // The path with the system's own separators.
    QCOMPARE(seen.text,
             QStringLiteral("テキストファイル(%1)の表示に失敗しました。")
                 .arg(QDir::toNativeSeparators(QStringLiteral("/nonexistent/フォルダ/成績.txt"))));
    QCOMPARE(seen.icon, QMessageBox::Critical);
  }
};

QTEST_MAIN(ServicesTest)
#include "services_test.moc"
