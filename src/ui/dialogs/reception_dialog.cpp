#include "ui/dialogs/reception_dialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "edit/reception_texts.h"
#include "text/format.h"
#include "ui/dialogs/walk_in_dialog.h"
#include "ui/placeholder_fit.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

constexpr int kRefreshMs = 1000;

QString lineText(const edit::ReceptionLine& l) {
  QString s = fromCp932(l.name);
  if (!l.shortName.empty()) s += QStringLiteral("（%1）").arg(fromCp932(l.shortName));
  s += QStringLiteral("　R%1").arg(l.rating);
  if (l.participant) s += QStringLiteral("　受付済み");
  return s;
}

// Enter in the search field adds the selected line; the arrows move the selection; Ctrl+Z
// takes back the latest check-in, not the search text.
class SearchKeys : public QObject {
 public:
  SearchKeys(ReceptionDialog* dialog) : QObject(dialog), dialog_(dialog) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    if (static_cast<QKeyEvent*>(e)->matches(QKeySequence::Undo)) {
      dialog_->undoArrival();
      return true;
    }
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      dialog_->receiveSelected();
      return true;
    }
    if (key != Qt::Key_Down && key != Qt::Key_Up) return false;
    QListWidget* list = dialog_->list();
    const int row = list->currentRow() + (key == Qt::Key_Down ? 1 : -1);
    if (row >= 0 && row < list->count()) list->setCurrentRow(row);
    return true;
  }

 private:
  ReceptionDialog* dialog_;
};

// "… を受付しました", with the round a late arrival plays from.
QString arrived(const QString& what, const edit::Outcome& o) {
  if (o.round <= 0) return what;
  return what +
         QStringLiteral("（%1）").arg(fromUtf8(text::format(edit::texts::kFromRound, o.round + 1)));
}

}  // namespace

ReceptionDialog::ReceptionDialog(Hooks hooks, QWidget* parent)
    : QDialog(parent), hooks_(std::move(hooks)) {
  setWindowTitle(QStringLiteral("受付"));
  search_ = new QLineEdit(this);
  setFittingPlaceholder(search_, QStringLiteral("氏名・省略名・ふりがなの一部"));
  search_->installEventFilter(new SearchKeys(this));
  list_ = new QListWidget(this);
  list_->setMinimumSize(360, 300);
  count_ = new QLabel(this);
  last_ = new QLabel(this);
  auto* walkInButton = new QPushButton(QStringLiteral("当日参加..."), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->addButton(walkInButton, QDialogButtonBox::ActionRole);
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("検索："), this));
  layout->addWidget(search_);
  layout->addWidget(list_, 1);
  layout->addWidget(count_);
  layout->addWidget(last_);
  layout->addWidget(buttons);
  connect(search_, &QLineEdit::textChanged, this, &ReceptionDialog::refresh);
  connect(list_, &QListWidget::itemActivated, this, &ReceptionDialog::receiveSelected);
  connect(walkInButton, &QPushButton::clicked, this, &ReceptionDialog::walkIn);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Arrivals from the phones show up without a click.
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &ReceptionDialog::refresh);
  timer_->start(kRefreshMs);
  refresh();
}

void ReceptionDialog::refresh() {
  const int selected = list_->currentRow() >= 0 && list_->currentRow() < int(lines_.size())
                           ? lines_[std::size_t(list_->currentRow())].number
                           : 0;
  lines_ = hooks_.list(toUtf8(search_->text()));
  list_->clear();
  // Enter acts on a single match, or on the line chosen with the arrows: never on the first
  // of several.
  int current = lines_.size() == 1 ? 0 : -1;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto* item = new QListWidgetItem(lineText(lines_[i]), list_);
    if (lines_[i].participant) item->setForeground(Qt::gray);
    if (lines_[i].number == selected) current = int(i);
  }
  list_->setCurrentRow(current);
  count_->setText(fromUtf8(hooks_.count()));
}

void ReceptionDialog::receiveSelected() {
  const int row = list_->currentRow();
  if (row < 0 || row >= int(lines_.size())) {
    if (lines_.size() > 1)
      last_->setText(
          QStringLiteral("%1人が当てはまります。矢印キーで選んでから Enter を押してください。")
              .arg(lines_.size()));
    return;
  }
  const edit::ReceptionLine line = lines_[std::size_t(row)];
  const edit::Outcome o = hooks_.receive(line);
  if (o.changed) {  // also when it could not be written: the arrival stands
    last_->setText(arrived(QStringLiteral("%1 を受付しました").arg(fromCp932(line.name)), o));
    search_->clear();
  }
  refresh();
  search_->setFocus();
}

void ReceptionDialog::undoArrival() {
  if (!hooks_.undoArrival) return;
  const std::optional<std::string> name = hooks_.undoArrival();
  last_->setText(name ? QStringLiteral("%1 の受付を取り消しました").arg(fromUtf8(*name))
                      : QStringLiteral("取り消せる受付はありません"));
  refresh();
}

void ReceptionDialog::walkIn() {
  const std::optional<edit::PlayerForm> form = WalkInDialog::ask(this);
  if (!form) return;
  const edit::Outcome o = hooks_.walkIn(*form);
  if (o.changed)
    last_->setText(
        arrived(QStringLiteral("%1 を当日参加で受付しました").arg(fromUtf8(form->name)), o));
  refresh();
}

}  // namespace toq::ui
