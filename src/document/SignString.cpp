#include "document/SignString.h"

#include <algorithm>

namespace quabe {

SignPtr SignString::at(qsizetype index) const {
  return (index >= 0 && index < signArray.size()) ? signArray[index] : nullptr;
}

SignPtr SignString::last() const { return signArray.isEmpty() ? nullptr : signArray.last(); }

bool SignString::endsWithEmptySign() const {
  const SignPtr sign = last();
  return sign && sign->isEmpty();
}

SignString SignString::splitOff(qsizetype index) {
  index = std::clamp<qsizetype>(index, 0, signArray.size());
  SignString rest(signArray.mid(index));
  signArray.resize(index);
  return rest;
}

qsizetype SignString::index(const Sign* sign) const {
  for (qsizetype i = 0; i < signArray.size(); ++i) {
    if (signArray[i].get() == sign) return i;
  }
  return -1;
}

}  // namespace quabe
