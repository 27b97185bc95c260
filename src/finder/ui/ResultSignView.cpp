#include "finder/ui/ResultSignView.h"

#include <QMouseEvent>
#include <QPainter>

#include "document/Sign.h"

namespace quabe {

ResultSignView::ResultSignView(SFResult result, QWidget* parent) : QWidget(parent), m_searchResult(std::move(result)) {
  setFixedSize(ViewWidth, ViewHeight);
  setCursor(Qt::PointingHandCursor);
  setToolTip(m_searchResult.meaning);
}

QString ResultSignView::scoreText() const {
  return QString::asprintf("%.3f (#%lld) %d", m_searchResult.similarity, static_cast<long long>(m_searchResult.signID),
                           m_searchResult.ranking);
}

void ResultSignView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(250, 250, 245));
  painter.setPen(QColor(200, 200, 200));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(Qt::black);
  const QFontMetrics metrics(font());
  painter.drawText(QRect(4, 2, ViewWidth - 8, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(m_searchResult.gloss, Qt::ElideRight, ViewWidth - 8));
  painter.setPen(QColor(60, 60, 140));
  painter.drawText(QRect(4, ViewHeight - 20, ViewWidth - 8, 18), Qt::AlignLeft | Qt::AlignVCenter, scoreText());
  const SignPtr& sign = m_searchResult.sign;
  if (!sign || sign->symbols.isEmpty()) return;
  // The sign is centred between the gloss and the score; a large one is scaled down.
  const QRectF area(0, metrics.height() + 2, ViewWidth, ViewHeight - 22 - metrics.height() - 2);
  const qreal width = qMax<qreal>(1, sign->width);
  const qreal height = qMax<qreal>(1, sign->height);
  const qreal scale = qMin<qreal>(1.0, qMin(area.width() / width, area.height() / height));
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.translate(area.center());
  painter.scale(scale, scale);
  painter.translate(-sign->leftMost - width / 2, -sign->topMost - height / 2);
  for (const ISWAPtr& symbol : sign->symbols) {
    if (symbol) symbol->draw(painter, QPointF(0, 0));
  }
  painter.restore();
}

void ResultSignView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    Q_EMIT clicked(m_searchResult.signID);
  }
}

}  // namespace quabe
