#pragma once

#include <QString>
#include <QStringList>

namespace quabe {

// Diagnostics of the notation converter. Every line goes to the diagnostic
// console like any other; while a NotationDiagnostics object is alive on the
// calling thread, the lines are also collected so that a caller (the
// notation-input panel, the command line) can show what went wrong.
class NotationDiagnostics {
 public:
  NotationDiagnostics();
  ~NotationDiagnostics();
  NotationDiagnostics(const NotationDiagnostics&) = delete;
  NotationDiagnostics& operator=(const NotationDiagnostics&) = delete;

  const QStringList& lines() const { return m_lines; }
  const QStringList& unknownGlosses() const { return m_unknownGlosses; }

  // Reports one line ("where: message" or a bare message).
  static void report(const QString& where, const QString& message);
  static void report(const QString& line);
  // Whether a collector is alive on this thread.
  static bool isCollecting();
  // Records a gloss that no dictionary entry was found for.
  static void noteUnknownGloss(const QString& gloss);

 private:
  QStringList m_lines;
  QStringList m_unknownGlosses;
  NotationDiagnostics* m_outer;
};

}  // namespace quabe
