#include "ui/qr_image.h"

#include <QPainter>

#ifdef TOQ_HAVE_QRENCODE
#include <qrencode.h>
#endif

namespace toq::ui {

QImage qrImage(const QString& text, int scale) {
#ifdef TOQ_HAVE_QRENCODE
  const QByteArray bytes = text.toUtf8();
  QRcode* code = QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
  if (!code) return {};
  constexpr int kQuiet = 4;  // modules of white around the code, as readers expect
  const int width = code->width;
  const int side = (width + 2 * kQuiet) * scale;
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (int y = 0; y < width; ++y)
    for (int x = 0; x < width; ++x)
      if (code->data[y * width + x] & 1)
        painter.fillRect((x + kQuiet) * scale, (y + kQuiet) * scale, scale, scale, Qt::black);
  painter.end();
  QRcode_free(code);
  return image;
#else
  (void)text;
  (void)scale;
  return {};
#endif
}

reports::print::QrModules qrModules(const QString& text) {
  reports::print::QrModules modules;
#ifdef TOQ_HAVE_QRENCODE
  const QByteArray bytes = text.toUtf8();
  QRcode* code = QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
  if (!code) return modules;
  modules.size = code->width;
  for (int i = 0; i < code->width * code->width; ++i) modules.dark.push_back(code->data[i] & 1);
  QRcode_free(code);
#else
  (void)text;
#endif
  return modules;
}

}  // namespace toq::ui
