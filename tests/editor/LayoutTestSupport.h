#pragma once

#include <memory>

#include "document/BufferManager.h"
#include "document/Sign.h"
#include "editor/layout/ViewLineManager.h"
#include "editor/layout/ViewLineManagerH.h"

namespace quabe::test {

// A sign with one placeholder symbol (so it is not empty) and the given box;
// no symbol images are needed for the arithmetic.
inline SignPtr boxSign(qreal width, qreal height) {
  auto sign = std::make_shared<Sign>();
  auto symbol = std::make_shared<ISWA>();
  symbol->rect = QRectF(0, 0, width, height);
  sign->symbols << symbol;
  sign->width = width;
  sign->height = height;
  sign->rightMost = width;
  sign->bottomMost = height;
  return sign;
}

inline SignPtr emptySign() { return std::make_shared<Sign>(); }

// Replaces the buffer's text by the given lines.
inline void setLines(BufferManager& buffer, const QList<QList<SignPtr>>& lines) {
  buffer.editBuffer.clear();
  for (const QList<SignPtr>& signs : lines) buffer.editBuffer << std::make_shared<SignString>(signs);
  buffer.cachedLine = -1;
}

// A layout manager that lays its buffer out once on construction.
template <class Manager>
struct LaidOut : Manager {
  LaidOut(BufferManager* buffer, const Preferences* prefs, qreal width, qreal height)
      : Manager(buffer, prefs, width, height) {
    Manager::layout();
  }
};

// Box 150 x 150, line space 20, minimum sign space 10, rules and glosses on,
// no centring or punctuation turns (whatever the user settings say).
inline Preferences standardSettings(bool vertical = true) {
  Preferences prefs;
  prefs.defaultSignBoxWidth = 150;
  prefs.defaultSignBoxHeight = 150;
  prefs.minSignSpace = 10;
  prefs.lineSpace = 20;
  prefs.showRules = true;
  prefs.showBorders = false;
  prefs.showSignFrames = false;
  prefs.showGlosses = true;
  prefs.showComments = true;
  prefs.colorHands = false;
  prefs.autoCentering = false;
  prefs.verticalWriting = vertical;
  prefs.rotatePuncs = false;
  return prefs;
}

}  // namespace quabe::test
