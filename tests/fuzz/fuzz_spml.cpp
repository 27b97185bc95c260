// SPML exports, both ways they come in. Listed for a document: every sign an
// entry gives has symbols within the coordinate limits, and the signs put on
// a line are saved and read back as the same signs. Imported into a
// dictionary: the import either writes every entry with a sign and reports
// it, or writes nothing.
#include <QBuffer>

#include "FuzzSupport.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/SpmlImport.h"
#include "dictionary/SpmlList.h"
#include "dictionary/sqlite/SqliteDatabase.h"
#include "document/Document.h"
#include "document/SwmlDelegate.h"
#include "document/SwmlWriter.h"
#include "symbols/CoordinateLimits.h"
#include "symbols/SymbolArchive.h"

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

void checkDocumentImport(QByteArray bytes) {
  static const Preferences prefs;
  QBuffer device(&bytes);
  QList<SpmlListEntry> entries;
  QString error;
  QUABE_FUZZ_CHECK(readSpmlList(&device, entries, &error) || !error.isEmpty());
  BufferManager buffer;
  auto line = std::make_shared<SignString>();
  for (const SpmlListEntry& entry : entries.mid(0, 16)) {
    for (const SignPtr& sign : entry.signs()) {
      QUABE_FUZZ_CHECK(sign && sign->jjs && !sign->symbols.isEmpty());
      for (const ISWAPtr& symbol : sign->symbols)
        QUABE_FUZZ_CHECK(isSymbolCoordinateInRange(symbol->rect.left()) &&
                         isSymbolCoordinateInRange(symbol->rect.top()));
      sign->center(prefs.defaultSignBoxWidth, prefs.defaultSignBoxHeight, prefs.verticalWriting);
      line->signArray.append(sign);
    }
  }
  line->signArray.append(std::make_shared<Sign>());
  buffer.editBuffer = {line};
  Document::completeReading(buffer, prefs);
  QByteArray written = SwmlWriter::write(buffer, prefs);
  QBuffer saved(&written);
  saved.open(QIODevice::ReadOnly);
  BufferManager again;
  Preferences prefsAgain = prefs;
  SWMLDelegate delegate(again, prefsAgain);
  QUABE_FUZZ_CHECK(!delegate.read(saved).isDamaged());
  Document::completeReading(again, prefsAgain);
  QUABE_FUZZ_CHECK(again.lineCount() == 1 &&
                   again.editBuffer[0]->signArray.size() == buffer.editBuffer[0]->signArray.size());
  QUABE_FUZZ_CHECK(SwmlWriter::write(again, prefsAgain) == written);
}

void checkDictionaryImport(QByteArray bytes) {
  QBuffer device(&bytes);
  const SpmlImportResult result = importSpml(&device, dictionaryPath());
  SqliteDatabase db(dictionaryPath());
  QUABE_FUZZ_CHECK(db.open());
  QUABE_FUZZ_CHECK(rowCount(db) == (result.ok ? result.imported : 0));
  QUABE_FUZZ_CHECK(result.ok || !result.error.isEmpty());
  if (result.imported > 0)
    QUABE_FUZZ_CHECK(
        db.executeStatements(QStringLiteral("DELETE FROM Signs; DELETE FROM Spelling; DELETE FROM Translation; "
                                            "DELETE FROM Compounds")));
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::initialize();
  SymbolArchive::shared().loadImageArchive();
  QString error;
  if (!DictionaryFile::create(dictionaryPath(), DictionaryFile::defaultSymbolDataPath(), true, &error)) std::abort();
  std::atexit([] { QFile::remove(dictionaryPath()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = fuzz::bytesOf(data, size);
  checkDocumentImport(bytes);
  checkDictionaryImport(bytes);
  return 0;
}
