#include "editor/canvas/CanvasView.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <array>

#include "editor/layout/ViewLineManagerH.h"

namespace quabe {

CanvasView::CanvasView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAcceptDrops(true);
}

// The canvas is a child of the scroll area's viewport, so it usually dies
// while the scroll area is half destroyed: from then on only the viewport,
// watched through its own pointer, may be touched, never the scroll area.
CanvasView::~CanvasView() {
  if (m_viewport) m_viewport->removeEventFilter(this);
}

void CanvasView::setScrollView(QScrollArea* scrollArea) {
  if (m_viewport) m_viewport->removeEventFilter(this);
  m_scrollView = scrollArea;
  m_viewport = scrollArea ? scrollArea->viewport() : nullptr;
  if (!scrollArea) return;
  scrollArea->setWidgetResizable(false);
  if (scrollArea->widget() != this) scrollArea->setWidget(this);
  m_viewport->installEventFilter(this);
}

bool CanvasView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_viewport && event->type() == QEvent::Resize && m_scrollView) scrollViewResized();
  return QWidget::eventFilter(watched, event);
}

QSizeF CanvasView::visibleSize() const {
  if (m_delegate) {
    const QSizeF size = m_delegate->visibleSize();
    if (!size.isEmpty()) return size / m_zoom;
  }
  if (m_scrollView) return QSizeF(m_scrollView->viewport()->size()) / m_zoom;
  return canvasSize();
}

QRectF CanvasView::visibleRect() const {
  if (!m_scrollView) return QRectF(QPointF(), canvasSize());
  const QRectF viewport(QPointF(-pos()), QSizeF(m_scrollView->viewport()->size()));
  const QRectF shown = viewport.intersected(rect());
  return QRectF(shown.topLeft() / m_zoom, shown.size() / m_zoom);
}

void CanvasView::resizeCanvas(qreal width, qreal height) {
  resize(std::max(1, int(std::ceil(width * m_zoom - 1e-6))), std::max(1, int(std::ceil(height * m_zoom - 1e-6))));
}

namespace {
// The zoom steps of Zoom In and Zoom Out.
constexpr std::array<qreal, 13> ZoomSteps = {0.5, 0.67, 0.75, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0};
}  // namespace

void CanvasView::setZoom(qreal zoom) {
  zoom = std::clamp(zoom, MinZoom, MaxZoom);
  if (std::abs(zoom - m_zoom) < 1e-9) return;
  m_zoom = zoom;
  // The text flows anew into the area the window shows at this scale.
  if (m_bufferMan && prefs())
    setWritingMode(m_verticalWritingMode);
  else
    update();
}

void CanvasView::zoomIn() {
  const auto next = std::upper_bound(ZoomSteps.begin(), ZoomSteps.end(), m_zoom + 1e-6);
  if (next != ZoomSteps.end()) setZoom(*next);
}

void CanvasView::zoomOut() {
  const auto next = std::lower_bound(ZoomSteps.begin(), ZoomSteps.end(), m_zoom - 1e-6);
  if (next != ZoomSteps.begin()) setZoom(*(next - 1));
}

void CanvasView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QWidget::wheelEvent(event);
    return;
  }
  const int delta = event->angleDelta().y();
  if (delta > 0)
    zoomIn();
  else if (delta < 0)
    zoomOut();
  event->accept();
}

void CanvasView::makeLayoutManager(bool vertical) {
  // The current sign stays current across the rebuild.
  SignPtr current = m_viewLineMan ? m_viewLineMan->currentSign() : nullptr;
  const QFont font = textFont();
  auto heights = m_viewLineMan && m_viewLineMan->textFont == font ? m_viewLineMan->textHeights : nullptr;
  if (vertical)
    m_viewLineMan =
        std::make_unique<ViewLineManager>(m_bufferMan, prefs(), canvasSize().width(), canvasSize().height());
  else
    m_viewLineMan =
        std::make_unique<ViewLineManagerH>(m_bufferMan, prefs(), canvasSize().width(), canvasSize().height());
  m_viewLineMan->textFont = font;
  if (heights) m_viewLineMan->textHeights = heights;
  const qreal extent = m_viewLineMan->layout();
  const ViewPosition place = m_viewLineMan->position(current.get());
  if (place.isValid()) {
    m_viewLineMan->cursorLine = place.line;
    m_viewLineMan->cursorOffset = place.index;
  }
  setContentExtent(extent);
}

