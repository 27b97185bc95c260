// quabe-cli commands of the sign finder: similar-sign search, the similarity
// of two signs and the finder evaluation.
#include <QFileInfo>
#include <optional>

#include "cli/CliCommand.h"
#include "dictionary/Dictionary.h"
#include "document/Fsw.h"
#include "document/Sign.h"
#include "document/SwmlParser.h"
#include "finder/FinderEvaluation.h"
#include "finder/SFTuning.h"
#include "finder/SignFinder.h"

namespace quabe::cli {

namespace {

constexpr double SampleBoxSize = 150;

// A sign given on the command line: an SWML file (its first sign) or an FSW
// string. Either is centred in a 150 x 150 sign box like a drawn sign.
SignPtr signFromArgument(const QString& text) {
  SignPtr sign;
  if (QFileInfo(text).isFile()) {
    SwmlParser parser;
    parser.parse(text);
    sign = parser.firstSign;
  } else if (const auto fsw = FswSign::parse(text)) {
    QStringList problems;
    sign = Fsw::toSign(*fsw, &problems);
    for (const QString& problem : problems) err() << text << ": " << problem << "\n";
  }
  if (!sign || sign->symbols.isEmpty()) {
    err() << text << ": not an SWML file with a sign nor an FSW sign\n";
    return nullptr;
  }
  sign->updateBounds();
  sign->center(SampleBoxSize, SampleBoxSize, false);
  return sign;
}

// --tune NAME=VALUE (repeatable): experiments with the similarity's costs.
bool takeTuning(QStringList& args, SFTuning& tuning) {
  for (QString t = takeOption(args, QStringLiteral("--tune")); !t.isEmpty();
       t = takeOption(args, QStringLiteral("--tune"))) {
    const QStringList parts = t.split(QLatin1Char('='));
    bool ok = false;
    const int value = parts.size() == 2 ? parts[1].toInt(&ok) : 0;
    if (!ok || !tuning.set(parts[0].toUtf8().constData(), value)) {
      err() << "--tune " << t << ": unknown name or bad value\n";
      return false;
    }
  }
  return true;
}

// --mirror (the default) or --no-mirror: whether a sign also matches the
// mirror image of the sign searched for.
bool takeMirrorOption(QStringList& args, bool byDefault) {
  const bool on = takeFlag(args, QStringLiteral("--mirror"));
  const bool off = takeFlag(args, QStringLiteral("--no-mirror"));
  return on || (!off && byDefault);
}

int findCommand(const QStringList& arguments) {
  QStringList args = arguments;
  const int limit = SignFinder::resultLimit(takeOption(args, QStringLiteral("--limit"), QStringLiteral("20")));
  SignFinder finder;
  finder.integrateArrows = !takeFlag(args, QStringLiteral("--no-integrate-arrows"));
  const bool mirror = takeMirrorOption(args, true);
  const std::unique_ptr<Dictionary> dictionary = takeDictionary(args, QStringLiteral("--dict"));
  SFTuning tuning;
  if (!dictionary || !takeTuning(args, tuning)) return 1;
  finder.setTuning(tuning);
  if (args.size() != 1) {
    err() << "usage: quabe-cli find SIGN [--dict PATH] [--limit N] [--no-mirror]\n";
    return 2;
  }
  const SignPtr target = signFromArgument(args.first());
  if (!target) return 1;
  finder.setDictionaryPath(dictionary->path());
  QList<SFResult> results = finder.findSimilarSigns(*target, limit, mirror);
  SignFinder::loadDetails(results, *dictionary);
  out() << "rank\tsimilarity\tid\tgloss\tmeaning\tmirrored\n";
  for (const SFResult& r : results)
    out() << r.ranking << "\t" << similarityPercent(r.similarity) << "\t" << r.signID << "\t" << r.gloss << "\t"
          << r.meaning << "\t" << (r.mirrored ? "yes" : "") << "\n";
  return 0;
}

int similarityCommand(const QStringList& arguments) {
  QStringList args = arguments;
  const bool integrate = !takeFlag(args, QStringLiteral("--no-integrate-arrows"));
  const bool mirror = takeMirrorOption(args, true);
  SFTuning tuning;
  if (!takeTuning(args, tuning)) return 1;
  if (args.size() != 2) {
    err() << "usage: quabe-cli similarity SIGN_A SIGN_B [--no-mirror]\n";
    return 2;
  }
  const SignPtr a = signFromArgument(args[0]);
  const SignPtr b = signFromArgument(args[1]);
  if (!a || !b) return 1;
  if (integrate) {
    a->integrateArrows();
    b->integrateArrows();
  }
  const SFSign first = SFSign::fromSign(*a, false, 0, tuning);
  const std::optional<SFSign> image = mirror ? std::optional<SFSign>(first.mirrored()) : std::nullopt;
  const SFSimilarity s = first.similarity(SFSign::fromSign(*b, false, 0, tuning), image ? &*image : nullptr);
  out() << "Similarity: " << similarityPercent(s.score) << (s.mirrored ? " (mirror image)" : "")
        << QString::asprintf("\n (shape+loc: %.3f, move: %.3f)\n", s.shapeAndLocation, s.movement);
  return 0;
}

int evaluateCommand(const QStringList& arguments) {
  QStringList args = arguments;
  FinderEvaluation::Run run;
  run.limit = FinderEvaluation::limitFromText(takeOption(args, QStringLiteral("--limit"), QStringLiteral("20")));
  run.integrateArrows = !takeFlag(args, QStringLiteral("--no-integrate-arrows"));
  const bool quiet = takeFlag(args, QStringLiteral("--quiet"));
  const bool mirror = takeMirrorOption(args, false);
  const std::unique_ptr<Dictionary> dictionary = takeDictionary(args, QStringLiteral("--dict"));
  SFTuning tuning;
  if (!dictionary || !takeTuning(args, tuning)) return 1;
  if (args.size() != 1) {
    err() << "usage: quabe-cli evaluate LIST.txt [--limit N] [--no-integrate-arrows]\n";
    return 2;
  }
  run.path = args.first();
  if (!QFileInfo(run.path).isFile()) {
    err() << run.path << ": no such sample list file\n";
    return 1;
  }
  SignFinder finder;
  finder.setTuning(tuning);
  finder.setDictionaryPath(dictionary->path());
  FinderEvaluation evaluation;
  evaluation.finder = &finder;
  evaluation.useSampleListFile = true;
  evaluation.matchMirrorImages = mirror;
  const QString report = evaluation
                             .start(run,
                                    [quiet](int done, int total, const QString& label) {
                                      if (!quiet && (done % 25 == 0 || done == total)) {
                                        err() << label << "\n";
                                        err().flush();
                                      }
                                    })
                             .result();
  out() << report;
  return 0;
}

}  // namespace

QUABE_CLI_COMMAND("find", "find SIGN [--dict PATH] [--limit N] [--no-integrate-arrows] [--mirror|--no-mirror]",
                  "lists the dictionary signs most similar to a sign (SWML file or FSW string), 100 % for the same "
                  "sign; with --mirror (the default) also its mirror image's, marked \"yes\" under \"mirrored\"",
                  findCommand);
QUABE_CLI_COMMAND("similarity", "similarity SIGN_A SIGN_B [--no-integrate-arrows] [--mirror|--no-mirror]",
                  "prints the similarity of two signs (SWML files or FSW strings), 100 % for the same sign; with "
                  "--mirror (the default) the better of SIGN_A and its mirror image",
                  similarityCommand);
QUABE_CLI_COMMAND("evaluate",
                  "evaluate LIST.txt [--limit N] [--no-integrate-arrows] [--mirror|--no-mirror] [--dict PATH] "
                  "[--tune NAME=VALUE] [--quiet]",
                  "runs the finder evaluation over a sample list file and prints the report", evaluateCommand);

}  // namespace quabe::cli
