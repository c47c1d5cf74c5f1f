#include "ui/dialogs/new_event_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <filesystem>

#include "edit/file_commands.h"
#include "edit/rounds.h"
#include "text/format.h"
#include "ui/dialogs/dialog_buttons.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

constexpr const char* kOverwriteQuestion = "同名のファイル(%s)があります。書き換えますか？";
constexpr const char* kNotMade =
    "保存できませんでした。保存先のフォルダとファイル名を確かめて、もう一度「OK」を押してください"
    "。";

QString platformSaveDialog(QWidget* parent, const QString& start) {
  QFileDialog dialog(parent, QStringLiteral("対戦表ファイルの保存先"));
  dialog.setObjectName(QStringLiteral("newEventFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QStringLiteral("対戦表ファイル (*.tai)"));
  dialog.setDefaultSuffix(QStringLiteral("tai"));
  const QFileInfo info(start);
  if (info.isDir()) {
    dialog.setDirectory(start);
  } else {
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace

NewEventDialog::NewEventDialog(services::Services& ui, Purpose purpose, QWidget* parent,
                               const edit::NewEventChoice& initial)
    : QDialog(parent), ui_(ui), chooseFile_(platformSaveDialog) {
  const bool newEvent = purpose == Purpose::NewEvent;
  setWindowTitle(newEvent ? QStringLiteral("新規対戦表") : QStringLiteral("対戦表ファイルの指定"));
  QLabel* gamesLabel = nullptr;
  QGridLayout* grid = fields(initial, gamesLabel);
  QGroupBox* registerBox = registerChoice(initial.keepRegister);
  failure_ = new QLabel(fromUtf8(kNotMade), this);
  failure_->setObjectName(QStringLiteral("newEventFailure"));
  failure_->setWordWrap(true);
  failure_->setStyleSheet(QStringLiteral("color: #c00000;"));
  failure_->hide();

  QDialogButtonBox* buttons = okCancelButtons(this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(registerBox);
  layout->addWidget(failure_);
  layout->addWidget(buttons);
  setMinimumWidth(460);
  orderTabs(buttons->button(QDialogButtonBox::Cancel));

  // Naming the files of the event in memory changes neither its games nor its register.
  if (!newEvent) {
    gamesLabel->hide();
    games_->hide();
    registerBox->hide();
  }

  connect(browse_, &QPushButton::clicked, this, &NewEventDialog::browse);
  connect(file_, &QLineEdit::textChanged, this, &NewEventDialog::updateOk);
  connect(file_, &QLineEdit::textChanged, this, &NewEventDialog::updatePath);
  updateOk();
  updatePath();
  file_->setFocus();
}

QGridLayout* NewEventDialog::fields(const edit::NewEventChoice& initial, QLabel*& gamesLabel) {
  file_ = new QLineEdit(fromPath(initial.tableFile), this);
  browse_ = new QPushButton(QStringLiteral("参照..."), this);
  // Enter in the name accepts the dialog: only OK is a default button.
  browse_->setAutoDefault(false);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(browse_);
  games_ = new QSpinBox(this);
  games_->setRange(edit::kMinGames, edit::kMaxGames);
  games_->setValue(initial.numberOfGames);

  auto* grid = new QGridLayout;
  auto* fileLabel = new QLabel(QStringLiteral("対戦表ファイル："), this);
  fileLabel->setBuddy(file_);
  grid->addWidget(fileLabel, 0, 0);
  grid->addLayout(fileRow, 0, 1);
  gamesLabel = addLabelledRow(grid, 1, QStringLiteral("試合数："), games_);
  path_ = new QLabel(this);
  path_->setObjectName(QStringLiteral("newEventPath"));
  path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(path_, 2, 1);
  return grid;
}

QGroupBox* NewEventDialog::registerChoice(bool keep) {
  auto* box = new QGroupBox(QStringLiteral("名簿"), this);
  keep_ = new QRadioButton(QStringLiteral("現在の名簿を引き継ぐ"), box);
  empty_ = new QRadioButton(QStringLiteral("空の名簿で始める"), box);
  (keep ? keep_ : empty_)->setChecked(true);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(keep_);
  layout->addWidget(empty_);
  return box;
}

void NewEventDialog::orderTabs(QPushButton* cancel) {
  // Tab follows the fields: name, games, register, OK, キャンセル, then 参照.
  setTabOrder(file_, games_);
  setTabOrder(games_, keep_);
  setTabOrder(keep_, empty_);
  setTabOrder(empty_, ok_);
  setTabOrder(ok_, cancel);
  setTabOrder(cancel, browse_);
}

QString NewEventDialog::documentsFolder() {
  // Many Linux accounts have no documents folder: it is made, and where it cannot be, the
  // home folder takes its place.
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) return QDir::homePath();
  if (QFileInfo(documents).isDir() || QDir().mkpath(documents)) return documents;
  return QDir::homePath();
}

void NewEventDialog::updatePath() {
  const QString typed = file_->text().trimmed();
  const QString full =
      typed.isEmpty()
          ? QString()
          : QDir::toNativeSeparators(fromPath(edit::withExtension(choice().tableFile, "tai")));
  path_->setToolTip(full);
  const int width = std::max(120, path_->width() > 0 ? path_->width() : file_->width());
  path_->setText(full.isEmpty() ? QString()
                                : QStringLiteral("保存先: %1")
                                      .arg(path_->fontMetrics().elidedText(full, Qt::ElideMiddle,
                                                                           width - 60)));
}

void NewEventDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  updatePath();
}

edit::NewEventChoice NewEventDialog::choice() const {
  edit::NewEventChoice c;
  const QString typed = file_->text().trimmed();
  if (!typed.isEmpty())
    c.tableFile = toPath(QDir::cleanPath(QDir(documentsFolder()).absoluteFilePath(typed)));
  c.numberOfGames = games_->value();
  c.keepRegister = keep_->isChecked();
  return c;
}

void NewEventDialog::updateOk() {
  ok_->setEnabled(!file_->text().trimmed().isEmpty());
}

void NewEventDialog::browse() {
  const QString typed = file_->text().trimmed();
  const QString start = typed.isEmpty() ? documentsFolder() : fromPath(choice().tableFile);
  const QString chosen = chooseFile_ ? chooseFile_(this, start) : QString();
  if (chosen.isEmpty()) return;
  file_->setText(QDir::toNativeSeparators(chosen));
  confirmed_ = fromPath(edit::withExtension(toPath(chosen), "tai"));
  file_->setFocus();
}

void NewEventDialog::accept() {
  const edit::NewEventChoice c = choice();
  if (c.tableFile.empty()) return;
  const std::filesystem::path target = edit::withExtension(c.tableFile, "tai");
  std::error_code ec;
  if (fromPath(target) != confirmed_ && std::filesystem::exists(target, ec) &&
      !ui_.askYesNo(text::format(kOverwriteQuestion, toUtf8(fromPath(target)).c_str()),
                    toUtf8(windowTitle()))) {
    file_->setFocus();
    file_->selectAll();
    return;
  }
  if (commit_) {
    const edit::Outcome made = commit_(c);
    if (made.stop == edit::Stop::Declined) {
      QDialog::reject();
      return;
    }
    if (!made.done()) {
      // The input stays as typed, with what went wrong, for another try.
      failure_->show();
      file_->setFocus();
      return;
    }
  }
  QDialog::accept();
}

std::optional<edit::NewEventChoice> NewEventDialog::ask(services::Services& ui, Purpose purpose,
                                                        QWidget* parent,
                                                        const edit::NewEventChoice& initial,
                                                        Commit commit) {
  NewEventDialog dialog(ui, purpose, parent, initial);
  dialog.setCommit(std::move(commit));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

}  // namespace toq::ui
