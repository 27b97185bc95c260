// quabe-cli render: draws a document the way it prints, into a PDF, PNG or
// SVG file, with the canvas code of the editor.
#include <QApplication>
#include <QFileInfo>

#include "cli/CliCommand.h"
#include "document/Document.h"
#include "editor/canvas/CanvasView.h"
#include "editor/export/CanvasExport.h"
#include "symbols/SymbolArchive.h"

namespace quabe::cli {

namespace {

// The width of a row (horizontal writing) or the height of a column
// (vertical writing) when nothing else sets it: about an A4 page at 72 dpi.
constexpr int DefaultLineLength = 760;

int render(QStringList args) {
  const QString output = takeOption(args, QStringLiteral("-o"));
  const bool horizontal = takeFlag(args, QStringLiteral("--horizontal"));
  const bool vertical = takeFlag(args, QStringLiteral("--vertical"));
  bool lengthOk = true;
  const int lineLength =
      takeOption(args, QStringLiteral("--line-length"), QString::number(DefaultLineLength)).toInt(&lengthOk);
  if (args.size() != 1 || output.isEmpty() || (horizontal && vertical) || !lengthOk || lineLength < 100) {
    err() << "usage: quabe-cli render IN.swml -o OUT.pdf|OUT.png|OUT.svg [--horizontal|--vertical] "
             "[--line-length N]\n";
    return 2;
  }
  const QString suffix = QFileInfo(output).suffix().toLower();
  if (suffix != QLatin1String("pdf") && suffix != QLatin1String("png") && suffix != QLatin1String("svg")) {
    err() << output << ": the output must end in .pdf, .png or .svg\n";
    return 2;
  }
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    err() << "render: no widget application\n";
    return 1;
  }

  const bool archive = SymbolArchive::shared().loadImageArchive();
  Document document;
  const SwmlReadReport report = document.readFromFile(args.first());
  if (!archive) {
    err() << "render: the symbol archive iswa2010bin cannot be read\n";
    return 1;
  }
  if (!report.opened) {
    err() << report.damageDescription() << "\n";
    return 1;
  }
  if (report.isDamaged()) err() << args.first() << ": damaged: " << report.damageDescription() << "\n";
  if (horizontal) document.prefs.verticalWriting = false;
  if (vertical) document.prefs.verticalWriting = true;

  // Rows as wide as the line length, or columns as tall; the paging of the
  // export lays them out on pages.
  CanvasView canvas;
  canvas.resize(document.prefs.verticalWriting ? QSize(400, lineLength) : QSize(lineLength, 400));
  canvas.setDocument(&document);
  canvas.setBufferManager(&document.bufferManager);
  if (!canvas.viewLineMan()) {
    err() << "render: nothing to draw\n";
    return 1;
  }
  bool written = false;
  QString error;
  if (suffix == QLatin1String("pdf"))
    written = CanvasExport::saveAsPdf(canvas, output, std::nullopt, &error);
  else if (suffix == QLatin1String("png"))
    written = CanvasExport::savePng(canvas, output, 2.0, &error);
  else
    written = CanvasExport::saveSvg(canvas, output, &error);
  if (!written) {
    err() << output << ": cannot be written: " << error << "\n";
    return 1;
  }
  out() << output << " written\n";
  return 0;
}

}  // namespace

QUABE_CLI_COMMAND("render", "render IN.swml -o OUT.pdf|OUT.png|OUT.svg [--horizontal|--vertical] [--line-length N]",
                  "draws a document as it prints (no cursor or editing marks) into a PDF, PNG or SVG file", render);

}  // namespace quabe::cli
