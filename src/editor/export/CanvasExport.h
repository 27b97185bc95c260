#pragma once

#include <QImage>
#include <QList>
#include <QPageSize>
#include <QString>
#include <optional>

class QPrinter;
class QWidget;

namespace quabe {

class CanvasView;

// One page's stretch of the canvas along the paging axis.
struct PageSlice {
  qreal start = 0;
  qreal length = 0;
  bool operator==(const PageSlice&) const = default;
};

// A view line's stretch along the paging axis, gaps included.
struct LineBand {
  qreal start = 0;
  qreal end = 0;
};

// Printing, PDF and image export of a canvas. Pages have 20 mm margins.
// Horizontal writing prints portrait, scaled so that a row fits the page
// width, with as many pages downwards as needed; vertical writing prints
// landscape, scaled so that a column fits the page height, with pages
// following each other to the right. Pages break between view lines (a view
// line longer than a page is cut). The canvas is drawn with its `printing`
// flag set: no cursor, no empty-sign outlines, no ambiguity marks, every
// view line.
class CanvasExport {
 public:
  static constexpr qreal PageMargin = 56.69291338582678;  // 20 mm in points

  // Splits [0, total) into pages of at most pageLength, breaking at band ends
  // where one lies on the page.
  static QList<PageSlice> paginate(const QList<LineBand>& bands, qreal total, qreal pageLength);

  // Margins, orientation for the direction of the canvas's layout.
  static void preparePrinter(QPrinter& printer, bool vertical);
  // Prints the canvas on a prepared printer. Returns the number of pages
  // printed (0 when there is nothing to print or the printer fails).
  static int print(CanvasView& canvas, QPrinter& printer);
  // Saves the canvas as a PDF file (the process-wide page size when none is
  // given). The files are written atomically: false, with the cause in error,
  // when the file cannot be written, and the previous file stays as it was.
  static bool saveAsPdf(CanvasView& canvas, const QString& path, std::optional<QPageSize> pageSize = {},
                        QString* error = nullptr);
  // Shows the print dialog and prints on acceptance. False when cancelled or failed.
  static bool printWithDialog(CanvasView& canvas, QWidget* parent);

  // The page size of new print jobs; the print dialog updates it.
  static QPageSize sharedPageSize();
  static void setSharedPageSize(const QPageSize& size);

  // The whole canvas as an image at the given scale, drawn for printing; a
  // null image when it would hold more than MaxImagePixels (256 MB).
  static constexpr qreal MaxImagePixels = 64.0 * 1024 * 1024;
  static QImage renderImage(CanvasView& canvas, qreal scale = 1.0);
  static bool savePng(CanvasView& canvas, const QString& path, qreal scale = 2.0, QString* error = nullptr);
  static bool saveSvg(CanvasView& canvas, const QString& path, QString* error = nullptr);

  // The view lines' bands along the paging axis and the extent of the content.
  static QList<LineBand> lineBands(const CanvasView& canvas);
  static qreal contentLength(const CanvasView& canvas);
};

}  // namespace quabe
