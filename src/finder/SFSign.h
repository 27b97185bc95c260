#pragma once

#include <QtGlobal>
#include <vector>

#include "finder/SFSignVector.h"
#include "finder/SFSymbol.h"

namespace quabe {

class Sign;

// Result of comparing two signs.
struct SFSimilarity {
  // The measure: total in 0..1 = shapeAndLocation (0..0.9) + MovementWeight *
  // movement. How high an identical sign scores depends on the sign (0.838
  // for still hands, 1 for a face with moving hands).
  double total = 0;
  double shapeAndLocation = 0;
  double movement = 0;
  int maxSim = 0;  // best pairing total of the compared symbols
  // The similarity as shown and ranked: total over the larger of the two
  // signs' totals against themselves, so that an identical sign is 1 (100 %).
  double score = 0;
  // The score was reached by the mirror image of the first sign.
  bool mirrored = false;
};

// "93.5 %": a score shown as a percentage.
QString similarityPercent(double score);

// How the best pairing of the compared symbols is found. Both give the same
// maximum; the exhaustive search is the reference and is exponential.
enum class SFPairing { assignment, exhaustive };

// The finder's feature record of one sign: its symbols grouped into hands,
// bodies, heads and marks, and its movement vector.
//
// Positions are kept as given; a comparison places the two signs over each
// other (see similarity()), so that a sign compares the same wherever it
// lies in its box and an extra symbol does not move the others apart.
//
// Normalisation (for a sign drawn by the user, never for dictionary signs):
// - Squeeze rule: when the sign has a squeeze mark (finger movement, group 2,
//   base symbols 1-7), every hand drawn in one of the squeezed closed shapes
//   (serial numbers 75, 152, 183, 201, 261, the fist-like class of the
//   handshape equivalences) becomes the plain fist (01-10-015-01), keeping
//   its fill and rotation, the way the dictionary writes squeezing hands.
// - Redundant-hand rule: with exactly one arrow of groups 3-9 with fill 1 and
//   two equal hands (group, base symbol, variation, fill, both rotations in
//   1-8 or both in 9-16) between which the arrow lies strictly (along y for
//   arrow rotations 1, 2, 8, 9, 10, 16, along x otherwise), the first hand is
//   the start position of the movement and is removed.
class SFSign {
 public:
  static constexpr double MovementWeight = 0.1;
  static constexpr double HeadContactDiffWeight = 20.0;
  static constexpr int DiffLimit = 3;
  static constexpr int MaxComparedSymbols = 16;

  SFSign() = default;
  // The record of a sign given its symbols in sign order, measured with the
  // tuning (kept with the record for its comparisons and mirror image).
  SFSign(std::vector<SFSymbol> symbolsInSignOrder, qint64 signID, bool normalize, const SFTuning& tuning = {});
  // The record of a canvas sign (symbol rectangles and hands).
  static SFSign fromSign(const Sign& sign, bool normalize, qint64 signID = 0, const SFTuning& tuning = {});

  qint64 signID = 0;
  // Hands, then bodies, then heads, then the other symbols (movements and
  // marks are left out).
  std::vector<SFSymbol> symbols;
  int headCount = 0;
  int handCount = 0;
  int bodyCount = 0;
  int shoulderCount = 0;
  int otherCount = 0;
  std::vector<SFSymbol> hands;
  std::vector<SFSymbol> heads;
  std::vector<SFSymbol> bodies;
  // Contacts, finger movements and dynamics marks.
  std::vector<SFSymbol> marks;
  SFSignVector movementVector;

  // All symbols in sign order (after normalisation).
  const std::vector<SFSymbol>& allSymbols() const { return m_all; }
  // The total of the sign against itself (the most any sign can score with it).
  double selfTotal() const { return m_selfTotal; }
  const SFTuning& tuning() const { return m_tuning; }

  // Applies the squeeze rule and the redundant-hand rule once; true when the
  // record changed.
  bool normalize();
  bool applySqueezeRule();
  bool applyRedundantHandRule();

  // The record of the sign's mirror image (a left-handed signer's sign).
  SFSign mirrored() const;

  // Symmetric. The compared symbols (hands and bodies; faces and the others
  // when a sign has neither) are paired one to one for the best total of
  // their symbol scores, measured after placing the signs over each other:
  // by their faces when both have one, otherwise by their compared symbols'
  // top-left corners and then by the median offset of the pairs found. The
  // mean pair score loses for a difference in symbol counts; faces,
  // shoulders and marks add or cost on top; the movement vectors' cosine
  // adds the movement part. The costs are this record's tuning (the other
  // record is expected to be built with the same).
  SFSimilarity similarity(const SFSign& other, SFPairing pairing = SFPairing::assignment) const;
  // The better of the similarity of this sign and that of its mirror image
  // (given as this sign's mirrored()).
  SFSimilarity similarity(const SFSign& other, const SFSign* mirrorImage) const;

  // The symbol-to-symbol scores that similarity() pairs last: rows are the
  // compared symbols of one sign, columns those of the other. False when the
  // comparison ends before any pairing (too different counts, hands on one
  // side only).
  bool pairingScores(const SFSign& other, int* scores, int& rows, int& cols) const;

 private:
  void extractFeatures();
  std::vector<SFSymbol> m_all;
  SFTuning m_tuning;
  double m_selfTotal = 0;
  quint64 m_fingerprint = 0;  // tells two signs apart for a fixed order of comparison
  friend struct SFComparison;
};

// The smallest total difference of a one-to-one pairing of two lists of face
// symbols (99999 when the second list is empty).
int headDifference(const std::vector<SFSymbol>& heads1, const std::vector<SFSymbol>& heads2, const SFTuning& tuning);
// The cost of the differences between two lists of marks: a mark without
// partner costs SFTuning::markMissingCost, a pair by its symbol score.
int markDifference(const std::vector<SFSymbol>& marks1, const std::vector<SFSymbol>& marks2, const SFTuning& tuning);

}  // namespace quabe
