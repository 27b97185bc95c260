#pragma once

#include <array>
#include <vector>

#include "finder/SFSymbol.h"
#include "finder/SFTuning.h"

namespace quabe {

// The movement feature vector of a sign: 39 components, zero at creation.
//
// How movements are encoded (0-based components):
//   0..17   block 1: every arrow of the sign (movement groups 3-10)
//   18..35  block 2: the arrows of the left hand and of both hands (fill 2 or 3)
//   36      the number of contact symbols (group 1)
//   37      the number of finger-movement symbols (group 2)
//   38      the number of dynamics marks
// (Which contact, finger movement or dynamics mark it is counts in the shape
// part of the sign comparison, where they are paired by kind and shape.)
// (With the tuning switch firstBlockHoldsAllArrows off, block 1 holds the
// right hand's arrows, fill 1 or 3, and block 2 the left hand's, fill 2 or 3.)
//
// Each arrow adds to its block(s):
//   0..5   its travel direction as a vector of length 3 in space, split into
//          the non-negative halves +x (signer's right), -x, +y (up), -y, +z
//          (away from the signer), -z; alternating arrows put |d| * 0.7 in
//          both halves. (Length 3 rather than 1 lets the direction weigh
//          against "moves at all"; the evaluation found it best, see
//          SFTuning::arrowDirectionPercent.)
//          Rotation r points (r-1) * 45 degrees counter-clockwise from "up";
//          rotations 9-16 are mirrored (the angle changes sign). Wall-plane
//          arrows and curves (groups 3, 6, 7) lie in x/y, floor-plane ones
//          (groups 5, 8, 9) in x/z with "up" on the page meaning "away";
//          diagonal arrows (group 4) add +z (base symbols 1, 3) or -z (2, 4)
//          to their wall direction. Circles (group 10) have no direction.
//   6..8   the plane: wall, floor, diagonal or circle (1 in one of them)
//   9      the number of parallel strokes (1-3)
//   10     1: an arrow is there (the weight 2000 makes "moves" versus
//          "does not move" the strongest distinction)
//   11     1 for curves and circles
//   12..17 the turning sense of curves and circles as an axis split into
//          +x, -x, +y, -y, +z, -z halves: the normal of the curve's plane
//          (z for wall curves and circles, y for floor curves, the direction
//          crossed with z or y for curves that hit the wall or floor plane),
//          negated for mirrored rotations, of length 3 like the direction.
// Several arrows add up; the cosine compares the resulting directions.
class SFSignVector {
 public:
  static constexpr int Length = 39;
  static constexpr int BlockLength = 18;
  static const std::array<double, Length>& weights();

  std::array<double, Length> vector{};

  // Fills the vector from the symbols of a sign (in sign order).
  void fill(const std::vector<SFSymbol>& symbols, const SFTuning& tuning);
  // Adds one arrow's features to the block starting at offset.
  static void addArrow(std::array<double, Length>& v, int offset, const SFSymbol& arrow, const SFTuning& tuning);

  // Weighted cosine; 0.1 when both vectors are zero, 0 when only one is.
  double similarity(const SFSignVector& other) const;
};

}  // namespace quabe
