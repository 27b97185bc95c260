#include <gtest/gtest.h>

#include <QSet>

#include "symbols/SymbolCode.h"

using namespace quabe;

// The first hand symbol: every field 1, so the code is 0x11011101 by the
// bit layout (category 31-28 ... rotation 7-0).
TEST(SymbolCode, TextFormRoundTripsAndKeepsThreeDigitBaseSymbol) {
  EXPECT_EQ(SSS::toString(0x11011101), "01-01-001-01-01-01");
  EXPECT_EQ(SSS::fromString("01-01-001-01-01-01"), 0x11011101u);
  EXPECT_EQ(SSS::toString(0x11010101), "01-01-001-00-01-01");
  EXPECT_EQ(SSS::fromString("02-03-015-02-01-09"), 0x230F2109u);
  EXPECT_EQ(SSS::toString(0x230F2109), "02-03-015-02-01-09");
  EXPECT_EQ(SSS::fromString("+01-01-001-01-01-01-99-extra"), 0x11011101u);
}

TEST(SymbolCode, MalformedPartsReadAsZeroAndShortTextsAreRejected) {
  EXPECT_EQ(SSS::fromString("01-x1-001-01-01-01"), 0x10011101u);
  EXPECT_EQ(SSS::fromString("01--001-01-01-01"), 0x10011101u);
  EXPECT_EQ(SSS::fromString("01-01-001-01-01--1"), 0x11011100u);  // "" and "1" are the last parts
  EXPECT_EQ(SSS::fromString("01-01-001-01-01-4294967296"), 0x11011100u);
  EXPECT_FALSE(SSS::parse("01-01-001-01-01").has_value());
  EXPECT_EQ(SSS::fromString("01-01-001"), 0u);
  EXPECT_EQ(SSS::fromString(""), 0u);
}

TEST(SymbolCode, CategoryFieldsOutsideTheTableHaveNoCategory) {
  EXPECT_EQ(SSS::categoryOf(0x11011101), Category::hand);
  EXPECT_EQ(SSS::categoryOf(0x71011101), Category::punc);
  EXPECT_EQ(SSS::categoryOf(0x81011101), Category::none);
  for (quint32 field : {0u, 9u, 10u, 15u}) {
    const SymbolCode code = SSS::make(field, 1, 1, 1, 1, 1);
    EXPECT_FALSE(SSS::categoryOf(code).has_value());
    EXPECT_EQ(SSS::rotationCount(code), -1);
    EXPECT_TRUE(SSS::toFswKey(code).isEmpty());
    EXPECT_FALSE(SSS::isPlausible(code));
  }
}

// Both tables are one numbering: every key maps to components whose serial
// gives the key back, and the keys cover 1..652 without gaps or repeats.
TEST(SymbolCode, BothTablesAgreeForAll652Keys) {
  QSet<int> serials;
  for (int key = ISWA2010Code::firstKey; key <= ISWA2010Code::lastKey; ++key) {
    const BaseSymbolComponents c = ISWA2010Code::components(key);
    const int serial = SSS::serialBaseSymbolNumber(c.category, c.group, c.baseSymbol, c.variation);
    ASSERT_EQ(serial, key - 255) << std::hex << key;
    ASSERT_GE(c.variation, 1);
    ASSERT_LE(c.variation, SSS::variationCount(c.category, c.group, c.baseSymbol));
    serials.insert(serial);
    const SymbolCode code =
        SSS::make(quint32(c.category), quint32(c.group), quint32(c.baseSymbol), quint32(c.variation), 1, 1);
    ASSERT_EQ(SSS::fromFswKey(SSS::toFswKey(code)), code);
    ASSERT_EQ(SSS::toFswKey(code).mid(1, 3).toInt(nullptr, 16), key);
  }
  EXPECT_EQ(serials.size(), 652);
}

TEST(SymbolCode, FswKeysCarryFillAndRotationFromZero) {
  EXPECT_EQ(SSS::toFswKey(0x11011101), "S10000");
  EXPECT_EQ(SSS::fromFswKey("S14c20"), SSS::fromString("01-05-001-01-03-01"));
  EXPECT_EQ(SSS::fromFswKey("S38b0f"), SSS::fromString("07-01-003-01-01-16"));
  EXPECT_EQ(SSS::fromFswKey("S10060"), 0u);  // fill 7 does not exist
  EXPECT_EQ(SSS::fromFswKey("S0ff00"), 0u);
  EXPECT_EQ(SSS::fromFswKey("Sxyz00"), 0u);
  EXPECT_EQ(SSS::fromFswKey("S100"), 0u);
}
