#pragma once

#include <QByteArray>
#include <QImage>

#include "document/Clipboards.h"

namespace quabe {

// Puts pictures of copied symbols and signs on the system clipboard as TIFF
// (MIME type "image/tiff", plus the image itself for applications that take
// other formats). The application installs it once at start.
class SymbolClipboardAdapter : public ImagePasteboard {
 public:
  void putImage(const QImage& image) override;

  // A baseline little-endian TIFF of the image: uncompressed 8-bit RGBA, one
  // strip, unassociated alpha. Empty for a null image.
  static QByteArray encodeTiff(const QImage& image);

  // The signs' text goes on the clipboard as plain text, for other programs.
  void putSigns(const QImage& image, const QString& text) override;
  // The plain text on the clipboard unless it is the text of the signs
  // copied here last (those are pasted from the sign clipboard, with all
  // that the text does not carry).
  std::optional<QString> foreignText() const override;

  // Installs a process-wide adapter as the editor state's pasteboard.
  static void install();

 private:
  QString m_ownText;
};

}  // namespace quabe
