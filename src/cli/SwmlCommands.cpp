#include "cli/CliCommand.h"
#include "document/DbSign.h"
#include "document/Document.h"
#include "symbols/SymbolArchive.h"

namespace quabe::cli {

namespace {
// Reads a document quietly (the reader's diagnostics would mix with the output).
SwmlReadReport readDocument(Document& document, const QString& path) {
  SymbolArchive::shared().loadImageArchive();
  const SwmlReadReport report = document.readFromFile(path);
  return report;
}

// Symbols left out and coordinates clamped are damage as much as broken XML.
void printDamage(QTextStream& stream, const QString& path, const SwmlReadReport& report) {
  if (report.isDamaged()) stream << path << ": damaged: " << report.damageDescription() << "\n";
}

QString quoted(QString text) {
  text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  text.replace(QLatin1Char('"'), QLatin1String("\\\""));
  text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
  text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
  return QLatin1Char('"') + text + QLatin1Char('"');
}

int swmlInfo(const QStringList& args) {
  if (args.size() != 1) {
    err() << "usage: quabe-cli swml info FILE\n";
    return 2;
  }
  const QString path = args.first();
  Document document;
  const SwmlReadReport report = readDocument(document, path);
  if (!report.opened) {
    err() << report.damageDescription() << "\n";
    return 1;
  }
  const Preferences& prefs = document.prefs;
  out() << "file " << path << "\n"
        << "signbox " << prefs.defaultSignBoxWidth << " x " << prefs.defaultSignBoxHeight << ", line space "
        << prefs.lineSpace << ", sign space " << prefs.minSignSpace << ", "
        << (prefs.verticalWriting ? "vertical" : "horizontal") << "\n";
  qsizetype signCount = 0, symbolCount = 0;
  const auto& lines = document.bufferManager.editBuffer;
  for (qsizetype l = 0; l < lines.size(); ++l) {
    const SignString& line = *lines.at(l);
    out() << "line " << l + 1 << ": " << line.count() << " signs\n";
    for (qsizetype s = 0; s < line.count(); ++s) {
      const Sign& sign = *line.signArray.at(s);
      ++signCount;
      symbolCount += sign.symbols.size();
      const bool lineBreak = s == line.count() - 1 && sign.isEmpty();
      out() << "  sign " << s + 1 << ": lane " << sign.lane;
      if (lineBreak) {
        out() << ", line break\n";
        continue;
      }
      out() << ", gloss " << quoted(sign.jjs->text(TagStyle::defaultStyle));
      if (!sign.jjs->yomi.isEmpty()) out() << ", yomi " << quoted(sign.jjs->yomi);
      out() << ", " << sign.symbols.size() << " symbols\n";
      for (const ISWAPtr& symbol : sign.symbols)
        out() << "    " << SSS::toString(symbol->sss()) << " at " << symbol->rect.x() << "," << symbol->rect.y()
              << "\n";
      if (!sign.comment.isEmpty()) out() << "    comment " << quoted(sign.comment) << "\n";
    }
  }
  out() << "total: " << lines.size() << " lines, " << signCount << " signs, " << symbolCount << " symbols\n";
  if (report.isDamaged()) {
    printDamage(out(), path, report);
    return 1;
  }
  out() << "no damage found\n";
  return 0;
}

int swmlNormalize(const QStringList& args) {
  if (args.size() != 2) {
    err() << "usage: quabe-cli swml normalize IN OUT\n";
    return 2;
  }
  Document document;
  const SwmlReadReport report = readDocument(document, args.at(0));
  if (!report.opened) {
    err() << report.damageDescription() << "\n";
    return 1;
  }
  printDamage(err(), args.at(0), report);
  QString reason;
  if (!document.writeToFile(args.at(1), &reason)) {
    err() << args.at(1) << ": " << reason << "\n";
    return 1;
  }
  return report.isDamaged() ? 1 : 0;
}
}  // namespace

QUABE_CLI_COMMAND("swml info", "swml info FILE",
                  "prints the lines, signs and symbols of an SWML document and any damage found (exit 1 when damaged)",
                  swmlInfo);
QUABE_CLI_COMMAND("swml normalize", "swml normalize IN OUT",
                  "reads an SWML document and writes it again; a damaged input is written as far as it could be "
                  "read (exit 1)",
                  swmlNormalize);

}  // namespace quabe::cli
