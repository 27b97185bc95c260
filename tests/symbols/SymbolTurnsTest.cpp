// Turning and mirroring every symbol of the archive: the rotations the
// symbol set draws are the reference, not a table.
#include <gtest/gtest.h>

#include <QSet>
#include <bit>

#include "common/TestSupport.h"
#include "symbols/ISWA.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {

quint32 bit(SymbolCode code) { return 1u << SSS::rotation(code); }

// The rotations reached from code by turning one way until it comes back;
// empty when it does not come back within one full turn.
quint32 turnCycle(SymbolArchive& archive, SymbolCode code, int step) {
  quint32 seen = 0;
  SymbolCode next = code;
  for (int i = 0; i < 8; ++i) {
    next = archive.turned(next, step);
    seen |= bit(next);
    if (next == code) return seen;
  }
  return 0;
}

}  // namespace

TEST(SymbolTurns, EverySymbolTurnsAndMirrorsThroughTheRotationsTheSymbolSetDraws) {
  QUABE_REQUIRE_ARCHIVE();
  SymbolArchive& archive = SymbolArchive::shared();
  QSet<SymbolCode> symbols;
  for (SymbolCode code : archive.storedCodes()) symbols.insert(SSS::withRotation(code, 0));
  ASSERT_GT(symbols.size(), 3000);
  int mirroredPictures = 0;
  for (const SymbolCode symbol : symbols) {
    const std::string name = SSS::toString(symbol).toStdString();
    const quint32 drawn = archive.storedRotations(symbol);
    if (SSS::categoryField(symbol) <= 2) {
      EXPECT_EQ(SSS::rotationCount(symbol), std::popcount(drawn)) << name;
    }

    // Turning either way from a drawn rotation visits every drawn rotation
    // of its side and comes back.
    for (const quint32 side : {0x1FEu, 0x1FE00u}) {
      if (!(drawn & side)) continue;
      const SymbolCode start = SSS::withRotation(symbol, std::countr_zero(drawn & side));
      EXPECT_EQ(turnCycle(archive, start, 1), drawn & side) << name;
      EXPECT_EQ(turnCycle(archive, start, -1), drawn & side) << name;
    }
    // Turns and mirrors together reach every drawn rotation.
    quint32 reached = bit(SSS::withRotation(symbol, std::countr_zero(drawn)));
    for (quint32 before = 0; reached != before;) {
      before = reached;
      for (int r = 1; r <= 16; ++r)
        if (reached & (1u << r)) {
          const SymbolCode code = SSS::withRotation(symbol, r);
          reached |=
              bit(archive.turned(code, 1)) | bit(archive.mirrored(code, false)) | bit(archive.mirrored(code, true));
        }
    }
    EXPECT_EQ(reached, drawn) << name;

    // Mirroring twice returns, for derived rotations too, and the mirror's
    // picture is the mirrored picture, as far as the symbol set has one.
    for (int r = 1; r <= 16; ++r) {
      const SymbolCode code = SSS::withRotation(symbol, r);
      const std::optional<QImage> picture = archive.image(code);
      if (!picture) continue;
      for (const bool vertical : {false, true}) {
        const SymbolCode mirror = archive.mirrored(code, vertical);
        ASSERT_TRUE(archive.image(mirror)) << name << " r" << r;
        EXPECT_EQ(archive.mirrored(mirror, vertical), code) << name << " r" << r << (vertical ? " top-bottom" : "");
        if ((drawn & bit(code)) && !(drawn & bit(mirror))) {
          ADD_FAILURE() << name << " r" << r << " left the set";
        }
        // The picture changes unless it is its own mirror image; a code
        // left as it is has no drawn rotation that pictures its mirror image.
        const QImage wanted = SymbolArchive::mirrorImage(*picture, !vertical);
        const double itself = SymbolArchive::pictureDistance(wanted, *picture);
        // An arrow drawn in eight rotations, at a derived rotation 9-16.
        const bool derivedEight = drawn == 0x1FEu && r > 8;
        if (mirror != code) {
          if (derivedEight && SymbolArchive::pictureDistance(*picture, *archive.image(mirror)) < 0.02) {
            EXPECT_LT(itself, 0.08) << name << " r" << r << (vertical ? " top-bottom" : "") << " looks the same";
          }
          ++mirroredPictures;
        } else if (drawn & bit(code)) {
          for (int q = 1; q <= 16; ++q) {
            if (!(drawn & (1u << q))) continue;
            const SymbolCode drawnCode = SSS::withRotation(symbol, q);
            const double other = SymbolArchive::pictureDistance(wanted, *archive.image(drawnCode));
            const bool free =
                archive.mirrored(drawnCode, vertical) == drawnCode &&
                SymbolArchive::pictureDistance(SymbolArchive::mirrorImage(*archive.image(drawnCode), !vertical),
                                               *archive.image(drawnCode)) > 0.08;
            EXPECT_FALSE(free && other < 0.08 && other < itself - 0.02)
                << name << " r" << r << (vertical ? " top-bottom" : "") << " passes over r" << q;
          }
        }
      }
    }
  }
  EXPECT_GT(mirroredPictures, 20000);
}

// Placed symbols take the archive's turns and mirrors and keep their origin:
// 02-01-006 turns within its four rotations, an eight-rotation arrow at a
// derived mirrored rotation mirrors visibly and back.
TEST(SymbolTurns, PlacedSymbolsTurnAndMirrorWithTheArchive) {
  QUABE_REQUIRE_ARCHIVE();
  ISWA contact(SSS::fromString(QStringLiteral("02-01-006-01-01-01")));
  contact.rect.moveTo(7, 9);
  contact.rotate(45);
  contact.rotate(30);  // not a multiple of 45: nothing
  EXPECT_EQ(SSS::rotation(contact.sss()), 4);
  EXPECT_EQ(contact.rect, QRectF(QPointF(7, 9), QSizeF(contact.image().size())));
  ISWA arrow(SSS::fromString(QStringLiteral("02-02-007-01-01-10")));
  const QImage before = arrow.image();
  arrow.flip(false);
  EXPECT_NE(arrow.image(), before);
  arrow.flip(false);
  EXPECT_EQ(SSS::rotation(arrow.sss()), 10);
}
