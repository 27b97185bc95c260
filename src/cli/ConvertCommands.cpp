// quabe-cli convert: documents between SWML and the sign texts FSW and SWU.
#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include "cli/CliCommand.h"
#include "document/Document.h"
#include "document/Fsw.h"
#include "document/SwmlDelegate.h"
#include "symbols/SymbolArchive.h"

namespace quabe::cli {

namespace {

enum class Format { swml, fsw, swu };

std::optional<Format> formatNamed(const QString& name) {
  const QString n = name.toLower();
  if (n == QLatin1String("swml") || n == QLatin1String("xml")) return Format::swml;
  if (n == QLatin1String("fsw") || n == QLatin1String("txt")) return Format::fsw;
  if (n == QLatin1String("swu")) return Format::swu;
  return std::nullopt;
}

bool readInput(const QString& path, QByteArray& bytes) {
  QFile file;
  bool opened = false;
  if (path == QLatin1String("-")) {
    opened = file.open(stdin, QIODevice::ReadOnly);
  } else {
    file.setFileName(path);
    opened = file.open(QIODevice::ReadOnly);
  }
  if (opened) bytes = file.readAll();
  if (!opened || file.error() != QFileDevice::NoError) {
    err() << path << ": " << file.errorString() << "\n";
    return false;
  }
  return true;
}

// Reads SWML or a sign text (FSW and SWU alike) into the document; problems
// collects what was damaged, clamped or left out. False when nothing could
// be read.
bool readDocument(const QString& path, Document& document, QStringList& problems) {
  QByteArray bytes;
  if (!readInput(path, bytes)) return false;
  const std::optional<Format> byName =
      path == QLatin1String("-") ? std::nullopt : formatNamed(QFileInfo(path).suffix());
  const bool swml = byName ? *byName == Format::swml : bytes.trimmed().startsWith('<');
  if (swml) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    SWMLDelegate delegate(document.bufferManager, document.prefs);
    const SwmlReadReport report = delegate.read(buffer);
    Document::completeReading(document.bufferManager, document.prefs);
    if (report.isDamaged()) problems << QStringLiteral("damaged: ") + report.damageDescription();
    for (const QString& skipped : report.skippedSymbols)
      problems << QStringLiteral("symbol without image skipped, ") + skipped;
    return true;
  }
  const Fsw::Reading reading = Fsw::read(QString::fromUtf8(bytes));
  problems << reading.problems;
  if (reading.signCount == 0) {
    err() << path << ": holds no sign in FSW or SWU\n";
    return false;
  }
  Fsw::fillBuffer(reading, document.bufferManager, document.prefs);
  return true;
}

bool writeOutput(const QString& path, Format format, Document& document, QStringList& problems) {
  QString reason;
  if (format == Format::swml) {
    if (path == QLatin1String("-")) {
      QFile out;
      const QByteArray data = document.swmlData();
      if (out.open(stdout, QIODevice::WriteOnly) && out.write(data) == data.size() && out.flush()) return true;
      reason = out.errorString();
    } else if (document.writeToFile(path, &reason)) {
      return true;
    }
  } else {
    const QString text =
        Fsw::writeDocument(document.bufferManager, format == Format::fsw ? Fsw::Form::fsw : Fsw::Form::swu, &problems);
    if (path == QLatin1String("-")) {
      out() << text;
      out().flush();
      if (out().status() == QTextStream::Ok) return true;
      reason = QStringLiteral("cannot write standard output");
    } else if (Fsw::writeFile(path, text, &reason)) {
      return true;
    }
  }
  err() << path << ": " << reason << "\n";
  return false;
}

int convertCommand(const QStringList& arguments) {
  QStringList args = arguments;
  const QString to = takeOption(args, QStringLiteral("--to"));
  if (args.size() != 2) {
    err() << "usage: quabe-cli convert IN OUT [--to swml|fsw|swu]\n";
    return 2;
  }
  const QString& output = args.at(1);
  std::optional<Format> format = formatNamed(to.isEmpty() ? QFileInfo(output).suffix() : to);
  if (!format && to.isEmpty() && output == QLatin1String("-")) format = Format::fsw;
  if (!format) {
    err() << "convert: the output format of " << (to.isEmpty() ? output : to)
          << " is not known (swml, fsw, swu; --to names it)\n";
    return 2;
  }
  SymbolArchive::shared().loadImageArchive();
  Document document;
  QStringList problems;
  const bool converted =
      readDocument(args.at(0), document, problems) && writeOutput(output, *format, document, problems);
  for (const QString& problem : problems) err() << problem << "\n";
  return converted && problems.isEmpty() ? 0 : 1;
}

}  // namespace

QUABE_CLI_COMMAND("convert", "convert IN OUT [--to swml|fsw|swu]",
                  "converts a document between SWML and FSW or SWU text (\"-\" is standard input or output); "
                  "exit 1 when something could not be carried over (reported on standard error)",
                  convertCommand);

}  // namespace quabe::cli
