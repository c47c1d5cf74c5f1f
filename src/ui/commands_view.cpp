// The commands of the menu "表示": the four text reports and the table font.
#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QStatusBar>
#include <QTableView>
#include <cmath>

#include "reports/reports.h"
#include "text/format.h"
#include "ui/commands.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/table_model.h"

namespace toq::ui {

namespace {

// The list font as the settings keep it: the face, the character height in pixels as a
// negative logical height, the weight and the italic flag.
ListFont listFontOf(const QFont& font, int dpi) {
  ListFont f;
  f.face = font.family();
  const int pixels = font.pixelSize() > 0
                         ? font.pixelSize()
                         : static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0));
  f.height = -pixels;
  f.weight = font.weight();
  f.italic = font.italic() ? 1 : 0;
  return f;
}

}  // namespace

void Commands::showRoundList() {
  reports::writeReport(reports::ReportKind::RoundList, ws_.table, ws_.players, ui_);
}

void Commands::showResults() {
  reports::writeReport(reports::ReportKind::Results, ws_.table, ws_.players, ui_);
}

void Commands::showStandings() {
  reports::writeReport(reports::ReportKind::Standings, ws_.table, ws_.players, ui_);
}

void Commands::showRatingData() {
  reports::writeReport(reports::ReportKind::Rating, ws_.table, ws_.players, ui_);
}

void Commands::tableFont() {
  QTableView* list = view_.list();
  QFontDialog dialog(list->font(), &window_);
  dialog.setWindowTitle(QStringLiteral("フォント"));
  if (dialog.exec() != QDialog::Accepted) return;
  const QFont chosen = dialog.selectedFont();
  const ListFont font = listFontOf(chosen, list->logicalDpiY());
  // The whole description chosen is the base of later list fonts.
  list->setFont(chosen);
  view_.applyListFont(font);
  settings_.setListFont(font);
  settings_.sync();
}

void Commands::copyCells() {
  const QString text = view_.model()->tabSeparated(view_.selectedLines());
  if (text.isEmpty()) return;
  QApplication::clipboard()->setText(text);
  ui_.statusMessage(text::format("選んだ %d 行をコピーしました。", view_.selectedLineCount()));
}

}  // namespace toq::ui
