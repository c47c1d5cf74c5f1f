#pragma once
// The venue's versions: one per section and one for the whole venue, each raised by one for
// every change, and the announcements of new ones, made once the change's sender has its
// answer. A page follows one channel: its section's version, or the venue's (the pages at
// paths without /t/N/ while several sections are served). With one section both are one.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

namespace toq::server {

/// The channel of the pages that follow every section (the venue's own pages).
inline constexpr int kVenueChannel = -1;

/// A new version of a section, for the event streams: those that follow the section hear
/// `section`'s version, those that follow the venue hear `venue`.
struct Announcement {
  int section = 0;
  std::uint64_t sectionVersion = 0;
  std::uint64_t venueVersion = 0;
};

class Versions {
 public:
  explicit Versions(int sections);

  /// The version of a channel: a 0-based section or kVenueChannel.
  std::uint64_t of(int channel) const;

  /// A section changed: its version and the venue's go up by one. The announcement waits for
  /// announcePending(), so that the pages hear of it after the sender has its answer.
  void raise(int section);
  /// The same, announced at once (a change the host made itself).
  void raiseAndAnnounce(int section);
  /// Announces every section raised since the last call; from the owner's thread, after a
  /// job's answer was handed over.
  void announcePending();

  /// How a new version reaches the event streams; set once, before requests arrive.
  void setAnnouncer(std::function<void(const Announcement&)> announce) {
    announce_ = std::move(announce);
  }

 private:
  void announce(int section);

  int sections_;
  std::unique_ptr<std::atomic<std::uint64_t>[]> section_;
  std::unique_ptr<std::atomic<bool>[]> pending_;
  std::atomic<std::uint64_t> venue_{1};
  std::function<void(const Announcement&)> announce_;
};

}  // namespace toq::server
