#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "BuildPaths.h"
#include "common/TestSupport.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "document/Compound.h"
#include "document/Sign.h"
#include "notation/InflectionRules.h"
#include "notation/SWGen.h"
#include "symbols/SymbolArchive.h"

namespace quabe {
namespace {

const QString kRightHand = QStringLiteral("01-01-001-01-01-01");
const QString kLeftHand = QStringLiteral("01-01-001-01-01-09");
const QString kFlatShape = QStringLiteral("01-02-001-01-01-01");
const QString kRightArrow = QStringLiteral("02-05-001-01-01-01");
const QString kHead = QStringLiteral("04-01-001-01-01-01");
const QString kBrows = QStringLiteral("04-02-001-01-01-01");

QSizeF sizeOf(const QString& code) {
  const auto image = SymbolArchive::shared().image(SSS::fromString(code));
  return image ? QSizeF(image->size()) : QSizeF();
}

using test::spellingRow;

DbSign entry(const QString& gloss, const QString& position = QString(), const QString& tag = QString()) {
  DbSign e = test::newEntry(gloss, tag);
  e.position = position;
  return e;
}

// Each test has a dictionary file of its own, with the archive's symbol sizes.
class Generation : public testing::Test {
 protected:
  void SetUp() override {
    QUABE_REQUIRE_ARCHIVE();
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(DictionaryFile::create(path, DictionaryFile::defaultSymbolDataPath(), true, nullptr));
    db.setPath(path);
  }

  // Stores an entry and its spelling; returns the new SignID.
  qint64 add(DbSign entry, const QList<DbISWA>& rows, const QStringList& meanings = {}) {
    entry.meanings = meanings;
    EXPECT_TRUE(db.insertSign(entry, test::numbered(rows), false));
    return entry.signID;
  }
  qint64 addGive(const QString& gloss = QStringLiteral("GIVE")) {
    return add(entry(gloss), {spellingRow(kRightHand, 100, 100, Hand::right),
                              spellingRow(kRightArrow, 103, 60, Hand::none, false, true)});
  }

