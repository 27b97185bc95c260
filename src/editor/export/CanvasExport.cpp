#include "editor/export/CanvasExport.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <algorithm>

#include "core/AtomicFile.h"
#include "core/Logging.h"
#include "editor/canvas/CanvasView.h"
#include "editor/export/PdfTextMap.h"

namespace quabe {

namespace {

QPageSize& pageSizeSlot() {
  static QPageSize size(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
  return size;
}

// Sets and clears the canvas's printing flag around a drawing.
class PrintingScope {
 public:
  explicit PrintingScope(CanvasView& canvas) : m_canvas(canvas), m_was(canvas.printing) { canvas.printing = true; }
  ~PrintingScope() { m_canvas.printing = m_was; }

 private:
  CanvasView& m_canvas;
  bool m_was;
};

void applyPageSetup(QPagedPaintDevice& device, bool vertical) {
  device.setPageOrientation(vertical ? QPageLayout::Landscape : QPageLayout::Portrait);
  const qreal m = CanvasExport::PageMargin;
  device.setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Point);
}

// Draws the canvas page by page on a paged device whose painter maps one
// point to resolution / 72 device pixels.
int renderPages(CanvasView& canvas, QPagedPaintDevice& device, int resolution) {
  const ViewLineManager* man = canvas.viewLineMan();
  if (!man || man->viewLines.isEmpty()) return 0;
  const bool vertical = man->isVertical();
  const QSizeF page = device.pageLayout().paintRect(QPageLayout::Point).size();
  if (page.isEmpty()) return 0;
  // Fit the breadth of the lines to the page; never enlarge.
  const qreal breadth = vertical ? canvas.canvasSize().height() : canvas.canvasSize().width();
  const qreal pageBreadth = vertical ? page.height() : page.width();
  const qreal scale = breadth > pageBreadth ? pageBreadth / breadth : 1.0;
  const qreal pageLength = (vertical ? page.width() : page.height()) / scale;
  const QList<PageSlice> slices =
      CanvasExport::paginate(CanvasExport::lineBands(canvas), CanvasExport::contentLength(canvas), pageLength);

  PrintingScope printing(canvas);
  QPainter painter;
  if (!painter.begin(&device)) return 0;
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  int pages = 0;
  for (const PageSlice& slice : slices) {
    if (pages > 0 && !device.newPage()) break;
    painter.save();
    painter.scale(resolution / 72.0 * scale, resolution / 72.0 * scale);
    const QRectF area =
        vertical ? QRectF(slice.start, 0, slice.length, breadth) : QRectF(0, slice.start, breadth, slice.length);
    painter.translate(-area.topLeft());
    // A rule on the edge of a slice is drawn on both pages rather than on none.
    painter.setClipRect(vertical ? area.adjusted(-1, 0, 1, 0) : area.adjusted(0, -1, 0, 1));
    canvas.drawContents(painter, area, area);
    painter.restore();
    ++pages;
  }
  painter.end();
  return pages;
}

}  // namespace

QList<PageSlice> CanvasExport::paginate(const QList<LineBand>& bands, qreal total, qreal pageLength) {
  QList<PageSlice> slices;
  if (total <= 0 || pageLength <= 0) return slices;
  qreal position = 0;
  while (total - position > 0.5) {
    const qreal limit = position + pageLength;
    if (limit >= total) {
      slices.append({position, total - position});
      break;
    }
    // The last band that ends on this page, with at least a point of it on the page.
    qreal end = -1;
    for (const LineBand& band : bands)
      if (band.end > position + 1 && band.end <= limit) end = std::max(end, band.end);
    if (end < 0) end = limit;  // a line longer than the page is cut
    slices.append({position, end - position});
    position = end;
  }
  return slices;
}

QList<LineBand> CanvasExport::lineBands(const CanvasView& canvas) {
  QList<LineBand> bands;
  const ViewLineManager* man = canvas.viewLineMan();
  if (!man || !canvas.prefs()) return bands;
  const qreal half = canvas.prefs()->lineSpace * 0.5;
  for (const ViewLineInfo& line : man->viewLines) {
    const qreal start = man->isVertical() ? line.left : line.top;
    const qreal size = man->isVertical() ? line.width : line.height;
    bands.append({start - half, start + size + half});
  }
  return bands;
}

qreal CanvasExport::contentLength(const CanvasView& canvas) {
  const QList<LineBand> bands = lineBands(canvas);
  const ViewLineManager* man = canvas.viewLineMan();
  if (bands.isEmpty() || !man) return 0;
  const qreal size = man->isVertical() ? canvas.canvasSize().width() : canvas.canvasSize().height();
  return std::min(bands.last().end, size);
}

void CanvasExport::preparePrinter(QPrinter& printer, bool vertical) { applyPageSetup(printer, vertical); }

int CanvasExport::print(CanvasView& canvas, QPrinter& printer) {
  const int pages = renderPages(canvas, printer, printer.resolution());
  // A printer that writes a PDF file gets the same text layer as Save as PDF.
  if (pages > 0 && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    QFile file(printer.outputFileName());
    QByteArray pdf;
    if (file.open(QIODevice::ReadOnly)) pdf = file.readAll();
    file.close();
    if (PdfTextMap::mend(pdf, canvas.shownTexts().join(QLatin1Char('\n'))) > 0) {
      // The map is mended in place, so the file keeps its length.
      if (!file.open(QIODevice::ReadWrite) || file.write(pdf) != pdf.size())
        qCWarning(lcEditor).noquote() << "cannot mend the text of" << printer.outputFileName();
    }
  }
  return pages;
}

bool CanvasExport::saveAsPdf(CanvasView& canvas, const QString& path, std::optional<QPageSize> pageSize,
                             QString* error) {
  if (!canvas.viewLineMan()) return false;
  // Written in memory first: the text layer is mended before the file is.
  QByteArray pdf;
  int pages = 0;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(QFileInfo(path).completeBaseName());
    writer.setCreator(QStringLiteral("Quabe"));
    writer.setPageSize(pageSize.value_or(sharedPageSize()));
    applyPageSetup(writer, canvas.viewLineMan()->isVertical());
    pages = renderPages(canvas, writer, writer.resolution());
  }
  if (pages == 0) {
    if (error) *error = QStringLiteral("nothing to print");
    return false;
  }
  PdfTextMap::mend(pdf, canvas.shownTexts().join(QLatin1Char('\n')));
  return saveAtomically(path, pdf, error);
}

