#pragma once

// The large document the layout, drawing and undo benchmarks work on.
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QStringList>
#include <memory>

#include "document/BufferManager.h"
#include "document/DbSign.h"
#include "document/Sign.h"
#include "symbols/ISWA.h"
#include "symbols/SymbolCode.h"

namespace quabe::bench {

constexpr int SignCount = 10000;
constexpr int SignsPerLine = 25;

// Lines of SignsPerLine signs, each of three symbols (a hand, a movement, a
// head) taken from the archive when it is there, else placeholder
// rectangles; every line ends with its line-break sign. With texts, every
// sign has a gloss and every seventh a comment.
inline void fillDocument(BufferManager& buffer, bool withTexts = false) {
  const QStringList glosses = {"私", "名前", "手話", "友達", "会う", "話す", "好き", "見る", "ありがとう", "雨"};
  const QList<SymbolCode> codes = {SSS::fromString(QStringLiteral("01-01-001-01-01-01")),
                                   SSS::fromString(QStringLiteral("02-05-001-01-01-01")),
                                   SSS::fromString(QStringLiteral("04-01-001-01-01-01"))};
  buffer.editBuffer.clear();
  int made = 0;
  while (made < SignCount) {
    auto line = std::make_shared<SignString>();
    for (int k = 0; k < SignsPerLine && made < SignCount; ++k, ++made) {
      auto sign = std::make_shared<Sign>();
      for (int s = 0; s < codes.size(); ++s) {
        auto symbol = std::make_shared<ISWA>(codes[s]);
        if (!symbol->isValid()) symbol->rect.setSize(QSizeF(30, 30));
        symbol->rect.moveTopLeft(QPointF(40 + 10 * s + (made % 7), 20 * s + (made % 5)));
        sign->symbols << symbol;
      }
      sign->updateBounds();
      if (withTexts) {
        sign->jjs->gloss = glosses[made % glosses.size()];
        if (made % 7 == 0) sign->comment = QStringLiteral("両手が近づく、ゆっくり");
      }
      line->signArray << sign;
    }
    line->signArray << std::make_shared<Sign>();
    buffer.editBuffer << line;
  }
}

}  // namespace quabe::bench
