#pragma once

#include <QtGlobal>
#include <vector>

#include "finder/SFSignVector.h"
#include "finder/SFSymbol.h"

namespace quabe {

class Sign;

// Result of comparing two signs: total in 0..1 = shapeAndLocation (0..0.9) +
// MovementWeight * movement.
struct SFSimilarity {
  double total = 0;
  double shapeAndLocation = 0;
  double movement = 0;
  int maxSim = 0;  // best pairing total of the compared symbols
};

// How the best pairing of the compared symbols is found. Both give the same
// maximum; the exhaustive search is the reference and is exponential.
enum class SFPairing { assignment, exhaustive };

// The finder's feature record of one sign: its symbols grouped into hands,
// bodies, heads and contacts, and its movement vector.
//
// Positions are measured from the top-left corner of the sign's symbol
// origins (SFTuning::placement), so that a sign compares the same wherever it
// lies in its box.
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
  // The record of a sign given its symbols in sign order.
  SFSign(std::vector<SFSymbol> symbolsInSignOrder, qint64 signID, bool normalize);
  // The record of a canvas sign (symbol origins and hands).
  static SFSign fromSign(const Sign& sign, bool normalize, qint64 signID = 0);

  qint64 signID = 0;
  // Hands, then bodies, then heads, then the other symbols (movements are left
  // out; contacts are kept apart).
  std::vector<SFSymbol> symbols;
  int headCount = 0;
  int contactCount = 0;
  int handCount = 0;
  int bodyCount = 0;
  int shoulderCount = 0;
  int otherCount = 0;
  std::vector<SFSymbol> hands;
  std::vector<SFSymbol> heads;
  std::vector<SFSymbol> bodies;
  std::vector<SFSymbol> contacts;
  SFSignVector movementVector;

  // All symbols in sign order (after normalisation).
  const std::vector<SFSymbol>& allSymbols() const { return m_all; }

  // Applies the squeeze rule and the redundant-hand rule once; true when the
  // record changed.
  bool normalize();
  bool applySqueezeRule();
  bool applyRedundantHandRule();

  SFSimilarity similarity(const SFSign& other, SFPairing pairing = SFPairing::assignment) const;

  // The symbol-to-symbol scores that similarity() pairs: rows are the
  // compared symbols of the sign with fewer of them. False when the
  // comparison ends before any pairing (too many hands, too different
  // counts, hands on one side only).
  bool pairingScores(const SFSign& other, int* scores, int& rows, int& cols) const;

 private:
  void extractFeatures();
  std::vector<SFSymbol> m_all;
};

// The smallest total difference of a one-to-one pairing of two lists of face
// symbols (99999 when the second list is empty).
int headDifference(const std::vector<SFSymbol>& heads1, const std::vector<SFSymbol>& heads2);

}  // namespace quabe
