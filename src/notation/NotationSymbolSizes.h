#pragma once

#include <QSizeF>
#include <QString>

#include "symbols/SymbolCode.h"

namespace quabe {

// Sizes of symbols for sign generation. The dictionary's size table is read
// once per code and remembered until the dictionary changes (a write or a
// switch to another file); a code the table lacks takes the size of its
// archive image.
class NotationSymbolSizes {
 public:
  static QSizeF size(SymbolCode code);
  // Forgets every remembered size.
  static void clear();
};

}  // namespace quabe
