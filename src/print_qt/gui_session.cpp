#include "print_qt/gui_session.h"

#include <QtGlobal>

#include "print_qt/font_substitutes.h"

namespace toq::print_qt {

namespace {

// The handler that was there before the session's own.
QtMessageHandler previous = nullptr;

void criticalOnly(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if ((type == QtCriticalMsg || type == QtFatalMsg) && previous) previous(type, context, message);
}

}  // namespace

GuiSession::GuiSession() {
  if (!QCoreApplication::instance()) {
    previous = qInstallMessageHandler(criticalOnly);
    argv_[argc_++] = program_;
    // Windows' own platform needs no display, and its font database is the one that finds
    // the fonts for the PDF (the offscreen platform's finds none there).
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
      argv_[argc_++] = platformOption_;
      argv_[argc_++] = platform_;
    }
#endif
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  installFontSubstitutes();
}

GuiSession::~GuiSession() {
  if (app_) {
    app_.reset();
    qInstallMessageHandler(previous);
  }
}

}  // namespace toq::print_qt
