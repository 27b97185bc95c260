#pragma once

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <array>

#include "document/BufferManager.h"
#include "document/Preferences.h"

namespace quabe::test {

// Seeded random documents for round-trip tests of the file formats: both
// writing directions, every lane, signs larger than the sign box with
// negative coordinates (symbols lie at -160..320), compounds, blank signs,
// texts with markup characters, Japanese and surrounding spaces, and symbols
// of every category in the rotations and fills the symbol archive holds. The
// same seed gives the same document. Needs the symbol archive.
class RandomDocument {
 public:
  explicit RandomDocument(quint32 seed);

  // Fills a whole edit buffer (every line ending with its line-break sign,
  // some lines holding nothing else) and preferences within the ranges the
  // file format keeps.
  void fill(BufferManager& buffer, Preferences& prefs);

 private:
  SignPtr sign();      // at least one symbol, a lane and texts
  SignPtr compound();  // two or three constituents, each with symbols
  SignPtr blank();     // no symbols; texts that may include "NEWLINE"
  ISWAPtr symbol();    // a category chosen evenly among the seven
  QString text();      // markup characters, Japanese, spaces at either end
  void giveTexts(Sign& sign);
  int between(int low, int high) { return low + int(m_random.bounded(quint32(high - low + 1))); }
  bool chance(int percent) { return between(1, 100) <= percent; }
  template <size_t N>
  QString pick(const char* const (&list)[N]) {
    return QString::fromUtf8(list[between(0, int(N) - 1)]);
  }

  QRandomGenerator m_random;
  std::array<QList<quint32>, 7> m_codes;  // stored codes by category
};

}  // namespace quabe::test
