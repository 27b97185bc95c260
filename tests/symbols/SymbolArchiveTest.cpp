#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtConcurrent>

#include "common/TestSupport.h"
#include "core/Localization.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {

// An image whose every pixel differs, so any wrong turn or mirror shows.
QImage patterned(int width, int height, int seed = 0) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgba(x * 7 + seed, y * 5, (x + y * width) & 255, 255));
  return image;
}

QByteArray png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

bool samePixels(const QImage& a, const QImage& b) {
  return a.size() == b.size() && a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

// Qt's own turn, as an independent reference (positive = counter-clockwise on screen).
QImage qtTurned(const QImage& image, int counterClockwise) {
  return image.transformed(QTransform().rotate(-counterClockwise));
}

const SymbolCode kHand = SSS::make(1, 1, 1, 1, 1, 1);     // 01-01-001-01-01-01, 16 rotations
const SymbolCode kArrow4 = SSS::make(2, 1, 2, 1, 1, 1);   // movement with 4 rotations
const SymbolCode kArrow8 = SSS::make(2, 1, 16, 1, 1, 1);  // movement with 8 rotations
const SymbolCode kHead = SSS::make(4, 1, 1, 1, 1, 1);     // no derived rotations

}  // namespace

TEST(SymbolArchiveLoading, EncodedEntriesRoundTripAndTheLaterDuplicateWins) {
  const QImage first = patterned(4, 6, 1), second = patterned(7, 2, 2), other = patterned(3, 3, 3);
  const QByteArray bytes =
      SymbolArchive::encodeArchive({{kHand, png(first)}, {kHead, png(other)}, {kHand, png(second)}});
  ASSERT_FALSE(bytes.isEmpty());
  EXPECT_EQ(quint8(bytes[0]), 3);  // little-endian count
  EXPECT_EQ(quint8(bytes[1]), 0);
  SymbolArchive archive;
  EXPECT_EQ(archive.loadFromBytes(bytes), 3);
  EXPECT_EQ(archive.entryCount(), 2);
  EXPECT_TRUE(samePixels(*archive.archivedImage(kHand), second));
  EXPECT_TRUE(samePixels(*archive.image(kHead), other));
  EXPECT_EQ(archive.symbolSize(kHand), QSizeF(7, 2));
  // A later load replaces an image that was already decoded, and its size.
  archive.loadFromBytes(SymbolArchive::encodeArchive({{kHand, png(first)}}));
  EXPECT_TRUE(samePixels(*archive.archivedImage(kHand), first));
  EXPECT_EQ(archive.symbolSize(kHand), QSizeF(4, 6));
}

TEST(SymbolArchiveLoading, AnEmptyArchiveFileCountsAsLoaded) {
  QTemporaryDir dir;
  const QString path = dir.filePath("iswa2010bin");
  ASSERT_TRUE(test::writeFile(path, SymbolArchive::encodeArchive({})));
  SymbolArchive archive;
  EXPECT_TRUE(archive.loadImageArchive(path));
  EXPECT_EQ(archive.entryCount(), 0);
  // An opened empty archive is not loaded again by look-ups.
  ASSERT_TRUE(test::writeFile(path, SymbolArchive::encodeArchive({{kHand, png(patterned(3, 3))}})));
  EXPECT_FALSE(archive.image(kHand).has_value());
}

TEST(SymbolArchiveLoading, TruncatedArchivesKeepTheWholeEntries) {
  const QList<QPair<SymbolCode, QByteArray>> entries = {{kHand, png(patterned(3, 4, 1))},
                                                        {SSS::withRotation(kHand, 2), png(patterned(4, 4, 2))},
                                                        {kHead, png(patterned(5, 2, 3))}};
  const QByteArray full = SymbolArchive::encodeArchive(entries);
  QList<int> ends;  // byte offsets where each entry ends
  int end = 2;
  for (const auto& entry : entries) ends << (end += 6 + int(entry.second.size()));
  for (int cut = 0; cut <= full.size(); ++cut) {
    SymbolArchive archive;
    const int whole = int(std::count_if(ends.begin(), ends.end(), [cut](int e) { return e <= cut; }));
    EXPECT_EQ(archive.loadFromBytes(full.left(cut)), whole) << "cut at " << cut;
    for (int i = 0; i < entries.size(); ++i)
      EXPECT_EQ(archive.archivedImage(entries[i].first).has_value(), i < whole) << "cut at " << cut;
  }
}

