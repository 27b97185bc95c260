#include "finder/SFSignVector.h"

#include <cmath>

namespace quabe {

namespace {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

Vec3 normalized(Vec3 v) {
  const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (n == 0) return v;
  return {v.x / n, v.y / n, v.z / n};
}

void addHalves(std::array<double, SFSignVector::Length>& v, int at, Vec3 d, bool bothWays) {
  const double c[3] = {d.x, d.y, d.z};
  for (int i = 0; i < 3; ++i) {
    if (bothWays) {
      v[size_t(at + 2 * i)] += std::abs(c[i]) * 0.7;
      v[size_t(at + 2 * i + 1)] += std::abs(c[i]) * 0.7;
    } else {
      v[size_t(at + 2 * i)] += std::max(c[i], 0.0);
      v[size_t(at + 2 * i + 1)] += std::max(-c[i], 0.0);
    }
  }
}

int strokeCount(const SFSymbol& a) {
  if (a.group != 3 && a.group != 5) return 1;
  switch (a.baseSymbol) {
    case 2:
    case 3:
    case 4:
      return 2;
    case 5:
    case 6:
      return 3;
    default:
      return 1;
  }
}

bool isAlternating(const SFSymbol& a) {
  return (a.group == 3 || a.group == 5) && (a.baseSymbol == 3 || a.baseSymbol == 6);
}

}  // namespace

const std::array<double, SFSignVector::Length>& SFSignVector::weights() {
  static const std::array<double, Length> w = [] {
    std::array<double, Length> r{};
    const double block[BlockLength] = {800, 800,  800, 800, 800, 800, 50,  50,  50,
                                       10,  2000, 50,  500, 500, 500, 500, 500, 500};
    for (int b = 0; b < 2; ++b)
      for (int i = 0; i < BlockLength; ++i) r[size_t(b * BlockLength + i)] = block[i];
    r[36] = 10;
    r[37] = 10;
    r[38] = 5;
    return r;
  }();
  return w;
}

void SFSignVector::addArrow(std::array<double, Length>& v, int at, const SFSymbol& a, const SFTuning& tuning) {
  const int r = (a.rotation >= 1 && a.rotation <= 16) ? a.rotation : 1;
  const bool mirrored = r > 8;
  double angle = ((r - 1) % 8) * M_PI / 4.0;
  if (mirrored) angle = -angle;
  const double px = -std::sin(angle);
  const double py = std::cos(angle);
  const double sense = mirrored ? -1.0 : 1.0;
  Vec3 dir;
  Vec3 axis;
  int plane = 0;  // 0 wall, 1 floor, 2 diagonal or circle
  bool curved = false;
  switch (a.group) {
    case 3:
      dir = {px, py, 0};
      break;
    case 4:
      dir = normalized({px, py, (a.baseSymbol == 1 || a.baseSymbol == 3) ? 1.0 : -1.0});
      plane = 2;
      break;
    case 5:
      dir = {px, 0, py};
      plane = 1;
      break;
    case 6:
      dir = {px, py, 0};
      axis = {0, 0, sense};
      curved = true;
      break;
    case 7:
      dir = {px, py, 0};
      axis = {py * sense, -px * sense, 0};  // dir x z
      curved = true;
      break;
    case 8:
      dir = {px, 0, py};
      axis = {-py * sense, 0, px * sense};  // dir x y
      plane = 1;
      curved = true;
      break;
    case 9:
      dir = {px, 0, py};
      axis = {0, sense, 0};
      plane = 1;
      curved = true;
      break;
    case 10:
      plane = 2;
      curved = true;
      if (a.baseSymbol != 6 && a.baseSymbol != 7) axis = {0, 0, sense};
      break;
    default:
      return;
  }
  const double length = tuning.arrowDirectionPercent / 100.0;
  dir = {dir.x * length, dir.y * length, dir.z * length};
  axis = {axis.x * length, axis.y * length, axis.z * length};
  addHalves(v, at, dir, isAlternating(a));
  v[size_t(at + 6 + plane)] += 1;
  v[size_t(at + 9)] += strokeCount(a);
  v[size_t(at + 10)] += 1;
  if (curved) v[size_t(at + 11)] += 1;
  addHalves(v, at + 12, axis, false);
}

void SFSignVector::fill(const std::vector<SFSymbol>& symbols, const SFTuning& tuning) {
  vector.fill(0);
  const bool allInFirst = tuning.firstBlockHoldsAllArrows;
  for (const SFSymbol& s : symbols) {
    if (s.category == Category::dynamics) {
      vector[38] += 1;
      continue;
    }
    if (s.category != Category::movement) continue;
    if (s.group == 1) {
      vector[36] += 1;
    } else if (s.group == 2) {
      vector[37] += 1;
    } else if (s.isArrow()) {
      const bool left = s.fill == 2 || s.fill == 3;
      const bool right = s.fill != 2;
      if (allInFirst) {
        addArrow(vector, 0, s, tuning);
        if (left) addArrow(vector, BlockLength, s, tuning);
      } else {
        if (right) addArrow(vector, 0, s, tuning);
        if (left) addArrow(vector, BlockLength, s, tuning);
      }
    }
  }
}

double SFSignVector::similarity(const SFSignVector& other) const {
  const auto& w = weights();
  double dot = 0, na = 0, nb = 0;
  for (int i = 0; i < Length; ++i) {
    const double a = vector[size_t(i)];
    const double b = other.vector[size_t(i)];
    dot += a * b * w[size_t(i)];
    na += a * a * w[size_t(i)];
    nb += b * b * w[size_t(i)];
  }
  if (dot != 0) return dot / (std::sqrt(nb) * std::sqrt(na));
  return (na == 0 && nb == 0) ? 0.1 : 0.0;
}

}  // namespace quabe
