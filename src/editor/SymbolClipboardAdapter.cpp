#include "editor/SymbolClipboardAdapter.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>

namespace quabe {

namespace {

enum TiffType : quint16 { Short = 3, Long = 4, Rational = 5 };

struct TiffWriter {
  QByteArray bytes;
  void u16(quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    bytes.append(b, 2);
  }
  void u32(quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    bytes.append(b, 4);
  }
  // One directory entry; a SHORT value sits left-justified in the value field.
  void entry(quint16 tag, TiffType type, quint32 count, quint32 value) {
    u16(tag);
    u16(type);
    u32(count);
    if (type == Short && count == 1) {
      u16(quint16(value));
      u16(0);
    } else {
      u32(value);
    }
  }
};

}  // namespace

QByteArray SymbolClipboardAdapter::encodeTiff(const QImage& image) {
  if (image.isNull()) return QByteArray();
  const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
  const quint32 w = quint32(rgba.width());
  const quint32 h = quint32(rgba.height());
  const quint32 rowBytes = w * 4;

  constexpr quint16 entryCount = 14;
  constexpr quint32 ifdOffset = 8;
  constexpr quint32 bitsOffset = ifdOffset + 2 + entryCount * 12 + 4;
  constexpr quint32 xResOffset = bitsOffset + 8;
  constexpr quint32 yResOffset = xResOffset + 8;
  constexpr quint32 dataOffset = yResOffset + 8;

  TiffWriter out;
  out.bytes.reserve(int(dataOffset + rowBytes * h));
  out.bytes.append("II", 2);
  out.u16(42);
  out.u32(ifdOffset);
  out.u16(entryCount);
  out.entry(256, Long, 1, w);               // ImageWidth
  out.entry(257, Long, 1, h);               // ImageLength
  out.entry(258, Short, 4, bitsOffset);     // BitsPerSample 8,8,8,8
  out.entry(259, Short, 1, 1);              // no compression
  out.entry(262, Short, 1, 2);              // RGB
  out.entry(273, Long, 1, dataOffset);      // StripOffsets
  out.entry(277, Short, 1, 4);              // SamplesPerPixel
  out.entry(278, Long, 1, h);               // RowsPerStrip
  out.entry(279, Long, 1, rowBytes * h);    // StripByteCounts
  out.entry(282, Rational, 1, xResOffset);  // XResolution
  out.entry(283, Rational, 1, yResOffset);  // YResolution
  out.entry(284, Short, 1, 1);              // chunky planar configuration
  out.entry(296, Short, 1, 2);              // resolution in inches
  out.entry(338, Short, 1, 2);              // extra sample: unassociated alpha
  out.u32(0);                               // no further directory
  for (int i = 0; i < 4; ++i) out.u16(8);
  out.u32(72);
  out.u32(1);
  out.u32(72);
  out.u32(1);
  for (quint32 y = 0; y < h; ++y) out.bytes.append(reinterpret_cast<const char*>(rgba.constScanLine(int(y))), rowBytes);
  return out.bytes;
}

namespace {

QMimeData* mimeDataOf(const QImage& image) {
  auto* data = new QMimeData;
  if (image.isNull()) return data;
  data->setData(QStringLiteral("image/tiff"), SymbolClipboardAdapter::encodeTiff(image));
  // PNG for the Linux applications that do not read TIFF.
  QByteArray png;
  QBuffer buffer(&png);
  if (buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG")) data->setData(QStringLiteral("image/png"), png);
  data->setImageData(image);
  return data;
}

}  // namespace

void SymbolClipboardAdapter::putImage(const QImage& image) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr || image.isNull()) return;
  clipboard->setMimeData(mimeDataOf(image));
}

void SymbolClipboardAdapter::putSigns(const QImage& image, const QString& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return;
  QMimeData* data = mimeDataOf(image);
  data->setText(text);
  m_ownText = text;
  clipboard->setMimeData(data);
}

std::optional<QString> SymbolClipboardAdapter::foreignText() const {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  if (!data || !data->hasText()) return std::nullopt;
  QString text = data->text();
  if (text == m_ownText) return std::nullopt;
  return text;
}

void SymbolClipboardAdapter::install() {
  static SymbolClipboardAdapter adapter;
  Clipboards::shared().setPasteboard(&adapter);
}

}  // namespace quabe
