#include "finder/ui/ResultSignView.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/Localization.h"
#include "core/Resources.h"
#include "document/Sign.h"

namespace quabe {

ResultSignView::ResultSignView(SFResult result, QWidget* parent) : QWidget(parent), m_searchResult(std::move(result)) {
  setFixedSize(ViewWidth, ViewHeight);
  setCursor(Qt::PointingHandCursor);
  setToolTip(m_searchResult.meaning);
}

QString ResultSignView::similarityText() const {
  const QString percent = similarityPercent(m_searchResult.similarity);
  return loc(m_searchResult.mirrored ? "SignFinderSimilarityMirrored" : "SignFinderSimilarity").arg(percent);
}

QString ResultSignView::entryText() const { return loc("SignFinderEntry").arg(m_searchResult.signID); }

void ResultSignView::setSelected(bool selected) {
  if (selected == m_selected) return;
  m_selected = selected;
  update();
}

void ResultSignView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colors = palette();
  painter.fillRect(rect(), m_selected ? colors.color(QPalette::Highlight).lighter(170) : QColor(250, 250, 245));
  painter.setPen(m_selected ? QPen(colors.color(QPalette::Highlight), 2) : QPen(QColor(200, 200, 200)));
  painter.drawRect(rect().adjusted(1, 1, -1, -1));
  painter.setPen(Qt::black);
  const QFontMetrics metrics(font());
  const int line = metrics.height();
  painter.drawText(QRect(4, 2, ViewWidth - 8, line), Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(m_searchResult.gloss, Qt::ElideRight, ViewWidth - 8));
  painter.setPen(m_searchResult.mirrored ? QColor(150, 60, 20) : QColor(60, 60, 140));
  painter.drawText(QRect(4, ViewHeight - 2 * line - 2, ViewWidth - 8, line), Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(similarityText(), Qt::ElideRight, ViewWidth - 8));
  painter.setPen(QColor(90, 90, 90));
  painter.drawText(QRect(4, ViewHeight - line - 2, ViewWidth - 8, line), Qt::AlignLeft | Qt::AlignVCenter, entryText());
  const SignPtr& sign = m_searchResult.sign;
  if (!sign || sign->symbols.isEmpty()) return;
  // The sign is centred between the gloss and the texts below; a large one is scaled down.
  const QRectF area(0, line + 2, ViewWidth, ViewHeight - 3 * line - 6);
  const qreal width = qMax<qreal>(1, sign->width);
  const qreal height = qMax<qreal>(1, sign->height);
  const qreal scale = qMin<qreal>(1.0, qMin(area.width() / width, area.height() / height));
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.translate(area.center());
  painter.scale(scale, scale);
  painter.translate(-sign->leftMost - width / 2, -sign->topMost - height / 2);
  // Hands take the colours the user chose for new documents.
  const bool colorHands = Resources::setting(QStringLiteral("ColorHands")).toBool();
  for (const ISWAPtr& symbol : sign->symbols) {
    if (symbol) symbol->draw(painter, QPointF(0, 0), colorHands);
  }
  painter.restore();
}

void ResultSignView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Q_EMIT clicked();
}

void ResultSignView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Q_EMIT doubleClicked();
}

}  // namespace quabe
