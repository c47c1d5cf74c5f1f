#include "ui/support/cli_replay.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

namespace toq::testing {

QString replayWithCli(const QStringList& calls, const QString& folder) {
  const QString program = QCoreApplication::applicationDirPath() + "/toq-cli";
  if (!QFile::exists(program)) return QStringLiteral("toq-cli is not built beside the tests");
  for (const QString& line : calls) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, line.split('\t'));
    if (!p.waitForFinished(60000)) return line + QStringLiteral(": no end within a minute");
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
      return line + ": " + QString::fromUtf8(p.readAllStandardError());
  }
  return {};
}

std::string withoutPathLine(const std::string& file) {
  const std::size_t first = file.find('\n');
  const std::size_t second = file.find('\n', first + 1);
  return file.substr(0, first + 1) + file.substr(second + 1);
}

}  // namespace toq::testing
