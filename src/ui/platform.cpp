#include "ui/platform.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSysInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace toq::ui::platform {

#ifdef Q_OS_WIN

QDateTime bootTime() {
  return QDateTime::currentDateTimeUtc().addMSecs(-static_cast<qint64>(GetTickCount64()));
}

QString machineName() {
  // Qt's lock files name the machine by its NetBIOS name (upper case, at most 15 characters),
  // not by the host name.
  return qEnvironmentVariable("COMPUTERNAME");
}

std::optional<QString> processName(qint64 pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (!process) {
    if (GetLastError() == ERROR_INVALID_PARAMETER) return std::nullopt;  // no such process
    return QString();
  }
  std::optional<QString> name = QString();
  DWORD code = 0;
  wchar_t path[MAX_PATH * 2];
  DWORD size = MAX_PATH * 2;
  if (GetExitCodeProcess(process, &code) && code != STILL_ACTIVE)
    name.reset();
  else if (QueryFullProcessImageNameW(process, 0, path, &size))
    name = QFileInfo(QString::fromWCharArray(path, static_cast<int>(size))).fileName();
  CloseHandle(process);
  return name;
}

QFont windowFont(const QFont& system) {
  const auto japanese = [](const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
  };
  if (japanese(QFontInfo(system).family())) return system;
  for (const char* face : {"Yu Gothic UI", "Meiryo UI", "MS UI Gothic", "IPAPGothic", "IPAGothic",
                           "Noto Sans CJK JP"}) {
    const QString family = QString::fromLatin1(face);
    if (!QFontDatabase::hasFamily(family) || !japanese(family)) continue;
    QFont font(system);
    font.setFamilies({family});
    return font;
  }
  return system;
}

#else

QDateTime bootTime() {
  QFile stat(QStringLiteral("/proc/stat"));
  if (!stat.open(QIODevice::ReadOnly)) return {};
  for (const QByteArray& line : stat.readAll().split('\n'))
    if (line.startsWith("btime ")) return QDateTime::fromSecsSinceEpoch(line.mid(6).toLongLong());
  return {};
}

QString machineName() {
  return QSysInfo::machineHostName();
}

std::optional<QString> processName(qint64 pid) {
  if (pid <= 0 || !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid))) return std::nullopt;
  // Another user's process hides its program: the name stays empty.
  return QFileInfo(QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget()).fileName();
}

QFont windowFont(const QFont& system) {
  // Fontconfig finds a Japanese face for each character the desktop's font lacks.
  return system;
}

#endif

}  // namespace toq::ui::platform
