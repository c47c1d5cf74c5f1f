#include "ui/instance_slots.h"

#include <QDir>
#include <QStandardPaths>

namespace toq::ui {

InstanceSlots::InstanceSlots(QString folder) : folder_(std::move(folder)) {}

QString InstanceSlots::defaultFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return folder;
}

QString InstanceSlots::slotFile(int slot) const {
  return QDir(folder_).filePath(QString("%1 Instance%2.lock").arg("TOQ").arg(slot));
}

int InstanceSlots::take() {
  QDir().mkpath(folder_);
  for (int slot = 1; slot <= kInstanceSlots; ++slot) {
    auto lock = std::make_unique<QLockFile>(slotFile(slot));
    // Held for the whole run: never stale by age, only when its process is gone.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
      held_ = std::move(lock);
      return slot;
    }
  }
  return 0;
}

}  // namespace toq::ui
