#pragma once
// The single-instance check: 32 slots "TOQ Instance1" to "TOQ Instance32", each a lock file
// held while the program runs. A lock left behind by a copy that crashed does not count.

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace toq::ui {

inline constexpr int kInstanceSlots = 32;

/// What a slot's lock file says of the copy that wrote it.
struct SlotLock {
  qint64 pid = 0;
  QString host;       ///< the machine it was written on (Windows: its NetBIOS name)
  QString program;    ///< the program ("toq"; Windows leaves out ".exe")
  QDateTime written;  ///< when, UTC
};

/// What a starting copy knows to judge a lock it finds.
struct SlotJudge {
  qint64 ownPid = 0;
  bool heldHere = false;  ///< this process holds that slot itself
  QString host;           ///< this machine, named as lock files name it
  QDateTime boot;         ///< when this machine started; invalid when unknown
  /// The program a process runs: nothing when none runs, empty when it cannot be told.
  std::function<std::optional<QString>(qint64)> processName;
};

/// True when the copy that wrote `lock` is gone: the lock names this very process without its
/// holding it (Windows hands a restarted program the number of one that crashed), a process
/// that no longer runs or runs another program, or it was written before the machine last
/// started. A lock written on another machine (a shared folder) always counts.
bool isStale(const SlotLock& lock, const SlotJudge& judge);

class InstanceSlots {
 public:
  /// Slots live as lock files in `folder` (by default the user's runtime folder).
  explicit InstanceSlots(QString folder = defaultFolder());
  ~InstanceSlots();

  /// Takes the first free slot: its number (1 to 32), or 0 when all are taken. The slot is
  /// held until this object is destroyed.
  int take();

  /// True when the program should warn that another copy runs (slot other than 1, or none).
  static bool secondCopy(int slot) { return slot != 1; }

  static QString defaultFolder();
  /// The lock file of a slot.
  QString slotFile(int slot) const;

 private:
  QString folder_;
  std::unique_ptr<QLockFile> held_;
  QString heldFile_;
};

}  // namespace toq::ui
