#pragma once
// The single-instance check: 32 slots "TOQ Instance1" to "TOQ Instance32", each a lock file
// held while the program runs. A lock left behind by a copy that crashed does not count.

#include <QLockFile>
#include <QString>
#include <memory>

namespace toq::ui {

inline constexpr int kInstanceSlots = 32;

class InstanceSlots {
 public:
  /// Slots live as lock files in `folder` (by default the user's runtime folder).
  explicit InstanceSlots(QString folder = defaultFolder());

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
};

}  // namespace toq::ui