bool CanvasExport::printWithDialog(CanvasView& canvas, QWidget* parent) {
  if (!canvas.viewLineMan()) return false;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(sharedPageSize());
  preparePrinter(printer, canvas.viewLineMan()->isVertical());
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  setSharedPageSize(printer.pageLayout().pageSize());
  return print(canvas, printer) > 0;
}

QPageSize CanvasExport::sharedPageSize() { return pageSizeSlot(); }
void CanvasExport::setSharedPageSize(const QPageSize& size) { pageSizeSlot() = size; }

QImage CanvasExport::renderImage(CanvasView& canvas, qreal scale) {
  const qreal width = std::ceil(canvas.canvasSize().width() * scale),
              height = std::ceil(canvas.canvasSize().height() * scale);
  // Refused rather than allocated: a picture this large is no export anybody can use.
  if (!(width >= 1 && height >= 1) || width * height > MaxImagePixels) return {};
  QImage image(QSize(int(width), int(height)), QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return {};  // too large to allocate
  image.fill(Qt::white);
  PrintingScope printing(canvas);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.scale(scale, scale);
  const QRectF all(0, 0, canvas.canvasSize().width(), canvas.canvasSize().height());
  canvas.drawContents(painter, all, all);
  painter.end();
  return image;
}

bool CanvasExport::savePng(CanvasView& canvas, const QString& path, qreal scale, QString* error) {
  const QImage image = renderImage(canvas, scale);
  if (image.isNull()) {
    if (error) *error = QStringLiteral("the picture is empty or too large");
    return false;
  }
  return saveAtomically(
      path, [&image](QIODevice& file, QString*) { return image.save(&file, "PNG"); }, error);
}

bool CanvasExport::saveSvg(CanvasView& canvas, const QString& path, QString* error) {
  if (!canvas.viewLineMan()) return false;
  return saveAtomically(
      path,
      [&](QIODevice& file, QString*) {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setSize(canvas.canvasSize().toSize());
        generator.setViewBox(QRectF(QPointF(0, 0), canvas.canvasSize()));
        generator.setTitle(QFileInfo(path).completeBaseName());
        PrintingScope printing(canvas);
        QPainter painter;
        if (!painter.begin(&generator)) return false;
        const QRectF all(0, 0, canvas.canvasSize().width(), canvas.canvasSize().height());
        canvas.drawContents(painter, all, all);
        return painter.end();
      },
      error);
}

}  // namespace quabe
