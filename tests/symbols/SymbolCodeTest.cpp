#include <gtest/gtest.h>

#include <QSet>

#include "symbols/SymbolCode.h"

using namespace quabe;

TEST(SymbolCode, MalformedPartsReadAsZeroAndShortTextsAreRejected) {
  EXPECT_EQ(SSS::fromString("01-x1-001-01-01-01"), 0x10011101u);
  EXPECT_EQ(SSS::fromString("01--001-01-01-01"), 0x10011101u);
  EXPECT_EQ(SSS::fromString("01-01-001-01-01--1"), 0x11011100u);  // "" and "1" are the last parts
  EXPECT_EQ(SSS::fromString("01-01-001-01-01-4294967296"), 0x11011100u);
  EXPECT_FALSE(SSS::parse("01-01-001-01-01").has_value());
  EXPECT_EQ(SSS::fromString("01-01-001"), 0u);
  EXPECT_EQ(SSS::fromString(""), 0u);
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