// A file cut short keeps its whole entries and the user is told how many.
TEST(SymbolArchiveLoading, ADamagedFileIsReportedWithTheEntriesRead) {
  const QByteArray whole = SymbolArchive::encodeArchive(
      {{kHand, png(patterned(3, 4))}, {kHead, png(patterned(2, 2))}, {kArrow4, png(patterned(5, 5))}});
  QTemporaryDir dir;
  const QString path = dir.filePath("iswa2010bin");
  for (const bool cut : {false, true}) {
    ASSERT_TRUE(test::writeFile(path, cut ? whole.left(whole.size() - 10) : whole));
    test::RecordingAlertSink sink;
    SymbolArchive archive;
    EXPECT_TRUE(archive.loadImageArchive(path));
    EXPECT_EQ(archive.isDamaged(), cut);
    EXPECT_EQ(archive.entryCount(), cut ? 2 : 3);
    EXPECT_EQ(sink.messages, cut ? QStringList{loc("DamagedSymbolArchive")} : QStringList());
    EXPECT_EQ(sink.informativeTexts, cut ? QStringList{loc("DamagedSymbolArchiveInfo").arg(2).arg(3)} : QStringList());
  }
}

TEST(SymbolArchiveLoading, AnUndecodableEntryCountsAsAbsent) {
  SymbolArchive archive;
  archive.loadFromBytes(SymbolArchive::encodeArchive(
      {{kHand, QByteArray("not an image")}, {SSS::withRotation(kHand, 2), png(patterned(3, 3))}}));
  EXPECT_TRUE(archive.contains(kHand));
  EXPECT_FALSE(archive.archivedImage(kHand).has_value());
  EXPECT_FALSE(archive.contains(kHand));
  EXPECT_EQ(archive.entryCount(), 1);
  // Rotation 3 is built from rotation 1, which is gone.
  EXPECT_FALSE(archive.image(SSS::withRotation(kHand, 3)).has_value());
  EXPECT_TRUE(archive.image(SSS::withRotation(kHand, 4)).has_value());
}

TEST(SymbolArchiveLoading, LookUpsLoadLazilyAndAlertOnlyOnceWhenTheFileIsMissing) {
  QTemporaryDir dir;
  test::RecordingAlertSink sink;
  SymbolArchive archive;
  archive.setArchivePath(dir.filePath("iswa2010bin"));
  EXPECT_FALSE(archive.image(kHand).has_value());
  EXPECT_FALSE(archive.image(kHead).has_value());
  EXPECT_EQ(sink.messages.size(), 1);
  EXPECT_FALSE(archive.isLoaded());
  // The file appears: the next look-up loads it.
  ASSERT_TRUE(
      test::writeFile(dir.filePath("iswa2010bin"), SymbolArchive::encodeArchive({{kHead, png(patterned(2, 2))}})));
  EXPECT_TRUE(archive.image(kHead).has_value());
  EXPECT_EQ(sink.messages.size(), 1);
}

