#include "notation/SWGen.h"

#include <algorithm>

#include "document/DbSign.h"
#include "document/Sign.h"
#include "notation/NotationDictionary.h"

namespace quabe {

namespace {
const QChar kPathArrow(0x2192);

QString normalisedPlace(const QString& place) {
  if (place == u"l") return QStringLiteral("L");
  if (place == u"r") return QStringLiteral("R");
  return place;
}
}  // namespace

std::vector<SWSign> SWGen::swSignsFromJSigns(const std::vector<JSign>& items) {
  std::vector<SWSign> signs;
  signs.reserve(items.size());
  for (const JSign& item : items) {
    SWSign sign;
    const auto [gloss, tag] = DbSign::splitGlossAndTag(item.gloss);
    sign.dbSign.gloss = gloss;
    sign.dbSign.tag = tag;
    sign.dbSign.handshape = item.handshape;
    sign.dbSign.dHandshape = item.dHandshape;
    const qsizetype arrow = item.space.indexOf(kPathArrow);
    if (arrow >= 0) {
      sign.dbSign.source = normalisedPlace(item.space.left(arrow));
      sign.dbSign.destination = normalisedPlace(item.space.mid(arrow + 1));
    } else {
      sign.dbSign.position = item.space;
    }
    sign.dbSign.modifier = item.mod;
    sign.dbSign.nmm = item.nmm;
    sign.isSimultaneous = item.isSimultaneous;
    sign.isSemiSimultaneous = item.isSemiSimultaneous;
    sign.at = item.at;
    sign.length = item.length;
    signs.push_back(std::move(sign));
  }
  return signs;
}

bool NotationConversion::isReadable() const {
  return std::none_of(diagnostics.begin(), diagnostics.end(),
                      [](const NotationDiagnostic& d) { return d.kind == NotationDiagnostic::Kind::unreadable; });
}

QList<SignPtr> SWGen::generate(std::vector<SWSign>& signs, NotationConversion& conversion) const {
  QList<SignPtr> result;
  if (signs.empty()) return result;
  NotationDictionary dictionary(m_dictionary);
  std::vector<bool> found;
  found.reserve(signs.size());
  for (SWSign& sign : signs) found.push_back(sign.loadSymbols(dictionary));
  for (SWSign& sign : signs) sign.changeHandshape(dictionary);
  for (SWSign& sign : signs) sign.inflectByChangingDirection();
  for (SWSign& sign : signs) sign.assignLane();
  for (SWSign& sign : signs) sign.inflectForPlural();
  for (SWSign& sign : signs) sign.addNonManualMarkers(dictionary);

  result.reserve(qsizetype(signs.size()));
  for (std::size_t i = 0; i < signs.size(); ++i) {
    const SWSign& sign = signs[i];
    SignPtr made;
    if (sign.dbSign.isCompound) {
      made = dictionary.compound(sign.dbSign);
      made->lane = sign.lane;
    } else {
      made = sign.makeSign();
    }
    result.append(made);
    using Kind = NotationDiagnostic::Kind;
    if (!found[i]) {
      const QString& word = sign.dbSign.gloss + sign.dbSign.tag;
      conversion.diagnostics.push_back(NotationDiagnostic{
          Kind::unknownWord, QStringLiteral("not in the dictionary: ") + word, sign.at, sign.length});
      if (!conversion.unknownWords.contains(word)) conversion.unknownWords.append(word);
    }
    for (const QString& problem : sign.problems) {
      conversion.diagnostics.push_back(NotationDiagnostic{Kind::inflection, problem, sign.at, sign.length});
    }
  }
  return result;
}

QList<SignPtr> SWGen::signsFromjjsText(const QString& text) const { return convert(text).signs; }

NotationConversion SWGen::convert(const QString& text) const {
  Tokenizer tokenizer(text);
  TextSplitter splitter(tokenizer);
  std::vector<SWSign> signs = swSignsFromJSigns(splitter.split());
  NotationConversion conversion;
  conversion.diagnostics = splitter.diagnostics();
  conversion.signs = generate(signs, conversion);
  // Problems in the order of the line, whichever step found them.
  std::stable_sort(conversion.diagnostics.begin(), conversion.diagnostics.end(),
                   [](const NotationDiagnostic& a, const NotationDiagnostic& b) { return a.at < b.at; });
  return conversion;
}

}  // namespace quabe
