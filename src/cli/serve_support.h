#pragma once
// What `toq-cli serve` needs around the server: the stop signal and the QR code.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace toq::cli {

/// Tables `toq-cli serve` serves at once, one section of the venue each.
inline constexpr std::size_t kMaxServedSections = 16;

/// Catches Ctrl+C and SIGTERM from the moment it is made, until it is destroyed; wait()
/// returns once one of them has arrived (at once when one came before).
class StopSignal {
 public:
  StopSignal();
  ~StopSignal();
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;
  void wait();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

/// The text as a QR code drawn with block characters for a terminal, a quiet zone around it;
/// `colours` adds the escapes that draw it black on white whatever the terminal's colours.
/// Empty when this build has no QR encoder (the Windows build) or the text does not fit.
std::string terminalQrCode(std::string_view text, bool colours);

}  // namespace toq::cli
