#pragma once

// Signs written in FSW (the tests use real ASL signs): as the dictionary
// stores them (positions from the top-left symbol, no symbol sizes) and as
// drawn on the canvas (with the symbols' images; needs the archive).
#include "document/Fsw.h"
#include "document/Sign.h"
#include "finder/SFSign.h"
#include "symbols/SymbolCode.h"

namespace quabe::test {

inline SymbolCode hand(int group, int base, int fill = 1, int rotation = 1) {
  return SSS::make(1, quint32(group), quint32(base), 1, quint32(fill), quint32(rotation));
}
inline const SymbolCode Face = SSS::make(4, 2, 1, 1, 1, 1);

// A sign of the given symbols at (x, y), as the finder compares them.
inline SFSign sfSign(qint64 id, std::initializer_list<std::tuple<SymbolCode, int, int>> symbols,
                     bool normalize = false) {
  std::vector<SFSymbol> list;
  for (const auto& [code, x, y] : symbols) list.emplace_back(code, x, y);
  return SFSign(list, id, normalize);
}

inline SFSign storedSign(const QString& text, qint64 id = 0) {
  std::vector<SFSymbol> symbols;
  if (const auto fsw = FswSign::parse(text))
    for (const FswSymbol& s : fsw->symbols)
      symbols.emplace_back(SSS::fromFswKeyNumber(s.key), s.x - fsw->minX(), s.y - fsw->minY());
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
