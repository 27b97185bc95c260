#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include "cli/CliCommand.h"
#include "core/AtomicFile.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/DictionaryMerge.h"
#include "dictionary/SpmlExport.h"
#include "dictionary/SpmlImport.h"
#include "symbols/SymbolArchive.h"

namespace quabe::cli {

namespace {
// "--symbol-data FILE" or the archive's data resource.
QString symbolDataOption(QStringList& args) {
  return takeOption(args, QStringLiteral("--symbol-data"), DictionaryFile::defaultSymbolDataPath());
}

int dictCreate(const QStringList& arguments) {
  QStringList args = arguments;
  const QString symbolData = symbolDataOption(args);
  const bool replace = takeFlag(args, QStringLiteral("--replace"));
  if (args.size() != 1) {
    err() << "usage: quabe-cli dict create PATH [--symbol-data FILE] [--replace]\n";
    return 2;
  }
  if (symbolData.isEmpty()) err() << "warning: no symbol data (iswa2010data.db); SymbolSize stays empty\n";
  QString error;
  if (!DictionaryFile::create(args.first(), symbolData, replace, &error)) {
    err() << "dict create: " << error << "\n";
    return 1;
  }
  out() << "created " << args.first() << "\n";
  return 0;
}

int dictImportSpml(const QStringList& arguments) {
  QStringList args = arguments;
  const QString output = takeOption(args, QStringLiteral("-o"));
  const QString symbolData = symbolDataOption(args);
  if (args.size() != 1 || output.isEmpty()) {
    err() << "usage: quabe-cli dict import-spml FILE.spml -o DICT.db [--symbol-data FILE]\n";
    return 2;
  }
  QFile file(args.first());
  if (!file.open(QIODevice::ReadOnly)) {
    err() << "dict import-spml: cannot read " << args.first() << ": " << file.errorString() << "\n";
    return 1;
  }
  QString error;
  if (!QFileInfo::exists(output)) {
    if (symbolData.isEmpty()) err() << "warning: no symbol data (iswa2010data.db); SymbolSize stays empty\n";
    if (!DictionaryFile::create(output, symbolData, false, &error)) {
      err() << "dict import-spml: " << error << "\n";
      return 1;
    }
  }
  QElapsedTimer timer;
  timer.start();
  const SpmlImportResult result = importSpml(&file, output, [](int imported, int skipped) {
    out() << "  " << imported << " entries imported, " << skipped << " skipped\n";
    out().flush();
  });
  if (!result.ok) {
    err() << "dict import-spml: " << result.error << " (nothing imported)\n";
    return 1;
  }
  out() << result.imported << " entries imported, " << result.skipped << " skipped (no sign) in " << timer.elapsed()
        << " ms\n";
  return 0;
}

int dictExportSpml(const QStringList& arguments) {
  QStringList args = arguments;
  const QString output = takeOption(args, QStringLiteral("-o"));
  if (args.size() != 1 || output.isEmpty()) {
    err() << "usage: quabe-cli dict export-spml DICT.db -o OUT.spml\n";
    return 2;
  }
  if (!QFileInfo(args.first()).isFile()) {
    err() << "dict export-spml: " << args.first() << ": no such dictionary\n";
    return 1;
  }
  SymbolArchive::shared().loadImageArchive();
  const SpmlExportResult result = exportSpml(args.first(), output);
  for (const QString& problem : result.problems) err() << problem << "\n";
  if (!result.ok) {
    err() << "dict export-spml: " << result.error << "\n";
    return 1;
  }
  out() << result.exported << " entries written to " << output << "\n";
  return result.problems.isEmpty() ? 0 : 1;
}

int dictBuildStarter(const QStringList& arguments) {
  QStringList args = arguments;
  const QString output = takeOption(args, QStringLiteral("-o"));
  const QString symbolData = symbolDataOption(args);
  if (args.size() != 1 || output.isEmpty()) {
    err() << "usage: quabe-cli dict build-starter SOURCE.json -o DICT.db [--symbol-data FILE]\n";
    return 2;
  }
  QFile file(args.first());
  if (!file.open(QIODevice::ReadOnly)) {
    err() << "dict build-starter: cannot read " << args.first() << "\n";
    return 1;
  }
  if (symbolData.isEmpty()) {
    err() << "dict build-starter: no symbol data (iswa2010data.db)\n";
    return 1;
  }
  QString error;
  if (!DictionaryFile::buildFromSource(file.readAll(), output, symbolData, &error)) {
    err() << "dict build-starter: " << error << "\n";
    return 1;
  }
  out() << "built " << output << "\n";
  return 0;
}

// Prints the entries found for a word: gloss matches, then readings and meanings.
int dictLookup(const QStringList& arguments) {
  QStringList args = arguments;
  const QString path = takeOption(args, QStringLiteral("--db"));
  const auto dictionary = std::make_unique<Dictionary>(path.isEmpty() ? Dictionary::bundledPath() : path);
  if (args.isEmpty()) {
    err() << "usage: quabe-cli dict lookup WORD... [--db DICT.db]\n";
    return 2;
  }
  if (!Dictionary::isValidDictionary(dictionary->path())) return 1;
  for (const QString& word : args) {
    QList<qint64> ids = dictionary->getSignIDs(word);
    for (qint64 id : dictionary->getSignIDsForJapanese(word)) {
      if (!ids.contains(id)) ids.append(id);
    }
    out() << word << ": " << ids.size() << " entries\n";
    for (qint64 id : ids) {
      const std::optional<DbSign> entry = dictionary->getSign(id);
      if (!entry) continue;
      out() << "  " << id << "\t" << entry->jjsText << "\t(" << entry->yomi << ")\t"
            << dictionary->getMeanings(id).join(QStringLiteral(" / ")) << "\t" << dictionary->getSpelling(id).size()
            << " symbols\n";
    }
  }
  return 0;
}

// Draws the thumbnails of entries (all when no id is given) into one picture
// with their notation texts, for looking over a dictionary.
int dictSheet(const QStringList& arguments) {
  QStringList args = arguments;
  const QString path = takeOption(args, QStringLiteral("--db"));
  const auto dictionary = std::make_unique<Dictionary>(path.isEmpty() ? Dictionary::bundledPath() : path);
  const QString output = takeOption(args, QStringLiteral("-o"));
  if (output.isEmpty()) {
    err() << "usage: quabe-cli dict sheet [ID...] -o FILE.png [--db DICT.db]\n";
    return 2;
  }
  if (!Dictionary::isValidDictionary(dictionary->path())) return 1;
  QList<qint64> ids;
  for (const QString& a : args) ids << a.toLongLong();
  if (ids.isEmpty()) {
    for (const DbSign& entry : dictionary->getWholeSigns(QString(), 1, 200)) ids << entry.signID;
  }
  const int cell = 160, columns = 6;
  const int rows = int((ids.size() + columns - 1) / columns);
  QImage sheet(columns * cell, qMax(1, rows) * (cell + 20), QImage::Format_ARGB32_Premultiplied);
  sheet.fill(Qt::lightGray);
  QPainter painter(&sheet);
  for (qsizetype i = 0; i < ids.size(); ++i) {
    const QImage image = dictionary->signImage(QSize(150, 150), ids.at(i));
    const QPoint origin(int(i % columns) * cell + 5, int(i / columns) * (cell + 20) + 5);
    if (!image.isNull()) painter.drawImage(QRect(origin, QSize(150, 150)), image);
    const std::optional<DbSign> entry = dictionary->getSign(ids.at(i));
    painter.setPen(Qt::black);
    painter.drawText(QRect(origin + QPoint(0, 152), QSize(150, 18)), Qt::AlignCenter,
                     QStringLiteral("%1 %2").arg(ids.at(i)).arg(entry ? entry->jjsText : QString()));
  }
  painter.end();
  QString error;
  const QByteArray format = QFileInfo(output).suffix().toLatin1();
  if (!saveAtomically(
          output, [&](QIODevice& file, QString*) { return sheet.save(&file, format.isEmpty() ? "PNG" : format); },
          &error)) {
    err() << "dict sheet: cannot write " << output << ": " << error << "\n";
    return 1;
  }
  out() << ids.size() << " entries drawn into " << output << "\n";
  return 0;
}

int dictMerge(const QStringList& arguments) {
  QStringList args = arguments;
  const QString into = takeOption(args, QStringLiteral("--into"));
  const bool addNew = takeFlag(args, QStringLiteral("--add-new"));
  const bool replaceChanged = takeFlag(args, QStringLiteral("--replace-changed"));
  const bool dryRun = takeFlag(args, QStringLiteral("--dry-run"));
  if (args.size() != 1 || into.isEmpty()) {
    err() << "usage: quabe-cli dict merge EXTERNAL.db --into DICT.db [--add-new] [--replace-changed] [--dry-run]\n";
    return 2;
  }
  DictionaryMerge merge(into);
  QString error;
  if (!merge.open(args.first(), &error)) {
    err() << "dict merge: " << error << "\n";
    return 1;
  }
  merge.setUnattended(true);
  QElapsedTimer timer;
  timer.start();
  const MergeReport report = merge.run(
      [&](const MergeVersion&, const MergeVersion* current) {
        if (current) return replaceChanged ? MergeResponse::replace : MergeResponse::skip;
        return addNew ? MergeResponse::add : MergeResponse::skip;
      },
      {}, dryRun);
  for (const QString& failure : report.failures) err() << "dict merge: not written: " << failure << "\n";
  out() << (dryRun ? "would merge: " : "merged: ") << report.identical << " identical, " << report.added << " added, "
        << report.replaced << " replaced, " << report.skipped << " skipped, " << report.failed << " failed in "
        << timer.elapsed() << " ms\n";
  return report.failed > 0 ? 1 : 0;
}
}  // namespace

QUABE_CLI_COMMAND("dict create", "dict create PATH [--symbol-data FILE] [--replace]",
                  "makes an empty dictionary (all tables, symbol sizes from the archive data)", dictCreate);
QUABE_CLI_COMMAND("dict import-spml", "dict import-spml FILE.spml -o DICT.db [--symbol-data FILE]",
                  "imports the signs of an SPML export into a dictionary (created when missing)", dictImportSpml);
QUABE_CLI_COMMAND("dict export-spml", "dict export-spml DICT.db -o OUT.spml",
                  "writes every entry of a dictionary as SPML 1.6 that import-spml reads back unchanged (exit 1 when "
                  "something could not be carried over, reported on standard error)",
                  dictExportSpml);
QUABE_CLI_COMMAND("dict merge", "dict merge EXTERNAL.db --into DICT.db [--add-new] [--replace-changed] [--dry-run]",
                  "merges another dictionary without questions and prints what happened", dictMerge);
QUABE_CLI_COMMAND("dict build-starter", "dict build-starter SOURCE.json -o DICT.db [--symbol-data FILE]",
                  "builds the bundled starter dictionary from its JSON source", dictBuildStarter);
QUABE_CLI_COMMAND("dict lookup", "dict lookup WORD... [--db DICT.db]",
                  "lists the dictionary entries found for glosses, readings or meanings", dictLookup);
QUABE_CLI_COMMAND("dict sheet", "dict sheet [ID...] -o FILE.png [--db DICT.db]",
                  "draws the thumbnails of dictionary entries into one picture", dictSheet);

}  // namespace quabe::cli
