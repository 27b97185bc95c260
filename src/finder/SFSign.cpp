#include "finder/SFSign.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/Logging.h"
#include "finder/SFTables.h"
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

int headPairCost(const SFSymbol& a, const SFSymbol& b, const SFTuning& t) {
  if (a.serialBaseSymbolNumber() != b.serialBaseSymbolNumber() || a.variation != b.variation) return t.headShapeCost;
  if (a.rotation != b.rotation || a.fill != b.fill) return t.headDetailCost;
  return 0;
}

}  // namespace

int headDifference(const std::vector<SFSymbol>& heads1, const std::vector<SFSymbol>& heads2, const SFTuning& tuning) {
  if (heads2.empty()) return 99999;
  if (heads1.empty()) return 0;
  const bool swap = heads1.size() > heads2.size();
  const std::vector<SFSymbol>& rows = swap ? heads2 : heads1;
  const std::vector<SFSymbol>& cols = swap ? heads1 : heads2;
  const int n = std::min<int>(int(rows.size()), sf::MaxAssigned);
  const int m = std::min<int>(int(cols.size()), sf::MaxAssigned);
  sf::ScoreMatrix costs;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < m; ++j) costs[i * sf::MaxAssigned + j] = headPairCost(rows[size_t(i)], cols[size_t(j)], tuning);
  return sf::minCostAssignment(costs, n, m);
}

int markDifference(const std::vector<SFSymbol>& marks1, const std::vector<SFSymbol>& marks2, const SFTuning& t) {
  const bool swap = marks1.size() > marks2.size();
  const std::vector<SFSymbol>& rows = swap ? marks2 : marks1;
  const std::vector<SFSymbol>& cols = swap ? marks1 : marks2;
  const int n = std::min<int>(int(rows.size()), sf::MaxAssigned);
  const int m = std::min<int>(int(cols.size()), sf::MaxAssigned);
  sf::ScoreMatrix costs;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < m; ++j) {
      const int score = rows[size_t(i)].similarity(cols[size_t(j)], true, t);
      costs[i * sf::MaxAssigned + j] = std::min(2 * t.markMissingCost, (920 - score) / t.markShapeDivisor);
    }
  return sf::minCostAssignment(costs, n, m) + (int(cols.size()) - int(rows.size())) * t.markMissingCost;
}

SFSign::SFSign(std::vector<SFSymbol> symbolsInSignOrder, qint64 id, bool normalizeRecord, const SFTuning& tuning)
    : signID(id), m_all(std::move(symbolsInSignOrder)), m_tuning(tuning) {
  movementVector.fill(m_all, m_tuning);
  if (normalizeRecord) {
    applySqueezeRule();
    applyRedundantHandRule();
  }
  extractFeatures();
}

SFSign SFSign::mirrored() const {
  std::vector<SFSymbol> image;
  image.reserve(m_all.size());
  for (const SFSymbol& s : m_all) image.push_back(s.mirrored());
  return SFSign(std::move(image), signID, false, m_tuning);
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
  if (changed) qCDebug(lcFinder) << "squeeze replaced with fist in sign" << signID;
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
      qCDebug(lcFinder) << "redundant hand removed from sign" << signID;
      return true;
    }
  }
  return false;
}

