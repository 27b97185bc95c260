#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

#include "symbols/DbISWA.h"

namespace quabe {

// How a tag is written after a gloss: not at all, directly when it is a
// circled digit (the notation form), after "_", or after "@".
enum class TagStyle : int { none = 0, defaultStyle = 1, underline = 2, atMark = 3 };

// One dictionary entry. A negative signID marks an entry not stored yet.
class DbSign {
 public:
  qint64 signID = 0;
  QString gloss;
  QString tag;
  QString yomi;
  QString stdGloss;  // non-empty: the entry is an alias of this written gloss
  QString handshape;
  QString dHandshape;  // second hand's shape (notation only, not stored)
  QString position;
  QString source;
  QString destination;
  QString modifier;
  QString nmm;      // non-manual markers (notation only, not stored)
  QString jjsText;  // notation text, computed when the row is read
  double width = 0;
  double height = 0;
  qint32 inflectionType = 0;
  qint32 modificationType = 0;
  bool isForHandshape = false;
  QString comment;
  qint64 creationTime = 0;  // seconds since 1970-01-01 UTC
  qint64 modificationTime = 0;
  QStringList meanings;
  bool isAmbiguous = false;
  std::optional<QImage> image;
  bool isCompound = false;
  std::optional<QList<qint64>> constituentIDs;
  std::optional<QList<DbSign>> constituents;
  QList<qint64> candidates;

  bool operator==(const DbSign&) const = default;

  // Gloss plus tag, then [handshape], (place or path;modifier) and <markers>.
  QString text(TagStyle tagStyle) const;
  // The meanings joined with " / ".
  QString meaningsText() const;

  // Splits a written gloss into gloss and tag: the last character when the
  // text holds a circled digit ①-⑨, else the parts around the first "_".
  static std::pair<QString, QString> splitGlossAndTag(const QString& text);
  // Whether the text holds a circled digit ①-⑨.
  static bool containsCircledDigit(const QString& text);
  static bool isCircledDigit(QChar c) { return c.unicode() >= 0x2460 && c.unicode() <= 0x2468; }
};

}  // namespace quabe
