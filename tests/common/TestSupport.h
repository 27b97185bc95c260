#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <ostream>

#include "core/Alerts.h"
#include "document/DbSign.h"
#include "symbols/SymbolCode.h"

// Readable failure messages for Qt strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << '[' << list.join(QStringLiteral("\", \"")).prepend('"').append('"').toStdString() << ']';
}
QT_END_NAMESPACE

namespace quabe {
class Dictionary;
}

namespace quabe::test {

// Loads the generated symbol archive once; false when the build has not
// produced it (the calling test then fails: the archive is part of the build).
bool loadSymbolArchive();

#define QUABE_REQUIRE_ARCHIVE()                                          \
  do {                                                                   \
    ASSERT_TRUE(::quabe::test::loadSymbolArchive()) << "no iswa2010bin"; \
  } while (0)

// Collects alerts instead of printing them; answers questions with a fixed
// button. Installed for the lifetime of the object.
class RecordingAlertSink : public AlertSink {
 public:
  RecordingAlertSink();
  ~RecordingAlertSink() override;
  void alert(const QString& message, const QString& informative) override;
  int ask(const QString& message, const QString& informative, const QStringList& buttons, int defaultButton) override;

  QStringList messages;
  QStringList informativeTexts;
  int answer = 0;
};

// A new dictionary entry (no id yet), and a spelling row: a symbol at
// (x, y) with its hand and flags as the dictionary stores them.
DbSign newEntry(const QString& gloss, const QString& tag = QString());
DbISWA spellingRow(const QString& sss, int x = 0, int y = 0, Hand hand = Hand::none, bool changeableHand = false,
                   bool turnableArrow = false, bool modifiableArrow = false);
// The rows with their SubID numbered from 1, as an entry stores them.
QList<DbISWA> numbered(QList<DbISWA> rows);
// Spelling rows as text: "code@x,y", then " hand N" and the flags set.
QStringList describeRows(const QList<DbISWA>& rows);

// Writes bytes to a file, replacing it; false when that fails.
bool writeFile(const QString& path, const QByteArray& bytes);

// Statements run straight on a database file, past the code under test:
// whether it ran; the first column of every row as text ("<null>" for
// NULL); the first column of the first row as a number (-1 without one).
bool sqlExec(const QString& path, const QString& sql, const QVariantList& arguments = {});
QStringList sqlColumn(const QString& path, const QString& sql, const QVariantList& arguments = {});
qint64 sqlScalar(const QString& path, const QString& sql, const QVariantList& arguments = {});

// Points a dictionary (the application's, say) at the file at a path while
// it lives; the file it was on before comes back afterwards.
class ScopedDictionary {
 public:
  ScopedDictionary(Dictionary& dictionary, const QString& path);
  ~ScopedDictionary();
  ScopedDictionary(const ScopedDictionary&) = delete;
  ScopedDictionary& operator=(const ScopedDictionary&) = delete;

 private:
  Dictionary& m_dictionary;
  QString m_previousPath;
};

// While it lives, no file of this process may grow beyond the given size
// (RLIMIT_FSIZE, with SIGXFSZ ignored): writes past it fail with EFBIG, the
// way they fail on a full disk, without root and without a small file system.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(qint64 bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  // The system's text for the failure the limit causes.
  static QString failureText();

 private:
  quint64 m_previous[2];
  void (*m_previousHandler)(int);
};

}  // namespace quabe::test
