#include "finder/SymbolAssignment.h"

#include <algorithm>
#include <array>
#include <climits>

namespace quabe::sf {

namespace {

// Rectangular Hungarian method with potentials (rows <= cols). Fills
// rowOfColumn[j] (1-based rows, 0 = free column) and returns the minimal sum.
long long hungarian(const long long* cost, int rows, int cols, std::array<int, MaxAssigned + 1>& rowOfColumn) {
  constexpr long long Inf = LLONG_MAX / 4;
  std::array<long long, MaxAssigned + 1> u{}, v{}, minv{};
  std::array<int, MaxAssigned + 1> way{};
  std::array<bool, MaxAssigned + 1> used{};
  rowOfColumn.fill(0);
  for (int i = 1; i <= rows; ++i) {
    rowOfColumn[0] = i;
    int j0 = 0;
    minv.fill(Inf);
    used.fill(false);
    do {
      used[size_t(j0)] = true;
      const int i0 = rowOfColumn[size_t(j0)];
      long long delta = Inf;
      int j1 = 0;
      for (int j = 1; j <= cols; ++j) {
        if (used[size_t(j)]) continue;
        const long long cur = cost[(i0 - 1) * MaxAssigned + (j - 1)] - u[size_t(i0)] - v[size_t(j)];
        if (cur < minv[size_t(j)]) {
          minv[size_t(j)] = cur;
          way[size_t(j)] = j0;
        }
        if (minv[size_t(j)] < delta) {
          delta = minv[size_t(j)];
          j1 = j;
        }
      }
      for (int j = 0; j <= cols; ++j) {
        if (used[size_t(j)]) {
          u[size_t(rowOfColumn[size_t(j)])] += delta;
          v[size_t(j)] -= delta;
        } else {
          minv[size_t(j)] -= delta;
        }
      }
      j0 = j1;
    } while (rowOfColumn[size_t(j0)] != 0);
    do {
      const int j1 = way[size_t(j0)];
      rowOfColumn[size_t(j0)] = rowOfColumn[size_t(j1)];
      j0 = j1;
    } while (j0 != 0);
  }
  long long total = 0;
  for (int j = 1; j <= cols; ++j)
    if (rowOfColumn[size_t(j)] != 0) total += cost[(rowOfColumn[size_t(j)] - 1) * MaxAssigned + (j - 1)];
  return total;
}

struct ExhaustiveSearch {
  const int* scores;
  int rows;
  int cols;
  std::array<bool, MaxAssigned> taken{};
  int best = 0;

  void search(int row, int total) {
    if (row == rows) {
      if (total > best) best = total;
      return;
    }
    for (int j = 0; j < cols; ++j) {
      const int s = scores[row * MaxAssigned + j];
      if (taken[size_t(j)] || s <= 0) continue;
      taken[size_t(j)] = true;
      search(row + 1, total + s);
      taken[size_t(j)] = false;
    }
  }
};

}  // namespace

int maxPositiveAssignment(const int* scores, int rows, int cols, int* columnOfRow) {
  if (rows <= 0 || cols < rows || rows > MaxAssigned || cols > MaxAssigned) return 0;
  // One or two rows: the best pair (or two pairs in different columns)
  // directly; most sign comparisons are this small.
  if (rows == 1) {
    int best = 0;
    for (int j = 0; j < cols; ++j) {
      if (scores[j] <= best) continue;
      best = scores[j];
      if (columnOfRow) columnOfRow[0] = j;
    }
    return best;
  }
  if (rows == 2) {
    const int* second = scores + MaxAssigned;
    int best = 0;
    for (int j = 0; j < cols; ++j) {
      if (scores[j] <= 0) continue;
      for (int k = 0; k < cols; ++k) {
        if (k == j || second[k] <= 0 || scores[j] + second[k] <= best) continue;
        best = scores[j] + second[k];
        if (columnOfRow) columnOfRow[0] = j, columnOfRow[1] = k;
      }
    }
    return best;
  }
  // Forbidden pairs cost more than any pairing of allowed ones can save, so
  // the optimum uses none of them whenever an all-positive pairing exists.
  constexpr long long Forbidden = 1'000'000'000LL;
  long long cost[MaxAssigned * MaxAssigned];
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j) {
      const int s = scores[i * MaxAssigned + j];
      cost[i * MaxAssigned + j] = s > 0 ? -static_cast<long long>(s) : Forbidden;
    }
  std::array<int, MaxAssigned + 1> rowOfColumn{};
  hungarian(cost, rows, cols, rowOfColumn);
  int total = 0;
  for (int j = 1; j <= cols; ++j) {
    const int i = rowOfColumn[size_t(j)];
    if (i == 0) continue;
    const int s = scores[(i - 1) * MaxAssigned + (j - 1)];
    if (s <= 0) return 0;
    total += s;
    if (columnOfRow) columnOfRow[i - 1] = j - 1;
  }
  return total;
}

int exhaustiveMaxPositiveAssignment(const int* scores, int rows, int cols) {
  if (rows <= 0 || cols < rows || rows > MaxAssigned || cols > MaxAssigned) return 0;
  ExhaustiveSearch search{scores, rows, cols};
  search.search(0, 0);
  return search.best;
}

int minCostAssignment(const int* costs, int rows, int cols) {
  if (rows <= 0 || cols < rows || rows > MaxAssigned || cols > MaxAssigned) return 0;
  long long cost[MaxAssigned * MaxAssigned];
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j) cost[i * MaxAssigned + j] = costs[i * MaxAssigned + j];
  std::array<int, MaxAssigned + 1> rowOfColumn{};
  return int(hungarian(cost, rows, cols, rowOfColumn));
}

}  // namespace quabe::sf
