#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoCommand>

#include "SwmlTestSupport.h"
#include "common/TestSupport.h"
#include "core/Resources.h"
#include "document/DbSign.h"
#include "document/Document.h"

namespace quabe {
namespace {

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  static QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
};

TEST_F(DocumentTest, ReadingTakesTheFilesRootAttributesOverTheUserDefaults) {
  ASSERT_TRUE(test::writeFile(
      path("box.swml"), "<?xml version=\"1.0\"?><swml signboxWidth=\"120\" writingDirection=\"horizontal\"></swml>"));
  Document document;
  document.prefs.defaultSignBoxHeight = 1;  // reading starts again from the user defaults
  const SwmlReadReport report = document.readFromFile(path("box.swml"));
  EXPECT_FALSE(report.isDamaged());
  EXPECT_EQ(document.prefs.defaultSignBoxWidth, 120);
  EXPECT_EQ(document.prefs.defaultSignBoxHeight, Preferences().defaultSignBoxHeight);
  EXPECT_FALSE(document.prefs.verticalWriting);
  EXPECT_EQ(document.filePath(), path("box.swml"));
  EXPECT_EQ(document.bufferManager.lineCount(), 1);
}

TEST_F(DocumentTest, FailedSavesLeaveThePreviousVersionIntactAndSayWhy) {
  QUABE_REQUIRE_ARCHIVE();
  Document document;
  document.prefs = test::fixedPreferences();
  ASSERT_TRUE(document.writeToFile(path("keep.swml")));
  const QByteArray previous = contents(path("keep.swml"));

  // Documents larger than the file-size limit the save runs under, one within
  // the save's write buffer (it reaches the disk only at the very end) and one
  // beyond it: both writes are cut off part-way, as by a full disk.
  for (const int signs : {30, 400}) {
    std::vector<test::SignSpec> many(
        signs,
        test::SignSpec{QStringLiteral("LONG GLOSS"), {}, 0, {{"01-01-001-01-01-01", 1, 1}}, QStringLiteral("c")});
    document.bufferManager = test::makeBuffer({many});
    document.setModified(true);
    const qsizetype size = document.swmlData().size();
    ASSERT_GT(size, 4096);
    ASSERT_EQ(size > 16384, signs == 400);
    QString reason;
    bool saved = false;
    {
      test::FileSizeLimit limit(4096);
      saved = document.writeToFile(path("keep.swml"), &reason);
    }
    EXPECT_FALSE(saved) << signs;
    EXPECT_EQ(reason, test::FileSizeLimit::failureText()) << signs;
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(contents(path("keep.swml")), previous) << signs;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.swml")});  // no leftovers
  }

  // A directory that does not exist.
  QString reason;
  EXPECT_FALSE(document.writeToFile(path("missing/dir/doc.swml"), &reason));
  EXPECT_TRUE(document.writeToFile(path("keep.swml")));
  EXPECT_GT(contents(path("keep.swml")).size(), previous.size());
}

TEST_F(DocumentTest, ModifiedFlagFollowsTheUndoStack) {
  Document document;
  QSignalSpy spy(&document, &Document::modifiedChanged);
  document.undoStack().push(new QUndoCommand);  // changes nothing
  EXPECT_TRUE(document.isModified());
  document.undoStack().undo();
  EXPECT_FALSE(document.isModified());
  document.undoStack().redo();
  EXPECT_TRUE(document.isModified());
  ASSERT_TRUE(document.writeToFile(path("m.swml")));
  EXPECT_FALSE(document.isModified());
  document.undoStack().undo();  // away from the saved state again
  EXPECT_TRUE(document.isModified());
  document.setModified(false);
  EXPECT_FALSE(document.isModified());
  document.setModified(true);  // a change outside the stack
  EXPECT_TRUE(document.isModified());
  EXPECT_EQ(spy.count(), 7);

  document.readFromFile(path("m.swml"));
  EXPECT_FALSE(document.isModified());
  EXPECT_EQ(document.undoStack().count(), 0);
}

}  // namespace
}  // namespace quabe
