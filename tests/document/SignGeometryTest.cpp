// Bounds, placement and moving of signs: only rectangles matter here, so the
// symbols are placeholders without images.
#include "SignTestSupport.h"

namespace quabe::test {
namespace {

class SignGeometryTest : public SelectionFixture {};

void expectBox(const Sign& sign, qreal left, qreal top, qreal right, qreal bottom) {
  EXPECT_DOUBLE_EQ(sign.leftMost, left);
  EXPECT_DOUBLE_EQ(sign.topMost, top);
  EXPECT_DOUBLE_EQ(sign.rightMost, right);
  EXPECT_DOUBLE_EQ(sign.bottomMost, bottom);
  EXPECT_DOUBLE_EQ(sign.width, right - left);
  EXPECT_DOUBLE_EQ(sign.height, bottom - top);
}

TEST_F(SignGeometryTest, IncludeSymbolKeepsCoordinatesNonNegative) {
  ISWAPtr a = boxSymbol(10, 10, 20, 20);
  auto sign = signWith({a});
  ISWAPtr b = boxSymbol(-5, -8, 10, 10);
  sign->symbols.append(b);
  sign->includeSymbol(*b);
  EXPECT_EQ(a->rect.topLeft(), QPointF(15, 18));
  EXPECT_EQ(b->rect.topLeft(), QPointF(0, 0));
  expectBox(*sign, 0, 0, 35, 38);
}

TEST_F(SignGeometryTest, EditingMovesOnAndRecomputesTheSignEditedBefore) {
  ISWAPtr a = boxSymbol(10, 10, 20, 20);
  auto first = signWith({});
  sel.beginEditing(*first);
  first->addSymbol(a);
  EXPECT_TRUE(sel.isEditing(first.get()));
  // The box of a fresh sign starts at the origin; adding only extends it.
  expectBox(*first, 0, 0, 30, 30);

  // The box of the sign edited before is recomputed when editing moves on.
  a->rect.moveTopLeft(QPointF(40, 40));
  auto second = signWith({});
  sel.beginEditing(*second);
  expectBox(*first, 40, 40, 60, 60);
  EXPECT_FALSE(sel.isEditing(first.get()));
  EXPECT_TRUE(sel.isEditing(second.get()));
  EXPECT_EQ(sel.editingSigns().size(), 1);
}

TEST_F(SignGeometryTest, MoveSelectedRecomputesBoundsWhenAnEdgeSymbolLeavesIt) {
  ISWAPtr edge = boxSymbol(0, 0, 20, 20);
  ISWAPtr other = boxSymbol(50, 50, 20, 20);
  auto sign = signWith({edge, other});
  sel.add(edge);
  sign->moveSelected(sel, 10, 10, 200, 200);
  EXPECT_EQ(edge->rect.topLeft(), QPointF(10, 10));
  expectBox(*sign, 10, 10, 70, 70);

  // Moving the right-most symbol left shrinks the right edge.
  sel.clear();
  sel.add(other);
  sign->moveSelected(sel, -20, 0, 200, 200);
  expectBox(*sign, 10, 10, 50, 70);

  // An inner symbol only stretches the box.
  ISWAPtr inner = boxSymbol(20, 20, 10, 10);
  sign->symbols.append(inner);
  sel.clear();
  sel.add(inner);
  sign->moveSelected(sel, 45, 0, 200, 200);
  expectBox(*sign, 10, 10, 75, 70);
}

TEST_F(SignGeometryTest, MoveSelectedOfAnOversizedSymbolNeverLeavesNegativeCoordinates) {
  // Wider than the box: a move to the left is still applied (the symbol
  // reaches past the right edge) and the sign is shifted back to x >= 0.
  ISWAPtr wide = boxSymbol(0, 0, 120, 10);
  ISWAPtr small = boxSymbol(30, 20, 10, 10);
  auto sign = signWith({wide, small});
  sel.add(wide);
  sign->moveSelected(sel, -4, 0, 100, 100);
  EXPECT_DOUBLE_EQ(wide->rect.x(), 0);
  EXPECT_DOUBLE_EQ(small->rect.x(), 34);
  expectBox(*sign, 0, 0, 120, 30);
}

}  // namespace
}  // namespace quabe::test
