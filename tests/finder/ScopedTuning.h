#pragma once

#include "finder/SFTuning.h"

namespace quabe {

// Restores the similarity's tuning when a test that changes it ends.
struct ScopedTuning {
  SFTuning saved = sfTuning();
  ~ScopedTuning() { sfTuning() = saved; }
};

}  // namespace quabe
