// Turning and mirroring symbols within the rotations the symbol set draws.
#include <QReadLocker>
#include <QWriteLocker>
#include <algorithm>
#include <vector>

#include "symbols/SymbolArchive.h"

namespace quabe {

namespace {

constexpr quint32 PlainSide = 0x1FE;       // rotations 1-8
constexpr quint32 MirroredSide = 0x1FE00;  // rotations 9-16
// Pictures that differ by less than this share are taken for each other.
constexpr double AlikeDistance = 0.08;

quint32 bit(int r) { return 1u << r; }
quint32 sideOf(int r) { return r <= 8 ? PlainSide : MirroredSide; }
int mod(int a, int m) { return ((a % m) + m) % m; }

// One 45-degree step or several, positive clockwise, on the rotation's side.
int plainTurn(int r, int steps) { return r <= 8 ? mod(r + 7 - steps, 8) + 1 : mod(r + steps - 1, 8) + 9; }

// The symbol set's own mirror image: left-right swaps r and r + 8;
// top-bottom is that turned by 180 degrees.
int plainMirror(int r, bool vertical) {
  if (!vertical) return ((r + 7) & 15) + 1;
  return ((r >= 1 && r <= 4) || (r >= 9 && r <= 12)) ? ((r + 11) & 15) + 1 : ((r + 3) & 15) + 1;
}

// The direction reflected on the same side: the likeliest partner of a
// symmetric picture, preferred among equally good ones.
int reflected(int r, bool vertical) {
  const int base = r > 8 ? 8 : 0;
  return mod((vertical ? 13 : 9) - (r - base), 8) + 1 + base;
}

// The dark pixels of a picture.
struct Ink {
  int width = 0;
  int height = 0;
  std::vector<char> dark;
  explicit Ink(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    width = image.width();
    height = image.height();
    dark.resize(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < width; ++x) dark[size_t(y * width + x)] = qAlpha(line[x]) > 127 && qGray(line[x]) < 128;
    }
  }
  bool at(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && dark[size_t(y * width + x)]; }
  bool near(int x, int y) const {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (at(x + dx, y + dy)) return true;
    return false;
  }
};

// With b shifted by (ox, oy) over a.
double inkDistance(const Ink& a, const Ink& b, int ox, int oy) {
  int ink = 0, unmatched = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      if (a.at(x, y)) {
        ++ink;
        unmatched += !b.near(x + ox, y + oy);
      }
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x)
      if (b.at(x, y)) {
        ++ink;
        unmatched += !a.near(x - ox, y - oy);
      }
  return ink == 0 ? 0 : double(unmatched) / ink;
}

// Centred on each other; an odd difference in size is tried both ways.
double inkDistance(const Ink& a, const Ink& b) {
  const int dw = b.width - a.width, dh = b.height - a.height;
  double best = 1;
  for (const int ox : {dw / 2, dw - dw / 2})
    for (const int oy : {dh / 2, dh - dh / 2}) best = std::min(best, inkDistance(a, b, ox, oy));
  return best;
}

}  // namespace

double SymbolArchive::pictureDistance(const QImage& a, const QImage& b) { return inkDistance(Ink(a), Ink(b)); }

quint32 SymbolArchive::storedRotations(SymbolCode code) {
  ensureLoaded();
  QReadLocker locker(&m_lock);
  quint32 rotations = 0;
  for (int r = 1; r <= 16; ++r)
    if (m_encoded.contains(SSS::withRotation(code, r))) rotations |= bit(r);
  return rotations;
}

SymbolCode SymbolArchive::turned(SymbolCode code, int steps) {
  const int r = SSS::rotation(code);
  if (r < 1 || r > 16) return code;
  const quint32 side = storedRotations(code) & sideOf(r);
  const int target = plainTurn(r, steps);
  if (side == 0 || (side & bit(target))) return SSS::withRotation(code, target);
  // Step by step, passing over the rotations the symbol set does not draw.
  const int step = steps > 0 ? 1 : -1;
  int next = r;
  for (int i = 0; i < std::abs(steps); ++i) {
    do {
      next = plainTurn(next, step);
    } while (!(side & bit(next)));
  }
  return SSS::withRotation(code, next);
}

