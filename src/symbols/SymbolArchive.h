#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QMutex>
#include <QPair>
#include <QReadWriteLock>
#include <QSizeF>
#include <QString>
#include <array>
#include <optional>

#include "symbols/SymbolCode.h"

namespace quabe {

// The symbol image archive "iswa2010bin": a little-endian u16 entry count,
// then entries of u32 code, u16 length and that many bytes of PNG data.
// Loaded once into a process-wide map. Entries stay encoded until a code is
// first asked for; an entry that cannot be decoded then counts as absent.
// Rotations and mirror forms the archive lacks are synthesised on demand.
// All look-ups are safe to call from several threads at once.
class SymbolArchive {
 public:
  // The process-wide archive (the one ISWA and the palettes use).
  static SymbolArchive& shared();

  // Loads the archive at path (or the "iswa2010bin" resource when path is
  // empty). Does nothing when entries are already loaded. A missing file
  // raises the missing-archive alert and leaves the map empty. A truncated
  // file keeps the entries that are whole. Returns true when the file opened
  // (or entries were already loaded); isDamaged() then tells whether it was whole.
  bool loadImageArchive(const QString& path = QString());
  // Parses archive bytes into this archive (tests, tools); the bytes are kept
  // (shared) for decoding on first use. A later entry
  // replaces an earlier one with the same code. Returns the number of whole
  // entries read.
  int loadFromBytes(const QByteArray& bytes);
  bool isLoaded() const;
  int entryCount() const;
  // True when the file or bytes last loaded ended before the entries they
  // declare (a damaged archive); declaredEntryCount() is how many they declare.
  bool isDamaged() const;
  int declaredEntryCount() const;
  // The file that look-ups load lazily (by default the "iswa2010bin" resource).
  void setArchivePath(const QString& path);
  // Empties the map (tests).
  void clear();

  // The stored image of code, decoded on first use; nothing when absent.
  // Loads the archive first when the map is empty.
  std::optional<QImage> archivedImage(SymbolCode code);
  // The stored image or one synthesised from rotation 1 or 2 by turning and
  // mirroring; nothing when the symbol does not exist.
  std::optional<QImage> image(SymbolCode code);
  bool hasImage(SymbolCode code) { return image(code).has_value(); }
  // The size of image(code), remembered per code; (0, 0) when the symbol does
  // not exist. Every symbol size of the program comes from here.
  QSizeF symbolSize(SymbolCode code);
  // True when the archive itself stores code (no synthesis). An entry found
  // undecodable is no longer stored.
  bool contains(SymbolCode code) const;
  QList<SymbolCode> storedCodes() const;

  // --- turning and mirroring within the symbol set ---
  // The rotations the archive stores for the symbol of code, whatever its
  // own rotation: bit r for rotation r (1-16). These are the rotations the
  // symbol set draws; the others are only derived.
  quint32 storedRotations(SymbolCode code);
  // The code turned by steps of 45 degrees (positive clockwise) among the
  // rotations the symbol set draws on the code's side (plain 1-8 or mirrored
  // 9-16): a rotation it does not draw is passed over, so that turning one
  // way visits every drawn rotation and comes back. A side without drawn
  // rotations turns plainly.
  SymbolCode turned(SymbolCode code, int steps);
  // The code mirrored left-right (vertical false) or top-bottom: the
  // symbol set's own mirror image (rotation r +/- 8, turned by 180 degrees
  // for top-bottom) where it draws one, otherwise the drawn rotation whose
  // picture is the mirrored picture (found by comparing the pictures, paired
  // so that mirroring twice returns), otherwise the code itself. A derived
  // rotation on a side the symbol set does not draw (an eight-rotation arrow
  // at 9-16) mirrors like the drawn rotation across; other derived
  // rotations mirror plainly where that keeps mirroring twice returning.
  SymbolCode mirrored(SymbolCode code, bool vertical);
  // How much two symbol pictures differ (0 = alike, 1 = nothing in common):
  // the share of dark pixels of either picture with no dark pixel of the
  // other within one pixel, the pictures centred on each other (as well as
  // whole pixels allow).
  static double pictureDistance(const QImage& a, const QImage& b);

  // An image turned by 90, 180, 270 or -90 degrees (positive = counter-clockwise),
  // pixel for pixel; 0 and 360 give a copy, other angles a null image.
  static QImage rotateImage(const QImage& image, int degrees);
  // Mirror left-right (leftRight true) or top-bottom.
  static QImage mirrorImage(const QImage& image, bool leftRight);

  // The rotation whose image serves rotation r of a symbol with n distinct
  // rotations (n = 4, 6, 8, 12 or 16); 0 when such a symbol has no derived
  // rotations.
  static int reducedRotation(int r, int n);
  // Turns and mirrors the upright (rotation 1) or 45° (rotation 2) image into
  // rotation r (1-16). A null image for other r.
  static QImage synthesize(const QImage& base, int r);

  // Serialises entries in the archive layout (the builder tool uses it).
  // Empty when there are more than 65535 entries or an entry is longer than
  // 65535 bytes.
  static QByteArray encodeArchive(const QList<QPair<SymbolCode, QByteArray>>& entries);

 private:
  bool load(const QString& path, bool fromLookup);
  void ensureLoaded();
  int parseLocked(const QByteArray& bytes, bool* truncated);
  int mirrorPartner(SymbolCode code, bool vertical);

  // An encoded image inside one of the loaded buffers.
  struct Entry {
    int buffer = 0;
    const char* data = nullptr;
    int length = 0;
  };

  QMutex m_loadMutex;
  mutable QReadWriteLock m_lock;
  QList<QByteArray> m_buffers;  // whole archive files, never modified once added
  QHash<SymbolCode, Entry> m_encoded;
  QHash<SymbolCode, QImage> m_decoded;
  QHash<SymbolCode, QSizeF> m_sizes;
  QString m_path;
  // True once a file opened or bytes were given: look-ups stop loading lazily.
  // Mirror partners found by comparing pictures, by symbol (code without
  // rotation) and direction: index r holds r's partner, 0 for none.
  QHash<quint32, std::array<qint8, 17>> m_mirrorPartners;
  bool m_sourceLoaded = false;
  bool m_missingAlerted = false;
  bool m_damaged = false;
  int m_declared = 0;
};

}  // namespace quabe
