#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "BuildPaths.h"
#include "CanvasTestSupport.h"
#include "common/TestSupport.h"
#include "document/EditorState.h"
#include "editor/export/CanvasExport.h"

namespace quabe {
namespace {

using namespace quabe::test;

// Runs a poppler tool; nothing when it is missing or fails.
std::optional<QString> runTool(const QString& tool, const QStringList& arguments) {
  const QString program = QStandardPaths::findExecutable(tool);
  if (program.isEmpty()) return std::nullopt;
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return std::nullopt;
  // Extracted CJK text may come back as compatibility characters (a Kangxi
  // radical for the ideograph that shares its glyph); compare normalised.
  return QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

int pdfPageCount(const QString& path) {
  const auto info = runTool(QStringLiteral("pdfinfo"), {path});
  if (!info) return -1;
  const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(*info);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

TEST(ExportPagination, PagesBreakBetweenViewLines) {
  const QList<LineBand> bands{{0, 170}, {170, 340}, {340, 510}, {510, 680}};
  // Two bands per page of 400.
  EXPECT_EQ(CanvasExport::paginate(bands, 680, 400), (QList<PageSlice>{{0, 340}, {340, 340}}));
  // Everything on one page.
  EXPECT_EQ(CanvasExport::paginate(bands, 680, 700), (QList<PageSlice>{{0, 680}}));
  // A band longer than the page is cut at the page length.
  EXPECT_EQ(CanvasExport::paginate({{0, 500}, {500, 600}}, 600, 200),
            (QList<PageSlice>{{0, 200}, {200, 200}, {400, 200}}));
  EXPECT_TRUE(CanvasExport::paginate(bands, 0, 400).isEmpty());
  EXPECT_TRUE(CanvasExport::paginate(bands, 680, 0).isEmpty());
}

class Export : public ::testing::Test {
 protected:
  void SetUp() override {
    QUABE_REQUIRE_ARCHIVE();
    EditorState::shared().reset();
    ASSERT_TRUE(dir.isValid());
  }

  // lines logical lines of one glossed sign each; canvas of the given size.
  void buildDocument(bool vertical, int lines, QSize size) {
    prefs = canvasSettings(vertical);
    QList<QList<SignPtr>> text;
    for (int i = 0; i < lines; ++i) {
      const QString gloss = i == 0 ? QStringLiteral("手話") : QStringLiteral("GLOSS%1").arg(i);
      text << QList<SignPtr>{symbolSign({{"01-01-001-01-01-01", 60, 10}}, gloss), emptySign()};
      text.last().first()->comment = i == 0 ? QStringLiteral("注釈") : QString();
    }
    setLines(buffer, text);
    canvas.resize(size);
    canvas.setDocument(&document);
    canvas.setBufferManager(&buffer);
    ASSERT_NE(canvas.viewLineMan(), nullptr);
  }
  QString path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }

  QTemporaryDir dir;
  Document document;
  Preferences& prefs = document.prefs;
  BufferManager& buffer = document.bufferManager;
  CanvasView canvas;
};

TEST_F(Export, VerticalPdfRunsLandscapePagesToTheRightWithItsGlosses) {
  // Each logical line is one column of 150 + 20 (both signs fit 450).
  buildDocument(true, 10, QSize(400, 450));
  ASSERT_EQ(canvas.viewLineMan()->viewLines.size(), 10);
  const QString pdf = path("vertical.pdf");
  ASSERT_TRUE(CanvasExport::saveAsPdf(canvas, pdf, QPageSize(QPageSize::A4)));
  EXPECT_FALSE(canvas.printing);
  // A4 landscape less 20 mm margins: 728.5 x 481.9 points, no scaling for a
  // 450 high canvas, 4 columns of 170 per page: 4 + 4 + 2.
  const int pages = pdfPageCount(pdf);
  if (pages < 0) GTEST_SKIP() << "pdfinfo is not available";
  EXPECT_EQ(pages, 3);
  const auto info = runTool(QStringLiteral("pdfinfo"), {pdf});
  ASSERT_TRUE(info);
  const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(*info);
  ASSERT_TRUE(size.hasMatch());
  EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble());  // landscape
  const auto text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  ASSERT_TRUE(text);
  EXPECT_TRUE(text->contains(QStringLiteral("手話"))) << text->toStdString();
  EXPECT_TRUE(text->contains(QStringLiteral("注釈")));
  EXPECT_TRUE(text->contains(QStringLiteral("GLOSS9")));
  EXPECT_FALSE(text->contains(QStringLiteral("NEWLINE")));
  // Each page carries only its own lines.
  EXPECT_EQ(text->count(QStringLiteral("GLOSS4")), 1);
}

TEST_F(Export, HorizontalPdfIsPortraitScaledToThePageWidth) {
  // Rows of 150 + 20 on a canvas 600 wide: scaled by 481.9 / 600, so a page
  // holds 728.5 / 0.803 = 907 points of rows: 5 rows per page, 12 rows.
  buildDocument(false, 12, QSize(600, 400));
  ASSERT_EQ(canvas.viewLineMan()->viewLines.size(), 12);
  const QString pdf = path("horizontal.pdf");
  ASSERT_TRUE(CanvasExport::saveAsPdf(canvas, pdf, QPageSize(QPageSize::A4)));
  const int pages = pdfPageCount(pdf);
  if (pages < 0) GTEST_SKIP() << "pdfinfo is not available";
  EXPECT_EQ(pages, 3);
  const auto text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  ASSERT_TRUE(text);
  EXPECT_TRUE(text->contains(QStringLiteral("手話")));
  EXPECT_TRUE(text->contains(QStringLiteral("GLOSS11")));
  // The page images show ink (the symbols are in the file).
  const QString prefix = path("page");
  ASSERT_TRUE(runTool(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"),
                       QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, prefix}));
  const QImage page(prefix + QStringLiteral("-1.png"));
  ASSERT_FALSE(page.isNull());
  EXPECT_GT(countPixels(page, page.rect(), isInk), 50);
}

TEST_F(Export, PrintingOnAPrinterUsesTheSamePages) {
  buildDocument(true, 10, QSize(400, 450));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path("printed.pdf"));
  printer.setPageSize(QPageSize(QPageSize::A4));
  CanvasExport::preparePrinter(printer, true);
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_NEAR(printer.pageLayout().margins(QPageLayout::Point).left(), CanvasExport::PageMargin, 0.5);
  EXPECT_EQ(CanvasExport::print(canvas, printer), 3);
  EXPECT_FALSE(canvas.printing);
  const int pages = pdfPageCount(path("printed.pdf"));
  if (pages >= 0) {
    EXPECT_EQ(pages, 3);
  }
}

