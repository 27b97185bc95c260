#include "DictTestSupport.h"

#include "dictionary/DictionaryFile.h"
#include "document/Clipboards.h"

namespace quabe::test {

bool TemporaryDictionary::create() {
  if (!m_dir.isValid()) return false;
  path = m_dir.filePath(QStringLiteral("dict.db"));
  QString error;
  if (!DictionaryFile::create(path, QString(), false, &error)) {
    ADD_FAILURE() << error.toStdString();
    return false;
  }
  m_current.emplace(*m_target, path);
  return true;
}

qint64 TemporaryDictionary::addEntry(const QString& gloss, const QStringList& codes, const QStringList& meanings,
                                     const QString& tag, const QString& yomi) {
  DbSign entry;
  entry.signID = -1;
  entry.gloss = gloss;
  entry.tag = tag;
  entry.yomi = yomi;
  entry.meanings = meanings;
  QList<DbISWA> spelling;
  for (int i = 0; i < codes.size(); ++i) {
    DbISWA row;
    row.subID = i + 1;
    row.sss = codes.at(i);
    row.x = 10 + 20 * i;
    row.y = 20;
    row.hand = codes.at(i).startsWith(QStringLiteral("01")) ? 1 : 0;
    spelling.append(row);
  }
  EXPECT_TRUE(db().insertSign(entry, spelling, false));
  return entry.signID;
}

qint64 TemporaryDictionary::addCompound(const QString& gloss, const QList<qint64>& constituents,
                                        const QStringList& meanings) {
  DbSign entry;
  entry.signID = -1;
  entry.gloss = gloss;
  entry.meanings = meanings;
  EXPECT_TRUE(db().insertCompound(entry, constituents, false));
  return entry.signID;
}

QStringList TemporaryDictionary::snapshot() {
  QStringList rows;
  rows +=
      texts(QStringLiteral("SELECT SignID || '|' || Gloss || '|' || IFNULL(Tag,'') || '|' || IFNULL(Yomi,'') || "
                           "'|' || IFNULL(Comment,'') || '|' || ModificationTime FROM Signs ORDER BY SignID"));
  rows +=
      texts(QStringLiteral("SELECT SignID || '|' || SubID || '|' || SSS || '|' || pos_x || '|' || pos_y FROM "
                           "Spelling ORDER BY SignID, SubID"));
  rows += texts(QStringLiteral("SELECT SignID || '|' || Japanese FROM Translation ORDER BY SignID, Japanese"));
  rows +=
      texts(QStringLiteral("SELECT CompoundID || '|' || ConstituentID || '|' || ComponentOrder FROM Compounds "
                           "ORDER BY CompoundID, ComponentOrder"));
  return rows;
}

SignPtr makeSignOf(const QStringList& codes) {
  auto sign = std::make_shared<Sign>();
  for (int i = 0; i < codes.size(); ++i) {
    std::optional<ISWA> made = ISWA::make(codes.at(i));
    EXPECT_TRUE(made.has_value()) << codes.at(i).toStdString();
    if (!made) continue;
    auto symbol = std::make_shared<ISWA>(std::move(*made));
    symbol->rect.moveTopLeft(QPointF(30 + 25 * i, 40));
    sign->symbols.append(symbol);
  }
  sign->updateBounds();
  return sign;
}

void DictionaryWindowFixture::SetUp() {
  QUABE_REQUIRE_ARCHIVE();
  ASSERT_TRUE(create());
  sink = new RecordingAlertSink;
}

void DictionaryWindowFixture::TearDown() {
  delete sink;
  sink = nullptr;
  Clipboards::shared().reset();
}

}  // namespace quabe::test
