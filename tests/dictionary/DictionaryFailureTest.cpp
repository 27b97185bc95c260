#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include "DictionaryFixture.h"
#include "common/TestSupport.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/SpmlImport.h"

using namespace quabe;
using quabe::test::DictionaryFixture;
using quabe::test::FileSizeLimit;

namespace {
QByteArray spmlWithEntries(int count) {
  QByteArray spml = "<spml>";
  for (int i = 1; i <= count; ++i)
    spml += QStringLiteral(
                "<entry id=\"%1\"><term>M510x530S10000490x470</term><term>gloss %1 of a longer import</term>"
                "<text>a text that takes room</text></entry>")
                .arg(i)
                .toUtf8();
  return spml + "</spml>";
}
}  // namespace

// A disk that fills up while a dictionary is made or imported into: the cause
// is told, nothing half-written stays (no building file, no journal), and the
// dictionary imported into keeps what it had.
TEST_F(DictionaryFixture, WritesOntoAFullDiskSayWhyAndLeaveNothingBehind) {
  addEntry("keep");
  QByteArray spml = spmlWithEntries(400);
  QBuffer device(&spml);
  SpmlImportResult imported;
  {
    FileSizeLimit limit(QFileInfo(path).size() + 8192);
    imported = importSpml(&device, path);
  }
  QString error;
  bool created = false;
  {
    FileSizeLimit limit(8192);
    created = DictionaryFile::create(file("new.db"), symbolData, false, &error);
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"dict.db", "symbols.db"}));
  EXPECT_FALSE(imported.ok);
  EXPECT_TRUE(imported.error.contains(FileSizeLimit::failureText())) << imported.error.toStdString();
  EXPECT_EQ(count("SELECT COUNT(*) FROM Signs"), 1);
  EXPECT_FALSE(created);
  EXPECT_TRUE(error.contains(FileSizeLimit::failureText())) << error.toStdString();
}

// Another connection holding a write transaction: the import waits for it,
// then reports the dictionary busy, never a file that is not a dictionary.
TEST_F(DictionaryFixture, ADictionaryHeldByAnotherWriterIsBusyNotInvalid) {
  SqliteDatabase writer(path);
  ASSERT_TRUE(writer.open() && writer.beginTransaction());
  ASSERT_TRUE(writer.executeUpdate("DELETE FROM Translation"));
  QByteArray spml = spmlWithEntries(1);
  QBuffer device(&spml);
  const SpmlImportResult imported = importSpml(&device, path);
  EXPECT_FALSE(imported.ok);
  EXPECT_TRUE(imported.error.contains("dictionary is busy")) << imported.error.toStdString();
}
