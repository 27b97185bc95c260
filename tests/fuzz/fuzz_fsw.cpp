// Texts of signs in FSW or SWU. Whatever the characters, the signs read are
// written in both forms and read back as the same signs.
#include "FuzzSupport.h"
#include "document/Fsw.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::initialize();
  SymbolArchive::shared().loadImageArchive();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = QString::fromUtf8(fuzz::bytesOf(data, size));
  if (const std::optional<FswSign> sign = FswSign::parse(text)) {
    QUABE_FUZZ_CHECK(FswSign::parse(sign->fsw()) == sign);
    // SWU has numbers for 250-749 only; FSW read beyond that is clamped when
    // the sign is made (and reported), so only signs within it come back whole.
    const auto inRange = [](int n) { return n >= FswMinCoordinate && n <= FswMaxCoordinate; };
    bool representable = sign->box == 0 || (inRange(sign->maxX) && inRange(sign->maxY));
    for (const FswSymbol& s : sign->symbols) representable = representable && inRange(s.x) && inRange(s.y);
    if (representable) QUABE_FUZZ_CHECK(FswSign::parse(sign->swu()) == sign);
  }
  Fsw::Reading reading = Fsw::read(text);
  // A line feed ends the text's last line, so text never ends in an empty line.
  while (!reading.lines.isEmpty() && reading.lines.last().isEmpty()) reading.lines.removeLast();
  for (const Fsw::Form form : {Fsw::Form::fsw, Fsw::Form::swu}) {
    QStringList problems;
    const QString written = Fsw::writeLines(reading.lines, form, &problems);
    const Fsw::Reading again = Fsw::read(written);
    QUABE_FUZZ_CHECK(again.signCount == reading.signCount);
    // Signs too large for the box are clamped; all others come back the same.
    if (problems.isEmpty()) QUABE_FUZZ_CHECK(Fsw::writeLines(again.lines, form) == written);
  }
  return 0;
}
