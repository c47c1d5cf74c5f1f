#pragma once
// A Qt GUI application object for a program that has none of its own (toq-cli), so that
// fonts and PDF output work. It needs no display: unless QT_QPA_PLATFORM names a platform,
// the offscreen one is used (on Windows, Windows' own). Qt's own notes and warnings (a missing
// runtime folder and the like) are kept off the program's error stream while the session lives.

#include <QGuiApplication>
#include <memory>

namespace toq::print_qt {

class GuiSession {
 public:
  /// Creates the application object unless one exists already; installs the font
  /// substitutes either way.
  GuiSession();
  ~GuiSession();
  GuiSession(const GuiSession&) = delete;
  GuiSession& operator=(const GuiSession&) = delete;

  /// True when this session created the application object.
  bool ownsApplication() const { return app_ != nullptr; }

 private:
  // QGuiApplication keeps references to the argument count and vector for its whole life.
  int argc_ = 0;
  char program_[8] = "toq-cli";
  char platformOption_[10] = "-platform";
  char platform_[10] = "offscreen";
  char* argv_[4] = {};
  std::unique_ptr<QGuiApplication> app_;
};

}  // namespace toq::print_qt
