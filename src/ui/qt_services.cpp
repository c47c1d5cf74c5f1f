#include "ui/qt_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QUrl>

#include "text/format.h"
#include "text/paths.h"
#include "ui/elided_label.h"
#include "ui/plain_text_rule.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

constexpr const char* kViewerFailed = "テキストファイル(%s)の表示に失敗しました。";
constexpr const char* kNoViewer =
    "テキストファイルを開くビューアが見つかりません。ファイルは保存してあります: %s";

}  // namespace

void QtServices::errorBox(std::string_view text, std::string_view caption) {
  messageBox(QMessageBox::Critical, text, caption);
}

void QtServices::warningBox(std::string_view text, std::string_view caption) {
  messageBox(QMessageBox::Warning, text, caption);
}

void QtServices::informationBox(std::string_view text, std::string_view caption) {
  messageBox(QMessageBox::Information, text, caption);
}

void QtServices::messageBox(int icon, std::string_view text, std::string_view caption) {
  // Messages carry names as they were typed: plain text, never markup.
  QMessageBox box(static_cast<QMessageBox::Icon>(icon), fromUtf8(caption), fromUtf8(text),
                  QMessageBox::Ok, window_);
  makePlain(box);
  box.exec();
}

void QtServices::statusMessage(std::string_view text) {
  if (!window_ || !window_->statusBar()) return;
  if (auto* pane = window_->statusBar()->findChild<ElidedLabel*>(kStatusPaneName))
    pane->setText(fromUtf8(text));
  else
    window_->statusBar()->showMessage(fromUtf8(text));
}

QString QtServices::shownStatus() const {
  if (!window_ || !window_->statusBar()) return {};
  if (auto* pane = window_->statusBar()->findChild<ElidedLabel*>(kStatusPaneName))
    return pane->text();
  return window_->statusBar()->currentMessage();
}

bool QtServices::askYesNo(std::string_view text, std::string_view caption) {
  return ask(text, caption, true);
}

bool QtServices::askYesNoDefaultNo(std::string_view text, std::string_view caption) {
  return ask(text, caption, false);
}

bool QtServices::ask(std::string_view text, std::string_view caption, bool defaultYes) {
  QMessageBox box(QMessageBox::Question, fromUtf8(caption), fromUtf8(text),
                  QMessageBox::Yes | QMessageBox::No, window_);
  makePlain(box);
  box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
  box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
  box.exec();
  return box.clickedButton() == box.button(QMessageBox::Yes);
}

services::Services::Answer QtServices::askYesNoCancel(std::string_view text,
                                                      std::string_view caption) {
  QMessageBox box(QMessageBox::Question, fromUtf8(caption), fromUtf8(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, window_);
  makePlain(box);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
  box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
  box.exec();
  if (box.clickedButton() == box.button(QMessageBox::Yes)) return Answer::Yes;
  if (box.clickedButton() == box.button(QMessageBox::No)) return Answer::No;
  return Answer::Cancel;
}

// Qt has no named system sounds; the simple beep stands for both.
void QtServices::questionSound() {
  QApplication::beep();
}
void QtServices::defaultSound() {
  QApplication::beep();
}

int QtServices::openWithViewer(const std::filesystem::path& file) {
  // A file that is not there cannot be shown, whatever the desktop's opener answers.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    errorBox(text::format(kViewerFailed, text::pathToUtf8(file).c_str()), services::kErrorCaption);
    return -1;
  }
  if (!viewerMissing_ && QDesktopServices::openUrl(QUrl::fromLocalFile(fromPath(file)))) return 0;
  // A desktop without a viewer stays without one: said in the status bar, beside what the
  // command reported, instead of a box at every pairing; the file is written all the same.
  viewerMissing_ = true;
  const QString before = shownStatus();
  const QString note = fromUtf8(text::format(kNoViewer, text::pathToUtf8(file).c_str()));
  statusMessage(toUtf8(
      before.isEmpty() || before.contains(note) ? note : before + QStringLiteral("　") + note));
  return -1;
}

void QtServices::processEvents() {
  QApplication::processEvents();
}

void QtServices::setWindowTitle(std::string_view title) {
  if (!window_) return;
  if (title.empty() && restoreTitle_)
    restoreTitle_();
  else
    window_->setWindowTitle(fromUtf8(title));
}

}  // namespace toq::ui
