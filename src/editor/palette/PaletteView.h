#pragma once

#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QWidget>

#include "editor/layout/Palette.h"

class QMimeData;
class QTabWidget;

namespace quabe {

// Shows one Palette in the fixed grid with the archive's symbol images.
// The main palette (one item per family) drives a sub palette view: a click
// on a family loads that family into the sub palette and turns the tab view
// to it. Symbols are dragged from either palette as their code in text form
// ("01-01-001-01-01-01") on the drag data.
class PaletteView : public QWidget {
  Q_OBJECT

 public:
  // highlightedItem / selectedItem when no item is meant.
  static constexpr int NoItem = 999;

  explicit PaletteView(QWidget* parent = nullptr);

  bool isMain() const { return m_isMain; }
  // Marks the view as the main palette (it then shows the family list) or
  // as a sub palette (it then shows sub palette 0 until a family is picked).
  void setIsMain(bool isMain);
  void setSubPaletteView(PaletteView* view) { m_subPaletteView = view; }
  PaletteView* subPaletteView() const { return m_subPaletteView; }
  // The tab view that holds both palettes (main palette's tab, sub palette's tab).
  void setTabView(QTabWidget* tabView) { m_tabView = tabView; }
  QTabWidget* tabView() const { return m_tabView; }

  // Loads sub palette `number` into this view (a sub palette view).
  void showSubPalette(int number);

  const Palette& palette() const { return m_palette; }
  // -1 on the main palette, else the family shown.
  int currentPaletteNumber() const { return m_currentPaletteNumber; }
  int highlightedItem() const { return m_highlightedItem; }
  int selectedItem() const { return m_selectedItem; }
  // Code of the item last selected or dragged; 0 when none.
  SymbolCode menuSSS() const { return m_menuSSS; }
  // One image per item: the archive's image of the code; a null image for
  // an empty cell or a code the archive lacks.
  const QList<QImage>& itemImages() const { return m_itemImages; }
  void clearSelection();

  // Tool tip of the item under a point ("" for none): the family on the main
  // palette; on a sub palette the variant's name, family and code.
  QString toolTipAt(const QPointF& point) const;
  // Where an image of the given size is drawn in the cell of item: centred,
  // scaled down to fit 36 x 36 when larger.
  static QRectF imageRect(const QSize& imageSize, int item);
  // The drag data of a symbol: its code in text form as plain text.
  static QMimeData* makeMimeData(SymbolCode code);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 Q_SIGNALS:
  // A family was clicked on the main palette.
  void familyChosen(int family);
  // A symbol was clicked (selected) on a palette.
  void symbolChosen(quint32 code);
  // A drag of a symbol begins.
  void dragStarted(quint32 code);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool event(QEvent* event) override;
  // Runs the drag (takes ownership of data). The default starts a QDrag.
  virtual void performDrag(QMimeData* data, const QPixmap& pixmap, const QPoint& hotSpot);

 private:
  void loadPalette();
  void loadItemImages();
  void beginDrag();
  int tabIndexOf(const QWidget* view) const;
  void showSubPaletteTab();
  void showMainPaletteTab();
  bool isSymbolItem(int item) const { return m_palette.code(item) != 0; }

  QTabWidget* m_tabView = nullptr;
  SymbolCode m_menuSSS = 0;
  int m_currentPaletteNumber = 0;
  PaletteView* m_subPaletteView = nullptr;
  Palette m_palette;
  QList<QImage> m_itemImages;
  QPointF m_mouseDownPoint;
  int m_highlightedItem = NoItem;
  int m_selectedItem = NoItem;
  bool m_isMain = false;
  bool m_pressed = false;
  bool m_dragging = false;
  bool m_ignoreNextRelease = false;
};

}  // namespace quabe
