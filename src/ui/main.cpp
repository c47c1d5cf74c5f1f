// toq: the desktop program.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "print_qt/font_substitutes.h"
#include "ui/application.h"
#include "ui/platform.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TOQ"));
  QApplication::setOrganizationName(QStringLiteral("Tamsorel"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/toq.png")));
  toq::print_qt::installFontSubstitutes();
  QApplication::setFont(toq::ui::platform::windowFont(QApplication::font()));
  // Qt's own dialogs (files, fonts, printing) speak Japanese where the translations are there.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);

  toq::ui::Application toqApp;
  QObject::connect(&toqApp, &toq::ui::Application::exited, &app, &QApplication::quit);
  const QStringList args = QApplication::arguments();
  toqApp.start(args.size() > 1 ? args.at(1) : QString());
  return QApplication::exec();
}
