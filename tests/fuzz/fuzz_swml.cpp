// SWML documents. Whatever the bytes, the reader leaves a usable buffer, and
// what it read is written, read back without damage and written the same.
#include <QBuffer>

#include "FuzzSupport.h"
#include "document/Document.h"
#include "document/SwmlDelegate.h"
#include "document/SwmlWriter.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {
SwmlReadReport read(QByteArray bytes, BufferManager& buffer, Preferences& prefs) {
  QBuffer device(&bytes);
  device.open(QIODevice::ReadOnly);
  SWMLDelegate delegate(buffer, prefs);
  const SwmlReadReport report = delegate.read(device);
  Document::completeReading(buffer, prefs);
  return report;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::initialize();
  SymbolArchive::shared().loadImageArchive();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Preferences userDefaults;  // reading the settings every run would dominate
  BufferManager buffer;
  Preferences prefs = userDefaults;
  const SwmlReadReport report = read(fuzz::bytesOf(data, size), buffer, prefs);
  QUABE_FUZZ_CHECK(report.wellFormed || !report.errorText.isEmpty());
  QUABE_FUZZ_CHECK(buffer.lineCount() >= 1);
  for (const SignStringPtr& line : buffer.editBuffer) {
    QUABE_FUZZ_CHECK(line && !line->signArray.isEmpty() && line->signArray.last()->isEmpty());
    for (const SignPtr& sign : line->signArray) QUABE_FUZZ_CHECK(sign && sign->jjs);
  }
  const QByteArray written = SwmlWriter::write(buffer, prefs);
  BufferManager again;
  Preferences prefsAgain = prefs;
  QUABE_FUZZ_CHECK(!read(written, again, prefsAgain).isDamaged());
  QUABE_FUZZ_CHECK(again.lineCount() == buffer.lineCount());
  QUABE_FUZZ_CHECK(SwmlWriter::write(again, prefsAgain) == written);
  return 0;
}
