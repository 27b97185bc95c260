#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <optional>

#include "symbols/SymbolCode.h"

namespace quabe {

// One symbol placed in a sign: its code, its image from the archive and its
// rectangle inside the sign box (origin = top-left of the image). Whenever
// the code changes, the image is the archive's image of the new code and
// rect.size() is that image's size; rect's origin stays where it was.
class ISWA {
 public:
  ISWA() = default;
  // A symbol for code; check isValid(): it is false when the archive has no
  // image for the code (the caller skips such a symbol).
  explicit ISWA(SymbolCode sss, Hand hand = Hand::none);
  explicit ISWA(const QString& sssString, Hand hand = Hand::none);
  // Builds a symbol only when the archive has an image for the code.
  static std::optional<ISWA> make(SymbolCode sss, Hand hand = Hand::none);
  static std::optional<ISWA> make(const QString& sssString, Hand hand = Hand::none);

  ISWA copy() const;
  // Every field equal (the images by their pixels).
  bool operator==(const ISWA&) const = default;

  bool isValid() const { return m_valid; }
  SymbolCode sss() const { return m_sss; }
  const QImage& image() const { return m_image; }
  QRectF rect;
  QColor symbolColor = QColor(0, 0, 0);
  bool changeableHand = false;
  bool turnableArrow = false;
  bool modifiableArrow = false;
  Hand hand = Hand::none;

  // Degrees, a multiple of 45; positive turns clockwise, through the
  // rotations the symbol set draws (SymbolArchive::turned). Other angles
  // log a warning and change nothing, as does a code the archive lacks.
  void rotate(int angle);
  // Mirror left-right (vertical false) or top-bottom (vertical true), into
  // the symbol set's mirror image of the symbol (SymbolArchive::mirrored).
  void flip(bool vertical);
  void nextFill();
  void previousFill();
  // Replaces the code (keeping the origin) when the archive has the image.
  bool setSss(SymbolCode code);
  // Recolours a hand symbol: outline in the hand colour (or black without
  // hand colouring), light palm pixels and transparency kept.
  void makeColorImage(bool handColoring);
  // Draws the symbol at signOrigin + rect.origin: the archive image where
  // one image pixel is one device pixel (hands recoloured first with hand
  // colouring), else the font outlines (SymbolVectors): rendered for the
  // scale on the screen and in images, as paths in PDF, print and SVG. Hand
  // colouring is the document's colorHands setting.
  void draw(QPainter& painter, const QPointF& signOrigin, bool handColoring = false);

  Category category() const { return SSS::categoryOf(m_sss).value_or(Category::none); }
  bool isHand() const { return SSS::categoryField(m_sss) == 1; }
  bool isMovement() const { return SSS::categoryField(m_sss) == 2; }

  static QColor leftHandColor();
  static QColor rightHandColor();
  static QColor neutralColor();

  // The colour a hand symbol is drawn in, with hand colouring or without.
  QColor handColor(bool handColoring) const;

 private:
  bool applyCode(SymbolCode code);

  QImage m_image;
  SymbolCode m_sss = 0;
  bool m_valid = false;
};

}  // namespace quabe
