#include "cli/serve_support.h"

#include <utility>

#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>

#include <csignal>
#include <string>

#ifdef TOQ_HAVE_QRENCODE
#include <qrencode.h>
#endif

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

reports::print::QrModules qrModules(std::string_view text) {
  reports::print::QrModules modules;
#ifdef TOQ_HAVE_QRENCODE
  const std::string copy(text);
  QRcode* code = QRcode_encodeString(copy.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
  if (!code) return modules;
  modules.size = code->width;
  for (int i = 0; i < code->width * code->width; ++i) modules.dark.push_back(code->data[i] & 1);
  QRcode_free(code);
#else
  (void)text;
#endif
  return modules;
}

std::string terminalQrCode(std::string_view text, bool colours) {
#ifdef TOQ_HAVE_QRENCODE
  const std::string copy(text);
  QRcode* code = QRcode_encodeString(copy.c_str(), 0, QR_ECLEVEL_L, QR_MODE_8, 1);
  if (!code) return {};
  const int size = code->width;
  // Four light modules around the code, as readers expect.
  constexpr int kQuiet = 4;
  auto dark = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= size || y >= size) return false;
    return (code->data[y * size + x] & 1) != 0;
  };
  // Each character holds two modules, one above the other. Light modules are drawn, dark ones
  // left blank: on a dark terminal (or with the colour escapes) the code reads as printed.
  static constexpr const char* kGlyphs[4] = {"█", "▀", "▄", " "};
  std::string out;
  for (int y = -kQuiet; y < size + kQuiet; y += 2) {
    if (colours) out += "\x1b[97;40m";
    for (int x = -kQuiet; x < size + kQuiet; ++x)
      out += kGlyphs[(dark(x, y) ? 2 : 0) + (dark(x, y + 1) ? 1 : 0)];
    if (colours) out += "\x1b[0m";
    out += '\n';
  }
  QRcode_free(code);
  return out;
#else
  (void)text;
  (void)colours;
  return {};
#endif
}

}  // namespace toq::cli
