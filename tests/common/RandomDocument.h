#pragma once

#include <QRandomGenerator>
#include <algorithm>

#include "document/BufferManager.h"
#include "document/DbSign.h"
#include "symbols/SymbolArchive.h"

namespace quabe::test {

// A document drawn from a seed, for the round trips of the file formats:
// lines of signs in random lanes, each sign a few ISWA 2010 symbols of the
// archive at integer positions, now and then a blank sign, and glosses,
// readings and comments with characters that need escaping. Every line
// ends with its line-break sign. Needs the archive (no lines without it).
inline BufferManager randomDocument(quint32 seed, int lineCount = 6) {
  static const QList<SymbolCode> codes = [] {
    QList<SymbolCode> iswa;
    for (SymbolCode code : SymbolArchive::shared().storedCodes())
      if (SSS::fswKeyNumber(code) != 0) iswa.append(code);
    std::sort(iswa.begin(), iswa.end());
    return iswa;
  }();
  QRandomGenerator random(seed);
  const auto text = [&random](const char* stem) {
    static const QStringList extras = {"", " & <b>", " \"quoted\"", " 手話", " ]]>"};
    return QString::fromUtf8(stem) + QString::number(random.bounded(100)) + extras[random.bounded(extras.size())];
  };
  BufferManager buffer;
  buffer.editBuffer.clear();
  for (int l = 0; l < lineCount && !codes.isEmpty(); ++l) {
    auto line = std::make_shared<SignString>();
    for (int s = random.bounded(6); s >= 0; --s) {
      auto sign = std::make_shared<Sign>();
      sign->lane = random.bounded(3) - 1;
      for (int k = random.bounded(random.bounded(8) == 0 ? 1 : 6); k > 0; --k) {
        auto symbol = std::make_shared<ISWA>(codes[random.bounded(codes.size())]);
        symbol->rect.moveTopLeft(QPointF(random.bounded(120), random.bounded(120)));
        sign->symbols.append(symbol);
      }
      sign->updateBounds();
      if (random.bounded(2)) sign->jjs->gloss = text("gloss");
      if (random.bounded(3) == 0) sign->jjs->yomi = text("yomi");
      if (random.bounded(3) == 0) sign->comment = text("comment");
      line->signArray.append(sign);
    }
    line->signArray.append(std::make_shared<Sign>());
    buffer.editBuffer.append(line);
  }
  return buffer;
}

}  // namespace quabe::test
