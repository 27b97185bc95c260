#include "finder/SFSign.h"

#include <algorithm>
#include <cstdlib>

#include "core/Diagnostics.h"
#include "finder/SFTables.h"
#include "finder/SFTuning.h"
#include "finder/SymbolAssignment.h"

namespace quabe {

namespace {

bool isSqueezeMark(const SFSymbol& s) {
  return s.category == Category::movement && s.group == 2 && s.baseSymbol >= 1 && s.baseSymbol <= 7;
}

bool isSqueezedHandshape(const SFSymbol& s) {
  if (s.category != Category::hand) return false;
  switch (s.serialBaseSymbolNumber()) {
    case 75:
    case 152:
    case 183:
    case 201:
    case 261:
      return true;
    default:
      return false;
  }
}

bool arrowRunsAlongY(int rotation) {
  switch (rotation) {
    case 1:
    case 2:
    case 8:
    case 9:
    case 10:
    case 16:
      return true;
    default:
      return false;
  }
}

bool strictlyBetween(int v, int a, int b) { return (a < v && v < b) || (b < v && v < a); }

int headPairCost(const SFSymbol& a, const SFSymbol& b) {
  const SFTuning& t = sfTuning();
  if (a.serialBaseSymbolNumber() != b.serialBaseSymbolNumber() || a.variation != b.variation) return t.headShapeCost;
  if (a.rotation != b.rotation || a.fill != b.fill) return t.headDetailCost;
  return 0;
}

}  // namespace

int headDifference(const std::vector<SFSymbol>& heads1, const std::vector<SFSymbol>& heads2) {
  if (heads2.empty()) return 99999;
  if (heads1.empty()) return 0;
  const bool swap = heads1.size() > heads2.size();
  const std::vector<SFSymbol>& rows = swap ? heads2 : heads1;
  const std::vector<SFSymbol>& cols = swap ? heads1 : heads2;
  const int n = std::min<int>(int(rows.size()), sf::MaxAssigned);
  const int m = std::min<int>(int(cols.size()), sf::MaxAssigned);
  sf::ScoreMatrix costs;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < m; ++j) costs[i * sf::MaxAssigned + j] = headPairCost(rows[size_t(i)], cols[size_t(j)]);
  return sf::minCostAssignment(costs, n, m);
}

// Moves the positions so that they are measured from the sign itself (see
// SFTuning::placement); the centroid lands on (100, 100).
static void placeSymbols(std::vector<SFSymbol>& symbols) {
  if (symbols.empty()) return;
  int dx = 0, dy = 0;
  switch (sfTuning().placement) {
    case SFTuning::fromTopLeft: {
      int minX = symbols.front().x, minY = symbols.front().y;
      for (const SFSymbol& s : symbols) {
        minX = std::min<int>(minX, s.x);
        minY = std::min<int>(minY, s.y);
      }
      dx = -minX;
      dy = -minY;
      break;
    }
    case SFTuning::fromCentroid: {
      long sumX = 0, sumY = 0;
      for (const SFSymbol& s : symbols) {
        sumX += s.x;
        sumY += s.y;
      }
      const long n = long(symbols.size());
      dx = -int(sumX / n) + 100;
      dy = -int(sumY / n) + 100;
      break;
    }
    default:
      return;
  }
  for (SFSymbol& s : symbols) {
    s.x = qint16(std::clamp(s.x + dx, -32768, 32767));
    s.y = qint16(std::clamp(s.y + dy, -32768, 32767));
  }
}

SFSign::SFSign(std::vector<SFSymbol> symbolsInSignOrder, qint64 id, bool normalizeRecord)
    : signID(id), m_all(std::move(symbolsInSignOrder)) {
  placeSymbols(m_all);
  movementVector.fill(m_all);
  if (normalizeRecord) {
    applySqueezeRule();
    applyRedundantHandRule();
  }
  extractFeatures();
}

bool SFSign::normalize() {
  const bool squeezed = applySqueezeRule();
  const bool removed = applyRedundantHandRule();
  if (squeezed || removed) extractFeatures();
  return squeezed || removed;
}

bool SFSign::applySqueezeRule() {
  if (std::none_of(m_all.begin(), m_all.end(), isSqueezeMark)) return false;
  bool changed = false;
  for (SFSymbol& s : m_all) {
    if (!isSqueezedHandshape(s)) continue;
    s.group = 10;
    s.baseSymbol = 15;
    s.variation = 1;
    s.refresh();
    changed = true;
  }
  if (changed) diag(QStringLiteral("Squeeze replaced with fist: #%1").arg(signID));
  return changed;
}

bool SFSign::applyRedundantHandRule() {
  const SFSymbol* arrow = nullptr;
  int arrows = 0;
  for (const SFSymbol& s : m_all) {
    if (s.category == Category::movement && s.group >= 3 && s.group <= 9 && s.fill == 1) {
      ++arrows;
      arrow = &s;
    }
  }
  if (arrows != 1) return false;
  const bool alongY = arrowRunsAlongY(arrow->rotation);
  for (size_t i = 0; i < m_all.size(); ++i) {
    const SFSymbol& a = m_all[i];
    if (a.category != Category::hand) continue;
    for (size_t j = i + 1; j < m_all.size(); ++j) {
      const SFSymbol& b = m_all[j];
      if (b.category != Category::hand) continue;
      if (a.group != b.group || a.baseSymbol != b.baseSymbol || a.variation != b.variation || a.fill != b.fill)
        continue;
      if ((a.rotation > 8) != (b.rotation > 8)) continue;
      const bool between = alongY ? strictlyBetween(arrow->y, a.y, b.y) : strictlyBetween(arrow->x, a.x, b.x);
      if (!between) continue;
      m_all.erase(m_all.begin() + std::ptrdiff_t(i));
      diag(QStringLiteral("Redundant hand removed: #%1").arg(signID));
      return true;
    }
  }
  return false;
}

