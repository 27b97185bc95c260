#pragma once

// Signs written in FSW (the tests use real ASL signs): as the dictionary
// stores them (positions from the top-left symbol, no symbol sizes) and as
// drawn on the canvas (with the symbols' images; needs the archive).
#include "document/Fsw.h"
#include "symbols/SymbolCode.h"
#include "document/Sign.h"
#include "finder/SFSign.h"

namespace quabe::test {

inline SFSign storedSign(const QString& text, qint64 id = 0) {
  std::vector<SFSymbol> symbols;
  if (const auto fsw = FswSign::parse(text))
    for (const FswSymbol& s : fsw->symbols) symbols.emplace_back(SSS::fromFswKeyNumber(s.key), s.x - fsw->minX(), s.y - fsw->minY());
  return SFSign(symbols, id, false);
}

// Nothing when the text is no sign or a symbol has no image.
inline SignPtr drawnSign(const QString& text) {
  const auto fsw = FswSign::parse(text);
  if (!fsw) return nullptr;
  auto sign = std::make_shared<Sign>();
  for (const FswSymbol& s : fsw->symbols) {
    auto symbol = ISWA::make(SSS::fromFswKeyNumber(s.key));
    if (!symbol) return nullptr;
    symbol->rect.moveTopLeft(QPointF(s.x, s.y));
    sign->symbols.append(std::make_shared<ISWA>(*symbol));
  }
  sign->updateBounds();
  return sign;
}

}  // namespace quabe::test
