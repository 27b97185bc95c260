// Reading and searching the sample signs of the evaluation.
#include <QDir>
#include <QFileInfo>

#include "core/Logging.h"
#include "document/Sign.h"
#include "document/SwmlParser.h"
#include "finder/FinderEvaluation.h"
#include "finder/SignFinder.h"

namespace quabe {

QList<FinderEvaluationResult> FinderEvaluation::collectResults(const QString& directory, qint64 answerID, int limit,
                                                               bool integrateArrows) {
  QList<FinderEvaluationResult> results;
  const QDir dir(directory);
  if (!finder || directory.isEmpty() || !dir.exists()) return results;
  SignFinder& search = *finder;
  search.integrateArrows = integrateArrows;
  const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QString& name : names) {
    if (!name.endsWith(QLatin1String("swml"))) continue;
    const QString path = directory + QLatin1Char('/') + name;
    SwmlParser parser;
    parser.parse(path);
    const SignPtr sign = parser.firstSign;
    if (!sign || sign->symbols.isEmpty()) continue;
    sign->updateBounds();
    sign->center(150, 150, false);

    FinderEvaluationResult result;
    result.swmlFileName = name;
    const QList<SFResult> found = search.findSimilarSigns(*sign, limit, matchMirrorImages);
    for (const SFResult& r : found) {
      if (r.signID == answerID) {
        result.order = r.ranking;
        result.similarity = r.similarity;
        break;
      }
    }
    const QFileInfo info(path);
    const QDateTime modified = info.lastModified();
    if (modified.isValid()) {
      result.modificationDate = modified;
    } else {
      qCWarning(lcFinder).noquote() << "no modification date for" << name;
      result.modificationDate = referenceDate();
    }
    results.append(result);
  }
  return results;
}

}  // namespace quabe
