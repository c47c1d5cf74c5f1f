#pragma once
// EntriesDialog "申込一覧の取り込み": an entry list from a file or pasted cells (tab-separated,
// as a spreadsheet copies them), shown as it will be registered before anything is written:
// the rows, every refused line with its reason, the columns left unused, the rating of every
// grade found (editable), and whether the players also join the table.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/entry_sheet.h"
#include "data/grades.h"
#include "edit/entry_import.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace toq::ui {

class EntriesDialog : public QDialog {
  Q_OBJECT

 public:
  /// A sheet read and planned against the register, from the window.
  struct Preview {
    data::EntrySheet sheet;
    edit::EntryPlan plan;
  };
  using Planner = std::function<Preview(const std::string& bytes, const data::GradeTable&,
                                        const data::ColumnChoice&)>;
  /// The columns chosen by hand, remembered per header row.
  struct ColumnMemory {
    std::function<data::ColumnChoice(const std::vector<std::string>& headers)> recall;
    std::function<void(const std::vector<std::string>& headers, const data::ColumnChoice&)>
        remember;
  };

  /// What the user chose.
  struct Choice {
    edit::EntryPlan plan;
    bool participants = false;
    data::GradeTable grades;
  };

  EntriesDialog(Planner planner, data::GradeTable grades, ColumnMemory memory = {},
                QWidget* parent = nullptr);

  /// Reads the bytes of a file or of pasted text, and shows them as they will be registered.
  void load(const std::string& bytes);
  Choice choice() const;

  QTableWidget* rows() const { return rows_; }
  QListWidget* refused() const { return refused_; }
  QListWidget* merged() const { return merged_; }
  QTableWidget* gradeTable() const { return gradeTable_; }
  QPlainTextEdit* pasted() const { return pasted_; }
  QCheckBox* participants() const { return participants_; }
  QPushButton* columnsButton() const { return columnsButton_; }
  /// Opens the column chooser on the sheet shown; a choice reads the sheet again with it.
  void chooseColumns();

  /// Runs the dialog: the choice on 取り込む, none on キャンセル.
  static std::optional<Choice> ask(Planner planner, data::GradeTable grades, ColumnMemory memory,
                                   QWidget* parent);

 private:
  void chooseFile();
  void showPreview();
  void showGrades();
  void gradeEdited(int row, int column);

  Planner planner_;
  data::GradeTable grades_;
  ColumnMemory memory_;
  data::ColumnChoice columns_;
  std::vector<std::string> askedHeaders_;  ///< the header row the chooser opened for by itself
  std::string bytes_;
  Preview preview_;
  QLabel* source_ = nullptr;
  QLabel* summary_ = nullptr;
  QTableWidget* rows_ = nullptr;
  QListWidget* merged_ = nullptr;
  QListWidget* refused_ = nullptr;
  QTableWidget* gradeTable_ = nullptr;
  QPlainTextEdit* pasted_ = nullptr;
  QCheckBox* participants_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* columnsButton_ = nullptr;
  bool filling_ = false;  ///< the grade table is being filled: its edits are not the user's
};

}  // namespace toq::ui
