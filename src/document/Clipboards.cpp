#include "document/Clipboards.h"

namespace quabe {

Clipboards& Clipboards::shared() {
  static Clipboards clipboards;
  return clipboards;
}

void Clipboards::putImageOnPasteboard(const QImage& image) {
  if (m_pasteboard && !image.isNull()) m_pasteboard->putImage(image);
}

void Clipboards::reset() {
  symbolClipboard.clear();
  signClipboard.signArray.clear();
}

}  // namespace quabe
