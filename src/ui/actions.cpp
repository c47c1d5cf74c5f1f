#include "ui/actions.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace toq::ui {

using view::Command;

Actions::Actions(QMainWindow* window) : QObject(window) {
  make(Command::OpenTable, QStringLiteral("対戦ファイルを開く(O)..."));
  make(Command::ImportNameList, QStringLiteral("対局者ファイルを開く(&R)..."));
  make(Command::SaveTableAs, QStringLiteral("対戦表の保存(&A)..."));
  make(Command::MakeRatingData, QStringLiteral("レーティングデータの作成"));
  make(Command::SaveCsv, QStringLiteral("CSVファイルの保存(&C)..."));
  make(Command::SaveWebPage, QStringLiteral("Webページの保存(&W)..."));
  make(Command::SavePdf, QStringLiteral("PDFに保存..."));
  make(Command::PrintFormat2, QStringLiteral("印刷形式２(&T)"))->setCheckable(true);
  make(Command::Print, QStringLiteral("印刷(&P)..."), QStringLiteral("Ctrl+P"));
  make(Command::PrintPreview, QStringLiteral("印刷プレビュー(&V)"), QStringLiteral("Ctrl+U"));
  make(Command::PrintSetup, QStringLiteral("プリンタの設定(&R)..."));
  make(Command::Exit, QStringLiteral("終了(&X)"));
  make(Command::Settings, QStringLiteral("設定(&S)..."));
  make(Command::PrintSettings, QStringLiteral("印刷設定(&P)..."));
  make(Command::ShowRoundList, QStringLiteral("最終組み合わせの表示(&P)"));
  make(Command::ShowResults, QStringLiteral("結果の表示(&R)"));
  make(Command::ShowStandings, QStringLiteral("成績表示(&E)"));
  make(Command::ShowRatingData, QStringLiteral("レーティングデータ(&A)"));
  make(Command::ToolBar, QStringLiteral("ツール バー(&T)"))->setCheckable(true);
  make(Command::StatusBar, QStringLiteral("ステータス バー(&S)"))->setCheckable(true);
  make(Command::TableFont, QStringLiteral("表のフォント(&F)..."));
  make(Command::ShowLotteryConditions, QStringLiteral("抽選条件の表示(&K)"));
  make(Command::AnalyseLottery, QStringLiteral("抽選結果の分析(&A)"));
  make(Command::NewTable, QStringLiteral("新規対戦表(&N)"));
  make(Command::AddParticipant, QStringLiteral("参加者を対戦表に追加(A)..."));
  make(Command::RemoveParticipant, QStringLiteral("参加者を対戦表から削除(&S)"));
  make(Command::CancelLatestRound, QStringLiteral("最後の回の組み合わせの取り消し(&L)"));
  make(Command::CancelAllPairings, QStringLiteral("全ての組み合わせの取り消し(&T)"));
  make(Command::ChangeNumberOfGames, QStringLiteral("試合数の変更(&C)..."));
  make(Command::ExchangeByes, QStringLiteral("抜け番の入れ替え(&N)"));
  make(Command::SetOpponent, QStringLiteral("対戦相手を入力する(&O)..."));
  make(Command::SetBye, QStringLiteral("抜け番とする(&Y)"));
  make(Command::CancelPairing, QStringLiteral("対戦相手の取り消し(&Z)"));
  make(Command::EnterResult, QStringLiteral("勝敗の入力・取り消し(&W)..."));
  make(Command::RandomResults, QStringLiteral("テスト：結果の自動入力(&R)"));
  make(Command::RepeatedTest, QStringLiteral("テスト：繰り返し組み合わせ(&T)"));
  make(Command::RegisterPlayer, QStringLiteral("参加者の新規登録(&N)..."));
  make(Command::EditPlayer, QStringLiteral("選択した対局者データの編集(&E)..."));
  make(Command::DeletePlayers, QStringLiteral("選択した対局者データの削除(&D)..."));
  make(Command::Manual, QStringLiteral("使い方(&M)"));
  make(Command::About, QStringLiteral("バージョン情報(&A)..."));

  // The generic document commands have accelerators but no menu entries.
  newDocument_ = new QAction(QStringLiteral("新規作成"), window);
  newDocument_->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
  openDocument_ = new QAction(QStringLiteral("開く"), window);
  openDocument_->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
  saveDocument_ = new QAction(QStringLiteral("上書き保存"), window);
  saveDocument_->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
  for (QAction* a : {newDocument_, openDocument_, saveDocument_}) {
    a->setShortcutContext(Qt::WindowShortcut);
    window->addAction(a);
  }
}

