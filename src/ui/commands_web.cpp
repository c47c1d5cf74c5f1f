// "Webページの保存(&W)...": the event as one web page, by default TABLE.html beside the table.
#include <QFileDialog>
#include <QStringList>

#include "reports/report_files.h"
#include "reports/web_page.h"
#include "reports/web_texts.h"
#include "text/format.h"
#include "text/paths.h"
#include "ui/commands.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace toq::ui {

void Commands::saveWebPage() {
  namespace texts = reports::web_texts;
  QFileDialog dialog(&window_, fromUtf8(texts::kSaveDialogTitle));
  dialog.setObjectName(QStringLiteral("webPageDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(fromUtf8(texts::kSaveDialogFilter).split(QStringLiteral(";;")));
  dialog.setDefaultSuffix(QStringLiteral("html"));
  if (const std::filesystem::path suggested = reports::webPagePath(ws_.table); !suggested.empty()) {
    dialog.setDirectory(fromPath(suggested.parent_path()));
    dialog.selectFile(fromPath(suggested));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const std::filesystem::path target = toPath(dialog.selectedFiles().front());
  // The page reads the table as the window shows it; a failure has shown its own message.
  if (reports::writeWebPage(ws_.table, ws_.players, target, ui_) == reports::kReportShown)
    ui_.statusMessage(text::format(texts::kSaved, text::pathToUtf8(target).c_str()));
}

}  // namespace toq::ui
