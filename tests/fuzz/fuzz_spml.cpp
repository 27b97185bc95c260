// SPML exports imported into a dictionary: the import either writes every
// entry with a sign and reports it, or writes nothing.
#include <QBuffer>

#include "FuzzSupport.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/SpmlImport.h"
#include "dictionary/sqlite/SqliteDatabase.h"

using namespace quabe;

namespace {
QString dictionaryPath() {
  static const QString path = fuzz::scratchPath("spml.db");
  return path;
}

qint64 rowCount(SqliteDatabase& db) {
  auto rs = db.executeQuery(QStringLiteral("SELECT COUNT(*) FROM Signs"));
  return rs && rs->next() ? rs->longForColumnIndex(0) : -1;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::initialize();
  QString error;
  if (!DictionaryFile::create(dictionaryPath(), QString(), true, &error)) std::abort();
  std::atexit([] { QFile::remove(dictionaryPath()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QByteArray bytes = fuzz::bytesOf(data, size);
  QBuffer device(&bytes);
  const SpmlImportResult result = importSpml(&device, dictionaryPath());
  SqliteDatabase db(dictionaryPath());
  QUABE_FUZZ_CHECK(db.open());
  QUABE_FUZZ_CHECK(rowCount(db) == (result.ok ? result.imported : 0));
  QUABE_FUZZ_CHECK(result.ok || !result.error.isEmpty());
  QUABE_FUZZ_CHECK(
      db.executeStatements(QStringLiteral("DELETE FROM Signs; DELETE FROM Spelling; DELETE FROM Translation")));
  return 0;
}
