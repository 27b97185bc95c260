// The edit buffer: lines of shared signs, the line-break convention, the sign
// clipboard and range cut/copy, and turning punctuation.
#include "SignTestSupport.h"
#include "document/BufferManager.h"
#include "document/Compound.h"

namespace quabe::test {
namespace {

SignPtr named(const QString& gloss) {
  auto sign = signWith({boxSymbol(0, 0, 10, 10)});
  sign->gloss = gloss;
  return sign;
}

SignPtr emptySign() { return std::make_shared<Sign>(); }

// Glosses of a line, with "|" for an empty sign.
QStringList glossesOf(const SignString& line) {
  QStringList result;
  for (const SignPtr& sign : line.signArray) result.append(sign->isEmpty() ? QStringLiteral("|") : sign->gloss);
  return result;
}

QList<QStringList> glossesOf(const BufferManager& buffer) {
  QList<QStringList> result;
  for (const SignStringPtr& line : buffer.editBuffer) result.append(glossesOf(*line));
  return result;
}

class BufferManagerTest : public SelectionFixture {
 protected:
  // Replaces the buffer's lines; each list of glosses is one line, "|" an empty sign.
  void setLines(const QList<QStringList>& lines) {
    buffer.editBuffer.clear();
    signs.clear();
    for (const QStringList& glosses : lines) {
      auto line = std::make_shared<SignString>();
      for (const QString& gloss : glosses) {
        SignPtr sign = gloss == "|" ? emptySign() : named(gloss);
        line->signArray.append(sign);
        if (gloss != "|") signs.insert(gloss, sign);
      }
      buffer.editBuffer.append(line);
    }
  }
  SignPtr lineBreakOf(qsizetype line) { return buffer.editBuffer[line]->last(); }
  QStringList clipboard() { return glossesOf(BufferManager::signClipboard()); }

