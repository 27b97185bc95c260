#include "editor/palette/PaletteView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTabWidget>
#include <QToolTip>
#include <cmath>

#include "core/Logging.h"
#include "editor/palette/PaletteToolTips.h"
#include "symbols/SymbolArchive.h"

namespace quabe {

namespace {
constexpr int MaxImageSide = 36;
}  // namespace

PaletteView::PaletteView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  loadPalette();
}

void PaletteView::setIsMain(bool isMain) {
  if (m_isMain == isMain && !m_palette.isEmpty()) return;
  m_isMain = isMain;
  loadPalette();
}

void PaletteView::loadPalette() {
  if (m_isMain) {
    m_palette = Palette::mainPalette();
    m_currentPaletteNumber = Palette::MainPaletteNumber;
  } else {
    m_palette = Palette::palette(0);
    m_currentPaletteNumber = 0;
  }
  m_highlightedItem = NoItem;
  m_selectedItem = NoItem;
  m_menuSSS = 0;
  loadItemImages();
  update();
}

void PaletteView::showSubPalette(int number) {
  const Palette& sub = Palette::palette(number);
  if (sub.isEmpty()) {
    qCWarning(lcEditor) << "no sub palette" << number;
    return;
  }
  m_palette = sub;
  m_currentPaletteNumber = number;
  m_highlightedItem = NoItem;
  m_selectedItem = NoItem;
  m_menuSSS = 0;
  loadItemImages();
  QToolTip::hideText();
  update();
}

void PaletteView::loadItemImages() {
  m_itemImages.clear();
  SymbolArchive& archive = SymbolArchive::shared();
  for (SymbolCode code : m_palette.paletteArray) {
    std::optional<QImage> image;
    if (code != 0) image = archive.image(code);
    if (code != 0 && !image) qCWarning(lcEditor).noquote() << "no image for palette symbol" << SSS::toString(code);
    m_itemImages.append(image.value_or(QImage()));
  }
}

void PaletteView::clearSelection() {
  m_selectedItem = NoItem;
  m_menuSSS = 0;
  update();
}

QSize PaletteView::sizeHint() const {
  const int rows = std::max(Palette::Rows, (m_palette.count() + Palette::Columns - 1) / Palette::Columns);
  return QSize(Palette::Columns * Palette::CellSize, rows * Palette::CellSize);
}

QRectF PaletteView::imageRect(const QSize& imageSize, int item) {
  const QRectF cell = Palette::cellRect(item);
  QSizeF size = imageSize;
  const int larger = std::max(imageSize.width(), imageSize.height());
  if (larger > MaxImageSide) size *= double(MaxImageSide) / larger;
  // Whole-pixel origin so that unscaled images stay sharp.
  const QPointF origin(std::floor(cell.x() + (cell.width() - size.width()) / 2),
                       std::floor(cell.y() + (cell.height() - size.height()) / 2));
  return QRectF(origin, size);
}

QMimeData* PaletteView::makeMimeData(SymbolCode code) {
  auto* data = new QMimeData;
  data->setText(SSS::toString(code));
  return data;
}

QString PaletteView::toolTipAt(const QPointF& point) const {
  const int item = Palette::itemAt(point);
  if (item < 0 || item >= m_palette.count()) return QString();
  if (m_isMain) return PaletteToolTips::text(m_currentPaletteNumber, item);
  // A variant: its own name where it has one, its family, and its code in
  // the two forms users meet (FSW key and the document's text form).
  const SymbolCode code = m_palette.code(item);
  if (code == 0) return QString();
  QStringList lines;
  const QString own = PaletteToolTips::text(m_currentPaletteNumber, item);
  if (!own.isEmpty()) lines << own;
  const QString family = PaletteToolTips::text(Palette::MainPaletteNumber, m_currentPaletteNumber);
  if (!family.isEmpty()) lines << family;
  const QString key = SSS::toFswKey(code);
  lines << (key.isEmpty() ? SSS::toString(code) : key + QStringLiteral(" · ") + SSS::toString(code));
  return lines.join(QLatin1Char('\n'));
}

void PaletteView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);

  const int width = Palette::Columns * Palette::CellSize;
  const int rows = sizeHint().height() / Palette::CellSize;
  const int height = rows * Palette::CellSize;
  painter.setPen(QPen(QColor(211, 211, 211), 1));
  for (int c = 1; c < Palette::Columns; ++c) {
    const double x = c * Palette::CellSize - 0.5;
    painter.drawLine(QPointF(x, 0), QPointF(x, height - 1));
  }
  for (int r = 1; r < rows; ++r) {
    const double y = r * Palette::CellSize - 0.5;
    painter.drawLine(QPointF(0, y), QPointF(width - 1, y));
  }

  auto fillCell = [&](int item, const QColor& color) {
    if (!isSymbolItem(item)) return;  // empty cells are not shaded
    painter.fillRect(Palette::cellRect(item).adjusted(0, 0, -1, -1), color);
  };
  fillCell(m_highlightedItem, QColor(230, 230, 230));
  fillCell(m_selectedItem, QColor(160, 160, 160));

  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int i = 0; i < m_itemImages.size(); ++i) {
    const QImage& image = m_itemImages[i];
    if (image.isNull()) continue;
    const QRectF target = imageRect(image.size(), i);
    if (!target.intersects(event->rect())) continue;
    painter.drawImage(target, image);
  }
}

