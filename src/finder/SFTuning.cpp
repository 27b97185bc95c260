#include "finder/SFTuning.h"

#include <cstring>

namespace quabe {

bool SFTuning::set(const char* name, int value) {
  struct Entry {
    const char* name;
    int SFTuning::*field;
  };
  static const Entry ints[] = {
      {"arrowFillOtherHand", &SFTuning::arrowFillOtherHand},
      {"arrowFillBothHands", &SFTuning::arrowFillBothHands},
      {"otherMovementFill", &SFTuning::otherMovementFill},
      {"headShapeCost", &SFTuning::headShapeCost},
      {"headDetailCost", &SFTuning::headDetailCost},
      {"handNeighbourScore", &SFTuning::handNeighbourScore},
      {"handSameFingersScore", &SFTuning::handSameFingersScore},
      {"markMissingCost", &SFTuning::markMissingCost},
  };
  for (const Entry& e : ints) {
    if (std::strcmp(e.name, name) == 0) {
      if (value < 0 || value > 920) return false;
      this->*(e.field) = value;
      return true;
    }
  }
  if (std::strcmp(name, "zeroScoreStaysZero") == 0) {
    zeroScoreStaysZero = value != 0;
    return true;
  }
  if (std::strcmp(name, "arrowDirectionPercent") == 0) {
    if (value < 0 || value > 1000) return false;
    arrowDirectionPercent = value;
    return true;
  }
  if (std::strcmp(name, "markShapeDivisor") == 0) {
    if (value < 1 || value > 920) return false;
    markShapeDivisor = value;
    return true;
  }
  if (std::strcmp(name, "firstBlockHoldsAllArrows") == 0) {
    firstBlockHoldsAllArrows = value != 0;
    return true;
  }
  return false;
}

}  // namespace quabe
