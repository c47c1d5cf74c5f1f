#include "cli/terminal_text.h"

namespace toq::cli {

namespace {

constexpr unsigned char kC1Lead = 0xC2;  // U+0080..U+00BF begin with it in UTF-8

bool isC0OrDel(unsigned char byte) {
  return (byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F;
}

}  // namespace

ControlEscapingBuffer::~ControlEscapingBuffer() {
  if (heldLead_) target_->sputc(static_cast<char>(kC1Lead));
  target_->pubsync();
}

void ControlEscapingBuffer::escape(unsigned char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const char text[] = {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
  target_->sputn(text, sizeof text);
}

void ControlEscapingBuffer::put(unsigned char byte) {
  if (heldLead_) {
    heldLead_ = false;
    // U+0080..U+009F: the C1 controls, named by their code.
    if (byte >= 0x80 && byte <= 0x9F) return escape(byte);
    target_->sputc(static_cast<char>(kC1Lead));
  }
  if (byte == kC1Lead) {
    heldLead_ = true;
    return;
  }
  if (isC0OrDel(byte)) return escape(byte);
  target_->sputc(static_cast<char>(byte));
}

ControlEscapingBuffer::int_type ControlEscapingBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  put(static_cast<unsigned char>(traits_type::to_char_type(c)));
  return c;
}

int ControlEscapingBuffer::sync() {
  return target_->pubsync();
}

std::ostream& unfiltered(std::ostream& out) {
  auto* filtered = dynamic_cast<ControlEscapingStream*>(&out);
  return filtered ? filtered->target() : out;
}

}  // namespace toq::cli
