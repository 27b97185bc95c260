#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include "BenchMain.h"
#include "BuildPaths.h"
#include "core/Resources.h"
#include "dictionary/Dictionary.h"
#include "dictionary/sqlite/SqliteDatabase.h"
#include "document/Sign.h"
#include "notation/SWGen.h"
#include "notation/Tokenizer.h"

namespace {

using namespace quabe;

// A 100-item notation line made of the first glosses of a dictionary, with
// the annotations spread over them: plain glosses, positions, paths,
// handshapes, plurals, a marker group and punctuation.
QString lineFromDictionary(const QString& path) {
  SqliteDatabase database(path);
  QStringList glosses;
  if (database.open()) {
    if (auto rows = database.executeQuery(
            QStringLiteral("SELECT Gloss FROM Signs WHERE (StdGloss IS NULL OR StdGloss='') AND Gloss<>'' "
                           "ORDER BY SignID LIMIT 200"))) {
      while (rows->next()) {
        // Glosses that hold notation punctuation (such as the prolonged sound
        // mark, a hyphen) cannot be written as one item.
        const QString gloss = rows->textForColumn(QStringLiteral("Gloss"));
        Tokenizer tokenizer(gloss);
        const Token token = tokenizer.nextToken();
        if (token.type == TokenType::string && token.value == gloss) glosses.append(gloss);
      }
    }
  }
  if (glosses.isEmpty()) return QString();
  static const QStringList annotations = {"",     "(L)",     "(1->3)", "(2->1)", "[B]",
                                          "(3s)", "(1->3s)", "(;**)",  "(x)",    "(3s->1)"};
  QString line;
  for (int i = 0; i < 100; ++i) {
    const QString item = glosses[i % glosses.size()] + annotations[i % annotations.size()];
    if (i == 40) line += QStringLiteral("{<\u7591\u554F>");
    line += item;
    if (i == 45) line += QStringLiteral("}");
    line += (i % 10 == 9) ? QStringLiteral("\u3002") : QStringLiteral(" ");
  }
  return line;
}

void runConversion(benchmark::State& state, const QString& dictionaryPath) {
  if (!QFileInfo::exists(dictionaryPath)) {
    state.SkipWithError("dictionary not found");
    return;
  }
  const Dictionary dictionary(dictionaryPath);
  const SWGen generator(dictionary);
  const QString line = lineFromDictionary(dictionaryPath);
  if (line.isEmpty()) {
    state.SkipWithError("dictionary has no glosses");
    return;
  }
  qsizetype symbols = 0;
  for (auto _ : state) {
    const QList<SignPtr> signs = generator.signsFromjjsText(line);
    benchmark::DoNotOptimize(signs.size());
    symbols = 0;
    for (const SignPtr& sign : signs) symbols += sign->symbols.size();
  }
  state.counters["symbols"] = double(symbols);
}

void BM_NotationLineStarterDictionary(benchmark::State& state) {
  runConversion(state, QStringLiteral(QUABE_BUILD_RESOURCE_DIR "/swdic.db"));
}
BENCHMARK(BM_NotationLineStarterDictionary)->Unit(benchmark::kMillisecond);

// A dictionary imported from the ASL SignPuddle export, made once per run.
QString aslDictionary() {
  static QTemporaryDir dir;
  static QString path;
  if (!path.isEmpty() || !dir.isValid()) return path;
  const QString spml = QStringLiteral(QUABE_ASL_SPML);
  const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/quabe-cli");
  if (!QFileInfo::exists(spml) || !QFileInfo::exists(cli)) return path;
  const QString out = dir.filePath(QStringLiteral("asl.db"));
  QProcess process;
  process.start(cli, {QStringLiteral("dict"), QStringLiteral("import-spml"), spml, QStringLiteral("-o"), out});
  if (process.waitForFinished(600000) && process.exitCode() == 0 && QFileInfo::exists(out)) path = out;
  return path;
}

void BM_NotationLineAslDictionary(benchmark::State& state) {
  const QString path = aslDictionary();
  if (path.isEmpty()) {
    state.SkipWithError("no ASL dictionary (asl.spml or quabe-cli dict import-spml missing)");
    return;
  }
  runConversion(state, path);
}
BENCHMARK(BM_NotationLineAslDictionary)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  quabe::bench::drawOffscreenByDefault();
  QGuiApplication app(argc, argv);
  quabe::Resources::registerDefaults();
  return quabe::bench::runBenchmarks(argc, argv);
}
