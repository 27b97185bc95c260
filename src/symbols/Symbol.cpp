#include "symbols/Symbol.h"

#include "symbols/SymbolArchive.h"

namespace quabe {

Symbol::Symbol(const DbISWA& row) : dbIswa(std::make_shared<DbISWA>(row)) {
  decode(SSS::fromString(row.sss));
  hand = (row.hand >= 0 && row.hand <= 3) ? static_cast<Hand>(row.hand) : Hand::none;
  isChangeableHand = row.changeableHand != 0;
  isTurnableArrow = row.turnableArrow != 0;
  isModifiableArrow = row.modifiableArrow != 0;
  updateSize();
}

Symbol::Symbol(const QString& sssText) {
  decode(SSS::fromString(sssText));
  updateSize();
}

Symbol::Symbol(const QString& sssText, const QPointF& location, const QSizeF& size) : size(size), location(location) {
  decode(SSS::fromString(sssText));
}

void Symbol::decode(SymbolCode code) {
  category = SSS::categoryOf(code).value_or(Category::none);
  group = SSS::group(code);
  baseSymbol = SSS::baseSymbol(code);
  variation = SSS::variation(code);
  fill = SSS::fill(code);
  rotation = SSS::rotation(code);
  originalRotation = rotation;
}

SymbolCode Symbol::sss() const {
  const quint32 categoryField = quint32(static_cast<int>(category) + 1);
  return ((categoryField << 28) + ((quint32(group) & 15) << 24)) | ((quint32(baseSymbol) & 255) << 16) |
         ((quint32(variation) & 15) << 12) | ((quint32(fill) & 15) << 8) | (quint32(rotation) & 255);
}

void Symbol::updateSize() { size = SymbolArchive::shared().symbolSize(sss()); }

void Symbol::setRotation(int newRotation) {
  if (newRotation == rotation) return;
  rotation = newRotation;
  updateSize();
}

void Symbol::takeShape(const Symbol* other) {
  if (!other) return;
  group = other->group;
  baseSymbol = other->baseSymbol;
  variation = other->variation;
  fill = other->fill;
  rotation = other->rotation;
  updateSize();
}

}  // namespace quabe