  SWGen gen() const { return SWGen(db); }

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("notation.db"));
  Dictionary db;
};

TEST_F(Generation, SingleEntryIsUsedAndAnnotationsInflectIt) {
  const qint64 id = addGive();
  const NotationConversion result = gen().convert(QStringLiteral("GIVE GIVE(2->1) GIVE(L)"));
  ASSERT_EQ(result.signs.size(), 3);
  const Sign& plain = *result.signs[0];
  EXPECT_EQ(plain.jjs->signID, id);
  EXPECT_FALSE(plain.jjs->isAmbiguous);
  ASSERT_EQ(plain.symbols.size(), 2);
  EXPECT_EQ(plain.symbols[0]->rect.topLeft(), QPointF(100, 100));
  EXPECT_EQ(plain.symbols[0]->hand, Hand::right);
  EXPECT_TRUE(plain.symbols[1]->turnableArrow);
  EXPECT_EQ(plain.leftMost, 100);
  EXPECT_EQ(plain.topMost, 60);

  // From the addressee to the signer: the arrow turns back and goes below the hand.
  const Sign& back = *result.signs[1];
  ASSERT_EQ(back.symbols.size(), 2);
  EXPECT_EQ(SSS::rotation(back.symbols[1]->sss()), 5);
  const QRectF hand = back.symbols[0]->rect;
  EXPECT_DOUBLE_EQ(back.symbols[1]->rect.y(), hand.bottom() + 2);
  EXPECT_EQ(back.jjs->source, QStringLiteral("2"));
  EXPECT_EQ(back.jjs->destination, QStringLiteral("1"));

  EXPECT_EQ(result.signs[2]->lane, -1);
  EXPECT_TRUE(result.diagnostics.empty());
}

TEST_F(Generation, CandidatesAreScoredByMatchedParameters) {
  const qint64 plain = add(entry("LOOK"), {spellingRow(kRightHand, 10, 10)});
  const qint64 right = add(entry("LOOK", "R"), {spellingRow(kFlatShape, 10, 10)});
  ASSERT_GT(right, plain);

  // Position 3 is in the same lane as R: that entry wins, and as the entry
  // already matches the position the lane pass leaves the sign alone.
  const QList<SignPtr> chosen = gen().signsFromjjsText(QStringLiteral("LOOK(3)"));
  ASSERT_EQ(chosen.size(), 1);
  EXPECT_EQ(chosen[0]->jjs->signID, right);
  EXPECT_TRUE(chosen[0]->jjs->isAmbiguous);
  EXPECT_EQ(chosen[0]->jjs->candidates, QList<qint64>{plain});
  EXPECT_EQ(chosen[0]->lane, 0);
  EXPECT_EQ(chosen[0]->jjs->position, QStringLiteral("3")) << "the requested position is kept";

  // Equal scores: the earlier entry stays.
  const QList<SignPtr> tie = gen().signsFromjjsText(QStringLiteral("LOOK(L)"));
  ASSERT_EQ(tie.size(), 1);
  EXPECT_EQ(tie[0]->jjs->signID, plain);
  EXPECT_EQ(tie[0]->jjs->candidates, QList<qint64>{right});
  EXPECT_EQ(tie[0]->lane, -1);
}

TEST_F(Generation, DirectionsOfCandidatesAreMatched) {
  DbSign toYou = entry("HELP");
  toYou.source = "1";
  toYou.destination = "2";
  DbSign toMe = entry("HELP");
  toMe.source = "2";
  toMe.destination = "1";
  const qint64 a = add(toYou, {spellingRow(kRightHand, 100, 100), spellingRow(kRightArrow, 103, 60)});
  const qint64 b = add(toMe, {spellingRow(kRightHand, 100, 40), spellingRow(kRightArrow, 103, 90)});
  EXPECT_EQ(gen().signsFromjjsText(QStringLiteral("HELP(2\u21921)"))[0]->jjs->signID, b);
  EXPECT_EQ(gen().signsFromjjsText(QStringLiteral("HELP(1-2)"))[0]->jjs->signID, a);
  // Toward a third person (d > 1) prefers the entry whose source is the signer.
  EXPECT_EQ(gen().signsFromjjsText(QStringLiteral("HELP(->3)"))[0]->jjs->signID, a);
  // From a third person (s > 1) prefers the entry that ends at the signer.
  EXPECT_EQ(gen().signsFromjjsText(QStringLiteral("HELP(l-)"))[0]->jjs->signID, b);
}

TEST_F(Generation, TagsAliasesAndMeaningsFindEntries) {
  const qint64 rain1 = add(entry("RAIN", {}, "\u2460"), {spellingRow(kRightHand, 0, 0)});
  const qint64 rain2 = add(entry("RAIN", {}, "\u2461"), {spellingRow(kFlatShape, 0, 0)});
  const qint64 big = add(entry("BIG"), {spellingRow(kFlatShape, 5, 5)});
  const qint64 large = add(entry("LARGE"), {});
  ASSERT_TRUE(test::sqlExec(path, "UPDATE Signs SET StdGloss=? WHERE SignID=?", {"BIG", large}));
  const qint64 eat = add(entry("EAT"), {spellingRow(kRightHand, 0, 0)}, {"\u98DF\u3079\u308B"});

  QList<SignPtr> signs = gen().signsFromjjsText(QStringLiteral("RAIN\u2461 RAIN LARGE \u98DF\u3079\u308B"));
  ASSERT_EQ(signs.size(), 4);
  EXPECT_EQ(signs[0]->jjs->signID, rain2);
  EXPECT_FALSE(signs[0]->jjs->isAmbiguous);
  EXPECT_EQ(signs[1]->jjs->signID, rain1);
  EXPECT_TRUE(signs[1]->jjs->isAmbiguous);
  EXPECT_EQ(signs[2]->jjs->signID, big);
  ASSERT_EQ(signs[2]->symbols.size(), 1);
  EXPECT_EQ(signs[2]->symbols[0]->sss(), SSS::fromString(kFlatShape));
  EXPECT_EQ(signs[3]->jjs->signID, eat);
}

TEST_F(Generation, HandshapeReplacesChangeableHands) {
  DbSign shape = entry("B");
  shape.isForHandshape = true;
  add(shape, {spellingRow(kFlatShape, 0, 0, Hand::both)});
  add(entry("SHOW"),
      {spellingRow(kRightHand, 100, 100, Hand::both, false), spellingRow(kRightHand, 140, 100, Hand::both, true)});
  add(entry("PAIR"), {spellingRow(kRightHand, 100, 100, Hand::both), spellingRow(kLeftHand, 140, 100, Hand::both),
                      spellingRow(kRightHand, 180, 100, Hand::right)});
  const QList<SignPtr> signs = gen().signsFromjjsText(QStringLiteral("SHOW[B] PAIR[B,5] PAIR[Q]"));
  ASSERT_EQ(signs.size(), 3);
  // Only the changeable hand takes the shape.
  EXPECT_EQ(signs[0]->symbols[0]->sss(), SSS::fromString(kRightHand));
  EXPECT_EQ(signs[0]->symbols[1]->sss(), SSS::fromString(kFlatShape));
  EXPECT_EQ(signs[0]->symbols[1]->rect.topLeft(), QPointF(140, 100));
  EXPECT_EQ(signs[0]->symbols[1]->rect.size(), sizeOf(kFlatShape));
  // Without changeable hands the first two take it as a mirrored pair; the
  // right-only hand stays.
  EXPECT_EQ(signs[1]->symbols[0]->sss(), SSS::fromString(kFlatShape));
  EXPECT_EQ(signs[1]->symbols[1]->sss(), SSS::fromString(QStringLiteral("01-02-001-01-01-09")));
  EXPECT_EQ(signs[1]->symbols[2]->sss(), SSS::fromString(kRightHand));
  EXPECT_EQ(signs[1]->jjs->dHandshape, QStringLiteral("5"));
  // An unknown handshape changes nothing.
  EXPECT_EQ(signs[2]->symbols[0]->sss(), SSS::fromString(kRightHand));
}

TEST_F(Generation, NonManualMarkersBesideTheHeadOrAboveTheSign) {
  const QSizeF brows = sizeOf(kBrows);
  for (int y : {6, 16}) {
    ASSERT_TRUE(test::sqlExec(
        path, "INSERT INTO NMS (NMS, subID, sss, pos_x, pos_y, Width, Height) VALUES ('q', ?, ?, 4, ?, ?, ?)",
        {y, kBrows, y, int(brows.width()), int(brows.height())}));
  }
  add(entry("ASK"), {spellingRow(kHead, 50, 40), spellingRow(kRightHand, 100, 100)});
  addGive();

  const QList<SignPtr> signs = gen().signsFromjjsText(QStringLiteral("{<q(\u5F37),n>ASK GIVE} GIVE"));
  ASSERT_EQ(signs.size(), 3);
  const Sign& withHead = *signs[0];
  ASSERT_EQ(withHead.symbols.size(), 4);
  EXPECT_EQ(withHead.symbols[2]->rect.topLeft(), QPointF(54, 46));
  EXPECT_EQ(withHead.symbols[3]->rect.topLeft(), QPointF(54, 56));

  // Without a head: the first marker symbol is centred above the sign, the
  // others keep their offsets, and the whole sign moves down to y >= 0.
  const Sign& noHead = *signs[1];
  ASSERT_EQ(noHead.symbols.size(), 4);
  const QRectF hand = noHead.symbols[0]->rect;
  const QRectF arrow = noHead.symbols[1]->rect;
  const QRectF first = noHead.symbols[2]->rect;
  const QRectF second = noHead.symbols[3]->rect;
  const QRectF box = hand.united(arrow);
  EXPECT_DOUBLE_EQ(first.x(), box.x() + box.width() / 2 - first.width() / 2);
  EXPECT_DOUBLE_EQ(first.bottom(), box.top());
  EXPECT_EQ(second.topLeft() - first.topLeft(), QPointF(0, 10));
  EXPECT_GE(noHead.topMost, 0);
  EXPECT_EQ(signs[2]->symbols.size(), 2) << "outside the group no markers";
}

// Every problem comes with the place in the line it concerns: the word
// where a bracket was expected, the stray mark, the unknown word.
TEST_F(Generation, ProblemsAreReportedWithTheirPlaceInTheLine) {
  addGive();
  // Each problem as its kind, where it starts, its length and its message.
  const auto problems = [](const NotationConversion& result) {
    QStringList out;
    for (const NotationDiagnostic& d : result.diagnostics)
      out << QStringLiteral("%1 %2+%3 %4")
                 .arg(QList{"unreadable", "unknown", "inflection"}[int(d.kind)])
                 .arg(d.at)
                 .arg(d.length)
                 .arg(d.message);
    return out;
  };

  // Unknown words give glossed empty signs (and nothing else to say about
  // them); the line is still readable.
  NotationConversion result = gen().convert(QStringLiteral("NOPE GIVE NOPE WHAT[B]"));
  EXPECT_TRUE(result.isReadable());
  ASSERT_EQ(result.signs.size(), 4);
  EXPECT_TRUE(result.signs[0]->symbols.isEmpty());
  EXPECT_EQ(result.signs[0]->jjs->gloss, QStringLiteral("NOPE"));
  EXPECT_EQ(result.signs[1]->symbols.size(), 2);
  EXPECT_EQ(result.unknownWords, (QStringList{"NOPE", "WHAT"}));
  EXPECT_EQ(problems(result),
            (QStringList{"unknown 0+4 not in the dictionary: NOPE", "unknown 10+4 not in the dictionary: NOPE",
                         "unknown 15+4 not in the dictionary: WHAT"}));
  EXPECT_EQ(result.diagnostics[2].text(), QStringLiteral("column 16: not in the dictionary: WHAT"));

  // A missing "]" marks the word found in its place; at the end of the line
  // the last word. Parser and generator problems come in line order.
  result = gen().convert(QStringLiteral("GIVE[B NOPE(L"));
  EXPECT_FALSE(result.isReadable());
  EXPECT_EQ(problems(result), (QStringList{"inflection 0+4 unknown handshape: B", "unreadable 7+4 ']' missing",
                                           "unknown 7+4 not in the dictionary: NOPE", "unreadable 12+1 ')' missing"}));

  // A stray mark ends the line; the rest is not silently dropped.
  result = gen().convert(QStringLiteral("GIVE ) GIVE"));
  EXPECT_FALSE(result.isReadable());
  EXPECT_EQ(result.signs.size(), 1);
  EXPECT_EQ(problems(result), QStringList{"unreadable 5+1 Invalid token: )"});
  result = gen().convert(QStringLiteral("GIVE GIVE|"));
  EXPECT_FALSE(result.isReadable());
  EXPECT_EQ(problems(result), QStringList{"unreadable 9+1 Sign missing after '|'"});
  EXPECT_TRUE(gen().convert(QStringLiteral("  \u3000")).diagnostics.empty());
}

// Exit status: 0 all found, 1 unknown words (output still written), 2 a
// line that cannot be read (nothing written); problems on standard error.
TEST_F(Generation, CommandLineWritesSignsAndExitsByWhatWentWrong) {
  addGive();
  QTemporaryDir dir;
  const QString out = dir.filePath("out.swml");
  QProcess cli;
  const auto run = [&](const QString& text, const QStringList& extra) {
    cli.start(QStringLiteral(QUABE_CLI_PATH), QStringList{"notation", text, "--dict", path} + extra);
    EXPECT_TRUE(cli.waitForFinished(60000));
    return cli.exitCode();
  };
  // The converter's lines on standard error (Qt may add its own).
  const auto problems = [&cli] {
    QStringList lines = QString::fromUtf8(cli.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& line) { return !line.startsWith("column "); });
    return lines;
  };
  EXPECT_EQ(run("GIVE GIVE(L) NOPE", {"-o", out}), 1);
  EXPECT_EQ(problems(), QStringList{"column 14: not in the dictionary: NOPE"});
  EXPECT_TRUE(QFile::exists(out));

