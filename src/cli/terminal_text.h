#pragma once
// What toq-cli prints never drives the terminal: a control character that reached a file
// anyway (an old file, a name typed before names were checked) is written as "\xNN".

#include <ostream>
#include <streambuf>

namespace toq::cli {

/// A stream buffer in front of another that writes every control character of the UTF-8 text
/// passing through it (C0 but line feed and tab, DEL, C1) as "\xNN".
class ControlEscapingBuffer : public std::streambuf {
 public:
  explicit ControlEscapingBuffer(std::streambuf* target) : target_(target) {}
  ~ControlEscapingBuffer() override;

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  void put(unsigned char byte);
  void escape(unsigned char byte);

  std::streambuf* target_;
  bool heldLead_ = false;  ///< a 0xC2 waiting for its second byte (C1 or not)
};

/// A stream that writes through a ControlEscapingBuffer into `target`.
class ControlEscapingStream : public std::ostream {
 public:
  explicit ControlEscapingStream(std::ostream& target)
      : std::ostream(nullptr), target_(target), buffer_(target.rdbuf()) {
    rdbuf(&buffer_);
  }
  /// The stream behind the filter.
  std::ostream& target() { return target_; }

 private:
  std::ostream& target_;
  ControlEscapingBuffer buffer_;
};

/// The stream behind a ControlEscapingStream, for the program's own escapes (the colours of
/// a QR code on the terminal); any other stream as it is.
std::ostream& unfiltered(std::ostream& out);

}  // namespace toq::cli
