// Bounds, placement and moving of signs: only rectangles matter here, so the
// symbols are placeholders without images.
#include "SignTestSupport.h"

namespace quabe::test {
namespace {

class SignGeometryTest : public EditorStateFixture {};

void expectBox(const Sign& sign, qreal left, qreal top, qreal right, qreal bottom) {
  EXPECT_DOUBLE_EQ(sign.leftMost, left);
  EXPECT_DOUBLE_EQ(sign.topMost, top);
  EXPECT_DOUBLE_EQ(sign.rightMost, right);
  EXPECT_DOUBLE_EQ(sign.bottomMost, bottom);
  EXPECT_DOUBLE_EQ(sign.width, right - left);
  EXPECT_DOUBLE_EQ(sign.height, bottom - top);
}

TEST_F(SignGeometryTest, BoundsOfEmptyOneAndSeveralSymbols) {
  auto sign = std::make_shared<Sign>();
  sign->leftMost = 5;
  sign->rightMost = 50;
  sign->updateBounds();
  expectBox(*sign, 0, 0, 0, 0);
  EXPECT_TRUE(sign->isEmpty());

  sign = signWith({boxSymbol(10, 20, 30, 40)});
  expectBox(*sign, 10, 20, 40, 60);
  EXPECT_FALSE(sign->isEmpty());

  sign = signWith({boxSymbol(10, 20, 30, 40), boxSymbol(5, 70, 10, 10), boxSymbol(50, 25, 20, 5)});
  expectBox(*sign, 5, 20, 70, 80);
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

TEST_F(SignGeometryTest, AddSymbolTracksTheSignBeingEdited) {
  ISWAPtr a = boxSymbol(10, 10, 20, 20);
  auto first = signWith({});
  first->addSymbol(a);
  ASSERT_EQ(state().editingSigns.size(), 1);
  EXPECT_TRUE(state().isEditing(first.get()));
  // The box of a fresh sign starts at the origin; adding only extends it.
  expectBox(*first, 0, 0, 30, 30);

  // The box of the sign edited before is recomputed when editing moves on.
  a->rect.moveTopLeft(QPointF(40, 40));
  auto second = signWith({});
  second->addSymbol(boxSymbol(0, 0, 5, 5));
  expectBox(*first, 40, 40, 60, 60);
  EXPECT_FALSE(state().isEditing(first.get()));
  EXPECT_TRUE(state().isEditing(second.get()));
  EXPECT_EQ(state().editingSigns.size(), 1);
}

TEST_F(SignGeometryTest, MoveSelectedStopsAtTheBoxEdges) {
  ISWAPtr s = boxSymbol(78, 2, 20, 20);
  auto sign = signWith({s});
  state().addToSelection(s);

  sign->moveSelected(1, 0, 100, 100);
  EXPECT_DOUBLE_EQ(s->rect.x(), 79);
  sign->moveSelected(1, 0, 100, 100);  // 80 + 20 is not below 100
  EXPECT_DOUBLE_EQ(s->rect.x(), 79);

  s->rect.moveLeft(2);
  sign->updateBounds();
  sign->moveSelected(-1, 0, 100, 100);
  EXPECT_DOUBLE_EQ(s->rect.x(), 1);
  sign->moveSelected(-1, 0, 100, 100);
  EXPECT_DOUBLE_EQ(s->rect.x(), 1);

  // The y axis follows the same rule, independently of x.
  sign->moveSelected(0, -1, 100, 100);
  EXPECT_DOUBLE_EQ(s->rect.y(), 1);
  sign->moveSelected(0, -1, 100, 100);
  EXPECT_DOUBLE_EQ(s->rect.y(), 1);
  s->rect.moveTop(78);
  sign->updateBounds();
  sign->moveSelected(5, 1, 100, 100);  // 79 + 20 is still below 100
  EXPECT_EQ(s->rect.topLeft(), QPointF(6, 79));
  sign->moveSelected(0, 1, 100, 100);
  EXPECT_DOUBLE_EQ(s->rect.y(), 79);
}

TEST_F(SignGeometryTest, MoveSelectedRecomputesBoundsWhenAnEdgeSymbolLeavesIt) {
  ISWAPtr edge = boxSymbol(0, 0, 20, 20);
  ISWAPtr other = boxSymbol(50, 50, 20, 20);
  auto sign = signWith({edge, other});
  state().addToSelection(edge);
  sign->moveSelected(10, 10, 200, 200);
  EXPECT_EQ(edge->rect.topLeft(), QPointF(10, 10));
  expectBox(*sign, 10, 10, 70, 70);

  // Moving the right-most symbol left shrinks the right edge.
  state().clearSymbolSelection();
  state().addToSelection(other);
  sign->moveSelected(-20, 0, 200, 200);
  expectBox(*sign, 10, 10, 50, 70);

  // An inner symbol only stretches the box.
  ISWAPtr inner = boxSymbol(20, 20, 10, 10);
  sign->symbols.append(inner);
  state().clearSymbolSelection();
  state().addToSelection(inner);
  sign->moveSelected(45, 0, 200, 200);
  expectBox(*sign, 10, 10, 75, 70);
}

TEST_F(SignGeometryTest, MoveSelectedOfAnOversizedSymbolNeverLeavesNegativeCoordinates) {
  // Wider than the box: a move to the left is still applied (the symbol
  // reaches past the right edge) and the sign is shifted back to x >= 0.
  ISWAPtr wide = boxSymbol(0, 0, 120, 10);
  ISWAPtr small = boxSymbol(30, 20, 10, 10);
  auto sign = signWith({wide, small});
  state().addToSelection(wide);
  sign->moveSelected(-4, 0, 100, 100);
  EXPECT_DOUBLE_EQ(wide->rect.x(), 0);
  EXPECT_DOUBLE_EQ(small->rect.x(), 34);
  expectBox(*sign, 0, 0, 120, 30);
}

TEST_F(SignGeometryTest, CenterWithoutHeadCentresBothAxes) {
  auto sign = signWith({boxSymbol(0, 0, 20, 30), boxSymbol(30, 10, 10, 10)});
  sign->center(100, 120, false);
  expectBox(*sign, 30, 45, 70, 75);

  // Vertical writing, centre lane, no head or trunk: the middle goes to w / 2;
  // the sign is centred vertically in max(height, h).
  sign->center(200, 100, true);
  expectBox(*sign, 80, 35, 120, 65);

  auto empty = std::make_shared<Sign>();
  empty->leftMost = 7;
  empty->center(100, 100, false);
  EXPECT_DOUBLE_EQ(empty->leftMost, 7);
}

TEST_F(SignGeometryTest, CenterInVModePlacesByLane) {
  auto sign = signWith({boxSymbol(0, 0, 40, 20)});
  sign->lane = -1;
  sign->center(200, 100, true);  // t = max(w / 4, d) = max(50, 20)
  EXPECT_DOUBLE_EQ(sign->leftMost + 20, 50);
  sign->lane = 1;
  sign->center(200, 100, true);  // t = 3w / 4
  EXPECT_DOUBLE_EQ(sign->leftMost + 20, 150);

  // A wide sign in the right lane is pulled back inside the box.
  auto wide = signWith({boxSymbol(0, 0, 120, 20)});
  wide->lane = 1;
  wide->center(200, 100, true);
  EXPECT_DOUBLE_EQ(wide->rightMost, 200);
  // In the left lane a wide sign keeps its left edge at 0.
  wide->lane = -1;
  wide->center(200, 100, true);
  EXPECT_DOUBLE_EQ(wide->leftMost, 0);
  // Taller than the box: the sign starts at the top.
  auto tall = signWith({boxSymbol(0, 30, 10, 300)});
  tall->center(100, 100, true);
  EXPECT_DOUBLE_EQ(tall->topMost, 0);
}

TEST_F(SignGeometryTest, CopyIsDeepAndUnselected) {
  ISWAPtr a = boxSymbol(1, 2, 3, 4);
  auto sign = signWith({a});
  sign->gloss = "gloss";
  sign->lane = 1;
  state().addToSelection(a);
  SignPtr copy = sign->copy();
  ASSERT_EQ(copy->symbols.size(), 1);
  EXPECT_NE(copy->symbols[0].get(), a.get());
  EXPECT_EQ(copy->symbols[0]->rect, a->rect);
  EXPECT_FALSE(copy->symbols[0]->selected);
  EXPECT_NE(copy->jjs.get(), sign->jjs.get());
  EXPECT_EQ(copy->gloss, "gloss");
  EXPECT_EQ(copy->lane, 1);
  EXPECT_DOUBLE_EQ(copy->rightMost, 4);
}

}  // namespace
}  // namespace quabe::test
