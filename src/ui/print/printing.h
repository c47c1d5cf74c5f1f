#pragma once
// The window's printing: the print dialog, the print preview, the printer setup and the PDF,
// all with one printer that keeps the user's setup for the program run.

#include <QObject>
#include <QPrinter>
#include <QString>
#include <filesystem>
#include <memory>

#include "data/register.h"
#include "data/table.h"
#include "reports/print/layout.h"
#include "reports/print/measures.h"
#include "reports/print/slips.h"
#include "reports/standings_list.h"
#include "services/services.h"

class QWidget;

namespace toq::ui::print {

/// What the window prints now.
struct PrintRequest {
  reports::print::Layout layout = reports::print::Layout::Grid;
  const data::Table* table = nullptr;
  const data::Register* players = nullptr;
  std::string documentTitle;  ///< CP932
  reports::print::ScreenResolution screen;
  std::filesystem::path suggestedPdf;           ///< where "PDFに保存..." proposes to write
  std::vector<reports::print::SlipCard> slips;  ///< the result slips (Layout::Slips)
  reports::StandingsList standings;             ///< the places (Layout::Standings)
  std::string standingsCaption;                 ///< UTF-8: what the standings are
};

class Printing : public QObject {
  Q_OBJECT

 public:
  /// The window owns the printing, which owns the printer.
  Printing(QWidget* window, services::Services& ui);
  ~Printing() override;

  /// "印刷(&P)...": the print dialog, then the pages it asks for.
  void print(const PrintRequest& request);
  /// "印刷プレビュー(&V)": the pages on the screen, from where they can be printed.
  void preview(const PrintRequest& request);
  /// "プリンタの設定(&R)...": paper, orientation and margins for what is printed later.
  void setup();
  /// "PDFに保存...": asks for a file name and writes the PDF.
  void savePdf(const PrintRequest& request);

  /// Draws the request's pages on a printer (the pages its range asks for); returns how many.
  int printOn(QPrinter& printer, const PrintRequest& request);
  /// Writes the request's PDF without asking: 0, or -2 after an error box.
  int writePdf(const std::filesystem::path& path, const PrintRequest& request);

  /// The printer every command uses, with the user's setup.
  QPrinter& printer() { return *printer_; }

 private:
  QWidget* window_;
  services::Services& ui_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace toq::ui::print
