// toq: the desktop program.
#include <QApplication>
#include <QFont>
#include <QIcon>

#include "ui/application.h"
#include "ui/print/paint/font_substitutes.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TOQ"));
  QApplication::setOrganizationName(QStringLiteral("Tamsorel"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/toq.png")));
  toq::ui::installFontSubstitutes();

  toq::ui::Application toqApp;
  QObject::connect(&toqApp, &toq::ui::Application::exited, &app, &QApplication::quit);
  const QStringList args = QApplication::arguments();
  toqApp.start(args.size() > 1 ? args.at(1) : QString());
  return QApplication::exec();
}
