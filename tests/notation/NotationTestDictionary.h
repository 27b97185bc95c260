#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "common/TestSupport.h"
#include "dictionary/Dictionary.h"
#include "document/DbSign.h"
#include "symbols/SymbolCode.h"

namespace quabe::test {

// A small dictionary made for one test in a temporary directory, with the
// symbol sizes of the archive, and a Dictionary on it.
class NotationTestDictionary {
 public:
  NotationTestDictionary();
  ~NotationTestDictionary();
  bool isValid() const { return m_valid; }
  QString path() const { return m_path; }
  const Dictionary& db() const { return m_db; }

  // Stores an entry and its spelling; returns the new SignID (0 on failure).
  qint64 add(DbSign entry, const QList<DbISWA>& spelling, const QStringList& meanings = {});
  // Makes an entry an alias of the written gloss.
  bool makeAlias(qint64 signID, const QString& stdGloss);
  // One non-manual marker: its symbols with positions and sizes, in order.
  struct MarkerSymbol {
    QString sss;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
  };
  bool addMarker(const QString& name, const QList<MarkerSymbol>& symbols);

 private:
  QTemporaryDir m_dir;
  QString m_path;
  bool m_valid = false;
  Dictionary m_db;
};

DbISWA spellingRow(const QString& sss, int x, int y, Hand hand = Hand::none, bool changeableHand = false,
                   bool turnableArrow = false);

}  // namespace quabe::test
