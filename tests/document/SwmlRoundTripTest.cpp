// Random documents written, read and written again: the file keeps
// everything the user wrote.
#include <gtest/gtest.h>

#include "SwmlTestSupport.h"
#include "common/RandomDocument.h"
#include "common/TestSupport.h"
#include "document/Compound.h"
#include "document/SwmlWriter.h"

namespace quabe {
namespace {

TEST(SwmlRoundTrip, RandomDocumentsReadBackAsWrittenAndWriteTheSameBytes) {
  QUABE_REQUIRE_ARCHIVE();
  int compounds = 0, negative = 0;
  for (quint32 seed = 1; seed <= 300; ++seed) {
    test::RandomDocument random(seed);
    BufferManager original;
    Preferences prefs = test::fixedPreferences();
    random.fill(original, prefs);
    const QByteArray first = SwmlWriter::write(original, prefs);

    BufferManager read;
    Preferences readPrefs = test::fixedPreferences(!prefs.verticalWriting);
    const SwmlReadReport report = test::readSwml(first, read, readPrefs);
    ASSERT_FALSE(report.isDamaged()) << "seed " << seed << ": " << report.damageDescription().toStdString();
    EXPECT_EQ(test::describe(read, prefs.verticalWriting).toStdString(),
              test::describe(original, prefs.verticalWriting).toStdString())
        << "seed " << seed;
    EXPECT_EQ(readPrefs, prefs) << "seed " << seed;
    ASSERT_EQ(SwmlWriter::write(read, readPrefs).toStdString(), first.toStdString()) << "seed " << seed;

    for (const SignStringPtr& line : original.editBuffer)
      for (const SignPtr& sign : line->signArray) compounds += dynamic_cast<Compound*>(sign.get()) != nullptr;
    negative += int(first.count("x=\"-") + first.count("y=\"-"));
  }
  // The documents did hold what the round trip is about.
  EXPECT_GT(compounds, 50);
  EXPECT_GT(negative, 1000);
}

}  // namespace
}  // namespace quabe
