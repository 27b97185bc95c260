#include "finder/FinderEvaluation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QThreadPool>
#include <QTimeZone>
#include <QtConcurrent/QtConcurrentRun>

namespace quabe {

namespace {

QString percent(double rate) { return QString::asprintf("%.2f%%", rate); }

}  // namespace

QString FinderEvaluationResult::reportLine() const {
  const QString date = QLocale().toString(modificationDate, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  return QStringLiteral("%1, %2, %3 (%4)\n").arg(order).arg(QString::asprintf("%.3f", similarity), swmlFileName, date);
}

void FinderEvaluation::ResultStat::add(int order) {
  ++count;
  if (order <= 0) return;
  if (order == 1) ++top1Count;
  if (order < 6) ++top5Count;
  if (order < 11) ++top10Count;
  if (order < 21) ++top20Count;
}

void FinderEvaluation::ResultStat::computeRates() {
  const auto rate = [this](int n) { return count > 0 ? n * 100.0 / count : 0.0; };
  top1Rate = rate(top1Count);
  top5Rate = rate(top5Count);
  top10Rate = rate(top10Count);
  top20Rate = rate(top20Count);
}

QString FinderEvaluation::ResultStat::summaryLine() const {
  const auto cell = [this](int n, double rate) {
    return QStringLiteral("%1 (%2)").arg(n).arg(count > 0 ? percent(rate) : QStringLiteral("n/a"));
  };
  return head + QStringLiteral(" %1, ").arg(count) + cell(top1Count, top1Rate) + QStringLiteral(", ") +
         cell(top5Count, top5Rate) + QStringLiteral(", ") + cell(top10Count, top10Rate) + QStringLiteral(", ") +
         cell(top20Count, top20Rate) + QStringLiteral("\n");
}

FinderEvaluation::FinderEvaluation() {
  m_queue.setMaxThreadCount(1);  // serial: runs never overlap
  m_queue.setObjectName(QStringLiteral("org.quabe.finder-evaluation"));
  collector = [this](const QString& dir, qint64 answer, int limit, bool integrate) {
    return collectResults(dir, answer, limit, integrate);
  };
}

int FinderEvaluation::limitFromText(const QString& text) {
  bool ok = false;
  const int n = text.trimmed().toInt(&ok);
  return ok ? n : 9999999;
}

QDateTime FinderEvaluation::referenceDate() {
  return QDateTime(QDate(2009, 7, 6), QTime(12, 0, 0), QTimeZone(9 * 3600));
}

QString FinderEvaluation::ratesLine(double top1, double top5, double top10, double top20) {
  return QStringLiteral("Top1: %1, Top5: %2, Top10: %3, Top20: %4\n")
      .arg(percent(top1), percent(top5), percent(top10), percent(top20));
}

QString FinderEvaluation::runSingleDirectory(const QString& directory, qint64 answerID, int limit,
                                             bool integrateArrows) {
  QString report;
  for (const FinderEvaluationResult& r : collector(directory, answerID, limit, integrateArrows))
    report += r.reportLine();
  return report;
}

QString FinderEvaluation::runSampleList(const QString& listFilePath, int limit, bool integrateArrows,
                                        const Progress& progress) {
  const QFileInfo listInfo(listFilePath);
  const QString listDirectory = listInfo.absolutePath();
  if (!listInfo.isFile() || !QFileInfo(listDirectory).isDir()) return QString();
  QFile file(listFilePath);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));

  QString report;
  QList<ResultStat> stats;
  const int total = int(lines.size());
  for (int i = 0; i < total; ++i) {
    const QString label = QStringLiteral("%1/%2").arg(i + 1).arg(total);
    const QStringList fields = lines[i].trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool ok = false;
    const qint64 answer = fields.size() >= 3 ? fields[2].trimmed().toLongLong(&ok) : 0;
    if (!ok) {
      if (progress) progress(i + 1, total, label);
      continue;
    }
    QString dir = listDirectory + QLatin1Char('/') + fields[0];
    if (!QFileInfo::exists(dir)) dir += QLatin1Char('_') + fields[1];
    const QList<FinderEvaluationResult> results = collector(dir, answer, limit, integrateArrows);
    if (progress) progress(i + 1, total, label);

    ResultStat stat;
    stat.head = QStringLiteral("[%1 %2 #%3], ").arg(fields[0], fields[1], fields[2]);
    report += stat.head + QLatin1Char('\n');
    for (const FinderEvaluationResult& r : results) {
      report += r.reportLine();
      stat.add(r.order);
    }
    report += QLatin1Char('\n');
    stat.computeRates();
    stats.append(stat);
  }

  report += QStringLiteral("------------------\n");
  report += QStringLiteral("sign, count, top1, top5, top10, top20\n");
  double macro[4] = {0, 0, 0, 0};
  int groupsWithSamples = 0;
  long sums[5] = {0, 0, 0, 0, 0};
  for (const ResultStat& s : stats) {
    report += s.summaryLine();
    if (s.count > 0) {
      ++groupsWithSamples;
      macro[0] += s.top1Rate;
      macro[1] += s.top5Rate;
      macro[2] += s.top10Rate;
      macro[3] += s.top20Rate;
    }
    sums[0] += s.count;
    sums[1] += s.top1Count;
    sums[2] += s.top5Count;
    sums[3] += s.top10Count;
    sums[4] += s.top20Count;
  }
  const QString none = QStringLiteral("Top1: n/a, Top5: n/a, Top10: n/a, Top20: n/a\n");
  report += QStringLiteral("---- Rate (macro) average----\n");
  if (groupsWithSamples > 0) {
    const double n = groupsWithSamples;
    report += ratesLine(macro[0] / n, macro[1] / n, macro[2] / n, macro[3] / n);
  } else {
    report += none;
  }
  report += QStringLiteral("---- Micro average ----\n");
  if (sums[0] > 0) {
    const double c = double(sums[0]);
    report += ratesLine(sums[1] * 100.0 / c, sums[2] * 100.0 / c, sums[3] * 100.0 / c, sums[4] * 100.0 / c);
  } else {
    report += none;
  }
  return report;
}

QFuture<QString> FinderEvaluation::start(const Run& run, Progress progress) {
  return QtConcurrent::run(&m_queue, [this, run, progress] {
    QElapsedTimer timer;
    timer.start();
    QString report = useSampleListFile ? runSampleList(run.path, run.limit, run.integrateArrows, progress)
                                       : runSingleDirectory(run.path, run.answerID, run.limit, run.integrateArrows);
    report += QString::asprintf("%.03f (sec)\n", timer.elapsed() / 1000.0);
    return report;
  });
}

}  // namespace quabe