  const QString bad = dir.filePath("bad.swml");
  EXPECT_EQ(run("GIVE[B GIVE", {"-o", bad}), 2);
  EXPECT_EQ(problems(), (QStringList{"column 1: unknown handshape: B", "column 8: ']' missing"}));
  EXPECT_FALSE(QFile::exists(bad));

  EXPECT_EQ(run("GIVE", {"--fsw"}), 0);
  EXPECT_TRUE(problems().isEmpty());
}

// The bundled starter dictionary names handshapes in katakana and holds
// compound entries.
class StarterDictionary : public testing::Test {
 protected:
  void SetUp() override {
    QUABE_REQUIRE_ARCHIVE();
    ASSERT_TRUE(QFile::exists(path)) << "the build makes the starter dictionary";
  }
  static QStringList glossesOf(const QList<SignPtr>& signs) {
    QStringList glosses;
    for (const SignPtr& sign : signs) glosses.append(sign->jjs->gloss + sign->jjs->tag);
    return glosses;
  }
  SWGen gen() const { return SWGen(dictionary); }
  const QString path = QStringLiteral(QUABE_BUILD_RESOURCE_DIR "/swdic.db");
  Dictionary dictionary{path};
};

TEST_F(StarterDictionary, KatakanaWordsAreWhole) {
  const NotationConversion result = gen().convert(QStringLiteral("見る[グー] 行く 雨 見る[パー] コーヒー"));
  EXPECT_TRUE(result.isReadable());
  ASSERT_EQ(glossesOf(result.signs), (QStringList{"見る", "行く", "雨", "見る", "コーヒー"}));
  EXPECT_EQ(result.signs[2]->symbols.size(), 4);
  // The starter entries mark no hand for both sides, so the named shapes
  // stay unapplied, and the user is told so.
  ASSERT_EQ(result.diagnostics.size(), 3u);
  EXPECT_EQ(result.diagnostics[0].text(), QStringLiteral("column 1: no hand takes the handshape グー"));
  EXPECT_EQ(result.diagnostics[1].text(), QStringLiteral("column 13: no hand takes the handshape パー"));
  EXPECT_EQ(result.diagnostics[2].text(), QStringLiteral("column 20: not in the dictionary: コーヒー"));
  EXPECT_EQ(result.diagnostics[2].length, 4);
  EXPECT_EQ(result.unknownWords, QStringList{"コーヒー"});
}

TEST_F(StarterDictionary, CompoundEntriesGiveCompoundSigns) {
  const NotationConversion result = gen().convert(QStringLiteral("学校 家族(L) 雨上がり"));
  EXPECT_TRUE(result.diagnostics.empty());
  ASSERT_EQ(glossesOf(result.signs), (QStringList{"学校", "家族", "雨上がり"}));
  const QList<QStringList> parts = {{"勉強", "家"}, {"家", "人"}, {"雨", "終わる"}};
  for (int i = 0; i < 3; ++i) {
    const auto compound = std::dynamic_pointer_cast<Compound>(result.signs[i]);
    ASSERT_TRUE(compound) << i;
    ASSERT_TRUE(compound->constituents);
    EXPECT_EQ(glossesOf(*compound->constituents), parts[i]);
    for (const SignPtr& part : *compound->constituents) EXPECT_FALSE(part->symbols.isEmpty());
    EXPECT_FALSE(compound->isEmpty());
  }
  EXPECT_EQ(result.signs[1]->lane, -1);
  EXPECT_EQ(result.signs[0]->lane, 0);
}

}  // namespace
}  // namespace quabe
