#include "ui/instance_slots.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include "ui/platform.h"

namespace toq::ui {

namespace {

// The slot files held in this process (the tests run several copies in one process).
QSet<QString>& heldInThisProcess() {
  static QSet<QString> held;
  return held;
}

// Windows' names ignore case, and its lock files name a program without ".exe" ("toq").
bool sameName(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
  return a.compare(b, Qt::CaseInsensitive) == 0;
#else
  return a == b;
#endif
}

bool sameProgram(QString running, QString locked) {
#ifdef Q_OS_WIN
  for (QString* name : {&running, &locked})
    if (name->endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) name->chop(4);
#endif
  return sameName(running, locked);
}

// Removes the lock file of a copy that is gone, so that the slot can be taken.
void clearStale(const QString& file) {
  QLockFile probe(file);
  SlotLock lock;
  if (!probe.getLockInfo(&lock.pid, &lock.host, &lock.program)) return;
  lock.written = QFileInfo(file).lastModified().toUTC();
  SlotJudge judge;
  judge.ownPid = QCoreApplication::applicationPid();
  judge.heldHere = heldInThisProcess().contains(file);
  judge.host = platform::machineName();
  judge.boot = platform::bootTime();
  judge.processName = platform::processName;
  if (isStale(lock, judge)) QFile::remove(file);
}

}  // namespace

bool isStale(const SlotLock& lock, const SlotJudge& judge) {
  if (!lock.host.isEmpty() && !sameName(lock.host, judge.host)) return false;
  if (lock.written.isValid() && judge.boot.isValid() && lock.written < judge.boot) return true;
  if (lock.pid == judge.ownPid) return !judge.heldHere;
  const std::optional<QString> running = judge.processName(lock.pid);
  if (!running) return true;
  if (running->isEmpty() || lock.program.isEmpty()) return false;
  return !sameProgram(*running, QFileInfo(lock.program).fileName());
}

InstanceSlots::InstanceSlots(QString folder) : folder_(std::move(folder)) {}

InstanceSlots::~InstanceSlots() {
  if (held_) heldInThisProcess().remove(heldFile_);
}

QString InstanceSlots::defaultFolder() {
#ifdef Q_OS_WIN
  // Windows' runtime location is the user's home folder: the user's temporary folder instead.
  QString folder;
#else
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
#endif
  if (folder.isEmpty()) folder = QDir::tempPath();
  return folder;
}

QString InstanceSlots::slotFile(int slot) const {
  return QDir(folder_).filePath(QString("%1 Instance%2.lock").arg("TOQ").arg(slot));
}

int InstanceSlots::take() {
  QDir().mkpath(folder_);
  for (int slot = 1; slot <= kInstanceSlots; ++slot) {
    const QString file = slotFile(slot);
    clearStale(file);
    auto lock = std::make_unique<QLockFile>(file);
    // Held for the whole run: never stale by age, only when its process is gone.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
      held_ = std::move(lock);
      heldFile_ = file;
      heldInThisProcess().insert(file);
      return slot;
    }
  }
  return 0;
}

}  // namespace toq::ui
