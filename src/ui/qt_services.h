#pragma once
// The user-interface services on Qt: message boxes owned by the main window, the status bar's
// message pane, questions, sounds and the desktop's viewer.

#include <QPointer>
#include <QString>
#include <functional>

#include "services/services.h"

class QMainWindow;

namespace toq::ui {

class QtServices : public services::Services {
 public:
  /// The main window, once it exists: it owns the boxes and holds the status bar.
  void setMainWindow(QMainWindow* window) { window_ = window; }
  QMainWindow* mainWindow() const { return window_; }
  /// How the usual window title is restored after the repeated test showed its progress.
  void setTitleRestorer(std::function<void()> restore) { restoreTitle_ = std::move(restore); }

  void errorBox(std::string_view text, std::string_view caption) override;
  void warningBox(std::string_view text, std::string_view caption) override;
  void informationBox(std::string_view text, std::string_view caption) override;
  void statusMessage(std::string_view text) override;
  /// The message the status bar shows now (its message pane's, when the window has one).
  QString shownStatus() const;
  bool askYesNo(std::string_view text, std::string_view caption) override;
  bool askYesNoDefaultNo(std::string_view text, std::string_view caption) override;
  Answer askYesNoCancel(std::string_view text, std::string_view caption) override;
  void questionSound() override;
  void defaultSound() override;
  int openWithViewer(const std::filesystem::path& file) override;
  void processEvents() override;
  void setWindowTitle(std::string_view title) override;

 private:
  bool ask(std::string_view text, std::string_view caption, bool defaultYes);
  /// A box with one OK button; `icon` a QMessageBox::Icon.
  void messageBox(int icon, std::string_view text, std::string_view caption);

  QPointer<QMainWindow> window_;
  bool viewerMissing_ = false;  ///< the desktop could not start a viewer once: not tried again
  std::function<void()> restoreTitle_;
};

}  // namespace toq::ui
