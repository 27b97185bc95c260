#include "notation/SWGen.h"

#include "dictionary/Dictionary.h"
#include "dictionary/sqlite/SqliteDatabase.h"
#include "document/DbSign.h"
#include "notation/NotationDiagnostics.h"

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
    signs.push_back(std::move(sign));
  }
  return signs;
}

QList<SignPtr> SWGen::generate(std::vector<SWSign>& signs) const {
  // One connection serves the entries and spellings of the whole line.
  // Reading inside one transaction keeps the file locked for reading once
  // instead of once per statement (nothing is written here).
  SqliteDatabase database = m_dictionary.database();
  const bool reading =
      !signs.empty() && database.open() && database.executeStatements(QStringLiteral("BEGIN DEFERRED TRANSACTION"));
  for (SWSign& sign : signs) {
    if (!sign.loadSymbols(m_dictionary, &database)) {
      NotationDiagnostics::report(QStringLiteral("signsFromjjsText"), QStringLiteral("cannot load symbols"));
      if (NotationDiagnostics::isCollecting()) NotationDiagnostics::noteUnknownGloss(sign.dbSign.gloss);
    }
  }
  if (reading) database.executeStatements(QStringLiteral("COMMIT"));
  database.close();
  for (SWSign& sign : signs) sign.changeHandshape(m_dictionary);
  for (SWSign& sign : signs) sign.inflectByChangingDirection();
  for (SWSign& sign : signs) sign.assignLane();
  for (SWSign& sign : signs) sign.inflectForPlural();
  for (SWSign& sign : signs) sign.addNonManualMarkers(m_dictionary);
  QList<SignPtr> result;
  result.reserve(qsizetype(signs.size()));
  for (const SWSign& sign : signs) result.append(sign.makeSign());
  return result;
}

QList<SignPtr> SWGen::signsFromjjsText(const QString& text) const {
  Tokenizer tokenizer(text);
  TextSplitter splitter(tokenizer);
  std::vector<SWSign> signs = swSignsFromJSigns(splitter.split());
  return generate(signs);
}

NotationConversion SWGen::convert(const QString& text) const {
  NotationDiagnostics collector;
  NotationConversion conversion;
  conversion.signs = signsFromjjsText(text);
  conversion.diagnostics = collector.lines();
  conversion.unknownGlosses = collector.unknownGlosses();
  return conversion;
}

}  // namespace quabe
