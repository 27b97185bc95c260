// The symbol image archive: any bytes load into whole entries only, and every
// stored entry either decodes or drops out.
#include "FuzzSupport.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::initialize();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SymbolArchive archive;
  const int whole = archive.loadFromBytes(fuzz::bytesOf(data, size));
  QUABE_FUZZ_CHECK(archive.entryCount() <= whole && whole <= archive.declaredEntryCount());
  QUABE_FUZZ_CHECK(archive.isDamaged() == (size < 2 || whole < archive.declaredEntryCount()));
  int decoded = 0;
  for (const SymbolCode code : archive.storedCodes()) {
    if (++decoded > 8) break;  // decoding is the image library's work; a few show the path
    // A stored image that does not decode drops out; the symbol may still be
    // drawn, turned or mirrored from another rotation's image.
    const bool drawn = archive.image(code).has_value();
    QUABE_FUZZ_CHECK(drawn || !archive.contains(code));
    archive.image(SSS::withRotation(code, 11));
  }
  return 0;
}