void CanvasView::setDocument(Document* document) {
  if (m_document) disconnect(m_document, nullptr, this, nullptr);
  m_document = document;
  if (!document) return;
  connect(document, &QObject::destroyed, this, [this] {
    m_viewLineMan.reset();
    m_prefs = nullptr;
    m_bufferMan = nullptr;
    update();
  });
}

void CanvasView::setBufferManager(BufferManager* bufferMan, Preferences* prefs) {
  m_prefs = prefs;
  setBufferManager(bufferMan);
}

void CanvasView::setBufferManager(BufferManager* bufferMan) {
  m_bufferMan = bufferMan;
  m_viewLineMan.reset();
  Preferences* prefs = this->prefs();
  if (!bufferMan || !prefs) {
    update();
    return;
  }
  m_verticalWritingMode = prefs->verticalWriting;
  makeLayoutManager(m_verticalWritingMode);
  scrollCursorIntoView();
  if (prefs->autoCentering) m_viewLineMan->centerAllSigns();
  update();
}

void CanvasView::setWritingMode(bool vertical) {
  m_verticalWritingMode = vertical;
  if (!m_bufferMan || !prefs() || m_inRelayout) return;
  m_inRelayout = true;
  if (m_scrollView) {
    // Only the axis the text grows along scrolls, so scroll bars never come
    // and go with the content (which would resize the viewport again).
    m_scrollView->setHorizontalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_scrollView->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
  }
  const QSizeF visible = visibleSize();
  resizeCanvas(std::floor(visible.width()), std::floor(visible.height()));
  if (prefs()->rotatePuncs) m_bufferMan->rotatePunctuation(vertical);
  makeLayoutManager(vertical);
  if (prefs()->autoCentering) m_viewLineMan->centerAllSigns();
  scrollCursorIntoView();
  m_inRelayout = false;
  update();
}

void CanvasView::refreshLayout() {
  if (!m_viewLineMan) return;
  m_selection.finishEditing();
  setContentExtent(m_viewLineMan->layout());
}

void CanvasView::setContentExtent(qreal extent) {
  const QSizeF visible = visibleSize();
  const QSizeF current = canvasSize();
  if (m_verticalWritingMode)
    resizeCanvas(std::ceil(std::max(extent, visible.width())), current.height());
  else
    resizeCanvas(current.width(), std::ceil(std::max(extent, visible.height())));
  scrollCursorIntoView();
}

void CanvasView::scrollCursorIntoView() {
  if (!m_scrollView || !m_viewLineMan || m_viewLineMan->viewLines.isEmpty()) return;
  // In widget pixels, where the scroll bars count.
  const QRectF cursor = m_viewLineMan->cursorCellRect();
  const QRectF cell(cursor.topLeft() * m_zoom, cursor.size() * m_zoom);
  const QRectF visible = QRectF(QPointF(-pos()), QSizeF(m_scrollView->viewport()->size())).intersected(rect());
  auto scrollAxis = [](QScrollBar* bar, qreal cellStart, qreal cellEnd, qreal visibleStart, qreal visibleLength) {
    if (!bar) return;
    if (cellEnd - cellStart > visibleLength || cellStart < visibleStart)
      bar->setValue(int(std::floor(cellStart)));
    else if (cellEnd > visibleStart + visibleLength)
      bar->setValue(int(std::ceil(cellEnd - visibleLength)));
  };
  scrollAxis(m_scrollView->horizontalScrollBar(), cell.left(), cell.right(), visible.left(), visible.width());
  scrollAxis(m_scrollView->verticalScrollBar(), cell.top(), cell.bottom(), visible.top(), visible.height());
}

void CanvasView::scrollViewResized() {
  if (!m_scrollView || m_inRelayout) return;
  const QSize viewport = m_scrollView->viewport()->size();
  if (m_verticalWritingMode)
    resize(width(), viewport.height());
  else
    resize(viewport.width(), height());
  setWritingMode(m_verticalWritingMode);
}

void CanvasView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.scale(m_zoom, m_zoom);
  const QRectF dirty = event->rect();
  drawContents(painter, QRectF(dirty.topLeft() / m_zoom, dirty.size() / m_zoom).adjusted(-1, -1, 1, 1), visibleRect());
}

}  // namespace quabe
