#pragma once

#include <QtGlobal>

namespace quabe {

// The display settings the layout and the canvas read. The fields carry the
// names of the document's preferences so that either can feed the editor.
struct LayoutSettings {
  qreal defaultSignBoxWidth = 150;
  qreal defaultSignBoxHeight = 150;
  qreal minSignSpace = 10;
  qreal lineSpace = 20;
  bool showRules = true;
  bool showBorders = false;
  bool showSignFrames = false;
  bool showGlosses = true;
  bool showComments = true;
  bool colorHands = false;
  bool autoCentering = true;
  bool verticalWriting = true;
  bool rotatePuncs = true;
};

}  // namespace quabe
