#pragma once

#include <QImage>
#include <QList>
#include <optional>

#include "document/Sign.h"
#include "document/SignString.h"

namespace quabe {

// The system pasteboard as the core sees it: the UI installs an
// implementation that puts images on the platform clipboard (as TIFF).
class ImagePasteboard {
 public:
  virtual ~ImagePasteboard() = default;
  virtual void putImage(const QImage& image) = 0;
  // Copied signs: their picture (null when there is none) beside their text.
  virtual void putSigns(const QImage& image, const QString& text) {
    Q_UNUSED(text);
    if (!image.isNull()) putImage(image);
  }
  // Text another program put there (never the text of signs copied here);
  // nothing when there is none.
  virtual std::optional<QString> foreignText() const { return std::nullopt; }
};

// The symbol and sign clipboards, shared by every window of the process (a
// copy in one window pastes in another). Used on the main thread only.
class Clipboards {
 public:
  static Clipboards& shared();

  // Symbols copied with copySelectedSymbols (the objects; pasting copies them).
  QList<ISWAPtr> symbolClipboard;
  // Signs cut or copied from an edit buffer (the objects; pasting copies them).
  SignString signClipboard;

  // The pasteboard hook (not owned; nullptr: pictures are dropped).
  void setPasteboard(ImagePasteboard* pasteboard) { m_pasteboard = pasteboard; }
  ImagePasteboard* pasteboard() const { return m_pasteboard; }
  void putImageOnPasteboard(const QImage& image);

  // Both clipboards emptied (tests).
  void reset();

 private:
  ImagePasteboard* m_pasteboard = nullptr;
};

}  // namespace quabe
