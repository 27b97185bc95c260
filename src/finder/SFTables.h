#pragma once

namespace quabe::sf {

// Look-up tables of the similarity measure, all keyed by the ISWA 2010 serial
// base-symbol number (1-652, plus the finder's own 700 and 697 + base symbol).

// Shape class of a hand symbol, or -1 when the serial number is not listed.
int handGroupClass(int serial);
// Shape class of a movement symbol, or -1 when not listed.
int movementGroupClass(int serial);
// Handshape-equivalence classes; -1 when the serial number is in no class.
int handEquivalenceClassA(int serial);
int handEquivalenceClassB(int serial);
// Faces that count as neutral-like.
bool isNeutralFace(int serial);
// Two hands have the same orientation when fill and rotation are equal or one
// of the recorded fill/rotation combinations of palm and edge views links them.
bool equivalentOrientation(int fill1, int rotation1, int fill2, int rotation2);

}  // namespace quabe::sf
