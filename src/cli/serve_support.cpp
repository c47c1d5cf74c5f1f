#include "cli/serve_support.h"

#include <utility>

#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>

#include <csignal>
#include <string>

#include "qr/qr_code.h"

namespace toq::cli {

struct StopSignal::Impl {
  boost::asio::io_context context;
  boost::asio::signal_set signals{context, SIGINT, SIGTERM};
  bool arrived = false;
};

StopSignal::StopSignal() : impl_(std::make_unique<Impl>()) {
  impl_->signals.async_wait([this](const boost::system::error_code& ec, int) {
    if (!ec) impl_->arrived = true;
  });
}

StopSignal::~StopSignal() = default;

void StopSignal::wait() {
  while (!impl_->arrived) {
    impl_->context.run_one();
  }
}

std::string terminalQrCode(std::string_view text, bool colours) {
  const reports::print::QrModules code = qr::encode(text, qr::Correction::Low);
  if (code.size == 0) return {};
  // Four light modules around the code, as readers expect.
  constexpr int kQuiet = 4;
  auto dark = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < code.size && y < code.size && code.at(x, y);
  };
  // Each character holds two modules, one above the other. Light modules are drawn, dark ones
  // left blank: on a dark terminal (or with the colour escapes) the code reads as printed.
  static constexpr const char* kGlyphs[4] = {"█", "▀", "▄", " "};
  std::string out;
  for (int y = -kQuiet; y < code.size + kQuiet; y += 2) {
    if (colours) out += "\x1b[97;40m";
    for (int x = -kQuiet; x < code.size + kQuiet; ++x)
      out += kGlyphs[(dark(x, y) ? 2 : 0) + (dark(x, y + 1) ? 1 : 0)];
    if (colours) out += "\x1b[0m";
    out += '\n';
  }
  return out;
}

}  // namespace toq::cli
