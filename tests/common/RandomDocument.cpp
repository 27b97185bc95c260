#include "RandomDocument.h"

#include <algorithm>

#include "document/Compound.h"
#include "document/DbSign.h"
#include "symbols/SymbolArchive.h"

namespace quabe::test {

namespace {
const char* const kWords[] = {"HELLO", "a_b", "手話", "こんにちは", "学校", "雨", "NEWLINE", "x y", "行く"};
const char* const kMarkup[] = {"<", ">", "&", "\"", "'", "]]>", "<!--", "&amp;", "<![CDATA[", "<b>"};
const char* const kSpaces[] = {" ", "  ", "\u3000", "\t", "\n", "\r\n", " \u3000 "};
const char* const kTags[] = {"①", "②", "⑨"};
}  // namespace

RandomDocument::RandomDocument(quint32 seed) : m_random(seed) {
  QList<SymbolCode> codes = SymbolArchive::shared().storedCodes();
  std::sort(codes.begin(), codes.end());  // the archive's own order is not stable
  for (SymbolCode code : codes) {
    const int category = SSS::categoryField(code);
    if (category >= 1 && category <= 7) m_codes[size_t(category - 1)].append(code);
  }
}

QString RandomDocument::text() {
  QString out;
  if (chance(30)) out += pick(kSpaces);
  const int pieces = between(1, 3);
  for (int i = 0; i < pieces; ++i) out += chance(30) ? pick(kMarkup) : pick(kWords);
  if (chance(30)) out += pick(kSpaces);
  return out;
}

void RandomDocument::giveTexts(Sign& sign) {
  if (chance(70)) sign.jjs->gloss = text();
  if (!sign.jjs->gloss.isEmpty() && chance(15)) sign.jjs->tag = pick(kTags);
  if (chance(30)) sign.jjs->yomi = text();
  if (chance(40)) sign.comment = text();
}

ISWAPtr RandomDocument::symbol() {
  const QList<quint32>& codes = m_codes[size_t(between(0, 6))];
  if (codes.isEmpty()) return nullptr;
  auto symbol = std::make_shared<ISWA>(SymbolCode(codes[between(0, int(codes.size()) - 1)]));
  symbol->rect.moveTopLeft(QPointF(between(-160, 320), between(-160, 320)));
  return symbol;
}

SignPtr RandomDocument::sign() {
  auto sign = std::make_shared<Sign>();
  const int count = between(1, 6);
  for (int i = 0; i < count; ++i)
    if (ISWAPtr s = symbol()) sign->symbols.append(s);
  sign->updateBounds();
  sign->lane = between(-1, 1);
  giveTexts(*sign);
  return sign;
}

SignPtr RandomDocument::compound() {
  auto compound = std::make_shared<Compound>();
  const int parts = between(2, 3);
  for (int i = 0; i < parts; ++i) {
    SignPtr part = sign();
    compound->constituents->append(part);
    compound->constituentIDs->append(between(1, 9999));
  }
  compound->setSizeAndOffset();
  compound->lane = between(-1, 1);
  giveTexts(*compound);
  return compound;
}

SignPtr RandomDocument::blank() {
  auto sign = std::make_shared<Sign>();
  sign->lane = between(-1, 1);
  giveTexts(*sign);
  if (chance(15)) sign->jjs->gloss = QStringLiteral("NEWLINE");
  return sign;
}

void RandomDocument::fill(BufferManager& buffer, Preferences& prefs) {
  prefs.defaultSignBoxWidth = between(60, Preferences::SignBoxRange.high);
  prefs.defaultSignBoxHeight = between(60, Preferences::SignBoxRange.high);
  prefs.lineSpace = between(Preferences::LineSpaceRange.low, Preferences::LineSpaceRange.high);
  prefs.minSignSpace = between(Preferences::SignSpaceRange.low, Preferences::SignSpaceRange.high);
  prefs.verticalWriting = chance(50);

  buffer.editBuffer.clear();
  const int lines = between(1, 4);
  for (int l = 0; l < lines; ++l) {
    auto line = std::make_shared<SignString>();
    const int signs = chance(15) ? 0 : between(1, 6);
    for (int i = 0; i < signs; ++i) {
      const int kind = between(1, 10);
      line->signArray.append(kind == 1 ? compound() : kind == 2 ? blank() : sign());
    }
    // The line-break sign: no gloss (the line break is written as one), but
    // a lane, a reading and a comment are kept.
    auto lineBreak = std::make_shared<Sign>();
    lineBreak->lane = between(-1, 1);
    if (chance(20)) lineBreak->jjs->yomi = text();
    if (chance(20)) lineBreak->comment = text();
    line->signArray.append(lineBreak);
    buffer.editBuffer.append(line);
  }
}

}  // namespace quabe::test
