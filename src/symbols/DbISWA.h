#pragma once

#include <QString>

namespace quabe {

// One spelling row: a symbol placed in a dictionary entry.
class DbISWA {
 public:
  qint64 signID = 0;
  int subID = 0;
  QString sign;  // the entry's gloss as written with the row
  QString sss;   // text code "01-01-001-01-01-01"
  int x = 0;     // top-left corner in the sign box, y downwards
  int y = 0;
  int hand = 0;  // raw Hand value
  int changeableHand = 0;
  int turnableArrow = 0;
  int modifiableArrow = 0;

  bool operator==(const DbISWA&) const = default;
};

}  // namespace quabe
