#pragma once

#include <QList>
#include <memory>

#include "document/Sign.h"

namespace quabe {

// One logical line of a document: an ordered list of shared signs (a line
// does not own copies). Every line of the edit buffer ends with an empty
// sign, its line break.
class SignString {
 public:
  SignString() = default;
  explicit SignString(QList<SignPtr> signs) : signArray(std::move(signs)) {}

  QList<SignPtr> signArray;

  qsizetype count() const { return signArray.size(); }
  bool isEmpty() const { return signArray.isEmpty(); }
  SignPtr at(qsizetype index) const;  // nullptr outside the line
  SignPtr last() const;               // nullptr for an empty line
  // True when the last sign is empty (the line is terminated).
  bool endsWithEmptySign() const;

  // Removes the signs from index on (clamped to 0..count) and returns them.
  SignString splitOff(qsizetype index);
  // Position of the very sign object, or -1.
  qsizetype index(const Sign* sign) const;
};

using SignStringPtr = std::shared_ptr<SignString>;

}  // namespace quabe
