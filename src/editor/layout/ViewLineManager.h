#pragma once

#include <QFont>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <memory>

#include "document/BufferManager.h"
#include "document/Preferences.h"
#include "document/Sign.h"
#include "document/SymbolSelection.h"

namespace quabe {

// One laid-out view line: a column in vertical writing, a row in horizontal
// writing. Only the layout creates them.
struct ViewLineInfo {
  qint64 logicalLine = 0;  // index of the logical line in the edit buffer
  qint64 offset = 0;       // index of the view line's first sign in that line
  qint64 count = 0;        // number of signs (at least 1)
  qreal left = 0;          // x of a column (0 for rows)
  qreal top = 0;           // y of a row (0 for columns)
  qreal width = 0;         // column width (0 for rows)
  qreal height = 0;        // row height (0 for columns)
  qreal signSpace = 0;     // gap between consecutive signs
  // Where the signs' own coordinates start across the line, past its start:
  // more than 0 when a symbol lies left of (columns) or above (rows) the
  // sign box's origin, so that it still stays inside its line.
  qreal shift = 0;
  // The bands of the glosses and comments, one entry per sign (0 without
  // text). In a column each sign's gloss band comes before it and its
  // comment band after it; a row takes the tallest of each above and below
  // all its signs (its height includes them).
  QList<qreal> glossBands;
  QList<qreal> commentBands;
  qreal rowGlossBand = 0;
  qreal rowCommentBand = 0;
};

// A sign's place in the layout: view line and index within it; (-1, -1) for none.
struct ViewPosition {
  qint64 line = -1;
  qint64 index = -1;
  bool isValid() const { return line >= 0 && index >= 0; }
  bool operator==(const ViewPosition&) const = default;
};

// Breaks the logical lines of an edit buffer into view lines that fit the
// canvas, places every sign, owns the text cursor and the range selection of
// signs, and performs the position-dependent sign edits. This class lays out
// vertical writing (signs top to bottom in columns, columns left to right);
// ViewLineManagerH lays out horizontal writing.
//
// The cursor designates one sign, the current sign, at (cursorLine,
// cursorOffset). The range selection's ends are packed positions
// (view line x MaxLineCount + index), -1 when there is no range.
class ViewLineManager {
 public:
  static constexpr qint64 MaxLineCount = 10000;

  // Does not lay out; the settings must outlive the manager.
  ViewLineManager(BufferManager* bufferMan, const Preferences* prefs, qreal canvasWidth, qreal canvasHeight);
  virtual ~ViewLineManager() = default;
  ViewLineManager(const ViewLineManager&) = delete;
  ViewLineManager& operator=(const ViewLineManager&) = delete;

  BufferManager* bufferMan;
  const Preferences* prefs;
  QList<ViewLineInfo> viewLines;
  qint64 cursorLine = 0;
  qint64 cursorOffset = 0;
  qreal cursorWidth = 0;
  qreal cursorHeight = 0;
  qreal canvasWidth = 0;
  qreal canvasHeight = 0;
  qint64 selectStart = -1;
  qint64 selectEnd = -1;
  // The font glosses and comments are measured in, and the heights measured
  // so far (text and width to the wrapped height). The canvas hands both on
  // to the manager it builds next, so that a relayout measures nothing twice.
  QFont textFont;
  std::shared_ptr<QHash<QString, qreal>> textHeights = std::make_shared<QHash<QString, qreal>>();
  // The space between a gloss or comment and its sign.
  static constexpr qreal TextGap = 2.0;

  virtual bool isVertical() const { return true; }

  // Margins and the limits of moving symbols inside a sign box.
  virtual qreal leftMargin() const;
  virtual qreal rightMargin() const;
  virtual qreal topMargin() const;
  virtual qreal bottomMargin() const;
  virtual qreal maxSignWidth() const;
  virtual qreal maxSignHeight() const;

  // Extent of a sign along the writing direction (its length) and across it
  // (its breadth). Empty signs count with the default sign box; compounds
  // with their size for the direction.
  virtual qreal signLength(const Sign& sign) const;
  virtual qreal signBreadth(const Sign& sign) const;

  // Width and height of a view line: the breadth of a column or row, and the
  // natural length (sum of sign lengths plus (count - 1) line spaces).
  virtual qreal lineWidth(qint64 line) const;
  virtual qreal lineHeight(qint64 line) const;

  // The signs of a view line (the same objects as in the edit buffer).
  QList<SignPtr> signs(qint64 viewLine) const;
  // The sign at (line, index), nullptr outside the layout.
  SignPtr signAt(qint64 line, qint64 index) const;
  SignPtr currentSign() const { return signAt(cursorLine, cursorOffset); }
  // Without a range selection the current sign; with one, the signs of the
  // range in reading order.
  QList<SignPtr> selectedSigns() const;

  // Rebuilds viewLines, clamps the cursor and returns the extent the content
  // needs across the view lines (a width for columns, a height for rows). A
  // buffer without any sign first receives one line-break sign, so that there
  // always is a view line.
  virtual qreal layout();
  // Centres every sign across its view line.
  virtual void centerAllSigns();
  // Centres one sign across the view line holding it (nothing when the sign
  // is not laid out or has no symbols).
  virtual void center(const SignPtr& sign);

