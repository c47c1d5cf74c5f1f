#include "server/versions.h"

namespace toq::server {

Versions::Versions(int sections)
    : sections_(sections < 1 ? 1 : sections),
      section_(std::make_unique<std::atomic<std::uint64_t>[]>(static_cast<std::size_t>(sections_))),
      pending_(std::make_unique<std::atomic<bool>[]>(static_cast<std::size_t>(sections_))) {
  for (int s = 0; s < sections_; ++s) {
    section_[static_cast<std::size_t>(s)] = 1;
    pending_[static_cast<std::size_t>(s)] = false;
  }
}

std::uint64_t Versions::of(int channel) const {
  if (channel < 0 || channel >= sections_) return venue_.load();
  return section_[static_cast<std::size_t>(channel)].load();
}

void Versions::raise(int section) {
  if (section < 0 || section >= sections_) return;
  ++section_[static_cast<std::size_t>(section)];
  ++venue_;
  pending_[static_cast<std::size_t>(section)] = true;
}

void Versions::raiseAndAnnounce(int section) {
  raise(section);
  announcePending();
}

void Versions::announcePending() {
  for (int s = 0; s < sections_; ++s)
    if (pending_[static_cast<std::size_t>(s)].exchange(false)) announce(s);
}

void Versions::announce(int section) {
  if (announce_) announce_(Announcement{section, of(section), venue_.load()});
}

}  // namespace toq::server
