#include "symbols/SymbolArchive.h"

#include <QFile>
#include <QtEndian>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "core/Logging.h"
#include "core/Resources.h"

namespace quabe {

namespace {

const char* const kArchiveName = "iswa2010bin";

QImage decodeEntry(const QByteArray& data) {
  QImage image = QImage::fromData(data, "PNG");
  if (image.isNull()) image = QImage::fromData(data);  // any other format the decoder knows
  if (image.isNull()) return image;
  if (image.format() != QImage::Format_ARGB32_Premultiplied)
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return image;
}

QImage as32Bit(const QImage& image) {
  if (image.depth() == 32) return image;
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

SymbolArchive& SymbolArchive::shared() {
  static SymbolArchive archive;
  return archive;
}

bool SymbolArchive::isLoaded() const {
  QReadLocker locker(&m_lock);
  return !m_encoded.isEmpty();
}

int SymbolArchive::entryCount() const {
  QReadLocker locker(&m_lock);
  return int(m_encoded.size());
}

bool SymbolArchive::isDamaged() const {
  QReadLocker locker(&m_lock);
  return m_damaged;
}

int SymbolArchive::declaredEntryCount() const {
  QReadLocker locker(&m_lock);
  return m_declared;
}

bool SymbolArchive::contains(SymbolCode code) const {
  QReadLocker locker(&m_lock);
  return m_encoded.contains(code);
}

QList<SymbolCode> SymbolArchive::storedCodes() const {
  QReadLocker locker(&m_lock);
  return m_encoded.keys();
}

void SymbolArchive::setArchivePath(const QString& path) {
  QWriteLocker locker(&m_lock);
  m_path = path;
}

void SymbolArchive::clear() {
  QWriteLocker locker(&m_lock);
  m_encoded.clear();
  m_decoded.clear();
  m_mirrorPartners.clear();
  m_sizes.clear();
  m_buffers.clear();
  m_path.clear();
  m_sourceLoaded = false;
  m_missingAlerted = false;
  m_damaged = false;
  m_declared = 0;
}

bool SymbolArchive::loadImageArchive(const QString& path) { return load(path, false); }

bool SymbolArchive::load(const QString& path, bool fromLookup) {
  QString filePath;
  bool opened = false;
  bool truncated = false;
  int count = 0;
  {
    // One load at a time; threads that look up meanwhile wait for it instead of reading the file again.
    QMutexLocker loading(&m_loadMutex);
    {
      QWriteLocker locker(&m_lock);
      if (!m_encoded.isEmpty()) return true;
      if (fromLookup && m_sourceLoaded) return true;  // another thread has just loaded it
      if (!path.isEmpty()) {
        filePath = m_path = path;
      } else {
        if (m_path.isEmpty()) m_path = Resources::path(QString::fromLatin1(kArchiveName));
        filePath = m_path;
      }
    }
    QFile file(filePath);
    opened = !filePath.isEmpty() && file.open(QIODevice::ReadOnly);
    if (opened) {
      const QByteArray bytes = file.readAll();
      QWriteLocker locker(&m_lock);
      if (m_encoded.isEmpty()) count = parseLocked(bytes, &truncated);
      m_sourceLoaded = true;
    }
  }

  if (!opened) {
    bool showAlert = true;
    {
      QWriteLocker locker(&m_lock);
      // A look-up retries the load silently once the user has been told.
      if (fromLookup && m_missingAlerted) showAlert = false;
      m_missingAlerted = true;
    }
    // Raised without holding a lock: the alert may wait for the user.
    if (showAlert)
      alerts().alert(QStringLiteral("ISWA image archive file missing!!"), QStringLiteral("Quabe needs 'iswa2010bin'"));
    else
      qCDebug(lcSymbols).noquote() << "symbol archive still missing:" << filePath;
    return false;
  }
  if (truncated) {
    qCWarning(lcSymbols).noquote() << "symbol archive truncated after" << count << "whole entries:" << filePath;
    alerts().alert(loc("DamagedSymbolArchive"), loc("DamagedSymbolArchiveInfo").arg(count).arg(declaredEntryCount()));
  }
  qCDebug(lcSymbols).noquote() << "symbol archive read:" << filePath << count << "entries";
  return true;
}

int SymbolArchive::loadFromBytes(const QByteArray& bytes) {
  QWriteLocker locker(&m_lock);
  bool truncated = false;
  const int count = parseLocked(bytes, &truncated);
  m_mirrorPartners.clear();
  m_sourceLoaded = true;
  return count;
}

int SymbolArchive::parseLocked(const QByteArray& bytes, bool* truncated) {
  *truncated = false;
  // New entries may replace the images sizes were taken from.
  m_sizes.clear();
  const qsizetype size = bytes.size();
  const uchar* data = reinterpret_cast<const uchar*>(bytes.constData());
  m_declared = size < 2 ? 0 : qFromLittleEndian<quint16>(data);
  m_damaged = size < 2;
  if (size < 2) {
    *truncated = true;
    return 0;
  }
  const int declared = m_declared;
  qsizetype pos = 2;
  int whole = 0;
  m_encoded.reserve(m_encoded.size() + declared);
  const int buffer = int(m_buffers.size());
  m_buffers << bytes;
  data = reinterpret_cast<const uchar*>(m_buffers.last().constData());
  for (int i = 0; i < declared; ++i) {
    if (size - pos < 6) {
      *truncated = true;
      break;
    }
    const SymbolCode code = qFromLittleEndian<quint32>(data + pos);
    const qsizetype length = qFromLittleEndian<quint16>(data + pos + 4);
    pos += 6;
    if (size - pos < length) {
      *truncated = true;
      break;
    }
    m_encoded.insert(code, Entry{buffer, reinterpret_cast<const char*>(data + pos), int(length)});
    if (!m_decoded.isEmpty()) m_decoded.remove(code);
    pos += length;
    ++whole;
  }
  m_damaged = *truncated;
  return whole;
}

void SymbolArchive::ensureLoaded() {
  {
    QReadLocker locker(&m_lock);
    if (m_sourceLoaded || !m_encoded.isEmpty()) return;
  }
  load(QString(), true);
}

std::optional<QImage> SymbolArchive::archivedImage(SymbolCode code) {
  ensureLoaded();
  Entry entry;
  QByteArray buffer;  // keeps the entry's bytes alive while decoding
  {
    QReadLocker locker(&m_lock);
    const auto decoded = m_decoded.constFind(code);
    if (decoded != m_decoded.constEnd()) return *decoded;
    const auto found = m_encoded.constFind(code);
    if (found == m_encoded.constEnd()) return std::nullopt;
    entry = *found;
    buffer = m_buffers.at(entry.buffer);
  }
  // Decoded outside the lock; two threads may decode the same entry once each.
  const QImage image = decodeEntry(QByteArray::fromRawData(entry.data, entry.length));
  QWriteLocker locker(&m_lock);
  const auto found = m_encoded.constFind(code);
  if (found == m_encoded.constEnd() || found->data != entry.data) {
    // The entry changed meanwhile (cleared or replaced); answer from the current state.
    locker.unlock();
    return archivedImage(code);
  }
  if (image.isNull()) {
    qCWarning(lcSymbols).noquote() << "undecodable image of" << SSS::toString(code) << "dropped";
    m_encoded.remove(code);
    return std::nullopt;
  }
  m_decoded.insert(code, image);
  return image;
}

int SymbolArchive::reducedRotation(int r, int n) {
  if (r < 1 || r > 16) return 0;
  // Six and twelve rotations are eight and sixteen without the quarter
  // turns, which are turned from rotation 1 like any other.
  switch (n) {
    case 16:
    case 12:
      return r;
    case 8:
    case 6:
      return r <= 8 ? r : ((17 - r) & 7) + 1;
    case 4:
      return r <= 8 ? ((r + 3) & 3) + 1 : ((17 - r) & 3) + 1;
    default:
      return 0;
  }
}

QImage SymbolArchive::synthesize(const QImage& base, int r) {
  switch (r) {
    case 1:
    case 2:
      return base;
    case 3:
    case 4:
      return rotateImage(base, 90);
    case 5:
    case 6:
      return rotateImage(base, 180);
    case 7:
    case 8:
      return rotateImage(base, -90);
    case 9:
    case 10:
      return mirrorImage(base, true);
    case 11:
    case 12:
      return rotateImage(mirrorImage(base, true), -90);
    case 13:
    case 14:
      return mirrorImage(base, false);
    case 15:
    case 16:
      return rotateImage(mirrorImage(base, true), 90);
    default:
      return QImage();
  }
}

std::optional<QImage> SymbolArchive::image(SymbolCode code) {
  if (auto stored = archivedImage(code)) return stored;
  const int r = SSS::rotation(code);
  if (r < 3) return std::nullopt;
  const int reduced = reducedRotation(r, SSS::rotationCount(code));
  if (reduced == 0) return std::nullopt;
  // A stored image of the reduced rotation is the font's own drawing.
  if (reduced != r) {
    if (auto stored = archivedImage(SSS::withRotation(code, reduced))) return stored;
  }
  const auto base = archivedImage(SSS::withRotation(code, (reduced % 2 == 1) ? 1 : 2));
  if (!base) return std::nullopt;
  QImage result = synthesize(*base, reduced);
  if (result.isNull()) return std::nullopt;
  return result;
}

QSizeF SymbolArchive::symbolSize(SymbolCode code) {
  {
    QReadLocker locker(&m_lock);
    const auto known = m_sizes.constFind(code);
    if (known != m_sizes.constEnd()) return *known;
  }
  const std::optional<QImage> picture = image(code);
  const QSizeF size = picture ? QSizeF(picture->size()) : QSizeF(0, 0);
  QWriteLocker locker(&m_lock);
  m_sizes.insert(code, size);
  return size;
}

QImage SymbolArchive::rotateImage(const QImage& image, int degrees) {
  const int turn = ((degrees % 360) + 360) % 360;
  if (turn == 0) return image.copy();
  if (turn != 90 && turn != 180 && turn != 270) return QImage();
  if (image.isNull()) return QImage();
  const QImage src = as32Bit(image);
  const int w = src.width();
  const int h = src.height();
  QImage dst(turn == 180 ? w : h, turn == 180 ? h : w, src.format());
  for (int dy = 0; dy < dst.height(); ++dy) {
    quint32* out = reinterpret_cast<quint32*>(dst.scanLine(dy));
    for (int dx = 0; dx < dst.width(); ++dx) {
      int sx, sy;
      if (turn == 90) {  // counter-clockwise
        sx = w - 1 - dy;
        sy = dx;
      } else if (turn == 270) {  // clockwise
        sx = dy;
        sy = h - 1 - dx;
      } else {
        sx = w - 1 - dx;
        sy = h - 1 - dy;
      }
      out[dx] = reinterpret_cast<const quint32*>(src.constScanLine(sy))[sx];
    }
  }
  return dst;
}

QImage SymbolArchive::mirrorImage(const QImage& image, bool leftRight) {
  if (image.isNull()) return QImage();
  return image.mirrored(leftRight, !leftRight);
}

QByteArray SymbolArchive::encodeArchive(const QList<QPair<SymbolCode, QByteArray>>& entries) {
  if (entries.size() > 0xFFFF) {
    qCWarning(lcSymbols) << "cannot encode" << entries.size() << "entries in one archive";
    return QByteArray();
  }
  qsizetype total = 2;
  for (const auto& entry : entries) {
    if (entry.second.size() > 0xFFFF) {
      qCWarning(lcSymbols).noquote() << "image too long to encode for" << SSS::toString(entry.first);
      return QByteArray();
    }
    total += 6 + entry.second.size();
  }
  QByteArray out(total, Qt::Uninitialized);
  uchar* p = reinterpret_cast<uchar*>(out.data());
  qToLittleEndian<quint16>(quint16(entries.size()), p);
  p += 2;
  for (const auto& entry : entries) {
    qToLittleEndian<quint32>(entry.first, p);
    qToLittleEndian<quint16>(quint16(entry.second.size()), p + 4);
    p += 6;
    memcpy(p, entry.second.constData(), size_t(entry.second.size()));
    p += entry.second.size();
  }
  return out;
}

}  // namespace quabe
