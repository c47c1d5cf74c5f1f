#include "ui/qr_image.h"

#include <QPainter>

#include "qr/qr_code.h"

namespace toq::ui {

QImage qrImage(const QString& text, int scale) {
  const QByteArray bytes = text.toUtf8();
  const reports::print::QrModules code =
      qr::encode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (code.size == 0) return {};
  constexpr int kQuiet = 4;  // modules of white around the code, as readers expect
  const int side = (code.size + 2 * kQuiet) * scale;
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (int y = 0; y < code.size; ++y)
    for (int x = 0; x < code.size; ++x)
      if (code.at(x, y))
        painter.fillRect((x + kQuiet) * scale, (y + kQuiet) * scale, scale, scale, Qt::black);
  painter.end();
  return image;
}

}  // namespace toq::ui
