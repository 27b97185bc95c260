#pragma once

#include "document/Preferences.h"

namespace quabe {

// Display settings held apart from a document: the fields of its
// preferences, for a window that keeps a copy of its own. The layout and the
// canvas take them wherever they take Preferences.
struct LayoutSettings : Preferences {};

}  // namespace quabe