void SFSign::extractFeatures() {
  hands.clear();
  heads.clear();
  bodies.clear();
  contacts.clear();
  std::vector<SFSymbol> others;
  shoulderCount = 0;
  for (const SFSymbol& s : m_all) {
    switch (s.category) {
      case Category::hand:
        hands.push_back(s);
        break;
      case Category::movement:
        if (s.group == 1) contacts.push_back(s);
        break;
      case Category::headFace:
        heads.push_back(s);
        break;
      case Category::body:
        bodies.push_back(s);
        if (s.isShoulderLine()) ++shoulderCount;
        break;
      default:
        others.push_back(s);
        break;
    }
  }
  handCount = int(hands.size());
  bodyCount = int(bodies.size());
  headCount = int(heads.size());
  contactCount = int(contacts.size());
  otherCount = int(others.size());
  symbols.clear();
  symbols.reserve(hands.size() + bodies.size() + heads.size() + others.size());
  symbols.insert(symbols.end(), hands.begin(), hands.end());
  symbols.insert(symbols.end(), bodies.begin(), bodies.end());
  symbols.insert(symbols.end(), heads.begin(), heads.end());
  symbols.insert(symbols.end(), others.begin(), others.end());
}

namespace {

// The counts and roles of one comparison (steps shared by similarity() and
// pairingScores()).
struct Comparison {
  int countA = 0;
  int countB = 0;
  bool noOthers = false;
  const SFSign* p = nullptr;
  const SFSign* q = nullptr;
  int pCount = 0;
  int qCount = 0;
  int diff = 0;
};

bool prepare(const SFSign& a, const SFSign& b, Comparison& c) {
  c.countA = a.handCount + a.bodyCount;
  c.countB = b.handCount + b.bodyCount;
  if (c.countA == 0 || c.countB == 0) {
    c.countA += a.headCount + a.otherCount;
    c.countB += b.headCount + b.otherCount;
    c.noOthers = a.otherCount == 0 && b.otherCount == 0;
  }
  c.countA = std::min(c.countA, SFSign::MaxComparedSymbols);
  c.countB = std::min(c.countB, SFSign::MaxComparedSymbols);
  if (a.handCount > 4) return false;
  c.diff = c.countB - c.countA;
  c.p = c.diff >= 0 ? &a : &b;
  c.q = c.diff >= 0 ? &b : &a;
  c.pCount = c.diff >= 0 ? c.countA : c.countB;
  c.qCount = c.diff >= 0 ? c.countB : c.countA;
  if (std::abs(c.diff) > SFSign::DiffLimit) return false;
  if ((c.p->handCount > 0) != (c.q->handCount > 0)) return false;
  return true;
}

void fillScores(const Comparison& c, int* scores) {
  for (int i = 0; i < c.pCount; ++i)
    for (int j = 0; j < c.qCount; ++j)
      scores[i * sf::MaxAssigned + j] = c.p->symbols[size_t(i)].similarity(c.q->symbols[size_t(j)], false);
}

}  // namespace

bool SFSign::pairingScores(const SFSign& other, int* scores, int& rows, int& cols) const {
  Comparison c;
  rows = cols = 0;
  if (!prepare(*this, other, c)) return false;
  fillScores(c, scores);
  rows = c.pCount;
  cols = c.qCount;
  return true;
}

SFSimilarity SFSign::similarity(const SFSign& other, SFPairing pairing) const {
  SFSimilarity result;
  Comparison c;
  if (!prepare(*this, other, c)) return result;
  const SFSign& p = *c.p;
  const SFSign& q = *c.q;
  const int pCount = c.pCount;
  const int qCount = c.qCount;
  const int diff = c.diff;
  const int countA = c.countA;
  const bool noOthers = c.noOthers;

  sf::ScoreMatrix scores;
  fillScores(c, scores);
  result.maxSim = pairing == SFPairing::exhaustive ? sf::exhaustiveMaxPositiveAssignment(scores, pCount, qCount)
                                                   : sf::maxPositiveAssignment(scores, pCount, qCount);

  double score = pCount > 0 ? double(result.maxSim) / pCount : 0.0;
  score -= std::abs(diff) * (countA < 3 ? 110 : 50);

  const bool pHasHead = p.headCount > 0;
  const bool qHasHead = q.headCount > 0;
  if (!pHasHead && p.shoulderCount == 1 && qHasHead && q.shoulderCount == 0) score += 50;
  if (pHasHead && p.shoulderCount == 0 && !qHasHead && q.shoulderCount == 1) score += 50;
  if (pHasHead && qHasHead && !noOthers) score += 80 - headDifference(p.heads, q.heads);

  const int countDifferences = std::abs(headCount - other.headCount) + std::abs(contactCount - other.contactCount);
  const double shape = (score - HeadContactDiffWeight * countDifferences) / 1000.0;
  result.shapeAndLocation = std::clamp(shape, 0.0, 1.0) * 0.9;
  result.movement = p.movementVector.similarity(q.movementVector);
  result.total = result.shapeAndLocation + MovementWeight * result.movement;
  return result;
}

}  // namespace quabe