QAction* Actions::make(Command command, const QString& text, const QString& shortcut) {
  auto* a = new QAction(text, parent());
  a->setObjectName(QString("command%1").arg(static_cast<int>(command)));
  if (!shortcut.isEmpty()) a->setShortcut(QKeySequence(shortcut));
  connect(a, &QAction::triggered, this, [this, command] { emit triggered(command); });
  actions_[command] = a;
  return a;
}

QAction* Actions::action(Command command) const {
  auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

void Actions::buildMenus(QMainWindow* window) {
  QMenuBar* bar = window->menuBar();
  auto add = [this](QMenu* menu, std::initializer_list<Command> commands) {
    for (Command c : commands) menu->addAction(action(c));
  };

  fileMenu_ = bar->addMenu(QStringLiteral("ファイル(&F)"));
  add(fileMenu_,
      {Command::OpenTable, Command::ImportNameList, Command::SaveTableAs, Command::MakeRatingData,
       Command::SaveCsv, Command::SaveWebPage, Command::SavePdf});
  fileMenu_->addSeparator();
  add(fileMenu_,
      {Command::PrintFormat2, Command::Print, Command::PrintPreview, Command::PrintSetup});
  fileMenu_->addSeparator();
  recentSeparator_ = fileMenu_->addSeparator();
  add(fileMenu_, {Command::Exit});

  QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
  add(edit, {Command::Settings, Command::PrintSettings});

  QMenu* show = bar->addMenu(QStringLiteral("表示(&V)"));
  add(show, {Command::ShowRoundList, Command::ShowResults, Command::ShowStandings,
             Command::ShowRatingData});
  show->addSeparator();
  add(show, {Command::ToolBar, Command::StatusBar});
  show->addSeparator();
  add(show, {Command::TableFont});
  show->addSeparator();
  add(show, {Command::ShowLotteryConditions, Command::AnalyseLottery});

  QMenu* table = bar->addMenu(QStringLiteral("対戦表(&T)"));
  add(table, {Command::NewTable, Command::AddParticipant, Command::RemoveParticipant,
              Command::CancelLatestRound, Command::CancelAllPairings, Command::ChangeNumberOfGames,
              Command::ExchangeByes});
  table->addSeparator();
  add(table, {Command::SetOpponent, Command::SetBye, Command::CancelPairing, Command::EnterResult});
  table->addSeparator();
  add(table, {Command::RandomResults, Command::RepeatedTest});

  QMenu* players = bar->addMenu(QStringLiteral("対局者データ(&K)"));
  add(players, {Command::RegisterPlayer, Command::EditPlayer, Command::DeletePlayers});

  QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
  add(help, {Command::Manual, Command::About});

  toolBar_ = window->addToolBar(QStringLiteral("メイン"));
  toolBar_->setObjectName("mainToolBar");
  QStyle* style = QApplication::style();
  auto button = [&](Command c, QStyle::StandardPixmap icon) {
    QAction* a = action(c);
    a->setIcon(style->standardIcon(icon));
    toolBar_->addAction(a);
  };
  button(Command::CancelAllPairings, QStyle::SP_DialogResetButton);
  button(Command::OpenTable, QStyle::SP_DialogOpenButton);
  button(Command::SaveTableAs, QStyle::SP_DialogSaveButton);
  toolBar_->addSeparator();
  // Cut, copy and paste have no action in this program and stay disabled.
  for (const char* text : {"切り取り", "コピー", "貼り付け"}) {
    QAction* a = toolBar_->addAction(QString::fromUtf8(text));
    a->setEnabled(false);
  }
  toolBar_->addSeparator();
  button(Command::Print, QStyle::SP_FileIcon);
  toolBar_->addSeparator();
  button(Command::About, QStyle::SP_MessageBoxInformation);
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void Actions::updateEnabled(const view::ViewState& state, const data::Table& table) {
  for (auto& [command, a] : actions_) a->setEnabled(view::commandEnabled(command, state, table));
}

}  // namespace toq::ui
