#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <memory>

#include "document/DbSign.h"
#include "symbols/Symbol.h"

namespace quabe {

class NotationDictionary;
class Sign;
using SignPtr = std::shared_ptr<Sign>;
using SymbolPtr = std::shared_ptr<Symbol>;

// Parameters a chosen dictionary entry already matches (so they are not
// applied again); the raw value is the position.
enum class InflectionParam : int { handshape = 0, position, source, destination, direction, modifier, nmm };

class InflectionParams {
 public:
  bool contains(InflectionParam p) const { return (m_bits & bit(p)) != 0; }
  void insert(InflectionParam p) { m_bits |= bit(p); }
  int size() const;
  bool isEmpty() const { return m_bits == 0; }
  bool operator==(const InflectionParams&) const = default;

 private:
  static unsigned bit(InflectionParam p) { return 1u << static_cast<int>(p); }
  unsigned m_bits = 0;
};

// Where a movement goes, in the order of the plain rotations 1-8.
enum class Direction : int {
  forward = 0,
  leftForward,
  left,
  leftBackward,
  backward,
  rightBackward,
  right,
  rightForward
};

// The groups of the movement category, group 1 first.
enum class MovementGroup : int {
  contact = 0,
  fingerMovement,
  wallPlane,
  diagonal,
  floorPlane,
  curveWallPlane,
  curveHitsCeiling,
  curveFloorPlane,
  parallelFloorPlane,
  circles
};

// A sign under construction: the request read from the notation, then the
// chosen dictionary entry and its symbols, adapted step by step to what the
// notation asks for. The converter runs the steps in this order over all
// signs: loadSymbols, changeHandshape, inflectByChangingDirection,
// assignLane, inflectForPlural, addNonManualMarkers, makeSign.
class SWSign {
 public:
  SWSign() = default;
  ~SWSign();
  SWSign(SWSign&&) = default;
  SWSign& operator=(SWSign&&) = default;
  SWSign(const SWSign&) = delete;
  SWSign& operator=(const SWSign&) = delete;

  DbSign dbSign;  // the request, then the chosen entry (requested parameters kept)
  int lane = 0;   // 1 right, 0 centre, -1 left
  QList<SymbolPtr> symbols;
  int originalRotation = 0;  // of the direction arrow before inflection
  bool headExists = false;
  bool isSimultaneous = false;
  bool isSemiSimultaneous = false;
  QString dHandshape;
  InflectionParams dictParams;
  SymbolPtr handBeforeMove;
  SymbolPtr handAfterMove;
  SymbolPtr dirArrow;
  qsizetype at = 0;      // where the item's word stands in the line
  qsizetype length = 0;  // and its length
  // What could not be done as the notation asked, in the order it happened.
  mutable QStringList problems;

  // Logs a problem and keeps it for the user.
  void report(const QString& where, const QString& message) const;

  // ---- generation steps
  // Chooses the dictionary entry for the requested gloss and loads its
  // symbols; false when no entry has the gloss.
  bool loadSymbols(NotationDictionary& dictionary);
  static SymbolPtr symbolFromRow(const DbISWA& row);
  // The parameters a candidate entry shares with the request.
  InflectionParams matchedParams(const DbSign& candidate) const;
  void changeHandshape(NotationDictionary& dictionary);
  void inflectByChangingDirection();
  // The lane pass: the lane of the requested position, unless the entry
  // already matched the position.
  void assignLane();
  void inflectForPlural();
  void addNonManualMarkers(NotationDictionary& dictionary);
  SignPtr makeSign() const;

  // ---- inflection internals (exposed for the tests)
  int sourcePerson() const;
  int destinationPerson() const;
  void inferSymbolOrder();
  int inferInflectionType();
  int arrowRotation() const;
  void turnArrow(Symbol& arrow);
  void placeArrow(Symbol& arrow);
  void turnArrowPair(Symbol& arrow);
  bool needsHandTurn(int fill) const;
  void turnHands();
  void adjustArrowFill(Symbol& arrow);
  void laneFromDirection();
  void setRotationForType2();
  void rotateHandAndArrow(Symbol& arrow);
  void adjustHeadsAfterMove(const Symbol& arrow);
  void inflectType43();
  void makePluralFormOfVerb3sTo1();

  // The movement symbols of groups 3-10, in symbol order.
  QList<SymbolPtr> arrows() const;
  // Hand symbols that move with an arrow of the given fill: 1 the right
  // hand, 2 the left hand, 3 both hands; none for any other fill.
  QList<SymbolPtr> handsForFill(int fill) const;

 private:
  bool m_symbolOrderInferred = false;
};

// ---- helpers on decoded symbols shared by the generation steps
namespace notation {
QRectF rectOf(const Symbol& symbol);
QRectF unionRect(const QList<SymbolPtr>& symbols);
bool isHand(const Symbol& symbol);
bool isArrow(const Symbol& symbol);
// Right or left by the symbol's hand, else by its rotation set (1-8 right,
// 9-16 left); none when neither tells.
Hand sideOf(const Symbol& symbol);
// Sets the rotation (or fill) and refreshes the size for the new code.
void setRotation(Symbol& symbol, int rotation);
void setFill(Symbol& symbol, int fill);
// The size the dictionary gives for the symbol's code (remembered per code),
// or the archive image's size when the dictionary has none.
void refreshSize(Symbol& symbol);
// Turns a symbol about its centre (its size may change with the rotation).
void turnAboutCentre(Symbol& symbol, int newRotation);
}  // namespace notation

}  // namespace quabe