void SFSign::extractFeatures() {
  hands.clear();
  heads.clear();
  bodies.clear();
  marks.clear();
  std::vector<SFSymbol> others;
  shoulderCount = 0;
  for (const SFSymbol& s : m_all) {
    if (s.isMark()) {
      marks.push_back(s);
      continue;
    }
    switch (s.category) {
      case Category::hand:
        hands.push_back(s);
        break;
      case Category::movement:
        break;  // arrows count through the movement vector
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
  otherCount = int(others.size());
  symbols.clear();
  symbols.reserve(hands.size() + bodies.size() + heads.size() + others.size());
  symbols.insert(symbols.end(), hands.begin(), hands.end());
  symbols.insert(symbols.end(), bodies.begin(), bodies.end());
  symbols.insert(symbols.end(), heads.begin(), heads.end());
  symbols.insert(symbols.end(), others.begin(), others.end());

  // FNV-1a over the codes and the positions from the top-left symbol.
  int minX = 0, minY = 0;
  for (size_t i = 0; i < m_all.size(); ++i) {
    minX = i == 0 ? m_all[i].x : std::min<int>(minX, m_all[i].x);
    minY = i == 0 ? m_all[i].y : std::min<int>(minY, m_all[i].y);
  }
  quint64 hash = 14695981039346656037ull;
  const auto mix = [&hash](quint64 v) { hash = (hash ^ v) * 1099511628211ull; };
  for (const SFSymbol& s : m_all) {
    mix(s.code());
    mix(quint64(quint32(s.x - minX)) << 32 | quint32(s.y - minY));
  }
  m_fingerprint = hash;
  m_selfTotal = 0;
  m_selfTotal = similarity(*this).total;
}

// One comparison: the counts and roles of the two signs and the pairing of
// their compared symbols.
struct SFComparison {
  const SFSign* p = nullptr;  // the sign with fewer compared symbols
  const SFSign* q = nullptr;
  const SFTuning* tuning = nullptr;  // the first sign's
  int pCount = 0;
  int qCount = 0;
  int diff = 0;
  bool noOthers = false;
  sf::ScoreMatrix shape;   // symbol scores without the distance term
  sf::ScoreMatrix placed;  // with it, for the last placement tried

  // False when the signs cannot score (too different counts, hands on one
  // side only).
  bool prepare(const SFSign& a, const SFSign& b) {
    tuning = &a.m_tuning;
    int countA = a.handCount + a.bodyCount;
    int countB = b.handCount + b.bodyCount;
    if (countA == 0 || countB == 0) {
      countA += a.headCount + a.otherCount;
      countB += b.headCount + b.otherCount;
      noOthers = a.otherCount == 0 && b.otherCount == 0;
    }
    countA = std::min(countA, SFSign::MaxComparedSymbols);
    countB = std::min(countB, SFSign::MaxComparedSymbols);
    diff = std::abs(countB - countA);
    if (diff > SFSign::DiffLimit) return false;
    if ((a.handCount > 0) != (b.handCount > 0)) return false;
    // The roles follow the signs, not the order of the arguments.
    const bool aFirst = countA != countB ? countA < countB : a.m_fingerprint <= b.m_fingerprint;
    p = aFirst ? &a : &b;
    q = aFirst ? &b : &a;
    pCount = aFirst ? countA : countB;
    qCount = aFirst ? countB : countA;
    for (int i = 0; i < pCount; ++i)
      for (int j = 0; j < qCount; ++j)
        shape[i * sf::MaxAssigned + j] = p->symbols[size_t(i)].similarity(q->symbols[size_t(j)], true, *tuning);
    return true;
  }

  // The scores with p's symbols moved by (dx, dy).
  void place(int dx, int dy) {
    for (int i = 0; i < pCount; ++i) {
      const SFSymbol& s = p->symbols[size_t(i)];
      for (int j = 0; j < qCount; ++j) {
        const SFSymbol& o = q->symbols[size_t(j)];
        placed[i * sf::MaxAssigned + j] =
            SFSymbol::atDistance(shape[i * sf::MaxAssigned + j], o.x - s.x - dx, o.y - s.y - dy, *tuning);
      }
    }
  }

  int pair(SFPairing pairing, int* columnOfRow) const {
    if (pairing == SFPairing::assignment) return sf::maxPositiveAssignment(placed, pCount, qCount, columnOfRow);
    if (columnOfRow) sf::maxPositiveAssignment(placed, pCount, qCount, columnOfRow);
    return sf::exhaustiveMaxPositiveAssignment(placed, pCount, qCount);
  }

  // The best pairing total over the placements tried. Both signs with faces:
  // the faces lie over each other (where a hand is against the face
  // matters). Otherwise the top-left corners of the compared symbols first,
  // then the median offset of the pairs that placement found, so that
  // symbols without a partner do not pull the pairs apart.
  int bestPairing(SFPairing pairing) {
    if (pCount == 0) return 0;
    int dx = 0, dy = 0;
    if (p->headCount > 0 && q->headCount > 0) {
      topLeft(q->heads, int(q->heads.size()), dx, dy);
      int px = 0, py = 0;
      topLeft(p->heads, int(p->heads.size()), px, py);
      place(dx - px, dy - py);
      return pair(pairing, nullptr);
    }
    int qx = 0, qy = 0;
    topLeft(p->symbols, pCount, dx, dy);
    topLeft(q->symbols, qCount, qx, qy);
    dx = qx - dx;
    dy = qy - dy;
    place(dx, dy);
    int columnOfRow[sf::MaxAssigned];
    const int first = pair(pairing, columnOfRow);
    if (first <= 0) return first;
    int offsetsX[sf::MaxAssigned], offsetsY[sf::MaxAssigned];
    for (int i = 0; i < pCount; ++i) {
      offsetsX[i] = q->symbols[size_t(columnOfRow[i])].x - p->symbols[size_t(i)].x;
      offsetsY[i] = q->symbols[size_t(columnOfRow[i])].y - p->symbols[size_t(i)].y;
    }
    const int mx = median(offsetsX, pCount);
    const int my = median(offsetsY, pCount);
    if (mx == dx && my == dy) return first;
    sf::ScoreMatrix firstScores;
    std::copy(std::begin(placed), std::end(placed), std::begin(firstScores));
    place(mx, my);
    const int second = pair(pairing, nullptr);
    if (second >= first) return second;
    std::copy(std::begin(firstScores), std::end(firstScores), std::begin(placed));
    return first;
  }

  static void topLeft(const std::vector<SFSymbol>& list, int count, int& x, int& y) {
    x = list.front().x;
    y = list.front().y;
    for (int i = 1; i < count; ++i) {
      x = std::min<int>(x, list[size_t(i)].x);
      y = std::min<int>(y, list[size_t(i)].y);
    }
  }

  static int median(int* values, int n) {
    std::sort(values, values + n);
    return n % 2 == 1 ? values[n / 2] : int(std::floor((values[n / 2 - 1] + values[n / 2]) / 2.0));
  }
};

bool SFSign::pairingScores(const SFSign& other, int* scores, int& rows, int& cols) const {
  SFComparison c;
  rows = cols = 0;
  if (!c.prepare(*this, other)) return false;
  c.bestPairing(SFPairing::assignment);
  std::copy(std::begin(c.placed), std::end(c.placed), scores);
  rows = c.pCount;
  cols = c.qCount;
  return true;
}

SFSimilarity SFSign::similarity(const SFSign& other, SFPairing pairing) const {
  SFSimilarity result;
  SFComparison c;
  if (!c.prepare(*this, other)) return result;
  const SFSign& p = *c.p;
  const SFSign& q = *c.q;
  result.maxSim = c.bestPairing(pairing);

  double score = c.pCount > 0 ? double(result.maxSim) / c.pCount : 0.0;
  score -= c.diff * (c.pCount < 3 ? 110 : 50);

  const bool pHasHead = p.headCount > 0;
  const bool qHasHead = q.headCount > 0;
  if (!pHasHead && p.shoulderCount == 1 && qHasHead && q.shoulderCount == 0) score += 50;
  if (pHasHead && p.shoulderCount == 0 && !qHasHead && q.shoulderCount == 1) score += 50;
  if (pHasHead && qHasHead && !c.noOthers) score += 80 - headDifference(p.heads, q.heads, m_tuning);

  score -= HeadContactDiffWeight * std::abs(headCount - other.headCount);
  score -= markDifference(p.marks, q.marks, m_tuning);
  result.shapeAndLocation = std::clamp(score / 1000.0, 0.0, 1.0) * 0.9;
  result.movement = p.movementVector.similarity(q.movementVector);
  result.total = result.shapeAndLocation + MovementWeight * result.movement;
  const double most = std::max(m_selfTotal, other.m_selfTotal);
  result.score = most > 0 ? std::min(1.0, result.total / most) : 0.0;
  return result;
}

SFSimilarity SFSign::similarity(const SFSign& other, const SFSign* mirrorImage) const {
  const SFSimilarity direct = similarity(other);
  if (!mirrorImage) return direct;
  SFSimilarity image = mirrorImage->similarity(other);
  if (image.score <= direct.score) return direct;
  image.mirrored = true;
  return image;
}

QString similarityPercent(double score) { return QString::asprintf("%.1f %%", score * 100.0); }

}  // namespace quabe
