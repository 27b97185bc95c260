#pragma once

#include <QList>
#include <QString>

#include "document/DbSign.h"

namespace quabe {

// The rows of the sign list: the dictionary's non-alias entries ordered by
// reading, restricted by a search text to entries whose gloss, reading or a
// meaning contains the text's gloss part (its tag is dropped). Rows are
// counted from 1; rows below `from` are skipped and reading stops after row
// `to`. Each row carries its meanings; thumbnails are left to the list, which
// draws them for the rows it shows. One connection on the dictionary file
// serves the whole listing, so the full ASL dictionary lists in a fraction of
// a second; safe to call from a worker thread.
QList<DbSign> listDictionarySigns(const QString& dictionaryPath, const QString& search, int from, int to);

}  // namespace quabe
