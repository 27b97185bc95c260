#include "TestSupport.h"

#include <sys/resource.h>

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "core/Resources.h"
#include "dictionary/Dictionary.h"
#include "dictionary/sqlite/SqliteDatabase.h"
#include "symbols/SymbolArchive.h"

namespace quabe::test {

bool loadSymbolArchive() {
  SymbolArchive& archive = SymbolArchive::shared();
  if (archive.isLoaded()) return true;
  const QString path = Resources::path(QStringLiteral("iswa2010bin"));
  if (path.isEmpty()) return false;
  return archive.loadImageArchive(path) && archive.isLoaded();
}

RecordingAlertSink::RecordingAlertSink() { setAlertSink(this); }
RecordingAlertSink::~RecordingAlertSink() { setAlertSink(nullptr); }

void RecordingAlertSink::alert(const QString& message, const QString& informative) {
  messages << message;
  informativeTexts << informative;
}

int RecordingAlertSink::ask(const QString& message, const QString& informative, const QStringList&, int) {
  messages << message;
  informativeTexts << informative;
  return answer;
}

DbSign newEntry(const QString& gloss, const QString& tag) {
  DbSign entry;
  entry.signID = -1;
  entry.gloss = gloss;
  entry.tag = tag;
  return entry;
}

DbISWA spellingRow(const QString& sss, int x, int y, Hand hand, bool changeableHand, bool turnableArrow,
                   bool modifiableArrow) {
  DbISWA row;
  row.sss = sss;
  row.x = x;
  row.y = y;
  row.hand = int(hand);
  row.changeableHand = changeableHand;
  row.turnableArrow = turnableArrow;
  row.modifiableArrow = modifiableArrow;
  return row;
}

QList<DbISWA> numbered(QList<DbISWA> rows) {
  for (qsizetype i = 0; i < rows.size(); ++i) rows[i].subID = int(i + 1);
  return rows;
}

QStringList describeRows(const QList<DbISWA>& rows) {
  QStringList out;
  for (const DbISWA& r : rows) {
    QString text = QStringLiteral("%1@%2,%3").arg(r.sss).arg(r.x).arg(r.y);
    if (r.hand) text += QStringLiteral(" hand %1").arg(r.hand);
    if (r.changeableHand) text += QStringLiteral(" changeable");
    if (r.turnableArrow) text += QStringLiteral(" turnable");
    if (r.modifiableArrow) text += QStringLiteral(" modifiable");
    out << text;
  }
  return out;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool sqlExec(const QString& path, const QString& sql, const QVariantList& arguments) {
  SqliteDatabase db(path);
  return db.open() && db.executeUpdate(sql, arguments);
}

QStringList sqlColumn(const QString& path, const QString& sql, const QVariantList& arguments) {
  SqliteDatabase db(path);
  QStringList values;
  auto rs = db.open() ? db.executeQuery(sql, arguments) : nullptr;
  while (rs && rs->next()) values << rs->stringForColumnIndex(0).value_or(QStringLiteral("<null>"));
  return values;
}

qint64 sqlScalar(const QString& path, const QString& sql, const QVariantList& arguments) {
  SqliteDatabase db(path);
  auto rs = db.open() ? db.executeQuery(sql, arguments) : nullptr;
  return rs && rs->next() ? rs->longForColumnIndex(0) : -1;
}

ScopedDictionary::ScopedDictionary(Dictionary& dictionary, const QString& path)
    : m_dictionary(dictionary), m_previousPath(dictionary.path()) {
  m_dictionary.setPath(path);
}

ScopedDictionary::~ScopedDictionary() { m_dictionary.setPath(m_previousPath); }

FileSizeLimit::FileSizeLimit(qint64 bytes) {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  m_previous[0] = limit.rlim_cur;
  m_previous[1] = limit.rlim_max;
  m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  limit.rlim_cur = rlim_t(bytes);
  EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FileSizeLimit::~FileSizeLimit() {
  const rlimit previous{rlim_t(m_previous[0]), rlim_t(m_previous[1])};
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, m_previousHandler);
}

QString FileSizeLimit::failureText() { return QString::fromLocal8Bit(std::strerror(EFBIG)); }

}  // namespace quabe::test
