// The picture that copied symbols and signs put on the system clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>

#include "SignTestSupport.h"
#include "editor/SymbolClipboardAdapter.h"

namespace quabe::test {
namespace {

quint16 u16At(const QByteArray& bytes, qsizetype offset) {
  return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(bytes.constData() + offset));
}
quint32 u32At(const QByteArray& bytes, qsizetype offset) {
  return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(bytes.constData() + offset));
}

// The value of a tag of the first directory (SHORT values sit in the low bytes).
std::optional<quint32> tagValue(const QByteArray& tiff, quint16 tag) {
  const quint32 ifd = u32At(tiff, 4);
  const quint16 count = u16At(tiff, ifd);
  for (quint16 i = 0; i < count; ++i) {
    const qsizetype entry = ifd + 2 + i * 12;
    if (u16At(tiff, entry) != tag) continue;
    return u16At(tiff, entry + 2) == 3 && u32At(tiff, entry + 4) == 1 ? u16At(tiff, entry + 8) : u32At(tiff, entry + 8);
  }
  return std::nullopt;
}

TEST(SignClipboardTest, TiffHoldsTheImagePixelsAsRgba) {
  QImage image(3, 2, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  image.setPixelColor(0, 0, QColor(255, 0, 0, 255));
  image.setPixelColor(2, 1, QColor(10, 20, 30, 128));
  const QByteArray tiff = SymbolClipboardAdapter::encodeTiff(image);
  ASSERT_GE(tiff.size(), 8);
  EXPECT_EQ(tiff.left(4), QByteArray("II*\0", 4));
  // Width, height, no compression, four samples per pixel, 24 bytes of pixels.
  for (const auto& [tag, value] : {std::pair<quint16, quint32>{256, 3}, {257, 2}, {259, 1}, {277, 4}, {279, 24}})
    EXPECT_EQ(tagValue(tiff, tag), value) << tag;
  // Directory entries must be sorted by tag.
  const quint32 ifd = u32At(tiff, 4);
  for (quint16 i = 1; i < u16At(tiff, ifd); ++i)
    EXPECT_LT(u16At(tiff, ifd + 2 + (i - 1) * 12), u16At(tiff, ifd + 2 + i * 12));

  const std::optional<quint32> data = tagValue(tiff, 273);
  ASSERT_TRUE(data.has_value());
  ASSERT_EQ(qsizetype(*data) + 24, tiff.size());
  const auto* pixels = reinterpret_cast<const uchar*>(tiff.constData() + *data);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(pixels), 4), QByteArray("\xff\x00\x00\xff", 4));
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(pixels) + (1 * 3 + 2) * 4, 4), QByteArray("\x0a\x14\x1e\x80", 4));
  EXPECT_EQ(pixels[4 + 3], 0);  // transparent pixel

  EXPECT_TRUE(SymbolClipboardAdapter::encodeTiff(QImage()).isEmpty());
}

TEST(SignClipboardTest, CopiedSymbolsReachTheSystemClipboardAsTiffAndPng) {
  Clipboards::shared().reset();
  SymbolClipboardAdapter::install();
  ISWAPtr a = boxSymbol(0, 0, 10, 10);
  ISWAPtr b = boxSymbol(30, 5, 10, 10);
  auto sign = signWith({a, b});
  SymbolSelection selection;
  selection.add(a);
  selection.add(b);
  sign->copySelectedSymbols(selection);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  ASSERT_TRUE(data->hasFormat("image/tiff"));
  EXPECT_TRUE(data->hasFormat("image/png"));
  const QByteArray tiff = data->data("image/tiff");
  EXPECT_EQ(tagValue(tiff, 256), 40u);
  EXPECT_EQ(tagValue(tiff, 257), 15u);
  Clipboards::shared().setPasteboard(nullptr);
  Clipboards::shared().reset();
}

}  // namespace
}  // namespace quabe::test
