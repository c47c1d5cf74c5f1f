#pragma once
// ExplanationDialog "組み合わせの説明": the core's explanation of a paired round as read-only
// text, a chooser of the paired rounds (the latest first shown), and buttons to copy it all,
// to save it as a UTF-8 text file, and to close. Given a row, it shows that row's board only.

#include <QDialog>
#include <QHash>
#include <optional>

#include "data/register.h"
#include "data/table.h"
#include "services/services.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace toq::ui {

class ExplanationDialog : public QDialog {
  Q_OBJECT

 public:
  /// Explains the table's paired rounds, `round` first when it is one of them (else the
  /// latest); with `row`, only that row's part of each round. The table and the register must
  /// outlive the dialog and stay unchanged while it is open.
  ExplanationDialog(const data::Table& table, const data::Register& players, services::Services& ui,
                    QWidget* parent = nullptr, std::optional<int> row = std::nullopt,
                    std::optional<int> round = std::nullopt);

  QComboBox* roundChooser() const { return rounds_; }
  QPlainTextEdit* textView() const { return view_; }
  /// The 0-based round shown, or -1 when the table has no paired round.
  int round() const;
  /// The text shown.
  QString text() const;

  /// Puts the whole text on the clipboard.
  void copyAll();
  /// Writes the text shown to a file as UTF-8; false after an error message.
  bool saveTo(const QString& fileName);

 private:
  void showRound(int index);
  void save();

  const data::Table& table_;
  const data::Register& players_;
  services::Services& ui_;
  std::optional<int> row_;
  QHash<int, QString> texts_;  ///< explanations already made, by round
  QComboBox* rounds_ = nullptr;
  QPlainTextEdit* view_ = nullptr;
};

}  // namespace toq::ui
