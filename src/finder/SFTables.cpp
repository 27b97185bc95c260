#include "finder/SFTables.h"

#include <array>
#include <cstddef>
#include <initializer_list>

namespace quabe::sf {

namespace {

constexpr int TableSize = 720;  // serial numbers 0..719 (the finder's own numbers reach 700)

struct Range {
  int from;
  int to;
};

struct ClassRow {
  int cls;
  std::initializer_list<Range> ranges;
};

using ClassTable = std::array<short, TableSize>;

ClassTable buildTable(std::initializer_list<ClassRow> rows) {
  ClassTable table;
  table.fill(-1);
  for (const ClassRow& row : rows)
    for (const Range& r : row.ranges)
      for (int s = r.from; s <= r.to; ++s) table[std::size_t(s)] = short(row.cls);
  return table;
}

int lookUp(const ClassTable& table, int serial) {
  if (serial < 0 || serial >= TableSize) return -1;
  return table[std::size_t(serial)];
}

// Every handshape (serials 1-261 and 700) has a class. A class never spans two
// ISWA hand groups (the selected fingers): classes 1-21 lie in groups 1-5,
// 61-65 in group 6 and so on up to 101, the closed fists of the thumb group
// 10. 86 and 108 draw like their neighbours of classes 16 and 18, 245 like
// 241-244.
const ClassTable& handGroups() {
  static const ClassTable table = buildTable({
      {1, {{1, 6}, {12, 14}}},
      {2, {{7, 11}}},
      {3, {{15, 16}, {19, 22}, {26, 26}}},
      {4, {{17, 18}, {23, 25}}},
      {5, {{27, 30}}},
      {6, {{34, 35}}},
      {7, {{55, 61}, {65, 65}, {67, 67}}},
      {8, {{52, 52}, {66, 66}, {68, 68}}},
      {9, {{31, 33}, {36, 51}, {53, 54}, {62, 64}}},
      {11, {{69, 69}, {72, 73}}},
      {12, {{70, 70}}},
      {13, {{71, 71}, {76, 76}}},
      {14, {{74, 75}}},
      {15, {{77, 78}, {83, 83}, {91, 102}}},
      {16, {{79, 82}, {84, 88}}},
      {17, {{89, 90}}},
      {18, {{103, 116}, {121, 127}}},
      {19, {{117, 120}}},
      {20, {{128, 128}, {130, 130}}},
      {21, {{129, 129}, {131, 134}}},
      {61, {{135, 146}, {700, 700}}},
      {62, {{147, 153}}},
      {63, {{154, 156}}},
      {64, {{157, 159}}},
      {65, {{160, 164}}},
      {71, {{165, 174}}},
      {72, {{175, 176}}},
      {73, {{177, 180}}},
      {74, {{181, 183}}},
      {75, {{184, 184}}},
      {76, {{185, 186}}},
      {81, {{187, 198}}},
      {82, {{199, 205}}},
      {91, {{206, 220}}},
      {92, {{221, 245}}},
      {101, {{246, 261}}},
  });
  return table;
}

const ClassTable& movementGroups() {
  static const ClassTable table = buildTable({
      {1, {{299, 302}, {304, 304}, {306, 306}, {309, 309}, {311, 311}}},
      {2, {{303, 303}, {305, 305}, {307, 307}, {310, 310}, {312, 312}}},
      {3, {{308, 308}}},
      {4, {{313, 318}, {320, 322}}},
      {5, {{323, 325}}},
      {6, {{319, 319}}},
      {7, {{326, 331}}},
      {8, {{332, 341}}},
      {9, {{342, 361}, {363, 363}, {365, 365}, {368, 368}, {370, 370}}},
      {11, {{362, 362}, {364, 364}, {366, 366}, {369, 369}, {371, 371}}},
      {12, {{367, 367}}},
      {13, {{372, 376}}},
      {14, {{377, 379}}},
      {15, {{380, 385}}},
      {16, {{386, 392}}},
      {17, {{393, 402}}},
      {19, {{403, 415}, {417, 418}}},
      {21, {{416, 416}}},
      {22, {{419, 422}, {480, 501}}},
      {23, {{423, 436}}},
      {26, {{437, 439}}},
      {31, {{440, 441}, {452, 456}, {467, 469}}},
      {32, {{442, 449}, {457, 464}}},
      {33, {{450, 451}, {465, 466}}},
      {40, {{470, 473}}},
      {41, {{474, 474}}},
      {42, {{475, 479}}},
      {50, {{502, 502}}},
      {61, {{262, 264}, {268, 270}}},
      {62, {{265, 267}}},
      {63, {{271, 276}}},
      {64, {{277, 278}}},
      {71, {{279, 296}}},
      {72, {{297, 298}}},
  });
  return table;
}

const ClassTable& equivalenceA() {
  static const ClassTable table = buildTable({
      {0, {{1, 2}, {12, 14}}},
      {1, {{3, 3}, {5, 5}}},
      {2, {{4, 4}, {6, 6}}},
      {3, {{7, 9}, {11, 11}}},
      {4, {{15, 16}, {19, 19}, {22, 22}, {26, 26}}},
      {5, {{17, 17}, {25, 25}}},
      {6, {{20, 21}}},
      {7, {{23, 24}}},
      {8, {{27, 30}}},
      {9, {{31, 33}, {36, 36}, {40, 40}, {46, 48}, {51, 51}, {53, 53}}},
      {10, {{34, 35}, {41, 41}}},
      {11, {{37, 38}}},
      {12, {{42, 43}}},
      {13, {{55, 61}}},
      {14, {{63, 64}}},
      {15, {{65, 65}, {67, 67}}},
      {16, {{66, 66}, {68, 68}}},
      {17, {{69, 72}}},
      {18, {{75, 75}, {152, 152}, {183, 183}, {201, 201}, {260, 261}}},
      {19, {{77, 78}, {91, 96}, {111, 111}, {113, 113}, {128, 128}, {130, 130}}},
      {20, {{79, 82}, {84, 87}}},
      {21, {{89, 90}}},
      {22, {{99, 101}}},
      {23, {{103, 103}, {109, 110}}},
      {24, {{104, 105}}},
      {25, {{115, 116}}},
      {26, {{117, 118}}},
      {27, {{107, 108}}},
      {28, {{112, 112}, {114, 114}, {121, 122}}},
      {29, {{124, 127}}},
      {30, {{129, 129}, {131, 131}}},
      {31, {{135, 136}, {141, 143}}},
      {32, {{147, 151}}},
      {33, {{153, 154}}},
      {34, {{159, 160}}},
      {35, {{161, 162}}},
      {36, {{165, 166}}},
      {37, {{170, 171}}},
      {38, {{173, 174}}},
      {39, {{177, 178}, {181, 182}}},
      {40, {{188, 192}}},
      {41, {{193, 194}}},
      {42, {{195, 196}}},
      {43, {{197, 198}}},
      {44, {{199, 200}}},
      {45, {{246, 251}}},
      {46, {{236, 236}, {245, 245}}},
      {50, {{119, 120}}},
  });
  return table;
}

const ClassTable& equivalenceB() {
  static const ClassTable table = buildTable({
      {0, {{119, 119}, {260, 260}}},
      {1, {{77, 77}, {81, 81}}},
  });
  return table;
}

struct OrientationRecord {
  int fill;
  int rotation;
  int otherFill1;
  int otherRotation1;
  int otherFill2;
  int otherRotation2;
};

constexpr std::array<OrientationRecord, 8> orientationRecords{{
    {2, 15, 4, 3, 4, 15},
    {2, 7, 4, 7, 4, 11},
    {2, 3, 6, 3, 6, 15},
    {2, 11, 6, 7, 6, 11},
    {5, 3, 1, 3, 1, 15},
    {5, 11, 1, 7, 1, 11},
    {5, 15, 3, 3, 3, 15},
    {5, 7, 3, 7, 3, 11},
}};

bool recordLinks(int f1, int r1, int f2, int r2) {
  for (const OrientationRecord& rec : orientationRecords) {
    if (rec.fill != f1 || rec.rotation != r1) continue;
    if ((f2 == rec.otherFill1 && r2 == rec.otherRotation1) || (f2 == rec.otherFill2 && r2 == rec.otherRotation2))
      return true;
  }
  return false;
}

}  // namespace

int handGroupClass(int serial) { return lookUp(handGroups(), serial); }
int movementGroupClass(int serial) { return lookUp(movementGroups(), serial); }
int handEquivalenceClassA(int serial) { return lookUp(equivalenceA(), serial); }
int handEquivalenceClassB(int serial) { return lookUp(equivalenceB(), serial); }

bool isNeutralFace(int serial) {
  switch (serial) {
    case 524:
    case 533:
    case 561:
    case 562:
    case 563:
    case 564:
    case 572:
      return true;
    default:
      return false;
  }
}

bool equivalentOrientation(int fill1, int rotation1, int fill2, int rotation2) {
  if (fill1 == fill2 && rotation1 == rotation2) return true;
  return recordLinks(fill1, rotation1, fill2, rotation2) || recordLinks(fill2, rotation2, fill1, rotation1);
}

}  // namespace quabe::sf
