#pragma once

#include <QSizeF>

#include "document/Sign.h"

namespace quabe {

// A dictionary sign made of constituent signs, shown one after another in
// one sign box: side by side in horizontal writing, stacked in vertical
// writing. The constituents live in Sign::constituents; the compound's own
// symbols list stays empty.
class Compound : public Sign {
 public:
  // Gap between neighbouring constituents.
  static constexpr qreal Separation = 16;

  Compound();
  // A compound for a dictionary entry flagged as compound, made of the signs
  // of the entry's constituent list (the dictionary reads them, in order).
  Compound(std::shared_ptr<DbSign> entry, const QList<SignPtr>& parts);

  SignPtr copy() const override;

  QSizeF sizeInVMode;  // whole compound, vertical writing
  QSizeF sizeInHMode;  // whole compound, horizontal writing

  // Computes both sizes, the offsets and leftMostInVMode / topMostInHMode from
  // the constituents. A missing constituent leaves the sizes unchanged.
  void setSizeAndOffset();
  // Centres each constituent in a box of the given size.
  void center(qreal boxWidth, qreal boxHeight, bool vertical) override;
  // The constituents' symbols at the constituents' offsets, then its own.
  QList<ShownSymbol> shownSymbols(bool vertical) const override;
  // Empty when it has no constituents; its own symbols are not consulted.
  bool isEmpty() const override;
};

}  // namespace quabe
