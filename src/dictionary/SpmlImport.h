#pragma once

#include <QHash>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace quabe {

// The namespace of the attributes in which this system's SPML exports keep
// the fields SPML has no element for.
inline constexpr char SpmlFieldNamespace[] = "urn:x-quabe:dictionary";

// One entry of an SPML file as the importer reads it.
struct SpmlEntry {
  qint64 id = 0;
  qint64 creationTime = 0;      // cdt
  qint64 modificationTime = 0;  // mdt
  QString sign;                 // the first term that is a sign (FSW or SWU)
  QStringList terms;            // the other terms, in order
  QString text;
  QString source;
  // An entry of this system's export: its fields by attribute name and its
  // reading; terms and source are then kept exactly as written (not trimmed).
  QHash<QString, QString> fields;
  QString reading;
  bool isOwnExport() const { return !fields.isEmpty(); }
};

// Reads the entries of an SPML export one at a time from a device.
class SpmlReader {
 public:
  explicit SpmlReader(QIODevice* device);
  ~SpmlReader();
  SpmlReader(const SpmlReader&) = delete;
  SpmlReader& operator=(const SpmlReader&) = delete;

  // The next entry, or false at the end of the file or on malformed XML
  // (then hasError() is true and errorString() says where).
  bool readNext(SpmlEntry& entry);
  bool hasError() const;
  QString errorString() const;

 private:
  struct Private;
  Private* d;
};

struct SpmlImportResult {
  bool ok = false;
  int imported = 0;  // entries written
  int skipped = 0;   // entries without a usable sign
  QString error;
};

// Imports every entry that carries an FSW sign into an existing dictionary,
// in one transaction: the gloss is the first text term, the meanings the
// other terms and the text, the source becomes the comment, and the spelling
// is the sign's symbols moved so that their box starts at (0, 0). The entry
// keeps its SPML id when that id is free. Entries of this system's own
// export (exportSpml) are read back field by field instead, their
// constituents following the ids their entries receive. On any failure
// nothing is written.
// progress (may be empty) is called every 1000 entries and at the end. A
// Dictionary open on the file learns of the import from the caller
// (Dictionary::announceExternalChange).
SpmlImportResult importSpml(QIODevice* device, const QString& dictionaryPath,
                            const std::function<void(int imported, int skipped)>& progress = {});

}  // namespace quabe
