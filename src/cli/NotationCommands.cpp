#include <QFileInfo>
#include <cmath>

#include "cli/CliCommand.h"
#include "core/Diagnostics.h"
#include "dictionary/Dictionary.h"
#include "document/Document.h"
#include "document/Sign.h"
#include "notation/SWGen.h"

namespace quabe::cli {

namespace {

// A sign in Formal SignWriting: the box marker, the sign's extent and every
// symbol's key and position, with the sign's box centred on 500 x 500.
QString fswOfSign(const Sign& sign) {
  if (sign.symbols.isEmpty()) return QString();
  const double originX = 500 - std::floor(sign.width / 2);
  const double originY = 500 - std::floor(sign.height / 2);
  const int maxX = int(std::ceil(originX + sign.width));
  const int maxY = int(std::ceil(originY + sign.height));
  QString fsw = QStringLiteral("M%1x%2").arg(maxX).arg(maxY);
  for (const ISWAPtr& symbol : sign.symbols) {
    const QString key = SSS::toFswKey(symbol->sss());
    if (key.isEmpty()) continue;
    const int x = int(std::lround(originX + symbol->rect.x() - sign.leftMost));
    const int y = int(std::lround(originY + symbol->rect.y() - sign.topMost));
    fsw += key + QStringLiteral("%1x%2").arg(x).arg(y);
  }
  return fsw;
}

// A new document whose first line holds the signs, each centred in the
// document's sign box, saved as SWML.
int writeDocument(const QList<SignPtr>& signs, const QString& path) {
  Document document;
  const SignStringPtr line = document.bufferManager.line(0);
  const Preferences& prefs = document.prefs;
  qsizetype at = line->endsWithEmptySign() ? line->count() - 1 : line->count();
  for (const SignPtr& sign : signs) {
    sign->center(prefs.defaultSignBoxWidth, prefs.defaultSignBoxHeight, prefs.verticalWriting);
    line->signArray.insert(at++, sign);
  }
  QString reason;
  if (!document.writeToFile(path, &reason)) {
    err() << path << ": " << reason << "\n";
    return 1;
  }
  out() << signs.size() << " signs written to " << path << "\n";
  return 0;
}

int notationCommand(const QStringList& arguments) {
  QStringList args = arguments;
  const std::unique_ptr<Dictionary> dictionary = takeDictionary(args, QStringLiteral("--dict"));
  const QString output = takeOption(args, QStringLiteral("-o"));
  const bool fsw = takeFlag(args, QStringLiteral("--fsw"));
  if (args.size() != 1) {
    err() << "usage: quabe-cli notation \"TEXT\" [--dict PATH] [--fsw] [-o OUT.swml]\n";
    return 2;
  }
  if (!dictionary) return 1;
  // Diagnostics go to standard error so that standard output holds only signs.
  setDiagnosticsEnabled(false);
  const NotationConversion conversion = SWGen(*dictionary).convert(args.front());
  setDiagnosticsEnabled(true);
  for (const QString& line : conversion.diagnostics) err() << line << "\n";

  if (!output.isEmpty()) return writeDocument(conversion.signs, output);
  for (const SignPtr& sign : conversion.signs) {
    const DbSign& entry = *sign->jjs;
    if (fsw) {
      out() << fswOfSign(*sign) << "\n";
      continue;
    }
    out() << entry.gloss << entry.tag << "\tid " << entry.signID << "\tlane " << sign->lane << "\t"
          << sign->symbols.size() << " symbols";
    if (entry.isAmbiguous) {
      QStringList others;
      for (const auto id : entry.candidates) others.append(QString::number(id));
      out() << "\talso " << others.join(QLatin1Char(','));
    }
    out() << "\t" << fswOfSign(*sign) << "\n";
  }
  for (const QString& gloss : conversion.unknownGlosses) err() << gloss << ": not in the dictionary\n";
  return 0;
}

}  // namespace

QUABE_CLI_COMMAND("notation", "notation \"TEXT\" [--dict PATH] [--fsw] [-o OUT.swml]",
                  "converts a line of sign notation into signs from the dictionary", notationCommand);

}  // namespace quabe::cli
