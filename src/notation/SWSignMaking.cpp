#include "document/Sign.h"
#include "notation/SWSign.h"
#include "symbols/ISWA.h"

namespace quabe {

SignPtr SWSign::makeSign() const {
  auto sign = std::make_shared<Sign>();
  for (const SymbolPtr& symbol : symbols) {
    // The placed symbol keeps the archive image's size; a code the archive
    // lacks is left out.
    std::optional<ISWA> placed = ISWA::make(symbol->sss(), symbol->hand);
    if (!placed) {
      report(QStringLiteral("makeSign()"), QStringLiteral("no image for symbol ") + symbol->sssText());
      continue;
    }
    placed->rect.moveTopLeft(symbol->location);
    placed->changeableHand = symbol->isChangeableHand;
    placed->turnableArrow = symbol->isTurnableArrow;
    placed->modifiableArrow = symbol->isModifiableArrow;
    sign->symbols.append(std::make_shared<ISWA>(std::move(*placed)));
  }
  *sign->jjs = dbSign;
  sign->lane = lane;
  sign->updateBounds();
  return sign;
}

}  // namespace quabe
