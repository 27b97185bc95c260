#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>
#include <utility>

namespace quabe {

// Arithmetic of sign inflection that needs no dictionary: place codes, arrow
// directions and rotations, and where an arrow goes beside a hand.
//
// Rotations: 1-8 is one orientation set, 9-16 the mirrored set. In the plain
// set rotation 1 points up (forward, away from the signer) and the numbers go
// counter-clockwise: 2 up-left, 3 left, 4 down-left, 5 down (toward the
// signer), 6 down-right, 7 right, 8 up-right. In the mirrored set the numbers
// go clockwise from 9 (up): 10 up-right, 11 right, ..., 15 left, 16 up-left.
// A "direction" below is the plain-set number (1-8) of where a symbol points.

// Lane of a position text: 1 right, 0 centre, -1 left.
int laneForPosition(const QString& place);
// Person of a position, source or destination text: 0 unspecified, 1 the
// signer, 2 the addressee, 3 a third person on the right, 4 one on the left,
// 5 any other place.
int personForPlace(const QString& place);

// Rotation (1-8) the direction arrow gets for a movement from person s to
// person d, or 0 to leave it. originalRotation is the arrow's rotation in the
// dictionary form (5 or 13 changes the row of an unspecified source).
int arrowRotation(int s, int d, int originalRotation);

// Turns a rotation by k steps inside its set: ((r-1+k) mod 8)+1 in 1-8,
// ((r-9+k) mod 8)+9 in 9-16 (k may be negative). Other values stay.
int turnRotation(int rotation, int k);
// The same physical turn, n steps counter-clockwise, in either set.
int turnCounterClockwise(int rotation, int n);
// Where a rotation points (1-8); 0 for rotations outside 1-16.
int directionOfRotation(int rotation);
// The rotation of the set of `rotation` that points to direction (1-8).
int rotationInSetOf(int rotation, int direction);
// Counter-clockwise steps (0-7) from one direction to another.
int stepsBetween(int fromDirection, int toDirection);
// Unit vector of a direction on the page (y grows downwards).
QPointF directionVector(int direction);

// Top-left corner of an arrow of the given size placed beside a hand box, by
// the arrow's rotation and fill (1 or 2 one hand, 3 or more both hands).
QPointF placedArrowOrigin(int rotation, int fill, const QRectF& handBox, const QSizeF& arrowSize);
// The hand box origin for which placedArrowOrigin gives arrowOrigin.
QPointF handOriginForArrow(int rotation, int fill, const QPointF& arrowOrigin, const QSizeF& handSize,
                           const QSizeF& arrowSize);

// Fill of an arrow after its direction changed: pointing left (k = 1..3) a
// fill 2 becomes 1, pointing right (k = 5..7) a fill 1 becomes 2.
int adjustedArrowFill(int rotation, int fill);
// Top-left corner of an arrow that leads to a hand box (the arrow behind the
// hand), by the arrow's rotation.
QPointF arrowOriginBehindHand(int rotation, const QRectF& handBox, const QSizeF& arrowSize);

// Whether the hands of a sign with a pair of arrows turn with the movement.
bool needsHandTurn(int originalRotation, int fill, int s, int d);

// Lane of a sign without an arrow moved in direction r: -1 for 2 or 6, 1 for
// 4 or 8, nothing otherwise.
std::optional<int> laneFromDirection(int r);

// The turn of every hand of a sign whose arrow lies in the wall plane:
// (steps k in 1-8, steps k in 9-16) for a person pair, nothing for a pair
// without a rule. A person 5 counts as 3.
std::optional<std::pair<int, int>> wallPlaneHandTurn(int s, int d);

// Offsets of the two fanned copies of an arrow of height h (plural forms):
// the first moves by (-a, +b), the second by (+a, +b).
QPointF fanOffset(double arrowHeight, bool first);

}  // namespace quabe
