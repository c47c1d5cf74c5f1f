#pragma once
// Driving the modal dialogs and popup menus that a command opens: the test says beforehand what
// to do with the next one, the command runs, and the event loop of the dialog hands it over.

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace toq::testing {

/// The push button of a dialog with this text, or null.
inline QPushButton* button(QWidget* dialog, const QString& text) {
  for (QPushButton* b : dialog->findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

/// Waits, in whatever event loop runs, for the next modal dialog of a type (or popup menu) and
/// hands it to an action, which must close it. Stops waiting when destroyed.
class Await {
 public:
  /// The next modal dialog of type T.
  template <class T>
  static std::unique_ptr<Await> dialog(std::function<void(T*)> act) {
    return std::unique_ptr<Await>(new Await([act]() {
      auto* d = qobject_cast<T*>(QApplication::activeModalWidget());
      if (!d || !d->isVisible()) return false;
      act(d);
      return true;
    }));
  }
  /// The next popup menu.
  static std::unique_ptr<Await> popup(std::function<void(QMenu*)> act);

  /// True once the dialog came and was handed over.
  bool handled() const { return handled_; }

 private:
  explicit Await(std::function<bool()> probe);

  QTimer timer_;
  bool handled_ = false;
};

/// The texts of a menu's entries in order, a separator as "-".
QStringList entryTexts(const QMenu* menu);
/// Chooses the entry with that text as the keyboard does (the menu closes); false when the menu
/// has no such enabled entry (the menu is then closed without a choice).
bool chooseEntry(QMenu* menu, const QString& text);

}  // namespace toq::testing
