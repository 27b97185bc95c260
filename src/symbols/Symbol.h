#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <optional>

#include "symbols/DbISWA.h"
#include "symbols/SymbolCode.h"

namespace quabe {

// A decoded symbol record: the code's fields as separate integers, the
// symbol's size (its archive image's), its location and dictionary flags. The
// notation converter builds and inflects signs out of these. Copies share
// dbIswa and complement.
class Symbol {
 public:
  Symbol() = default;
  // From a spelling row: the code's fields, the hand and editing flags of the
  // row, and the size of the code's image; location (0, 0).
  explicit Symbol(const DbISWA& row);
  // From a text code alone (no spelling row).
  explicit Symbol(const QString& sssText);
  // From a text code with a known location and size (no size look-up).
  Symbol(const QString& sssText, const QPointF& location, const QSizeF& size);

  std::shared_ptr<DbISWA> dbIswa;
  std::optional<QString> gloss;
  Category category = Category::none;
  int group = 0;
  int baseSymbol = 0;
  int variation = 0;
  int fill = 0;
  int rotation = 0;
  int originalRotation = 0;
  QSizeF size;
  QPointF location;
  bool isCenteredSymbol = false;
  bool isChangeableHand = false;
  bool isTurnableArrow = false;
  bool isModifiableArrow = false;
  Hand hand = Hand::none;
  std::shared_ptr<Symbol> complement;

  // The code of the fields (category none encodes as field 8).
  SymbolCode sss() const;
  QString sssText() const { return SSS::toString(sss()); }

  // Takes group, base symbol, variation, fill and rotation of another symbol.
  void takeShape(const Symbol* other);

 private:
  void decode(SymbolCode code);
  void setRotation(int rotation);
  void updateSize();
};

}  // namespace quabe
