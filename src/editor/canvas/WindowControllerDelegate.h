#pragma once

#include <QSizeF>
#include <QString>

#include "symbols/ISWA.h"

namespace quabe {

// What the canvas asks of its document window: information fields, change
// notifications, the visible size and the panels. Every requirement has a
// harmless default so that a canvas can live without a window (tests,
// export).
class WindowControllerDelegate {
 public:
  virtual ~WindowControllerDelegate() = default;

  // The pointer position, shown as "(%d,%d)".
  virtual void showMousePosition(qreal x, qreal y) {}
  // The last selected symbol, shown with its code and rectangle.
  virtual void symbolSelected(const ISWA& symbol) {}
  // The document was changed by an edit.
  virtual void documentChanged() {}
  // The size the canvas lays out against (the scroll view's frame); an empty
  // size lets the canvas use its scroll area.
  virtual QSizeF visibleSize() const { return {}; }
  virtual void runConversionPanel() {}
  virtual void runCommentPanel() {}
  virtual void runGlossPanel() {}
  virtual void openSignList() {}
};

}  // namespace quabe
