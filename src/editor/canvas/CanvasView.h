#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QScrollArea>
#include <QWidget>
#include <memory>

#include "document/BufferManager.h"
#include "document/Document.h"
#include "document/SymbolSelection.h"
#include "editor/canvas/WindowControllerDelegate.h"
#include "editor/layout/ViewLineManager.h"
#include "editor/layout/ViewLineSettings.h"

namespace quabe {

// The document window's editing surface: draws the laid-out signs with
// rules, borders, frames, glosses, comments, the cursor cell and the range
// selection, sizes itself to the content and scrolls the cursor into view.
// It lives inside a QScrollArea. All positions come from the view line
// manager. The same drawing serves the screen, printing and export; while
// `printing` is set, editing decorations are left out and every view line is
// drawn.
//
// Mouse, keyboard and drop handling are added on top of this class: the
// interaction fields below are theirs, and QWidget's event handlers are left
// free for them to override.
class CanvasView : public QWidget {
  Q_OBJECT
 public:
  static constexpr qreal SignBoxPadding = 4.0;  // how far a sign frame stands outside the box
  static constexpr qreal RuleSpace = 2.0;

  static QColor selectionColor() { return QColor::fromRgbF(0.875f, 1.0f, 1.0f); }
  static QColor cursorOutlineColor() { return QColor::fromRgbF(0.0f, 0.543f, 0.543f); }
  static QColor ruleColor() { return QColor::fromRgbF(1.0f / 3, 1.0f / 3, 1.0f / 3); }
  static QColor borderColor() { return QColor::fromRgbF(2.0f / 3, 2.0f / 3, 2.0f / 3); }
  static QColor emptySignColor() { return QColor::fromRgbF(0.5f, 0.5f, 0.5f); }
  static QColor textColor() { return Qt::black; }

  explicit CanvasView(QWidget* parent = nullptr);
  ~CanvasView() override;

  // --- wiring (by the window controller) ---
  // The enclosing scroll area; the canvas follows the size of its viewport.
  void setScrollView(QScrollArea* scrollArea);
  QScrollArea* scrollView() const { return m_scrollView; }
  void setWindowControllerDelegate(WindowControllerDelegate* delegate) { m_delegate = delegate; }
  WindowControllerDelegate* windowControllerDelegate() const { return m_delegate; }
  // The document: its preferences are the display settings of the canvas.
  // When the document goes, the canvas drops its layout and buffer.
  void setDocument(Document* document);
  Document* document() const { return m_document; }
  // The display settings: those given with the edit buffer, else the document's.
  Preferences* prefs() const { return m_prefs ? m_prefs : m_document ? &m_document->prefs : nullptr; }
  // The document's edit buffer (it outlives the canvas or is replaced
  // first). Builds the first layout in the direction of the settings'
  // verticalWriting at the canvas's current size; needs the document.
  void setBufferManager(BufferManager* bufferMan);
  // The same with display settings other than the document's own (they
  // outlive the canvas or are replaced first).
  void setBufferManager(BufferManager* bufferMan, Preferences* prefs);
  BufferManager* bufferMan() const { return m_bufferMan; }
  ViewLineManager* viewLineMan() const { return m_viewLineMan.get(); }

  // --- layout and sizing ---
  // Full relayout: takes the visible size, turns punctuation for the
  // direction (when the preference asks for it), builds a new layout manager
  // for the direction, lays out, applies the extent, centres all signs (when
  // auto-centring is on) and scrolls the cursor into view. The current sign
  // stays current.
  void setWritingMode(bool vertical);
  bool verticalWritingMode() const { return m_verticalWritingMode; }
  // This window's symbol selection (its own: other windows keep theirs).
  SymbolSelection& selection() { return m_selection; }
  const SymbolSelection& selection() const { return m_selection; }
  // Recomputes the bounds of the signs being edited and lays out again.
  void refreshLayout();
  // Applies the extent layout() returned: the width in vertical writing, the
  // height in horizontal writing (never less than the visible size).
  void setContentExtent(qreal extent);
  // Scrolls by the least amount that shows the whole cursor cell.
  void scrollCursorIntoView();
  // The scroll area's viewport changed its size.
  void scrollViewResized();
  // The part of the canvas inside the scroll area's viewport (the whole
  // canvas without a scroll area), in canvas coordinates.
  QRectF visibleRect() const;
  // The size the layout fits against, in canvas coordinates.
  QSizeF visibleSize() const;

