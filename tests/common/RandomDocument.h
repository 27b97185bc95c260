#pragma once

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <array>

#include "document/BufferManager.h"
#include "document/Preferences.h"

namespace quabe::test {

// What a random document may hold. Every kind is on by default.
struct RandomDocumentOptions {
  int maxLines = 4;
  int maxSignsPerLine = 6;
  int maxSymbolsPerSign = 6;
  // Symbol positions are whole numbers in this range: signs reach beyond
  // their box on every side.
  int minCoordinate = -160;
  int maxCoordinate = 320;
  bool compounds = true;   // signs made of two or three constituent signs
  bool blankSigns = true;  // empty signs inside a line
  bool texts = true;       // glosses (some with a tag), readings and comments
};

// Seeded random documents for round-trip tests of the file formats: both
// writing directions, every lane, signs larger than the sign box with
// negative coordinates, compounds, blank signs, texts with markup
// characters, Japanese and surrounding spaces, and symbols of every
// category in the rotations and fills the symbol archive holds. The same
// seed gives the same document. Needs the symbol archive (loadSymbolArchive).
class RandomDocument {
 public:
  explicit RandomDocument(quint32 seed, RandomDocumentOptions options = {});

  // Fills a whole edit buffer (every line ending with its line-break sign,
  // some lines holding nothing else) and preferences within the ranges the
  // file format keeps.
  void fill(BufferManager& buffer, Preferences& prefs);
  // A sign with at least one symbol, a lane and (with texts) its texts.
  SignPtr sign();
  // A compound of two or three constituents, each with symbols.
  SignPtr compound();
  // A blank sign (no symbols), with texts that may include "NEWLINE".
  SignPtr blank();
  // A symbol of a category chosen evenly among the seven, at a random position.
  ISWAPtr symbol();
  // A gloss or comment: markup characters, Japanese, spaces at either end.
  QString text();

  int between(int low, int high) { return low + int(m_random.bounded(quint32(high - low + 1))); }
  bool chance(int percent) { return between(1, 100) <= percent; }

 private:
  void giveTexts(Sign& sign);

  QRandomGenerator m_random;
  RandomDocumentOptions m_options;
  std::array<QList<quint32>, 7> m_codes;  // stored codes by category
};

}  // namespace quabe::test
