#include "editor/canvas/CanvasView.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "document/EditorState.h"
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
    if (!size.isEmpty()) return size;
  }
  if (m_scrollView) return m_scrollView->viewport()->size();
  return size();
}

QRectF CanvasView::visibleRect() const {
  if (!m_scrollView) return rect();
  const QRectF viewport(QPointF(-pos()), QSizeF(m_scrollView->viewport()->size()));
  return viewport.intersected(rect());
}

void CanvasView::makeLayoutManager(bool vertical) {
  // The current sign stays current across the rebuild.
  SignPtr current = m_viewLineMan ? m_viewLineMan->currentSign() : nullptr;
  if (vertical)
    m_viewLineMan = std::make_unique<ViewLineManager>(m_bufferMan, prefs(), width(), height());
  else
    m_viewLineMan = std::make_unique<ViewLineManagerH>(m_bufferMan, prefs(), width(), height());
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
  Q_EMIT layoutRebuilt();
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
  resize(std::max(1, int(visible.width())), std::max(1, int(visible.height())));
  if (prefs()->rotatePuncs) m_bufferMan->rotatePunctuation(vertical);
  makeLayoutManager(vertical);
  if (prefs()->autoCentering) m_viewLineMan->centerAllSigns();
  scrollCursorIntoView();
  m_inRelayout = false;
  Q_EMIT layoutRebuilt();
  update();
}

void CanvasView::refreshLayout() {
  if (!m_viewLineMan) return;
  EditorState& state = EditorState::shared();
  for (const std::weak_ptr<Sign>& weak : state.editingSigns)
    if (const SignPtr sign = weak.lock()) sign->updateBounds();
  state.editingSigns.clear();
  setContentExtent(m_viewLineMan->layout());
}

void CanvasView::setContentExtent(qreal extent) {
  const QSizeF visible = visibleSize();
  if (m_verticalWritingMode) {
    const int w = int(std::ceil(std::max(extent, visible.width())));
    if (w != width()) resize(w, height());
  } else {
    const int h = int(std::ceil(std::max(extent, visible.height())));
    if (h != height()) resize(width(), h);
  }
  scrollCursorIntoView();
}

void CanvasView::scrollCursorIntoView() {
  if (!m_scrollView || !m_viewLineMan || m_viewLineMan->viewLines.isEmpty()) return;
  const QRectF cell = m_viewLineMan->cursorCellRect();
  const QRectF visible = visibleRect();
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
  drawContents(painter, event->rect(), visibleRect());
}

}  // namespace quabe
