#pragma once

#include <QImage>
#include <QList>
#include <memory>
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

// Editor-wide state shared by every sign and document for the whole process:
// the symbol selection, the sign being edited and the symbol and sign
// clipboards. Used on the main thread only.
class EditorState {
 public:
  static EditorState& shared();

  // Selected placed symbols, in selection order (the objects themselves).
  QList<ISWAPtr> selectedSymbols;
  // The signs whose symbols are being edited (normally one).
  QList<std::weak_ptr<Sign>> editingSigns;
  // Symbols copied with copySelectedSymbols (the objects; pasting copies them).
  QList<ISWAPtr> symbolClipboard;
  // Signs cut or copied from an edit buffer (the objects; pasting copies them).
  SignString signClipboard;

  bool isSelected(const ISWA* symbol) const;
  // Marks every selected symbol unselected and empties the selection.
  void clearSymbolSelection();
  // Appends a symbol to the selection (once) and marks it selected.
  void addToSelection(const ISWAPtr& symbol);
  // Takes a symbol out of the selection and marks it unselected.
  void removeFromSelection(const ISWA* symbol);
  bool isEditing(const Sign* sign) const;

  // The pasteboard hook (not owned; nullptr: pictures are dropped).
  void setPasteboard(ImagePasteboard* pasteboard) { m_pasteboard = pasteboard; }
  ImagePasteboard* pasteboard() const { return m_pasteboard; }
  void putImageOnPasteboard(const QImage& image);

  // Back to the state at start (tests).
  void reset();

 private:
  ImagePasteboard* m_pasteboard = nullptr;
};

}  // namespace quabe