SymbolCode SymbolArchive::mirrored(SymbolCode code, bool vertical) {
  const int r = SSS::rotation(code);
  if (r < 1 || r > 16) return code;
  const quint32 stored = storedRotations(code);
  const int plain = plainMirror(r, vertical);
  if (stored & bit(r)) {
    if (stored & bit(plain)) return SSS::withRotation(code, plain);
    const int partner = mirrorPartner(code, vertical);
    return partner ? SSS::withRotation(code, partner) : code;
  }
  // A derived rotation on a side the symbol set does not draw stands for
  // the drawn rotation across: it mirrors as that one does, on its own side.
  const auto standsForDrawn = [stored](int q) {
    return !(stored & sideOf(q)) && (stored & bit(q > 8 ? q - 8 : q + 8));
  };
  if (standsForDrawn(r)) {
    const int across = r > 8 ? r - 8 : r + 8;
    const int partner = SSS::rotation(mirrored(SSS::withRotation(code, across), vertical));
    return SSS::withRotation(code, partner > 8 ? partner - 8 : partner + 8);
  }
  // Any other derived rotation mirrors plainly, when that stays among such
  // rotations (so that mirroring twice returns).
  if ((stored & bit(plain)) || standsForDrawn(plain)) return code;
  return SSS::withRotation(code, plain);
}

int SymbolArchive::mirrorPartner(SymbolCode code, bool vertical) {
  const quint32 key = ((code >> 8) << 1) | (vertical ? 1 : 0);
  const int r = SSS::rotation(code);
  {
    QReadLocker locker(&m_lock);
    const auto found = m_mirrorPartners.constFind(key);
    if (found != m_mirrorPartners.constEnd()) return (*found)[size_t(r)];
  }
  // The drawn rotations without a drawn mirror image are paired by their
  // pictures, the most alike pairs first.
  const quint32 stored = storedRotations(code);
  std::vector<int> open;
  std::array<std::optional<Ink>, 17> pictures, mirroredPictures;
  for (int q = 1; q <= 16; ++q) {
    if (!(stored & bit(q)) || (stored & bit(plainMirror(q, vertical)))) continue;
    const std::optional<QImage> picture = archivedImage(SSS::withRotation(code, q));
    if (!picture) continue;
    open.push_back(q);
    pictures[size_t(q)].emplace(*picture);
    mirroredPictures[size_t(q)].emplace(mirrorImage(*picture, !vertical));
  }
  struct Pair {
    double distance;
    int preference;  // the reflected direction first, then the rotation itself
    int a, b;
  };
  std::vector<Pair> pairs;
  for (int a : open)
    for (int b : open) {
      if (b < a) continue;
      const double distance = std::max(inkDistance(*mirroredPictures[size_t(a)], *pictures[size_t(b)]),
                                       inkDistance(*mirroredPictures[size_t(b)], *pictures[size_t(a)]));
      if (distance > AlikeDistance) continue;
      pairs.push_back({distance, b == reflected(a, vertical) ? 0 : (a == b ? 1 : 2), a, b});
    }
  std::sort(pairs.begin(), pairs.end(), [](const Pair& x, const Pair& y) {
    if (x.distance != y.distance) return x.distance < y.distance;
    if (x.preference != y.preference) return x.preference < y.preference;
    return std::pair(x.a, x.b) < std::pair(y.a, y.b);
  });
  std::array<qint8, 17> partners{};
  for (const Pair& pair : pairs) {
    if (partners[size_t(pair.a)] || partners[size_t(pair.b)]) continue;
    partners[size_t(pair.a)] = qint8(pair.b);
    partners[size_t(pair.b)] = qint8(pair.a);
  }
  QWriteLocker locker(&m_lock);
  m_mirrorPartners.insert(key, partners);
  return partners[size_t(r)];
}

}  // namespace quabe
