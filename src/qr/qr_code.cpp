#include "qr/qr_code.h"

#include <string>

#ifdef TOQ_HAVE_QRENCODE
#include <qrencode.h>
#endif

namespace toq::qr {

reports::print::QrModules encode(std::string_view utf8, Correction correction) {
  reports::print::QrModules modules;
#ifdef TOQ_HAVE_QRENCODE
  const std::string copy(utf8);
  QRcode* code = QRcode_encodeString(
      copy.c_str(), 0, correction == Correction::Low ? QR_ECLEVEL_L : QR_ECLEVEL_M, QR_MODE_8, 1);
  if (!code) return modules;
  modules.size = code->width;
  for (int i = 0; i < code->width * code->width; ++i)
    modules.dark.push_back(static_cast<std::uint8_t>(code->data[i] & 1));
  QRcode_free(code);
#else
  (void)utf8;
  (void)correction;
#endif
  return modules;
}

}  // namespace toq::qr
