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
#include "core/Resources.h"
#include "editor/export/CanvasExport.h"

namespace quabe {
namespace {

using namespace quabe::test;

// Runs a poppler tool (the project's test tools include poppler-utils).
QString runTool(const QString& tool, const QStringList& arguments) {
  const QString program = QStandardPaths::findExecutable(tool);
  QProcess process;
  if (!program.isEmpty()) process.start(program, arguments);
  const bool ran = !program.isEmpty() && process.waitForFinished(60000) && process.exitCode() == 0;
  EXPECT_TRUE(ran) << tool.toStdString() << " is missing or failed";
  return ran ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

QString withoutSpace(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

// What a PDF file holds: its pages, its raster images and its text layer
// (in the order it was drawn, without white space).
struct PdfContent {
  int pages = 0;
  int images = 0;
  QString text;
};

PdfContent readPdf(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  const QString raw = QString::fromLatin1(file.readAll());
  return {int(raw.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)")))),
          int(raw.count(QRegularExpression(QStringLiteral("/Subtype\\s*/Image")))),
          withoutSpace(runTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")}))};
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
    ASSERT_TRUE(dir.isValid());
  }

  // lines logical lines of one glossed sign each; canvas of the given size.
  void buildDocument(bool vertical, int lines, QSize size) {
    prefs = standardSettings(vertical);
    QList<QList<SignPtr>> text;
    for (int i = 0; i < lines; ++i) {
      const QString gloss = i == 0 ? QStringLiteral("手話") : QStringLiteral("GLOSS%1").arg(i);
      text << QList<SignPtr>{makeSign({{"01-01-001-01-01-01", 60, 10}}, gloss), emptySign()};
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

// A generated document in both directions: symbols only as outlines, the
// text layer exactly the glosses and comments (kanji such as 手, 見 and 雨
// included, long comments wrapped), and columns paged to the right.
TEST_F(Export, PdfHoldsOutlinesAndExactlyTheTextsShown) {
  for (const bool vertical : {true, false}) {
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    // Each logical line is one column of 150 + 20 (the texts add to its length only).
    buildDocument(vertical, 10, vertical ? QSize(400, 450) : QSize(600, 400));
    buffer.editBuffer[3]->signArray[0]->comment =
        QStringLiteral("雨の日は見えにくいので、手を大きく動かす Long comments wrap");
    canvas.setWritingMode(vertical);
    const QString pdf = path(vertical ? "vertical.pdf" : "horizontal.pdf");
    ASSERT_TRUE(CanvasExport::saveAsPdf(canvas, pdf, QPageSize(QPageSize::A4)));
    EXPECT_FALSE(canvas.printing);
    const PdfContent content = readPdf(pdf);
    EXPECT_EQ(content.images, 0);
    EXPECT_EQ(content.text, withoutSpace(canvas.shownTexts().join(QString())));
    // A4 landscape less 20 mm margins: 728.5 x 481.9 points, 4 columns of 170 per page.
    if (vertical) {
      EXPECT_EQ(content.pages, 3);
    }
  }
}

TEST_F(Export, PrintingOnAPrinterUsesTheSamePages) {
  buildDocument(true, 10, QSize(400, 450));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path("printed.pdf"));
  printer.setPageSize(QPageSize(QPageSize::A4));
  CanvasExport::preparePrinter(printer, true);
  EXPECT_EQ(CanvasExport::print(canvas, printer), 3);
  const PdfContent content = readPdf(path("printed.pdf"));
  EXPECT_EQ(content.pages, 3);
  EXPECT_EQ(content.text, withoutSpace(canvas.shownTexts().join(QString())));
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
  EXPECT_FALSE(content.contains(QStringLiteral("<image")));  // symbols are paths
  EXPECT_TRUE(content.contains(QStringLiteral("手話")));
}

// The command-line renderer: columns on landscape pages and rows on portrait
// ones, PNG by the extension, and a refusal of what it cannot write.
TEST_F(Export, CommandLineRendersTheSampleText) {
  const QString sample = Resources::path(QStringLiteral("sample.swml"));
  ASSERT_FALSE(sample.isEmpty());
  auto run = [](const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(QUABE_CLI_PATH), QStringList{QStringLiteral("render")} + arguments);
    EXPECT_TRUE(cli.waitForFinished(60000));
    return cli.exitCode();
  };
  ASSERT_EQ(run({sample, "-o", path("v.pdf")}), 0);
  ASSERT_EQ(run({sample, "-o", path("h.pdf"), "--horizontal"}), 0);
  EXPECT_TRUE(runTool(QStringLiteral("pdfinfo"), {path("v.pdf")}).contains(QStringLiteral("842 x 595")));
  EXPECT_TRUE(runTool(QStringLiteral("pdfinfo"), {path("h.pdf")}).contains(QStringLiteral("595 x 842")));
  ASSERT_EQ(run({sample, "-o", path("doc.png")}), 0);
  EXPECT_FALSE(QImage(path("doc.png")).isNull());

  EXPECT_EQ(run({sample, "-o", path("doc.txt")}), 2);
  EXPECT_EQ(run({path("absent.swml"), "-o", path("absent.pdf")}), 1);
  EXPECT_FALSE(QFile::exists(path("absent.pdf")));
  EXPECT_EQ(run({sample, "-o", path("no-dir/doc.pdf")}), 1);
}

}  // namespace
}  // namespace quabe
