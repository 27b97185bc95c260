// The sign list's rows and the dictionary thumbnails.
#include <QPainter>

#include "core/Logging.h"
#include "dictionary/Dictionary.h"
#include "document/Compound.h"
#include "symbols/SymbolArchive.h"

namespace quabe {

namespace {
// A LIKE pattern matching the text anywhere, literally (ESCAPE '\').
QString containsPattern(const QString& text) {
  QString escaped = QStringLiteral("%");
  for (const QChar c : text) {
    if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('%')) escaped += QLatin1Char('\\');
    escaped += c;
  }
  return escaped + QLatin1Char('%');
}

struct PlacedImage {
  QImage image;
  int x;
  int y;
};
}  // namespace

QList<DbSign> Dictionary::getWholeSignRecords(const QString& search, int from, int to, SqliteDatabase& db) {
  QString sql = QStringLiteral("SELECT * FROM Signs WHERE ((StdGloss IS NULL) OR (StdGloss = '')) ");
  QVariantList arguments;
  if (!search.isEmpty()) {
    const QString pattern = containsPattern(DbSign::splitGlossAndTag(search).first);
    sql += QStringLiteral(
        " AND ((Gloss LIKE ? ESCAPE '\\' OR Yomi LIKE ? ESCAPE '\\')  OR (SignID in (SELECT SignID FROM Translation "
        "WHERE Japanese LIKE ? ESCAPE '\\')))");
    arguments = {pattern, pattern, pattern};
  }
  sql += QStringLiteral(" ORDER BY Yomi");
  QList<DbSign> entries;
  auto rs = db.executeQuery(sql, arguments);
  int row = 0;
  while (row < to && rs && rs->next()) {
    ++row;
    if (row < from) continue;
    entries.append(makeDbSign(*rs));
  }
  return entries;
}

QList<DbSign> Dictionary::getWholeSigns(const QString& search, int from, int to) const {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  QList<DbSign> entries = getWholeSignRecords(search, from, to, db);
  for (DbSign& entry : entries) {
    entry.meanings = getMeanings(entry.signID, db);
    entry.image =
        entry.isCompound ? compoundImage(QSize(150, 150), entry.signID) : signImage(QSize(150, 150), entry.signID, db);
  }
  return entries;
}

QImage Dictionary::signImage(QSize size, qint64 signID) const {
  SqliteDatabase db = database();
  if (!db.open()) return QImage();
  return signImage(size, signID, db);
}

QImage Dictionary::signImage(QSize size, qint64 signID, SqliteDatabase& db) const {
  if (auto rs = db.executeQuery(QStringLiteral("SELECT IsCompound FROM Signs WHERE SignID=?"), {signID})) {
    if (rs->next() && rs->boolForColumnIndex(0)) {
      rs->close();
      return compoundImage(size, signID);
    }
  }
  const QList<DbISWA> spelling = readSpellingOrAliasTarget(db, signID);
  if (spelling.isEmpty()) return QImage();
  QList<PlacedImage> placed;
  placed.reserve(spelling.size());
  SymbolArchive& archive = SymbolArchive::shared();
  for (const DbISWA& row : spelling) {
    std::optional<QImage> image = archive.image(SSS::fromString(row.sss));
    if (!image) {
      qCWarning(lcDictionary).noquote() << "no image for symbol" << row.sss;
      continue;
    }
    placed.append({*image, row.x, row.y});
  }
  const int w = size.width();
  const int h = size.height();
  bool fits = true;
  for (const PlacedImage& p : placed) {
    if (p.x < 0 || p.y < 0 || p.x + p.image.width() > w || p.y + p.image.height() > h) fits = false;
  }
  QImage result;
  if (fits) {
    result = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::white);
    QPainter painter(&result);
    for (const PlacedImage& p : placed) painter.drawImage(p.x, p.y, p.image);
    return result;
  }
  // Something reaches outside: draw the symbols' box centred in a large enough image.
  int left = placed.first().x, top = placed.first().y;
  int right = left + placed.first().image.width(), bottom = top + placed.first().image.height();
  for (const PlacedImage& p : placed) {
    left = qMin(left, p.x);
    top = qMin(top, p.y);
    right = qMax(right, p.x + p.image.width());
    bottom = qMax(bottom, p.y + p.image.height());
  }
  const int boxWidth = right - left;
  const int boxHeight = bottom - top;
  result = QImage(qMax(w, boxWidth), qMax(h, boxHeight), QImage::Format_ARGB32_Premultiplied);
  result.fill(Qt::white);
  QPainter painter(&result);
  const qreal dx = (result.width() - boxWidth) / 2.0;
  const qreal dy = (result.height() - boxHeight) / 2.0;
  for (const PlacedImage& p : placed) painter.drawImage(QPointF(p.x - left + dx, p.y - top + dy), p.image);
  return result;
}

QImage Dictionary::compoundImage(QSize size, qint64 compoundID) const {
  std::shared_ptr<DbSign> entry;
  if (std::optional<DbSign> stored = getSign(compoundID)) {
    entry = std::make_shared<DbSign>(std::move(*stored));
  } else {
    entry = std::make_shared<DbSign>();
  }
  if (!entry->constituentIDs) {
    SqliteDatabase db = database();
    entry->constituentIDs = db.open() ? getConstituentIDs(compoundID, db) : QList<qint64>();
  }
  const std::shared_ptr<Compound> built = makeCompound(entry);
  const Compound& compound = *built;
  const QSizeF compoundSize = compound.sizeInVMode;
  QImage result(qMax(size.width(), int(std::ceil(compoundSize.width()))),
                qMax(size.height(), int(std::ceil(compoundSize.height()))), QImage::Format_ARGB32_Premultiplied);
  result.fill(Qt::yellow);
  QPainter painter(&result);
  qreal y = (result.height() - compoundSize.height()) / 2.0;
  const QList<SignPtr> parts = compound.constituents.value_or(QList<SignPtr>());
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const SignPtr& part = parts.at(i);
    if (!part) continue;
    if (i > 0) {
      const qreal lineY = y - Compound::Separation / 2.0;
      painter.setPen(QColor(211, 211, 211));
      painter.drawLine(QPointF(0, lineY), QPointF(result.width(), lineY));
    }
    const QImage picture = part->image();
    if (!picture.isNull()) painter.drawImage(QPointF((result.width() - part->width) / 2.0, y), picture);
    y += part->height + Compound::Separation;
  }
  return result;
}

}  // namespace quabe