TEST(SymbolArchiveSynthesis, HandRotationsComeFromRotationsOneAndTwo) {
  const QImage upright = patterned(4, 7, 1), diagonal = patterned(6, 5, 2);
  SymbolArchive archive;
  archive.loadFromBytes(
      SymbolArchive::encodeArchive({{kHand, png(upright)}, {SSS::withRotation(kHand, 2), png(diagonal)}}));
  // Rotation r + 8 is rotation r mirrored; odd rotations come from rotation
  // 1, even ones from 2, turned counter-clockwise by these degrees.
  const QList<int> turns = {0, 90, 180, -90, 0, -90, 180, 90};
  for (int rotation = 3; rotation <= 16; ++rotation) {
    const QImage& source = rotation % 2 ? upright : diagonal;
    const QImage mirrored = rotation > 8 ? source.transformed(QTransform::fromScale(-1, 1)) : source;
    const auto synthesised = archive.image(SSS::withRotation(kHand, rotation));
    ASSERT_TRUE(synthesised.has_value()) << rotation;
    EXPECT_TRUE(samePixels(*synthesised, qtTurned(mirrored, turns[(rotation - 1) / 2]))) << "rotation " << rotation;
    EXPECT_FALSE(archive.contains(SSS::withRotation(kHand, rotation)));  // never stored
  }
  EXPECT_FALSE(archive.image(SSS::withRotation(kHand, 17)).has_value());
  EXPECT_FALSE(archive.image(SSS::withRotation(kHand, 0)).has_value());
}

TEST(SymbolArchiveSynthesis, AStoredReducedRotationIsPreferredToATurn) {
  const QImage upright = patterned(3, 8, 1), drawnByTheFont = patterned(8, 3, 9);
  SymbolArchive archive;
  archive.loadFromBytes(
      SymbolArchive::encodeArchive({{kArrow4, png(upright)}, {SSS::withRotation(kArrow4, 3), png(drawnByTheFont)}}));
  EXPECT_TRUE(samePixels(*archive.image(SSS::withRotation(kArrow4, 7)), drawnByTheFont));
  // Without rotation 2 the even rotations have no image.
  EXPECT_FALSE(archive.image(SSS::withRotation(kArrow4, 6)).has_value());
}

TEST(SymbolArchiveSynthesis, ConcurrentLookUpsAgree) {
  SymbolArchive archive;
  QList<QPair<SymbolCode, QByteArray>> entries;
  for (int base = 1; base <= 40; ++base)
    for (int rotation = 1; rotation <= 2; ++rotation)
      entries << qMakePair(SSS::make(1, 1, base, 1, 1, rotation), png(patterned(5 + base % 7, 9, base * rotation)));
  archive.loadFromBytes(SymbolArchive::encodeArchive(entries));
  QList<SymbolCode> codes;
  for (int round = 0; round < 20; ++round)
    for (int base = 1; base <= 40; ++base)
      for (int rotation = 1; rotation <= 16; ++rotation) codes << SSS::make(1, 1, base, 1, 1, rotation);
  // The remembered sizes, which every symbol size of the program comes from.
  const QList<int> sizes = QtConcurrent::blockingMapped(codes, [&archive](SymbolCode code) {
    const QSizeF size = archive.symbolSize(code);
    return int(size.width()) * 100 + int(size.height());
  });
  for (int i = 0; i < codes.size(); ++i) {
    const int base = SSS::baseSymbol(codes[i]), rotation = SSS::rotation(codes[i]);
    const int w = 5 + base % 7, h = 9;
    const bool quarterTurn = QList<int>{3, 4, 7, 8, 11, 12, 15, 16}.contains(rotation);
    EXPECT_EQ(sizes[i], quarterTurn ? h * 100 + w : w * 100 + h) << SSS::toString(codes[i]).toStdString();
  }
}

TEST(SymbolArchiveSynthesis, ThreadsThatLookUpFirstAllSeeTheLoadedFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("iswa2010bin");
  ASSERT_TRUE(test::writeFile(
      path, SymbolArchive::encodeArchive({{kHand, png(patterned(4, 6))}, {kHead, png(patterned(2, 2))}})));
  SymbolArchive archive;
  archive.setArchivePath(path);
  const QList<int> rotations = {1, 3, 5, 9, 2, 1, 7, 13, 1, 1, 3, 3, 11, 15, 1, 5};
  const QList<bool> found = QtConcurrent::blockingMapped(
      rotations, [&archive](int rotation) { return archive.image(SSS::withRotation(kHand, rotation)).has_value(); });
  EXPECT_EQ(found, QList<bool>({true, true, true, true, false, true, true, true, true, true, true, true, true, true,
                                true, true}));
  EXPECT_EQ(archive.entryCount(), 2);
}
