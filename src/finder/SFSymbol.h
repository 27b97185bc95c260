#pragma once

#include <QtGlobal>

#include "finder/SFTuning.h"
#include "symbols/SymbolCode.h"

namespace quabe {

// One symbol of a sign as the finder sees it: its position (the origin of its
// rectangle, truncated toward zero), its width when known and the fields of
// its code.
struct SFSymbol {
  SFSymbol() = default;
  // A symbol at (x, y). A movement arrow of the floor plane that points left
  // or right is read as the same arrow of the wall plane (both planes draw a
  // sideways movement alike), so the record holds group 3 for it.
  SFSymbol(SymbolCode code, qreal x, qreal y, Hand hand = Hand::none, qreal width = 0);

  qint16 x = 0;
  qint16 y = 0;
  qint16 width = 0;  // 0 when unknown (dictionary records)
  Category category = Category::none;
  qint8 group = 0;
  qint8 baseSymbol = 0;
  qint8 variation = 0;
  qint8 fill = 0;
  qint8 rotation = 0;
  Hand hand = Hand::none;

  // ISWA serial number of (base symbol, variation); 700 for the hand 01-06-031
  // and 697 + base symbol for punctuation base symbols above 3.
  int serialBaseSymbolNumber() const { return m_serial; }
  // The class of shapes the symbol belongs to (hand and movement classes,
  // face features, body groups); 0 for the rest.
  int shapeGroup() const { return m_shapeGroup; }
  SymbolCode code() const;

  // Integer score 0..920, 920 meaning the same symbol at the same place.
  int similarity(const SFSymbol& other, bool ignoringDistance, const SFTuning& tuning = {}) const;
  // A score without the distance term lowered for two symbols (dx, dy) apart.
  static int atDistance(int score, double dx, double dy, const SFTuning& tuning);

  // The symbol as seen in a mirror held at x = 0: its rectangle reflected and
  // hands and directed movements drawn mirrored. Faces, body parts and the other
  // symbols keep their code: they are mostly drawn symmetric, and their
  // mirrored codes would not match the dictionary's way of writing them.
  SFSymbol mirrored() const;

  bool isHead() const { return category == Category::headFace; }
  bool isShoulderLine() const {
    return category == Category::body && group == 1 && baseSymbol == 1 && fill == 1 && rotation == 1;
  }
  // Straight, curved and circling arrows (movement groups 3-10).
  bool isArrow() const { return category == Category::movement && group >= 3 && group <= 10; }
  // Contacts and finger movements (movement groups 1 and 2) and dynamics
  // marks: compared by kind and shape but not placed against each other.
  bool isMark() const {
    return (category == Category::movement && (group == 1 || group == 2)) || category == Category::dynamics;
  }

  // Recomputes the serial number and shape group after a field has changed.
  void refresh();

 private:
  int m_serial = 0;
  int m_shapeGroup = 0;
};

}  // namespace quabe
