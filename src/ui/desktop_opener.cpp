#include "ui/desktop_opener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace toq::ui {

void openWithDesktop(QObject* owner, const QString& file, std::function<void()> failed) {
#if defined(Q_OS_LINUX)
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (!opener.isEmpty()) {
    auto* process = new QProcess(owner);
    QObject::connect(process, &QProcess::finished, owner,
                     [process, failed](int code, QProcess::ExitStatus status) {
                       process->deleteLater();
                       if (status != QProcess::NormalExit || code != 0) failed();
                     });
    QObject::connect(process, &QProcess::errorOccurred, owner,
                     [process, failed](QProcess::ProcessError error) {
                       if (error != QProcess::FailedToStart) return;
                       process->deleteLater();
                       failed();
                     });
    process->start(opener, {QUrl::fromLocalFile(file).toString()});
    return;
  }
#else
  (void)owner;
#endif
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) failed();
}

}  // namespace toq::ui
