// The commands of the menus "ファイル" and "表示" that go through the platform's dialogs: open
// a table, import a name list, save the table under a new name, save the CSV chart, the four
// reports and the table font; the recent files and the generic save.
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QtTest>
#include <fstream>

#include "data/csv_file.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "support/builders.h"
#include "ui/actions.h"
#include "ui/app_settings.h"
#include "ui/commands.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"
#include "ui/support/running_app.h"
#include "ui/table_model.h"

using namespace toq;
using testing::Await;
using testing::RunningApp;
using view::Command;

namespace {

QString str(const std::filesystem::path& p) {
  return ui::fromPath(p);
}

// Fills in a file dialog and presses its OK.
auto choose(const QString& file) {
  return [file](QFileDialog* d) {
    d->selectFile(file);
    static_cast<QDialog*>(d)->accept();  // as its OK button does
  };
}

}  // namespace

class FileCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void importReplacesTheEventAndRemembersTheFilter() {
    RunningApp run(false);
    const QString list = run.box.dir.filePath("spring.txt");
    QFile::copy(QStringLiteral(TOQ_SOURCE_DIR "/resources/sample-names.txt"), list);
    auto dialog = Await::dialog<QFileDialog>([&](QFileDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("対局者ファイルを開く"));
      QCOMPARE(d->nameFilters(), (QStringList{"対局者(*.txt)", "すべてのファイル(*.*)"}));
      QCOMPARE(d->selectedNameFilter(), QStringLiteral("対局者(*.txt)"));
      QCOMPARE(d->fileMode(), QFileDialog::ExistingFile);
      d->selectNameFilter(QStringLiteral("すべてのファイル(*.*)"));
      choose(list)(d);
    });
    run.action(Command::ImportNameList)->trigger();
    QVERIFY(dialog->handled());
    edit::Workspace& ws = run.ws();
    QCOMPARE(ws.table.rows(), 23);
    QCOMPARE(ws.players.count(), 20);
    QCOMPARE(str(ws.table.filePath), run.box.dir.filePath("spring.tai"));
    QCOMPARE(str(ws.playerFile), run.box.dir.filePath("spring.ply"));
    QVERIFY(QFile::exists(run.box.dir.filePath("spring.tai")));
    QCOMPARE(run.window()->windowTitle(), QStringLiteral("spring.tai - TOQ"));
    QCOMPARE(run.view()->model()->rowCount(), 46);
    QCOMPARE(run.app->settings().recentFiles().value(0), run.box.dir.filePath("spring.tai"));

    // The filter chosen last is preselected; キャンセル changes nothing.
    auto again = Await::dialog<QFileDialog>([](QFileDialog* d) {
      QCOMPARE(d->selectedNameFilter(), QStringLiteral("すべてのファイル(*.*)"));
      QCOMPARE(d->defaultSuffix(), QStringLiteral("KI2"));
      d->reject();
    });
    run.action(Command::ImportNameList)->trigger();
    QVERIFY(again->handled());
    QCOMPARE(ws.table.rows(), 23);
  }

  void openReadsTheTableAndThePlayerFileBesideIt() {
    RunningApp run(false);
    const auto other = run.box.importSample("other");
    run.view()->setTableMode(false);
    auto dialog = Await::dialog<QFileDialog>([&](QFileDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("対戦表ファイルの読み込み"));
      QCOMPARE(d->nameFilters(), (QStringList{"対戦表(*.tai)", "すべてのファイル(*.*)"}));
      QCOMPARE(d->selectedNameFilter(), QStringLiteral("対戦表(*.tai)"));
      choose(str(other))(d);
    });
    run.action(Command::OpenTable)->trigger();
    QVERIFY(dialog->handled());
    QCOMPARE(run.ws().table.rows(), 23);
    QCOMPARE(run.ws().players.count(), 20);
    QCOMPARE(run.ws().playerFile, run.box.path("other.ply"));
    QCOMPARE(run.window()->windowTitle(), QStringLiteral("other.tai - TOQ"));
    // The list is filled in the current mode.
    QVERIFY(!run.view()->tableMode());
    QCOMPARE(run.view()->model()->rowCount(), 20);
    run.view()->setTableMode(true);
    QVERIFY(run.view()->pairingButton()->isEnabled());  // an odd field asks for its bye
  }

  // A player file broken in the middle: the window names the file and the line, opens it
  // read-only (a change is refused, the file kept) or puts its backup in its place.
  void aFileThatDoesNotReadWholeOffersItsBackupOrReadOnly() {
    RunningApp run(false);
    const auto other = run.box.importSample("other");
    const std::filesystem::path ply = run.box.path("other.ply");
    data::Register good;
    QCOMPARE(data::LoadPlayerFile(good, ply), 0);
    QCOMPARE(data::WritePlayerFile(good, ply), 0);  // its backup, the same records
    std::string bytes = testing::readFile(ply);
    bytes.insert(bytes.find("0005,") + 12, std::string(1, '\0'));
    { std::ofstream(ply, std::ios::binary) << bytes; }

    auto choice = [&](const QString& answer) {
      return Await::dialog<QMessageBox>([answer](QMessageBox* b) {
        QVERIFY(
            b->text().contains(QStringLiteral("other.ply の 7行目: NUL文字（U+0000）があります")));
        QCOMPARE(b->textFormat(), Qt::PlainText);
        testing::button(b, answer)->click();
      });
    };
    auto readOnly = choice(QStringLiteral("読み取り専用で開く(&R)"));
    run.box.ui.clear();
    emit run.window()->recentFileChosen(str(other));
    QVERIFY(readOnly->handled());
    QCOMPARE(run.ws().players.count(), good.count() - 1);
    QVERIFY(!run.box.ui.statuses().empty());
    QVERIFY(QString::fromStdString(run.box.ui.statuses().back())
                .startsWith(QStringLiteral("読み取り専用")));
    QCOMPARE(testing::readFile(ply), bytes);

    auto backup = choice(QStringLiteral("バックアップ（.bak）を開く(&B)"));
    emit run.window()->recentFileChosen(str(run.tai));  // another event, then the broken one again
    emit run.window()->recentFileChosen(str(other));
    QVERIFY(backup->handled());
    QCOMPARE(run.ws().players, good);
    QVERIFY(run.ws().notReadWhole().empty());
  }

  void recentFilesOpenATableOrARegisterAndCtrlSSavesOnce() {
    RunningApp run;
    const QString ply = str(run.box.path("event.ply"));
    emit run.window()->recentFileChosen(ply);
    QVERIFY(!run.view()->tableMode());
    QCOMPARE(run.window()->windowTitle(), QStringLiteral("event.ply - TOQ"));
    QCOMPARE(run.view()->model()->rowCount(), run.ws().players.count());
    QCOMPARE(run.app->settings().recentFiles().value(0), ply);
    // A register that is gone says so and is still the remembered player file.
    const QString gone = run.box.dir.filePath("gone.PLY");
    run.box.ui.clear();
    emit run.window()->recentFileChosen(gone);
    QCOMPARE(run.box.ui.errors(),
             std::vector<std::string>{"対局者ファイル(" + run.box.path("gone.PLY").string() +
                                      ")を読み込めませんでした。"});
    QCOMPARE(run.ws().playerFile, run.box.path("gone.PLY"));
    emit run.window()->recentFileChosen(str(run.tai));
    QVERIFY(run.view()->tableMode());
    QCOMPARE(run.ws().table.filePath, run.tai);
    QCOMPARE(run.ws().playerFile, run.box.path("event.ply"));

    // Ctrl+S writes the table to its own file and says so once.
    QFile::remove(str(run.tai));
    run.box.ui.clear();
    run.window()->actions()->saveDocument()->trigger();
    QVERIFY(run.onDisk());
    QCOMPARE(run.box.ui.statuses(),
             std::vector<std::string>{run.tai.string() + " を保存しました。" +
                                      std::to_string(run.ws().table.rows()) + "人"});
  }

  void saveAsWritesBothFilesAndAsksBeforeReplacing() {
    RunningApp run;
    auto dialog = Await::dialog<QFileDialog>([&](QFileDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("名前を付けて保存"));
      QCOMPARE(d->nameFilters(), QStringList{"対戦表(*.tai)"});
      QCOMPARE(d->acceptMode(), QFileDialog::AcceptSave);
      QCOMPARE(QFileInfo(d->selectedFiles().value(0)).fileName(), QStringLiteral("event.tai"));
      choose(run.box.dir.filePath("copy"))(d);
    });
    run.action(Command::SaveTableAs)->trigger();
    QVERIFY(dialog->handled());
    data::Table copy;
    QCOMPARE(data::ReadTableFile(copy, run.box.path("copy.tai"), run.box.ui), 0);
    QCOMPARE(copy.participants, run.ws().table.participants);
    QCOMPARE(copy.numberOfGames, run.ws().table.numberOfGames);
    data::Register players;
    QCOMPARE(data::LoadPlayerFile(players, run.box.path("copy.ply")), 0);
    QCOMPARE(players.count(), 20);
    QCOMPARE(run.box.ui.statuses().back(),
             "対戦表(" + run.box.path("copy.tai").string() + ")を保存しました。");
    QCOMPARE(run.app->settings().recentFiles().value(0), run.box.dir.filePath("copy.tai"));
    QCOMPARE(run.ws().table.filePath, run.tai);  // later saves still go to the table's file
    QCOMPARE(run.window()->windowTitle(), QStringLiteral("event.tai - TOQ"));

    // Over an existing file: No shows the dialog again; キャンセル then writes nothing.
    run.box.ui.clear();
    run.box.ui.answers = {false};
    int shown = 0;
    std::unique_ptr<Await> second;
    auto first = Await::dialog<QFileDialog>([&](QFileDialog* d) {
      ++shown;
      second = Await::dialog<QFileDialog>([&](QFileDialog* again) {
        ++shown;
        again->reject();
      });
      choose(run.box.dir.filePath("copy.tai"))(d);
    });
    QFile::remove(run.box.dir.filePath("copy.ply"));
    run.action(Command::SaveTableAs)->trigger();
    QCOMPARE(shown, 2);
    QCOMPARE(run.box.ui.questions(),
             std::vector<std::string>{"同名のファイル(" + run.box.path("copy.tai").string() +
                                      ")があります。書き換えますか？"});
    QVERIFY(!QFile::exists(run.box.dir.filePath("copy.ply")));
  }

  void csvStartsFromTheTableFile() {
    RunningApp run;
    auto dialog = Await::dialog<QFileDialog>([&](QFileDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("CSVファイルの保存"));
      QCOMPARE(d->nameFilters(), QStringList{"CSVファイル(*.csv)"});
      QCOMPARE(QFileInfo(d->selectedFiles().value(0)).fileName(), QStringLiteral("event.tai.csv"));
      choose(run.box.dir.filePath("chart.txt"))(d);
    });
    run.action(Command::SaveCsv)->trigger();
    QVERIFY(dialog->handled());
    const auto chart = run.box.path("chart.txt.csv");
    services::RecordingServices quiet;
    const auto direct = run.box.path("direct.csv");
    QCOMPARE(data::WriteCsvFile(run.ws().table, run.ws().players, direct, quiet), 0);
    QCOMPARE(run.bytes(chart), run.bytes(direct));
    QCOMPARE(run.box.ui.statuses().back(), "CSVファイル(" + chart.string() + ")を保存しました。");
  }

  void reportsAreWrittenAndHandedToTheViewer() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    // Nothing paired: the round list says so, the standings report stays silent.
    run.action(Command::ShowRoundList)->trigger();
    QCOMPARE(run.box.ui.errors(), std::vector<std::string>{"エラー"});
    run.box.ui.clear();
    run.action(Command::ShowStandings)->trigger();
    QVERIFY(run.box.ui.messages.empty());

    for (int row = 0; row + 1 < ws.table.rows(); row += 2) {
      ws.table.setPair(0, row, row + 1);
      ws.table.result[row][0] = data::kWin;
      ws.table.result[row + 1][0] = data::kLoss;
    }
    ws.table.opponent[ws.table.rows() - 1][0] = data::kBye;
    for (Command c : {Command::ShowRoundList, Command::ShowResults, Command::ShowStandings,
                      Command::ShowRatingData})
      run.action(c)->trigger();
    QStringList shown;
    for (const std::string& path : run.box.ui.texts(services::RecordedMessage::Kind::Viewer)) {
      shown << QFileInfo(QString::fromStdString(path)).fileName();
      QVERIFY(QFile::exists(QString::fromStdString(path)));
    }
    QCOMPARE(shown, (QStringList{"1回戦組み合わせ.txt", "event-結果.txt", "成績.txt",
                                 "event-Rating.txt"}));
    QVERIFY(run.box.ui.errors().empty());
  }

  void tableFontIsAppliedAndRemembered() {
    RunningApp run;
    QTableView* list = run.view()->list();
    QFont chosen(QStringLiteral("IPAGothic"));
    chosen.setPixelSize(21);
    auto dialog = Await::dialog<QFontDialog>([&](QFontDialog* d) {
      QCOMPARE(d->currentFont().family(), list->font().family());
      d->setCurrentFont(chosen);
      static_cast<QDialog*>(d)->accept();
    });
    run.action(Command::TableFont)->trigger();
    QVERIFY(dialog->handled());
    const ui::ListFont stored = run.app->settings().listFont({});
    QCOMPARE(stored.face, QStringLiteral("IPAGothic"));
    QVERIFY(stored.height < 0);
    QCOMPARE(stored.weight, int(QFont::Normal));
    QCOMPARE(list->font().family(), QStringLiteral("IPAGothic"));
    QCOMPARE(list->font().pixelSize(), -stored.height);

    // キャンセル keeps the font.
    auto cancel = Await::dialog<QFontDialog>([](QFontDialog* d) {
      d->setCurrentFont(QFont(QStringLiteral("IPAMincho")));
      d->reject();
    });
    run.action(Command::TableFont)->trigger();
    QVERIFY(cancel->handled());
    QCOMPARE(run.app->settings().listFont({}), stored);
    QCOMPARE(list->font().family(), QStringLiteral("IPAGothic"));
  }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
