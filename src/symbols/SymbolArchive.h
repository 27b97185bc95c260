#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <optional>

#include "symbols/SymbolCode.h"

namespace quabe {

// The symbol image archive "iswa2010bin": a little-endian u16 entry count,
// then entries of u32 code, u16 length and that many bytes of PNG data.
// Loaded once into a process-wide map. Entries stay encoded until a code is
// first asked for; an entry that cannot be decoded then counts as absent.
// Rotations and mirror forms the archive lacks are synthesised on demand.
class SymbolArchive {
 public:
  // The process-wide archive (the one ISWA and the palettes use).
  static SymbolArchive& shared();

  // Loads the archive at path (or the "iswa2010bin" resource when path is
  // empty). Does nothing when entries are already loaded. A missing file
  // raises the missing-archive alert and leaves the map empty. A truncated
  // file keeps the entries that are whole. Returns true when the file opened.
  bool loadImageArchive(const QString& path = QString());
  // Parses archive bytes into this archive (tests, tools). Returns the
  // number of whole entries read.
  int loadFromBytes(const QByteArray& bytes);
  bool isLoaded() const { return !m_encoded.isEmpty(); }
  int entryCount() const { return int(m_encoded.size()); }
  // Empties the map (tests).
  void clear();

  // The stored image of code, decoded on first use; nothing when absent.
  std::optional<QImage> archivedImage(SymbolCode code);
  // The stored image or one synthesised from rotation 1 or 2 by turning and
  // mirroring; nothing when the symbol does not exist.
  std::optional<QImage> image(SymbolCode code);
  bool hasImage(SymbolCode code) { return image(code).has_value(); }
  // True when the archive itself stores code (no synthesis).
  bool contains(SymbolCode code) const { return m_encoded.contains(code); }
  QList<SymbolCode> storedCodes() const { return m_encoded.keys(); }

  // An image turned by 90, 180, 270 or -90 degrees (positive = counter-clockwise).
  static QImage rotateImage(const QImage& image, int degrees);
  // Mirror left-right (horizontal true) or top-bottom.
  static QImage mirrorImage(const QImage& image, bool leftRight);

  // Serialises entries in the archive layout (the builder tool uses it).
  static QByteArray encodeArchive(const QList<QPair<SymbolCode, QByteArray>>& entries);

 private:
  QHash<SymbolCode, QByteArray> m_encoded;
  QHash<SymbolCode, QImage> m_decoded;
  QString m_path;
};

}  // namespace quabe
