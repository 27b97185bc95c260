#include <QFileInfo>

#include "cli/CliCommand.h"
#include "dictionary/Dictionary.h"
#include "document/Document.h"
#include "document/Fsw.h"
#include "document/Sign.h"
#include "notation/SWGen.h"

namespace quabe::cli {

namespace {

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

void printSigns(const QList<SignPtr>& signs, bool fsw) {
  for (const SignPtr& sign : signs) {
    const DbSign& entry = *sign->jjs;
    if (fsw) {
      out() << Fsw::fromSign(*sign).fsw() << "\n";
      continue;
    }
    out() << entry.gloss << entry.tag << "\tid " << entry.signID << "\tlane " << sign->lane << "\t"
          << sign->symbols.size() << " symbols";
    if (entry.isAmbiguous) {
      QStringList others;
      for (const auto id : entry.candidates) others.append(QString::number(id));
      out() << "\talso " << others.join(QLatin1Char(','));
    }
    out() << "\t" << Fsw::fromSign(*sign).fsw() << "\n";
  }
}

// Exit status: 0 when every word was found, 1 when some were not (the
// signs are still written, the missing ones empty), 2 for a line that does
// not follow the notation (nothing written).
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
  // The converter's findings go to standard error: standard output holds
  // only signs.
  const NotationConversion conversion = SWGen(*dictionary).convert(args.front());
  for (const NotationDiagnostic& problem : conversion.diagnostics) err() << problem.text() << "\n";
  // A line that does not follow the notation gives nothing: its signs would
  // not say what was written.
  if (!conversion.isReadable()) return 2;

  if (!output.isEmpty()) {
    if (writeDocument(conversion.signs, output) != 0) return 1;
  } else {
    printSigns(conversion.signs, fsw);
  }
  return conversion.unknownWords.isEmpty() ? 0 : 1;
}

}  // namespace

QUABE_CLI_COMMAND("notation", "notation \"TEXT\" [--dict PATH] [--fsw] [-o OUT.swml]",
                  "converts a line of sign notation into signs from the dictionary", notationCommand);

}  // namespace quabe::cli
