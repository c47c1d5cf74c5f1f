#pragma once
// NewEventDialog "新規対戦表": the event's table file (typed, or chosen with "参照..." in a save
// dialog that starts in the user's documents folder), the number of games (1 to 32) and
// whether the current register is kept. The same dialog, with the file alone, names the files
// of an event that was built before any file was named. With a commit function, OK runs it and
// the dialog closes only when it succeeded: a failed save keeps the input and says so.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

#include "edit/new_event.h"
#include "services/services.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace toq::ui {

class NewEventDialog : public QDialog {
  Q_OBJECT

 public:
  /// What the dialog is for: a new, empty event, or the files of the event in memory.
  enum class Purpose { NewEvent, NameEventFile };
  /// Asks for the file's name in the platform's save dialog, starting from `start` (a folder
  /// or a file); empty on キャンセル.
  using FileChooser = std::function<QString(QWidget* parent, const QString& start)>;
  /// Makes the event's files from the choice (OK); a Declined stop closes the dialog as
  /// キャンセル does, any other failure keeps it open.
  using Commit = std::function<edit::Outcome(const edit::NewEventChoice&)>;

  NewEventDialog(services::Services& ui, Purpose purpose = Purpose::NewEvent,
                 QWidget* parent = nullptr, const edit::NewEventChoice& initial = {});

  /// The choice as it stands; a relative file name is taken in the documents folder.
  edit::NewEventChoice choice() const;

  /// Replaces the save dialog (tests).
  void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
  void setCommit(Commit commit) { commit_ = std::move(commit); }

  QLineEdit* fileEdit() const { return file_; }
  QPushButton* browseButton() const { return browse_; }
  QSpinBox* gamesBox() const { return games_; }
  QRadioButton* keepButton() const { return keep_; }
  QRadioButton* emptyButton() const { return empty_; }
  QPushButton* okButton() const { return ok_; }
  /// Where the file goes, shortened in the middle (the full path is its tooltip).
  QLabel* pathLabel() const { return path_; }
  /// What went wrong with the last OK; hidden until then.
  QLabel* failureLabel() const { return failure_; }

  /// Asks before replacing a file typed by hand (the save dialog asks for a chosen one).
  void accept() override;

  /// Runs the dialog: the choice on OK, none on キャンセル.
  static std::optional<edit::NewEventChoice> ask(services::Services& ui, Purpose purpose,
                                                 QWidget* parent,
                                                 const edit::NewEventChoice& initial = {},
                                                 Commit commit = {});

  /// Where a new event's file goes unless the user says otherwise: the documents folder,
  /// made when it is missing; the home folder when it cannot be made.
  static QString documentsFolder();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The parts of the dialog: the file and games fields, the register's choice, the tab order.
  QGridLayout* fields(const edit::NewEventChoice& initial, QLabel*& gamesLabel);
  QGroupBox* registerChoice(bool keep);
  void orderTabs(QPushButton* cancel);
  void browse();
  void updateOk();
  void updatePath();

  services::Services& ui_;
  FileChooser chooseFile_;
  QLineEdit* file_ = nullptr;
  QPushButton* browse_ = nullptr;
  QSpinBox* games_ = nullptr;
  QRadioButton* keep_ = nullptr;
  QRadioButton* empty_ = nullptr;
  QPushButton* ok_ = nullptr;
  QLabel* path_ = nullptr;
  QLabel* failure_ = nullptr;
  Commit commit_;
  QString confirmed_;  ///< the file the save dialog already asked about
};

}  // namespace toq::ui
