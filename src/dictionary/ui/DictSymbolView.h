#pragma once

#include <QList>
#include <QWidget>
#include <functional>

#include "document/Sign.h"

namespace quabe {

// The symbols of the sign being edited, one per 46 x 46 cell in a row. A
// click selects the symbol of the cell under the pointer.
class DictSymbolView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int SymbolBoxSize = 46;

  explicit DictSymbolView(QWidget* parent = nullptr);

  void setSymbols(const QList<ISWAPtr>& symbols);
  const QList<ISWAPtr>& symbols() const { return m_symbols; }
  int selectedSymbolIndex() const { return m_selectedSymbolIndex; }
  void setSelectedSymbolIndex(int index);
  // The cell under a point along the strip, or -1 when no symbol is there.
  int cellAt(const QPoint& point) const;

  QSize sizeHint() const override;

 Q_SIGNALS:
  void symbolClicked(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QList<ISWAPtr> m_symbols;
  int m_selectedSymbolIndex = -1;
};

}  // namespace quabe
