#include "ui/failure_log.h"

#include <QDateTime>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "services/program_directory.h"
#include "ui/qt_text.h"

namespace toq::ui {

std::filesystem::path failureLogPath() {
  const std::filesystem::path folder = services::userDataDirectory();
  return folder.empty() ? folder : folder / kFailureLogName;
}

void logFailure(const QString& text) {
  const QString line =
      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss ")) + text;
  const QByteArray utf8 = line.toUtf8();
  std::fprintf(stderr, "%s\n", utf8.constData());
  std::fflush(stderr);
  const std::filesystem::path file = failureLogPath();
  if (file.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::app | std::ios::binary);
  if (out) out << utf8.constData() << '\n';
}

}  // namespace toq::ui
