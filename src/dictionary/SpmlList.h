#pragma once

#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringView>

#include "document/Sign.h"

namespace quabe {

// One entry of an SPML file as the import list shows it: the title is the
// first written term (else the description), the source carries the
// description after "; " when the title is a term. The signs stay in FSW
// until the entry is shown.
struct SpmlListEntry {
  qint64 id = 0;
  QString title;
  QString source;
  QString gloss;     // the first written term, given to the term's sign
  QString signTerm;  // FSW of the term's sign
  QString signText;  // FSW signs of the text, separated by spaces

  bool hasSigns() const { return !signTerm.isEmpty() || !signText.isEmpty(); }
  // The signs to insert: the term's sign (glossed) first, then the text's.
  QList<SignPtr> signs() const;
};

// Every entry of an SPML file, in file order. False, with the reason, when
// the file is not well-formed XML (the entries read so far are kept).
bool readSpmlList(QIODevice* device, QList<SpmlListEntry>& entries, QString* error = nullptr);

// One sign written in FSW (with or without sort prefix, any box marker, or
// a punctuation symbol standing alone) as a canvas sign in the lane of its
// box; nullptr when the text is not such a sign.
SignPtr signFromFsw(QStringView fsw);

}  // namespace quabe