  BufferManager buffer;
  QHash<QString, SignPtr> signs;
};

TEST_F(BufferManagerTest, AppendLineBreakAndTerminateAllLines) {
  setLines({{"A", "B"}, {"C", "|"}, {}, {"D"}});
  buffer.appendLineBreak(0);
  buffer.appendLineBreak(1);  // already terminated
  EXPECT_EQ(glossesOf(buffer), (QList<QStringList>{{"A", "B", "|"}, {"C", "|"}, {}, {"D"}}));
  buffer.appendLineBreak(-1);  // negative: the last line
  EXPECT_EQ(glossesOf(*buffer.editBuffer[3]), (QStringList{"D", "|"}));
  buffer.terminateAllLines();
  EXPECT_EQ(glossesOf(buffer), (QList<QStringList>{{"A", "B", "|"}, {"C", "|"}, {"|"}, {"D", "|"}}));

  // A compound without constituents ends a line like an empty sign.
  setLines({{"A"}});
  buffer.editBuffer[0]->signArray.append(std::make_shared<Compound>());
  buffer.terminateAllLines();
  EXPECT_EQ(buffer.editBuffer[0]->count(), 2);
}

TEST_F(BufferManagerTest, PasteInsertsCopiesAndReturnsTheFollowingSign) {
  setLines({{"X", "Y", "|"}, {"A", "|"}, {}});
  BufferManager::signClipboard().signArray = {signs["X"], signs["Y"]};
  SignPtr next = buffer.pasteSignsAt(1, 0);
  EXPECT_EQ(glossesOf(*buffer.editBuffer[1]), (QStringList{"X", "Y", "A", "|"}));
  EXPECT_EQ(next.get(), signs["A"].get());
  EXPECT_NE(buffer.editBuffer[1]->signArray[0].get(), signs["X"].get());  // copies
  EXPECT_NE(buffer.editBuffer[1]->signArray[0]->symbols[0].get(), signs["X"]->symbols[0].get());

  // Into an empty line: an empty sign follows the pasted ones and is returned.
  next = buffer.pasteSignsAt(2, 0);
  EXPECT_EQ(glossesOf(*buffer.editBuffer[2]), (QStringList{"X", "Y", "|"}));
  EXPECT_EQ(next.get(), buffer.editBuffer[2]->last().get());

  // Into the line the clipboard signs come from, after them.
  next = buffer.pasteSignsAt(0, 2);
  EXPECT_EQ(glossesOf(*buffer.editBuffer[0]), (QStringList{"X", "Y", "X", "Y", "|"}));
  EXPECT_EQ(next.get(), lineBreakOf(0).get());

  EXPECT_EQ(buffer.pasteSignsAt(0, 6), nullptr);
  EXPECT_EQ(buffer.pasteSignsAt(0, -1), nullptr);
  EXPECT_EQ(buffer.pasteSignsAt(5, 0), nullptr);
  EXPECT_EQ(buffer.editBuffer[0]->count(), 5);
}

TEST_F(BufferManagerTest, RangeWithinOneLineInEitherOrder) {
  setLines({{"A", "B", "C", "D", "|"}});
  EXPECT_TRUE(buffer.copySigns(signs["C"], signs["B"], false));
  EXPECT_EQ(clipboard(), (QStringList{"B", "C"}));
  EXPECT_EQ(buffer.editBuffer[0]->count(), 5);

  EXPECT_TRUE(buffer.copySigns(signs["B"], lineBreakOf(0), true));
  EXPECT_EQ(clipboard(), (QStringList{"B", "C", "D", "|"}));
  EXPECT_EQ(glossesOf(buffer), (QList<QStringList>{{"A"}}));
  buffer.terminateAllLines();
  EXPECT_EQ(glossesOf(buffer), (QList<QStringList>{{"A", "|"}}));

  BufferManager::signClipboard().signArray.clear();
  EXPECT_FALSE(buffer.copySigns(signs["A"], named("stray"), true));
  EXPECT_TRUE(BufferManager::signClipboard().isEmpty());
  EXPECT_EQ(buffer.editBuffer[0]->count(), 2);
}

TEST_F(BufferManagerTest, CopyRangeAcrossLinesLeavesLineBreaksOut) {
  setLines({{"A", "B", "|"}, {"C", "|"}, {"|"}, {"D", "E", "|"}});
  EXPECT_TRUE(buffer.copySigns(signs["D"], signs["B"], false));
  EXPECT_EQ(clipboard(), (QStringList{"B", "C", "D"}));
  EXPECT_EQ(*buffer.signsBetween(signs["B"], signs["D"]),
            (QList<QList<SignPtr>>{{signs["B"]}, {signs["C"]}, {}, {signs["D"]}}));  // by line, for the text copy
  EXPECT_EQ(glossesOf(buffer), (QList<QStringList>{{"A", "B", "|"}, {"C", "|"}, {"|"}, {"D", "E", "|"}}));
  // Pasting gives the signs alone, in one line.
  buffer.pasteSignsAt(3, 0);
  EXPECT_EQ(glossesOf(*buffer.editBuffer[3]), (QStringList{"B", "C", "D", "D", "E", "|"}));
}

TEST_F(BufferManagerTest, CutRangeAcrossLinesRemovesEmptiedLines) {
  setLines({{"A", "B", "|"}, {"C", "|"}, {"|"}, {"D", "E", "|"}});
  EXPECT_TRUE(buffer.copySigns(signs["B"], signs["D"], true));
  EXPECT_EQ(clipboard(), (QStringList{"B", "C", "D"}));
  buffer.terminateAllLines();
  EXPECT_EQ(glossesOf(buffer), (QList<QStringList>{{"A", "|"}, {"E", "|"}}));

  setLines({{"A", "|"}, {"B", "C", "|"}, {"D", "|"}});
  // From the first sign of a line to the line break of the next: both go.
  EXPECT_TRUE(buffer.copySigns(signs["B"], lineBreakOf(2), true));
  EXPECT_EQ(clipboard(), (QStringList{"B", "C", "D"}));
  EXPECT_EQ(glossesOf(buffer), (QList<QStringList>{{"A", "|"}}));

  // Cutting everything leaves one line with its line break.
  setLines({{"A", "|"}, {"B", "|"}});
  EXPECT_TRUE(buffer.copySigns(signs["A"], lineBreakOf(1), true));
  EXPECT_EQ(glossesOf(buffer), (QList<QStringList>{{"|"}}));
  buffer.terminateAllLines();
  EXPECT_EQ(glossesOf(buffer), (QList<QStringList>{{"|"}}));
}

class BufferPunctuationTest : public ArchiveFixture {};

TEST_F(BufferPunctuationTest, RotatePunctuationTurnsOnlyPunctuationSigns) {
  auto punctuation = [this](int rotation) {
    return signWith({require(SSS::toString(SSS::make(7, 1, 1, 1, 1, quint32(rotation))))});
  };
  SignPtr p3 = punctuation(3), p7 = punctuation(7), p1 = punctuation(1), p5 = punctuation(5);
  SignPtr hand = signWith({require("01-01-001-01-01-03")});
  BufferManager buffer;
  buffer.editBuffer[0]->signArray = {p3, p7, hand, emptySign()};
  auto rotationOf = [](const SignPtr& sign) { return SSS::rotation(sign->symbols[0]->sss()); };

  buffer.rotatePunctuation(true);
  EXPECT_EQ(rotationOf(p3), 1);
  EXPECT_EQ(rotationOf(p7), 5);
  EXPECT_EQ(rotationOf(hand), 3);
  EXPECT_DOUBLE_EQ(p3->width, p3->symbols[0]->rect.width());
  EXPECT_DOUBLE_EQ(p3->height, p3->symbols[0]->rect.height());

  buffer.rotatePunctuation(true);  // already upright: unchanged
  EXPECT_EQ(rotationOf(p3), 1);
  buffer.editBuffer[0]->signArray = {p1, p5, hand, emptySign()};
  buffer.rotatePunctuation(false);
  EXPECT_EQ(rotationOf(p1), 7);
  EXPECT_EQ(rotationOf(p5), 3);
  EXPECT_EQ(rotationOf(hand), 3);
}

}  // namespace
}  // namespace quabe::test