void PaletteView::mouseMoveEvent(QMouseEvent* event) {
  if (m_pressed && (event->buttons() & Qt::LeftButton)) {
    if (!m_dragging && (event->position() - m_mouseDownPoint).manhattanLength() >= QApplication::startDragDistance())
      beginDrag();
    return;
  }
  const int item = Palette::itemAt(event->position());
  const int highlighted = item < 0 ? NoItem : item;
  if (highlighted != m_highlightedItem) {
    m_highlightedItem = highlighted;
    update();
  }
}

void PaletteView::leaveEvent(QEvent*) {
  m_highlightedItem = NoItem;
  update();
}

void PaletteView::mousePressEvent(QMouseEvent* event) {
  m_mouseDownPoint = event->position();
  m_ignoreNextRelease = false;
  m_pressed = event->button() == Qt::LeftButton;
  m_dragging = false;
}

void PaletteView::mouseDoubleClickEvent(QMouseEvent*) {
  // The release that ends a double click does not count as a click.
  m_ignoreNextRelease = true;
  m_pressed = false;
}

void PaletteView::mouseReleaseEvent(QMouseEvent* event) {
  const bool wasDragging = m_dragging;
  m_pressed = false;
  m_dragging = false;
  if (m_ignoreNextRelease) {
    m_ignoreNextRelease = false;
    return;
  }
  if (wasDragging || event->button() != Qt::LeftButton) return;
  if (event->modifiers() & Qt::ControlModifier) return;  // Control-click is the context click
  if (m_palette.isEmpty()) return;
  const int item = Palette::itemAt(event->position());
  if (item < 0 || item >= m_palette.count() || m_palette.code(item) == 0) return;

  if (m_isMain) {
    if (m_subPaletteView) {
      m_subPaletteView->showSubPalette(item);
      showSubPaletteTab();
    }
    Q_EMIT familyChosen(item);
    return;
  }

  if (item == m_selectedItem) {
    clearSelection();
    showMainPaletteTab();
    return;
  }
  m_selectedItem = item;
  m_menuSSS = m_palette.code(item);
  update();
  Q_EMIT symbolChosen(m_menuSSS);
}

void PaletteView::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  if (m_isMain) return;
  clearSelection();
  showMainPaletteTab();
}

bool PaletteView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = toolTipAt(help->pos());
    const int item = Palette::itemAt(help->pos());
    if (text.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), text, this, Palette::cellRect(item).toRect());
    }
    return true;
  }
  return QWidget::event(event);
}

void PaletteView::beginDrag() {
  const int item = Palette::itemAt(m_mouseDownPoint);
  const SymbolCode code = m_palette.code(item);
  if (code == 0) return;
  const QImage image = item < m_itemImages.size() ? m_itemImages[item] : QImage();
  if (image.isNull()) {
    // The canvas cannot place a symbol the archive cannot draw.
    return;
  }
  m_dragging = true;
  m_selectedItem = item;
  m_menuSSS = code;
  update();

  const QRectF target = imageRect(image.size(), item);
  const QPixmap pixmap =
      QPixmap::fromImage(image.scaled(target.size().toSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  const QPoint hotSpot = (m_mouseDownPoint - target.topLeft()).toPoint();
  Q_EMIT dragStarted(code);
  performDrag(makeMimeData(code), pixmap, hotSpot);
}

void PaletteView::performDrag(QMimeData* data, const QPixmap& pixmap, const QPoint& hotSpot) {
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  drag->setPixmap(pixmap);
  drag->setHotSpot(hotSpot);
  drag->exec(Qt::CopyAction, Qt::CopyAction);
  // The button was released during the drag; this view gets no release.
  m_pressed = false;
  m_dragging = false;
}

int PaletteView::tabIndexOf(const QWidget* view) const {
  for (int i = 0; m_tabView && i < m_tabView->count(); ++i) {
    const QWidget* page = m_tabView->widget(i);
    if (page == view || page->isAncestorOf(view)) return i;
  }
  return -1;
}

void PaletteView::showSubPaletteTab() {
  if (!m_tabView || !m_subPaletteView) return;
  const int index = tabIndexOf(m_subPaletteView);
  m_tabView->setCurrentIndex(index >= 0 ? index : 1);
}

void PaletteView::showMainPaletteTab() {
  if (!m_tabView) return;
  // The main palette's tab is the first one that does not hold this sub palette.
  const int own = tabIndexOf(this);
  for (int i = 0; i < m_tabView->count(); ++i)
    if (i != own) {
      m_tabView->setCurrentIndex(i);
      return;
    }
}

}  // namespace quabe