// Writes cut short as by a full disk: the export says why and the file
// written before stays whole. The files are smaller than the write buffer,
// so that they reach the disk only when the export ends.
TEST_F(Export, ExportsThatCannotBeWrittenLeaveThePreviousFileAndSayWhy) {
  buildDocument(false, 1, QSize(300, 200));
  using Save = std::function<bool(const QString&, QString*)>;
  const std::vector<std::pair<const char*, Save>> formats = {
      {"out.pdf", [&](const QString& p, QString* e) { return CanvasExport::saveAsPdf(canvas, p, std::nullopt, e); }},
      {"out.png", [&](const QString& p, QString* e) { return CanvasExport::savePng(canvas, p, 1.0, e); }},
      {"out.svg", [&](const QString& p, QString* e) { return CanvasExport::saveSvg(canvas, p, e); }}};
  for (const auto& [name, save] : formats) {
    ASSERT_TRUE(save(path(name), nullptr)) << name;
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray previous = file.readAll();
    file.close();
    ASSERT_LT(previous.size(), 16384) << name;
    QString reason;
    bool saved = true;
    {
      FileSizeLimit limit(previous.size() / 2);
      saved = save(path(name), &reason);
    }
    EXPECT_FALSE(saved) << name;
    EXPECT_EQ(reason, FileSizeLimit::failureText()) << name;
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), previous) << name;
  }
  EXPECT_FALSE(CanvasExport::saveAsPdf(canvas, path("missing-dir/out.pdf")));
}

