#pragma once

#include <QByteArray>
#include <QString>

namespace quabe {

// Mends the text layer of a PDF written by Qt. Its writer makes each font's
// ToUnicode map from the font's character map, taking for every glyph the
// lowest code point that maps to it. CJK fonts give one glyph to an
// ideograph and to its compatibility twin (手 U+624B and the Kangxi radical
// ⼿ U+2F3F, 見 and ⾒, 雨 and ⾬), so copied or searched text reads the
// radical. Knowing the texts that were drawn, each map entry that names a
// character the texts do not contain is turned into the one drawn character
// with the same compatibility form. The maps Qt writes are plain (not
// compressed) streams and only same-length entries are replaced, so no
// offset in the file moves.
class PdfTextMap {
 public:
  // Rewrites the entries in place; returns how many it changed.
  static int mend(QByteArray& pdf, const QString& drawnText);
};

}  // namespace quabe
