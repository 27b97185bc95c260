#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace quabe {

class SqliteDatabase;

// Making dictionary files: an empty dictionary with the full schema, and the
// bundled starter dictionary built from its JSON source.
class DictionaryFile {
 public:
  // The CREATE statements of the six tables and their indexes.
  static QStringList schemaStatements();
  // The symbol archive's size table ("iswa2010data.db" among the resources).
  static QString defaultSymbolDataPath();

  // What to tell the user about a dictionary whose last statement failed:
  // "dictionary is busy" when another connection held it past the busy
  // timeout, otherwise SQLite's cause (for example "database or disk is full").
  static QString failureText(const SqliteDatabase& db);

  // Writes an empty dictionary at path, SymbolSize filled from the symbol data
  // file (table Symbols(code, fsw, width, height)). The file appears only when
  // complete; an existing file is not replaced unless replace is true. An
  // empty symbolDataPath leaves SymbolSize empty. On failure error says why.
  static bool create(const QString& path, const QString& symbolDataPath, bool replace, QString* error);

  // Builds a dictionary from the starter source (JSON: handshapes, nms,
  // entries, aliases, compounds). Returns false with error on a malformed
  // source; the output appears only when complete.
  static bool buildFromSource(const QByteArray& json, const QString& path, const QString& symbolDataPath,
                              QString* error);
};

}  // namespace quabe