TEST_F(Export, PngAndSvgShowTheDocumentWithoutEditingDecorations) {
  buildDocument(true, 3, QSize(600, 400));
  const QString png = path("doc.png");
  ASSERT_TRUE(CanvasExport::savePng(canvas, png, 2.0));
  const QImage image(png);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(1200, 800));
  EXPECT_EQ(countPixels(image, image.rect(), isColor(CanvasView::selectionColor())), 0);
  const QRectF symbol =
      canvas.viewLineMan()->signAt(0, 0)->symbols[0]->rect.translated(canvas.viewLineMan()->signOrigin(0, 0));
  const QRect scaled(symbol.topLeft().toPoint() * 2, symbol.size().toSize() * 2);
  EXPECT_GT(countPixels(image, scaled, isInk), 100);

  const QString svg = path("doc.svg");
  ASSERT_TRUE(CanvasExport::saveSvg(canvas, svg));
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString content = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(content.contains(QStringLiteral("<svg")));
  EXPECT_TRUE(content.contains(QStringLiteral("<image")));
  EXPECT_TRUE(content.contains(QStringLiteral("手話")));
}

// The command-line renderer draws a saved document the way it prints, in the
// direction asked for, and refuses what it cannot write.
TEST_F(Export, CommandLineRenderWritesPdfPngAndSvg) {
  if (!QFile::exists(QUABE_CLI_PATH)) GTEST_SKIP() << "quabe-cli not built";
  buildDocument(true, 3, QSize(600, 400));
  const QString swml = path("doc.swml");
  ASSERT_TRUE(document.writeToFile(swml));
  auto run = [](const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(QUABE_CLI_PATH), QStringList{QStringLiteral("render")} + arguments);
    EXPECT_TRUE(cli.waitForFinished(60000));
    return cli.exitCode();
  };
  ASSERT_EQ(run({swml, "-o", path("v.pdf")}), 0);
  ASSERT_EQ(run({swml, "-o", path("h.pdf"), "--horizontal"}), 0);
  const auto vertical = runTool(QStringLiteral("pdfinfo"), {path("v.pdf")});
  const auto horizontal = runTool(QStringLiteral("pdfinfo"), {path("h.pdf")});
  if (vertical && horizontal) {
    // Columns print on landscape pages, rows on portrait ones.
    EXPECT_TRUE(vertical->contains(QStringLiteral("842 x 595"))) << vertical->toStdString();
    EXPECT_TRUE(horizontal->contains(QStringLiteral("595 x 842"))) << horizontal->toStdString();
    const auto text = runTool(QStringLiteral("pdftotext"), {path("h.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->contains(QStringLiteral("手話")));
    EXPECT_TRUE(text->contains(QStringLiteral("GLOSS2")));
  }
  ASSERT_EQ(run({swml, "-o", path("doc.png")}), 0);
  const QImage image(path("doc.png"));
  ASSERT_FALSE(image.isNull());
  EXPECT_GT(countPixels(image, image.rect(), isInk), 100);
  EXPECT_EQ(countPixels(image, image.rect(), isColor(CanvasView::selectionColor())), 0);
  ASSERT_EQ(run({swml, "-o", path("doc.svg")}), 0);
  QFile svg(path("doc.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));

  EXPECT_EQ(run({swml, "-o", path("doc.txt")}), 2);
  EXPECT_EQ(run({path("absent.swml"), "-o", path("absent.pdf")}), 1);
  EXPECT_FALSE(QFile::exists(path("absent.pdf")));
  EXPECT_EQ(run({swml, "-o", path("no-dir/doc.pdf")}), 1);
}

}  // namespace
}  // namespace quabe
