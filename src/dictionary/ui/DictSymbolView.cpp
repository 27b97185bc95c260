#include "dictionary/ui/DictSymbolView.h"

#include <QMouseEvent>
#include <QPainter>

namespace quabe {

DictSymbolView::DictSymbolView(QWidget* parent) : QWidget(parent) {
  setMinimumHeight(SymbolBoxSize + 1);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void DictSymbolView::setSymbols(const QList<ISWAPtr>& symbols) {
  m_symbols = symbols;
  if (m_selectedSymbolIndex >= m_symbols.size()) m_selectedSymbolIndex = -1;
  setMinimumWidth(qMax(SymbolBoxSize, int(m_symbols.size()) * SymbolBoxSize + 1));
  updateGeometry();
  update();
}

void DictSymbolView::setSelectedSymbolIndex(int index) {
  m_selectedSymbolIndex = index;
  update();
}

int DictSymbolView::cellAt(const QPoint& point) const {
  if (point.x() < 0 || point.y() < 0 || point.y() >= SymbolBoxSize) return -1;
  const int cell = point.x() / SymbolBoxSize;
  return cell < m_symbols.size() ? cell : -1;
}

QSize DictSymbolView::sizeHint() const {
  return QSize(qMax(8, int(m_symbols.size())) * SymbolBoxSize + 1, SymbolBoxSize + 1);
}

void DictSymbolView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int k = 0; k < m_symbols.size(); ++k) {
    const QRect cell(k * SymbolBoxSize, 0, SymbolBoxSize, SymbolBoxSize);
    painter.fillRect(cell, k == m_selectedSymbolIndex ? QColor(211, 211, 211) : QColor(Qt::white));
    const ISWAPtr& symbol = m_symbols.at(k);
    if (!symbol) continue;
    const QImage& image = symbol->image();
    QSizeF size = image.size();
    // Symbols larger than a cell are scaled to fit with a one-point margin.
    if (size.width() > SymbolBoxSize || size.height() > SymbolBoxSize) {
      size *= (SymbolBoxSize - 2.0) / qMax(size.width(), size.height());
    }
    const QRectF target(cell.x() + (SymbolBoxSize - size.width()) / 2.0, (SymbolBoxSize - size.height()) / 2.0,
                        size.width(), size.height());
    painter.drawImage(target, image);
  }
  painter.setPen(Qt::gray);
  for (int k = 0; k <= m_symbols.size(); ++k) painter.drawLine(k * SymbolBoxSize, 0, k * SymbolBoxSize, SymbolBoxSize);
  painter.drawLine(0, SymbolBoxSize, int(m_symbols.size()) * SymbolBoxSize, SymbolBoxSize);
}

void DictSymbolView::mouseReleaseEvent(QMouseEvent* event) {
  const int cell = cellAt(event->position().toPoint());
  if (cell >= 0) Q_EMIT symbolClicked(cell);
}

}  // namespace quabe