  // Hit test: makes the sign under the point current and returns its place.
  // Boundaries between signs lie in the middle of the gaps.
  virtual ViewPosition placeCursor(const QPointF& point);
  QRectF cursorCellRect() const { return cellRect(cursorLine, cursorOffset); }
  // The sign's rectangle with its text bands, grown by half the surrounding
  // gaps (cursor and selection highlight).
  virtual QRectF cellRect(qint64 line, qint64 index) const;
  // The rectangle of the sign's symbols in canvas coordinates, without its
  // text bands; it spans the whole breadth of its view line.
  virtual QRectF signRect(qint64 line, qint64 index) const;
  // Where the sign's gloss and comment are drawn (wrapped to the width);
  // empty when the sign shows none. They lie inside the cell and clear of
  // the sign rectangle.
  QRectF glossRect(qint64 line, qint64 index) const;
  QRectF commentRect(qint64 line, qint64 index) const;
  // Length along the line of the sign's slot: the sign and, in a column,
  // its text bands.
  qreal slotLength(qint64 line, qint64 index, const Sign& sign) const;
  // The texts the sign shows with the current settings.
  QString glossText(const Sign& sign) const;
  QString commentText(const Sign& sign) const;
  // Where the sign's own coordinates start on the canvas (its drawing origin).
  virtual QPointF signOrigin(qint64 line, qint64 index) const;

  // Sign editing. Each ends with a fresh layout.
  void pasteSigns();
  // Inserts the signs themselves at the cursor, which then stands after them.
  void insertSigns(const QList<SignPtr>& signs);
  void breakLine();
  // The signs copied (or cut), line by line.
  QList<QList<SignPtr>> copySigns(bool cut);
  virtual void dropSymbol(const ISWAPtr& symbol, const QPointF& point);
  // Pastes the symbol clipboard into the current sign; the copies become the selection.
  void pasteSymbols(SymbolSelection& selection);
  // Inserts the sign before the current sign (it becomes the sign at the cursor).
  void insertSign(const SignPtr& sign);
  void replaceAtCursor(const SignPtr& sign);
  // The first place of the very sign object in the layout, or (-1, -1).
  ViewPosition position(const Sign* sign) const;
  // After a new layout, the cursor on the sign (when it is laid out).
  void moveCursorTo(const SignPtr& sign);

  // Cursor moves by key. A mode of 2 or more extends the range selection,
  // below 2 clears it.
  virtual void cursorUp(int mode);
  virtual void cursorDown(int mode);
  virtual void cursorLeft(int mode);
  virtual void cursorRight(int mode);
  virtual void cursorFarLeft();
  virtual void cursorFarRight();
  virtual void cursorFarUp();
  virtual void cursorFarDown();

  // The elementary moves.
  void previousSign(int mode);
  void nextSign(int mode);
  void previousLine(int mode);
  void nextLine(int mode);
  void firstLine();
  void lastLine();
  void lineStart();
  void lineEnd();

  // Range selection helpers.
  static qint64 pack(qint64 line, qint64 index) { return line * MaxLineCount + index; }
  static ViewPosition unpack(qint64 packed) {
    return packed < 0 ? ViewPosition{} : ViewPosition{packed / MaxLineCount, packed % MaxLineCount};
  }
  bool hasRangeSelection() const { return selectStart >= 0 && selectEnd >= 0; }
  void clearRangeSelection() { selectStart = selectEnd = -1; }
  // Sets the range between two packed positions, the smaller one as start.
  void setRangeSelection(qint64 a, qint64 b);

 protected:
  // A stretch along one axis.
  struct Span {
    qreal start = 0;
    qreal length = 0;
  };
  // The direction-dependent pieces of the shared arithmetic. "Along" is the
  // writing direction, "across" the direction in which view lines follow
  // each other.
  virtual qreal canvasLength() const { return canvasHeight; }
  virtual qreal alongOf(const QPointF& p) const { return p.y(); }
  virtual qreal acrossOf(const QPointF& p) const { return p.x(); }
  virtual QRectF makeRect(Span along, Span across) const;
  virtual Span lineAcross(const ViewLineInfo& line) const { return {line.left, line.width}; }
  virtual void setLineAcross(ViewLineInfo& line, Span across) const;
  // The gap between the signs of a full view line.
  virtual qreal justifiedSignSpace(qreal position, qint64 count) const;
  // Where the first sign of a view line starts along it.
  qreal firstSignStart() const { return prefs->minSignSpace * 0.5; }

  qreal layoutLines();
  // The heights of the gloss and comment bands the sign needs with its texts
  // wrapped to the width (0 without text).
  std::pair<qreal, qreal> textBands(const Sign& sign, qreal width) const;
  // Where the texts of sign index of the line start across its cell, from
  // the sign rectangle's left edge, and the width they wrap to.
  Span textSpan(const ViewLineInfo& line, qint64 index, const Sign& sign) const;
  // The stretch across the line where the signs' symbols stand.
  Span signAcross(const ViewLineInfo& line) const;
  // The sign's own smallest coordinate and extent across the line.
  Span acrossExtent(const Sign& sign) const;
  QRectF textRect(qint64 line, qint64 index, bool gloss) const;
  void giveDefaultBox(Sign& sign) const;
  void clampCursor();
  // Start of the sign index along its view line.
  qreal alongStart(qint64 line, qint64 index) const;
  // The index reached by the hit test at a coordinate along a view line.
  qint64 hitIndex(qint64 line, qreal along) const;
  // The view line whose band holds a coordinate across the view lines.
  qint64 hitLine(qreal across) const;
  // Start and end of the elementary moves that take a mode.
  void beginMove(int mode);
  void endMove(int mode);
  qint64 countOf(qint64 line) const;
  SignStringPtr logicalLineOf(qint64 viewLine) const;
};

}  // namespace quabe
