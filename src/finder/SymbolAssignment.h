#pragma once

namespace quabe::sf {

// Score matrices of the sign comparison are at most MaxAssigned x MaxAssigned,
// stored row-major with a row stride of MaxAssigned.
constexpr int MaxAssigned = 16;
using ScoreMatrix = int[MaxAssigned * MaxAssigned];

// The largest total of a pairing that gives every one of the `rows` symbols a
// different one of the `cols` symbols (rows <= cols) using only pairs that
// score above 0; 0 when no such pairing exists or rows is 0. Kuhn-Munkres
// assignment, O(rows^2 * cols). With columnOfRow, the pairing found is
// written there (the column of each row) when the result is above 0.
int maxPositiveAssignment(const int* scores, int rows, int cols, int* columnOfRow = nullptr);

// The same maximum by trying every such pairing depth-first (exponential in
// the size). Kept as the reference the assignment is checked against.
int exhaustiveMaxPositiveAssignment(const int* scores, int rows, int cols);

// The smallest total cost of giving each of the `rows` items a different one
// of the `cols` items (rows <= cols, all pairs allowed); 0 when rows is 0.
int minCostAssignment(const int* costs, int rows, int cols);

}  // namespace quabe::sf
