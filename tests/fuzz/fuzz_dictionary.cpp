// Damaged dictionary files: validation, the sign list, entries, spellings,
// thumbnails and the finder's rows read whatever the file holds, and
// validation never accepts a file whose Signs table cannot be read.
#include <QFile>

#include "FuzzSupport.h"
#include "dictionary/Dictionary.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {
// Never destroyed: the exit handler that removes the file runs after the
// program's static objects are gone.
const QString& dictionaryPath() {
  static const QString* path = new QString(fuzz::scratchPath("dictionary.db"));
  return *path;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::initialize();
  SymbolArchive::shared().loadImageArchive();
  std::atexit([] { QFile::remove(dictionaryPath()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    QFile file(dictionaryPath());
    QUABE_FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QUABE_FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
  }
  QFile::remove(dictionaryPath() + QStringLiteral("-journal"));
  if (!Dictionary::isValidDictionary(dictionaryPath())) return 0;
  const Dictionary dictionary(dictionaryPath());
  const QList<DbSign> entries = dictionary.getWholeSigns(QString(), 1, 20);
  for (const DbSign& entry : entries) {
    dictionary.getSpelling(entry.signID);
    dictionary.loadSign(entry.signID);
  }
  dictionary.getSignIDs(QStringLiteral("A"));
  dictionary.getFinderSigns();
  return 0;
}
