#pragma once
// PlayerDialog: a player's name, short name, professional flag, rating and affiliation, for a new
// registration ("参加者の新規登録") or an edit ("棋士データの編集").

#include <QDialog>
#include <optional>

#include "edit/players.h"
#include "services/services.h"

class QCheckBox;
class QLineEdit;

namespace toq::ui {

class PlayerDialog : public QDialog {
  Q_OBJECT

 public:
  /// The dialog over a form; a form with a name is an edit.
  PlayerDialog(const edit::PlayerForm& form, services::Services& ui, QWidget* parent = nullptr);

  /// The fields as the controls hold them (the rating as accepted by OK).
  edit::PlayerForm form() const;

  QLineEdit* nameEdit() const { return name_; }
  QLineEdit* shortNameEdit() const { return shortName_; }
  QCheckBox* professionalBox() const { return professional_; }
  QLineEdit* ratingEdit() const { return rating_; }
  QLineEdit* affiliationEdit() const { return affiliation_; }

  /// Closes only when every field is valid; otherwise says why and stays open.
  void accept() override;

  /// Runs the dialog: the form on OK, none on キャンセル.
  static std::optional<edit::PlayerForm> ask(const edit::PlayerForm& form, services::Services& ui,
                                             QWidget* parent);

 private:
  /// Says why a field is refused and puts the focus on it.
  void refuse(QLineEdit* field, const QString& message);

  services::Services& ui_;
  QLineEdit* name_ = nullptr;
  QLineEdit* shortName_ = nullptr;
  QCheckBox* professional_ = nullptr;
  QLineEdit* rating_ = nullptr;
  QLineEdit* affiliation_ = nullptr;
  int acceptedRating_ = 0;
};

}  // namespace toq::ui
