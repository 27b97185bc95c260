#pragma once

#include <QDateTime>
#include <QFuture>
#include <QList>
#include <QString>
#include <QThreadPool>
#include <functional>

namespace quabe {

class SignFinder;

// One evaluated sample: where the answer entry ranked among its results.
struct FinderEvaluationResult {
  static constexpr int NotFound = 99999;

  QString swmlFileName;
  QDateTime modificationDate;
  int order = NotFound;   // rank of the answer; NotFound when it is not among the results
  double similarity = 0;  // the answer's similarity; 0 when not found

  // "ORDER, SIMILARITY, FILE (yyyy-MM-dd HH:mm:ss)\n"
  QString reportLine() const;
};

// Measures how well the similar-sign search finds the right dictionary entry
// for hand-drawn sample signs (single-sign SWML files) of known entries.
//
// Sample list file: one group per line, "DIRECTORY SUFFIX ANSWER_ID"; lines
// with fewer than three fields or a non-integer ID are skipped. DIRECTORY is
// looked up beside the list file, and as DIRECTORY_SUFFIX when it is missing.
//
// A group without samples (its directory missing or holding no readable
// sample) has no rates: its summary line prints "n/a" for each, and the macro
// average is taken over the groups that have samples ("n/a" when none has).
class FinderEvaluation {
 public:
  // One sample group of the report.
  struct ResultStat {
    QString head;
    int count = 0;
    int top1Count = 0;
    int top5Count = 0;
    int top10Count = 0;
    int top20Count = 0;
    double top1Rate = 0;
    double top5Rate = 0;
    double top10Rate = 0;
    double top20Rate = 0;

    void add(int order);
    // Per-cent rates from the counts (all 0 for an empty group).
    void computeRates();
    // head + " " + count + ", " + top1Count + " (" + rate + "), " ... + "\n"
    QString summaryLine() const;
  };

  // (done, total, label): called after each group of a list run, on the
  // thread that runs the evaluation.
  using Progress = std::function<void(int done, int total, const QString& label)>;
  // Reads the samples of one directory; replaceable for tests.
  using Collector = std::function<QList<FinderEvaluationResult>(const QString& directory, qint64 answerID, int limit,
                                                                bool integrateArrows)>;

  FinderEvaluation();
  FinderEvaluation(const FinderEvaluation&) = delete;
  FinderEvaluation& operator=(const FinderEvaluation&) = delete;

  bool useSampleListFile = true;
  // Searches score the better of a sign and its mirror image.
  bool matchMirrorImages = false;
  // The finder the samples are searched with (not owned; without one no
  // sample is searched). The evaluation uses it on its own thread.
  SignFinder* finder = nullptr;
  Collector collector;

  // The results of every sample in a directory (sorted by name), searched
  // with the finder's integrateArrows set to integrateArrows.
  QList<FinderEvaluationResult> collectResults(const QString& directory, qint64 answerID, int limit,
                                               bool integrateArrows);
  // Evaluates every group of a sample list file and returns the report; ""
  // when the list file or its directory does not exist.
  QString runSampleList(const QString& listFilePath, int limit, bool integrateArrows, const Progress& progress = {});
  // The report of one directory: its samples' report lines.
  QString runSingleDirectory(const QString& directory, qint64 answerID, int limit, bool integrateArrows);

  // Runs an evaluation on the evaluation's own serial background queue (one
  // run at a time, in the order started); the report ends with the elapsed
  // time "%.03f (sec)\n". A list run when useSampleListFile, else a directory run.
  struct Run {
    QString path;  // list file, or sample directory
    qint64 answerID = 0;
    int limit = 9999999;
    bool integrateArrows = true;
  };
  QFuture<QString> start(const Run& run, Progress progress = {});

  // The limit of the lowest-order field: its integer, 9999999 when it is not a number.
  static int limitFromText(const QString& text);
  // The date used when a sample's modification date cannot be read.
  static QDateTime referenceDate();
  // "Top1: r1, Top5: r5, Top10: r10, Top20: r20\n" with "%.2f%%" rates.
  static QString ratesLine(double top1, double top5, double top10, double top20);

 private:
  // The serial queue of start(). Declared last, so that it is destroyed
  // first and waits for a run that still uses the members above.
  QThreadPool m_queue;
};

}  // namespace quabe
