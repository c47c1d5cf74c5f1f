#pragma once
// ReceptionDialog "受付": the queue at the door. A search field matches any part of a name or
// short name as it is typed; Enter or a double click adds the selected player; "当日参加"
// registers a walk-in and adds them. The list comes from the core and every arrival is handed
// to the window's commands, which pass the edit layer's door; the list follows arrivals from
// the phones as the window announces each change (and every second besides).

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "edit/players.h"
#include "edit/reception.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QTimer;

namespace toq::ui {

class ReceptionDialog : public QDialog {
  Q_OBJECT

 public:
  /// What the dialog asks of the window.
  struct Hooks {
    /// The list for a search text (UTF-8) and the count line.
    std::function<std::vector<edit::ReceptionLine>(const std::string&)> list;
    std::function<std::string()> count;
    /// Adds an arrival / a walk-in through the door; the outcome says what happened.
    std::function<edit::Outcome(const edit::ReceptionLine&)> receive;
    std::function<edit::Outcome(const edit::PlayerForm&)> walkIn;
    /// Takes back the latest check-in (Ctrl+Z): the name taken back (UTF-8), or none when the
    /// latest change was not a check-in.
    std::function<std::optional<std::string>()> undoArrival;
  };

  ReceptionDialog(Hooks hooks, QWidget* parent = nullptr);

  QLineEdit* search() const { return search_; }
  QListWidget* list() const { return list_; }
  QLabel* countLine() const { return count_; }
  QLabel* lastArrival() const { return last_; }

  /// Reads the list and the count again, keeping the selected player.
  void refresh();
  /// Adds the selected player (Enter, a double click).
  void receiveSelected();
  /// Asks for a walk-in's name and rating or grade, and adds them.
  void walkIn();
  /// Takes back the latest check-in (Ctrl+Z in the reception).
  void undoArrival();

 private:
  Hooks hooks_;
  QLineEdit* search_ = nullptr;
  QListWidget* list_ = nullptr;
  QLabel* count_ = nullptr;
  QLabel* last_ = nullptr;
  QTimer* timer_ = nullptr;
  std::vector<edit::ReceptionLine> lines_;
};

}  // namespace toq::ui