  // --- zoom ---
  // The canvas is shown at a scale of 50 % to 400 %: canvas coordinates
  // (those of the layout, the document and printing) times the zoom are
  // widget pixels. The text is laid out for the visible area at that scale.
  static constexpr qreal MinZoom = 0.5;
  static constexpr qreal MaxZoom = 4.0;
  qreal zoom() const { return m_zoom; }
  // Clamps the zoom, lays the text out again and keeps the cursor in view.
  void setZoom(qreal zoom);
  // The next larger or smaller step of the zoom.
  void zoomIn();
  void zoomOut();
  // A widget point in canvas coordinates.
  QPointF toCanvas(const QPointF& widgetPoint) const { return widgetPoint / m_zoom; }
  // The canvas's size in canvas coordinates.
  QSizeF canvasSize() const { return QSizeF(size()) / m_zoom; }

  // --- drawing ---
  // Draws what lies in dirtyRect; on screen only view lines within 10 points
  // of visibleRect are drawn. The painter is in canvas coordinates. While
  // printing, visibleRect plays no part.
  void drawContents(QPainter& painter, const QRectF& dirtyRect, const QRectF& visibleRect);
  // Draws one sign with its own coordinates starting at origin (nothing for
  // a sign without symbols).
  void drawSign(QPainter& painter, Sign& sign, const QPointF& origin);
  // The font of glosses and comments.
  QFont textFont() const;
  // The signs' glosses and comments the canvas shows with its settings, in
  // reading order.
  QStringList shownTexts() const;

  bool printing = false;

  // --- interaction state (mouse, keyboard and drops) ---
  bool mouseDown = false;
  bool cellSelecting = false;
  qint64 selectedCellIndex = -1;
  bool mouseDragged = false;
  QPointF lastMousePoint;
  bool symbolDragging = false;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Ctrl+wheel zooms; other wheel events scroll.
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  // Builds a manager of the right class for the direction at the current size.
  void makeLayoutManager(bool vertical);
  void drawVerticalLines(QPainter& painter, qint64 firstLine, qint64 lastLine);
  void drawHorizontalLines(QPainter& painter, qint64 firstLine, qint64 lastLine);
  void drawRangeSelection(QPainter& painter, qint64 firstLine, qint64 lastLine);
  void drawAmbiguityMark(QPainter& painter, const QRectF& cell);
  void drawText(QPainter& painter, const QString& text, const QRectF& rect);
  // One sign of the layout with its empty-sign mark, ambiguity mark, gloss
  // and comment.
  void drawSignInCell(QPainter& painter, qint64 line, qint64 index, Sign& sign, bool atCursor);
  // An empty sign on screen: its box outlined at the cursor, elsewhere a
  // faint mark at the box's start.
  void drawEmptySign(QPainter& painter, const QRectF& box, bool atCursor);
  // Constituents, symbols and selection outlines of a sign.
  void drawSignBody(QPainter& painter, Sign& sign, const QPointF& origin, bool vertical);
  // The range of view lines to draw: on screen those within 10 points of the
  // visible rectangle; while printing every line that reaches into the
  // dirty rectangle (the page).
  std::pair<qint64, qint64> linesToDraw(const QRectF& visible, const QRectF& dirty) const;
  // Resizes the widget for a size in canvas coordinates.
  void resizeCanvas(qreal width, qreal height);

 private:
  QPointer<QScrollArea> m_scrollView;
  QPointer<QWidget> m_viewport;  // the scroll area's, watched for resizes
  WindowControllerDelegate* m_delegate = nullptr;
  BufferManager* m_bufferMan = nullptr;
  QPointer<Document> m_document;
  Preferences* m_prefs = nullptr;
  std::unique_ptr<ViewLineManager> m_viewLineMan;
  SymbolSelection m_selection;
  bool m_verticalWritingMode = true;
  bool m_inRelayout = false;
  qreal m_zoom = 1.0;
};

}  // namespace quabe
