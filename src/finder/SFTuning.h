#pragma once

namespace quabe {

// The adjustable costs of the similarity measure. The defaults are the values
// chosen with the finder evaluation (quabe-cli evaluate); the evaluation can
// override them for an experiment with --tune NAME=VALUE. A value: each
// feature record keeps the one it was built with, and a finder the one its
// searches use.
struct SFTuning {
  // Movement symbols of the same shape whose fills differ. An arrow's fill
  // tells which hand moves: 1 right, 2 left, 3 both. The arrow costs act only
  // where two symbols are compared on their own (the symbol comparison
  // command); sign comparison sees arrows through the movement vector, so the
  // evaluation cannot tune them: a change of hand costs twice the change
  // between one and both. Contacts and finger movements are also paired as
  // marks in sign comparison.
  int arrowFillOtherHand = 60;  // right hand against left hand
  int arrowFillBothHands = 30;  // one hand against both hands
  int otherMovementFill = 30;   // contact and finger-movement symbols
  // Per pair of faces in the head difference (a scale of 5 and 10; larger
  // costs scored higher on the evaluation set, which never alters faces, so
  // they were not taken).
  int headShapeCost = 10;  // another face symbol (base symbol or variation)
  int headDetailCost = 5;  // the same face symbol, another fill or rotation
  // A pair that scores nothing by kind (a hand against a face) stays at 0 at
  // any distance; when false it takes the far-apart floor of 10 like a pair
  // of the same kind that lies far apart.
  bool zeroScoreStaysZero = true;
  // Arrows of the left hand (fill 2) and of both hands (fill 3) also go to
  // the second block of the movement vector; when false the blocks are the
  // right-hand and left-hand arrows.
  bool firstBlockHoldsAllArrows = true;
  // Length of an arrow's direction (and turning axis) in the movement
  // vector, in per cent of a unit vector: shorter makes the movement part
  // care less about the exact direction against "moves at all".
  int arrowDirectionPercent = 300;
  // Handshapes of different shape classes: neighbours in the symbol set of
  // the same hand group, and other shapes with the same selected fingers
  // (unrelated shapes score 720, shapes of one class 880).
  int handNeighbourScore = 800;
  int handSameFingersScore = 760;
  // Contacts, finger movements and dynamics marks: one that the other sign
  // lacks costs markMissingCost; two of them paired cost their symbol
  // score's distance from 920 divided by markShapeDivisor, at most what
  // leaving both unpaired would cost.
  int markMissingCost = 20;
  int markShapeDivisor = 6;

  // Sets one value by name; false for an unknown name or a bad value.
  bool set(const char* name, int value);
};

}  // namespace quabe
