#pragma once

#include <QByteArray>
#include <QImage>

#include "document/EditorState.h"

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

  // Installs a process-wide adapter as the editor state's pasteboard.
  static void install();
};

}  // namespace quabe
