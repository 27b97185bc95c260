#include "dictionary/ui/DictSignView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "core/Resources.h"

namespace quabe {

DictSignView::DictSignView(QWidget* parent) : QWidget(parent) {
  setAcceptDrops(true);
  setFocusPolicy(Qt::ClickFocus);
  setAutoFillBackground(false);
}

void DictSignView::setSign(const SignPtr& sign) {
  m_sign = sign;
  m_selectedSymbolIndex = -1;
  update();
}

void DictSignView::setSelectedSymbolIndex(int index) {
  m_selectedSymbolIndex = index;
  update();
}

int DictSignView::symbolAt(const QPointF& point) const {
  if (!m_sign) return -1;
  for (qsizetype i = m_sign->symbols.size() - 1; i >= 0; --i) {
    const ISWAPtr& symbol = m_sign->symbols.at(i);
    if (symbol && symbol->rect.contains(point)) return int(i);
  }
  return -1;
}

void DictSignView::moveSelectedSymbol(qreal dx, qreal dy) {
  if (!m_sign || m_selectedSymbolIndex < 0 || m_selectedSymbolIndex >= m_sign->symbols.size()) return;
  const ISWAPtr& symbol = m_sign->symbols.at(m_selectedSymbolIndex);
  if (!symbol) return;
  QPointF corner = symbol->rect.topLeft() + QPointF(dx, dy);
  corner.setX(qBound(0.0, corner.x(), qMax(0.0, width() - symbol->rect.width())));
  corner.setY(qBound(0.0, corner.y(), qMax(0.0, height() - symbol->rect.height())));
  symbol->rect.moveTopLeft(corner);
  m_sign->updateBounds();
  update();
}

void DictSignView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!m_sign) return;
  // Hands take the colours the user chose for new documents.
  const bool colorHands = Resources::setting(QStringLiteral("ColorHands")).toBool();
  for (const ISWAPtr& symbol : m_sign->symbols) {
    if (symbol) symbol->draw(painter, QPointF(0, 0), colorHands);
  }
  if (m_selectedSymbolIndex < 0 || m_selectedSymbolIndex >= m_sign->symbols.size()) return;
  const ISWAPtr& selected = m_sign->symbols.at(m_selectedSymbolIndex);
  if (!selected) return;
  // Four 3 x 3 handles centred on the corners of the selected symbol.
  const QRectF r = selected->rect;
  for (const QPointF& corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
    painter.fillRect(QRectF(corner - QPointF(1.5, 1.5), QSizeF(3, 3)), Qt::black);
  }
}

void DictSignView::mousePressEvent(QMouseEvent* event) {
  m_lastPoint = event->position();
  const int index = symbolAt(m_lastPoint);
  m_dragging = index >= 0;
  if (index >= 0) Q_EMIT symbolPressed(index);
}

void DictSignView::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging || !(event->buttons() & Qt::LeftButton)) return;
  const QPointF delta = event->position() - m_lastPoint;
  m_lastPoint = event->position();
  moveSelectedSymbol(delta.x(), delta.y());
  Q_EMIT symbolMoved();
}

void DictSignView::mouseReleaseEvent(QMouseEvent*) { m_dragging = false; }

void DictSignView::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) && m_selectedSymbolIndex >= 0) {
    Q_EMIT deleteRequested();
    return;
  }
  QWidget::keyPressEvent(event);
}

void DictSignView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasText()) event->acceptProposedAction();
}

void DictSignView::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasText()) event->acceptProposedAction();
}

void DictSignView::dropEvent(QDropEvent* event) {
  const QString text = event->mimeData()->text();
  const QPointF point = event->position();
  event->acceptProposedAction();
  Q_EMIT symbolDropped(text, point);
}

}  // namespace quabe
