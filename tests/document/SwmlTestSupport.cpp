#include "SwmlTestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>

#include "BuildPaths.h"
#include "document/DbSign.h"
#include "document/Document.h"
#include "document/SwmlDelegate.h"
#include "document/SwmlText.h"
#include "symbols/ISWA.h"

namespace quabe::test {

SignPtr makeSign(const SignSpec& spec) {
  auto sign = std::make_shared<Sign>();
  const auto [gloss, tag] = DbSign::splitGlossAndTag(spec.gloss);
  const bool circled = tag.size() == 1 && DbSign::isCircledDigit(tag.at(0));
  sign->jjs->gloss = circled ? gloss : spec.gloss;
  sign->jjs->tag = circled ? tag : QString();
  sign->jjs->yomi = spec.yomi;
  sign->lane = spec.lane;
  sign->comment = spec.comment;
  for (const SymbolSpec& s : spec.symbols) {
    std::optional<ISWA> symbol = ISWA::make(QString::fromLatin1(s.code));
    EXPECT_TRUE(symbol.has_value()) << s.code;
    if (!symbol) continue;
    symbol->rect.moveTopLeft(QPointF(s.x, s.y));
    sign->symbols.append(std::make_shared<ISWA>(std::move(*symbol)));
  }
  sign->updateBounds();
  return sign;
}

BufferManager makeBuffer(const std::vector<std::vector<SignSpec>>& lines) {
  BufferManager buffer;
  buffer.editBuffer.clear();
  for (const auto& specs : lines) {
    auto line = std::make_shared<SignString>();
    for (const SignSpec& spec : specs) line->signArray.append(makeSign(spec));
    line->signArray.append(std::make_shared<Sign>());
    buffer.editBuffer.append(line);
  }
  return buffer;
}

Preferences fixedPreferences(bool vertical) {
  Preferences prefs;
  prefs.defaultSignBoxWidth = 150;
  prefs.defaultSignBoxHeight = 150;
  prefs.lineSpace = 20;
  prefs.minSignSpace = 10;
  prefs.verticalWriting = vertical;
  return prefs;
}

QString describe(const Sign& sign, bool vertical) {
  QString out = QStringLiteral("lane %1 gloss [%2] tag [%3] yomi [%4]")
                    .arg(sign.lane)
                    .arg(sign.jjs->gloss, sign.jjs->tag, sign.jjs->yomi);
  for (const Sign::ShownSymbol& shown : sign.shownSymbols(vertical))
    out += QStringLiteral(" %1@%2,%3")
               .arg(SSS::toString(shown.symbol->sss()))
               .arg(SwmlText::roundToInt(shown.position.x()))
               .arg(SwmlText::roundToInt(shown.position.y()));
  if (!sign.comment.isEmpty()) out += QStringLiteral(" comment [%1]").arg(sign.comment);
  if (sign.isEmpty()) out += QStringLiteral(" (empty)");
  return out;
}

QString describe(const BufferManager& buffer, bool vertical) {
  QString out;
  for (qsizetype l = 0; l < buffer.editBuffer.size(); ++l) {
    out += QStringLiteral("line %1\n").arg(l);
    for (const SignPtr& sign : buffer.editBuffer.at(l)->signArray)
      out += QStringLiteral("  ") + describe(*sign, vertical) + '\n';
  }
  return out;
}

SwmlReadReport readSwml(const QByteArray& bytes, BufferManager& buffer, Preferences& prefs) {
  QByteArray copy = bytes;
  QBuffer device(&copy);
  device.open(QIODevice::ReadOnly);
  SWMLDelegate delegate(buffer, prefs);
  const SwmlReadReport report = delegate.read(device);
  Document::completeReading(buffer, prefs);
  return report;
}

bool everyLineTerminated(const BufferManager& buffer) {
  if (buffer.editBuffer.isEmpty()) return false;
  for (const SignStringPtr& line : buffer.editBuffer)
    if (line->signArray.isEmpty() || !line->signArray.last()->isEmpty()) return false;
  return true;
}

QString testDataPath(const QString& relative) { return QStringLiteral(QUABE_TEST_DATA_DIR "/swml/") + relative; }

QByteArray readTestData(const QString& relative) {
  QFile file(testDataPath(relative));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << testDataPath(relative).toStdString();
  return file.readAll();
}

}  // namespace quabe::test
