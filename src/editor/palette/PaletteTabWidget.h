#pragma once

#include <QTabWidget>

#include "symbols/SymbolCode.h"

namespace quabe {

class PaletteView;

// The two palettes of a document window in one tab view: the main palette
// (one item per family) on the first tab, the sub palette of the family
// last picked on the second. Symbols are dragged from either onto a canvas.
class PaletteTabWidget : public QTabWidget {
  Q_OBJECT

 public:
  explicit PaletteTabWidget(QWidget* parent = nullptr);

  PaletteView* mainPaletteView() const { return m_main; }
  PaletteView* subPaletteView() const { return m_sub; }
  // Shows the sub palette of a family (0-48) on its tab.
  void showFamily(int family);

 Q_SIGNALS:
  // A symbol was picked (clicked) on the sub palette.
  void symbolChosen(quint32 code);
  // A symbol drag began on either palette.
  void symbolDragged(quint32 code);
  // A family was picked on the main palette.
  void familyChosen(int family);

 private:
  void updateSubTab(int family);

  PaletteView* m_main;
  PaletteView* m_sub;
};

}  // namespace quabe
