#pragma once

#include <QString>
#include <QStringList>

namespace quabe {

struct SpmlExportResult {
  bool ok = false;
  int exported = 0;      // entries written
  QStringList problems;  // what the file could not carry unchanged, by entry
  QString error;
};

// Writes every entry of the dictionary at dictionaryPath as an SPML 1.6
// export, atomically (the file is replaced only once all of it is written).
// Each entry keeps its id and times; its terms are the sign in FSW (with the
// sort prefix in symbol order), the gloss, the reading and the meanings; the
// comment is its source. The fields SPML has no element for (tag, notation
// parameters, box, spelling flags, constituents of compounds, alias target)
// are attributes in this system's namespace, which other SPML readers pass
// over and importSpml reads back, so that an export imported into an empty
// dictionary gives the same rows.
SpmlExportResult exportSpml(const QString& dictionaryPath, const QString& outputPath);

}  // namespace quabe
