#pragma once
// NewEventDialog "新規対戦表": the event's table file (typed, or chosen with "参照..." in a save
// dialog that starts in the user's documents folder), the number of games (1 to 32) and
// whether the current register is kept. The same dialog, with the file alone, names the files
// of an event that was built before any file was named.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

#include "edit/new_event.h"
#include "services/services.h"

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

  NewEventDialog(services::Services& ui, Purpose purpose = Purpose::NewEvent,
                 QWidget* parent = nullptr, const edit::NewEventChoice& initial = {});

  /// The choice as it stands; a relative file name is taken in the documents folder.
  edit::NewEventChoice choice() const;

  /// Replaces the save dialog (tests).
  void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

  QLineEdit* fileEdit() const { return file_; }
  QPushButton* browseButton() const { return browse_; }
  QSpinBox* gamesBox() const { return games_; }
  QRadioButton* keepButton() const { return keep_; }
  QRadioButton* emptyButton() const { return empty_; }
  QPushButton* okButton() const { return ok_; }

  /// Asks before replacing a file typed by hand (the save dialog asks for a chosen one).
  void accept() override;

  /// Runs the dialog: the choice on OK, none on キャンセル.
  static std::optional<edit::NewEventChoice> ask(services::Services& ui, Purpose purpose,
                                                 QWidget* parent,
                                                 const edit::NewEventChoice& initial = {});

  /// Where a new event's file goes unless the user says otherwise.
  static QString documentsFolder();

 private:
  void browse();
  void updateOk();

  services::Services& ui_;
  FileChooser chooseFile_;
  QLineEdit* file_ = nullptr;
  QPushButton* browse_ = nullptr;
  QSpinBox* games_ = nullptr;
  QRadioButton* keep_ = nullptr;
  QRadioButton* empty_ = nullptr;
  QPushButton* ok_ = nullptr;
  QString confirmed_;  ///< the file the save dialog already asked about
};

}  // namespace toq::ui
