// Signs and documents to and from FSW and SWU text.
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <cmath>

#include "core/AtomicFile.h"
#include "document/Document.h"
#include "document/Fsw.h"
#include "symbols/SymbolArchive.h"

namespace quabe {

namespace {

// A code of ISWA 2010: it has a key and, once the archive is there, the
// archive holds the font's own glyph for it (rotations the archive only
// synthesises are not ISWA symbols).
bool isIswaCode(SymbolCode code) {
  if (SSS::fswKeyNumber(code) == 0) return false;
  const SymbolArchive& archive = SymbolArchive::shared();
  return !archive.isLoaded() || archive.contains(code);
}

int fitCoordinate(long value, bool& clamped) {
  if (value >= FswMinCoordinate && value <= FswMaxCoordinate) return int(value);
  clamped = true;
  return int(std::clamp<long>(value, FswMinCoordinate, FswMaxCoordinate));
}

QString keyText(int key) { return QStringLiteral("S%1").arg(key, 5, 16, QLatin1Char('0')); }

// Problems of one sign go to the list with the sign's place in front.
class Problems {
 public:
  Problems(QStringList* target, QString place) : m_target(target), m_place(std::move(place)) {}
  QStringList* list() { return m_target ? &m_local : nullptr; }
  ~Problems() {
    for (const QString& p : m_local) m_target->append(m_place + QStringLiteral(": ") + p);
  }

 private:
  QStringList* m_target;
  QString m_place;
  QStringList m_local;
};

}  // namespace

bool Fsw::isIswaKey(int key) {
  const SymbolCode code = SSS::fromFswKeyNumber(key);
  return code != 0 && isIswaCode(code);
}

FswSign Fsw::place(char box, QList<FswSymbol> symbols, int width, int height, QStringList* problems) {
  FswSign out;
  out.box = box;
  out.symbols = std::move(symbols);
  if (out.symbols.isEmpty()) return out;
  const long dx = FswCentre - width / 2 - out.minX();
  const long dy = FswCentre - height / 2 - out.minY();
  bool clamped = false;
  out.hasSortPrefix = true;
  out.sortKeys.reserve(out.symbols.size());
  for (FswSymbol& s : out.symbols) {
    out.sortKeys.append(s.key);
    s.x = fitCoordinate(s.x + dx, clamped);
    s.y = fitCoordinate(s.y + dy, clamped);
  }
  out.maxX = fitCoordinate(long(FswCentre) - width / 2 + width, clamped);
  out.maxY = fitCoordinate(long(FswCentre) - height / 2 + height, clamped);
  if (clamped && problems)
    problems->append(QStringLiteral("larger than the %1-unit box of FSW; positions clamped to %2-%3")
                         .arg(FswMaxCoordinate - FswMinCoordinate + 1)
                         .arg(FswMinCoordinate)
                         .arg(FswMaxCoordinate));
  return out;
}

FswSign Fsw::fromSign(const Sign& sign, QStringList* problems) {
  QList<FswSymbol> kept;
  kept.reserve(sign.symbols.size());
  long right = LONG_MIN, bottom = LONG_MIN, left = LONG_MAX, top = LONG_MAX;
  for (const ISWAPtr& symbol : sign.symbols) {
    if (!symbol) continue;
    const SymbolCode code = symbol->sss();
    if (!isIswaCode(code)) {
      if (problems)
        problems->append(QStringLiteral("symbol %1 is not in ISWA 2010; left out").arg(SSS::toString(code)));
      continue;
    }
    const QRectF& r = symbol->rect;
    const int x = int(std::lround(r.x())), y = int(std::lround(r.y()));
    kept.append({SSS::fswKeyNumber(code), x, y});
    left = std::min<long>(left, x);
    top = std::min<long>(top, y);
    right = std::max<long>(right, x + std::lround(r.width()));
    bottom = std::max<long>(bottom, y + std::lround(r.height()));
  }
  const char box = sign.lane < 0 ? 'L' : sign.lane > 0 ? 'R' : 'M';
  if (kept.isEmpty()) return place(box, {}, 0, 0);
  return place(box, std::move(kept), int(right - left), int(bottom - top), problems);
}

QString Fsw::writeLines(const QList<QList<SignPtr>>& lines, Form form, QStringList* problems) {
  QString out;
  for (qsizetype l = 0; l < lines.size(); ++l) {
    if (l > 0) out += QLatin1Char('\n');
    const QList<SignPtr>& signs = lines[l];
    out.reserve(out.size() + signs.size() * (form == Form::fsw ? 48 : 24));
    for (qsizetype i = 0; i < signs.size(); ++i) {
      if (!signs[i]) continue;
      if (i > 0) out += QLatin1Char(' ');
      Problems local(problems, !problems          ? QString()
                               : lines.size() > 1 ? QStringLiteral("line %1, sign %2").arg(l + 1).arg(i + 1)
                                                  : QStringLiteral("sign %1").arg(i + 1));
      const FswSign written = fromSign(*signs[i], local.list());
      form == Form::fsw ? written.appendFsw(out) : written.appendSwu(out);
    }
  }
  return out;
}

QString Fsw::writeDocument(const BufferManager& buffer, Form form, QStringList* problems) {
  QList<QList<SignPtr>> lines;
  lines.reserve(buffer.editBuffer.size());
  for (const SignStringPtr& line : buffer.editBuffer) {
    if (!line) continue;
    lines.append(line->signArray.mid(0, line->count() - (line->endsWithEmptySign() ? 1 : 0)));
  }
  QString out = writeLines(lines, form, problems);
  if (!lines.isEmpty()) out += QLatin1Char('\n');
  return out;
}

SignPtr Fsw::toSign(const FswSign& written, QStringList* problems) {
  auto sign = std::make_shared<Sign>();
  sign->lane = written.lane();
  sign->symbols.reserve(written.symbols.size());
  bool clamped = false;
  for (const FswSymbol& s : written.symbols) {
    const SymbolCode code = SSS::fromFswKeyNumber(s.key);
    std::optional<ISWA> made = code != 0 ? ISWA::make(code) : std::nullopt;
    if (!made || !isIswaCode(code)) {
      if (problems) problems->append(QStringLiteral("symbol %1 is not in ISWA 2010; left out").arg(keyText(s.key)));
      continue;
    }
    made->rect.moveTopLeft(QPointF(fitCoordinate(s.x, clamped), fitCoordinate(s.y, clamped)));
    sign->symbols.append(std::make_shared<ISWA>(std::move(*made)));
  }
  if (clamped && problems)
    problems->append(QStringLiteral("coordinates outside %1-%2 clamped").arg(FswMinCoordinate).arg(FswMaxCoordinate));
  sign->updateBounds();
  const qreal left = sign->leftMost, top = sign->topMost;
  for (const ISWAPtr& symbol : sign->symbols) symbol->rect.translate(-left, -top);
  sign->updateBounds();
  return sign;
}

Fsw::Reading Fsw::read(QStringView text) {
  Reading reading;
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  if (text.isEmpty()) return reading;
  // Signs stand apart from the words around them: no letter or digit
  // directly before or after a run of signs.
  const auto isWordChar = [](QStringView line, qsizetype i) {
    return i >= 0 && i < line.size() && line[i].isLetterOrNumber();
  };
  for (QStringView line : text.split(QLatin1Char('\n'))) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    QList<SignPtr> signs;
    qsizetype pos = 0;
    while (pos < line.size()) {
      qsizetype end = pos;
      QList<FswSign> run;
      if (!isWordChar(line, pos - 1)) {
        while (std::optional<FswSign> sign = FswSign::parseAt(line, end)) run.append(std::move(*sign));
      }
      if (run.isEmpty() || isWordChar(line, end)) {
        pos += line[pos].isHighSurrogate() ? 2 : 1;
        continue;
      }
      for (const FswSign& written : run) {
        Problems local(&reading.problems,
                       QStringLiteral("line %1, sign %2").arg(reading.lines.size() + 1).arg(signs.size() + 1));
        SignPtr sign = toSign(written, local.list());
        // A sign whose every symbol was refused is not kept.
        if (sign->symbols.isEmpty() && !written.symbols.isEmpty()) continue;
        signs.append(std::move(sign));
      }
      pos = end;
    }
    reading.signCount += int(signs.size());
    reading.lines.append(std::move(signs));
  }
  return reading;
}

void Fsw::fillBuffer(const Reading& reading, BufferManager& buffer, const Preferences& prefs) {
  buffer.editBuffer.clear();
  for (const QList<SignPtr>& signs : reading.lines) {
    auto line = std::make_shared<SignString>();
    for (const SignPtr& sign : signs) {
      sign->center(prefs.defaultSignBoxWidth, prefs.defaultSignBoxHeight, prefs.verticalWriting);
      line->signArray.append(sign);
    }
    line->signArray.append(std::make_shared<Sign>());
    buffer.editBuffer.append(line);
  }
  Document::completeReading(buffer, prefs);
}

bool Fsw::isSignTextFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("fsw") || suffix == QLatin1String("swu") || suffix == QLatin1String("txt")) return true;
  if (suffix == QLatin1String("swml") || suffix == QLatin1String("xml")) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = file.read(256).trimmed();
  return !head.startsWith('<') && !head.startsWith("\xEF\xBB\xBF<");
}

std::optional<Fsw::Reading> Fsw::readFile(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = file.errorString();
    return std::nullopt;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = file.errorString();
    return std::nullopt;
  }
  return read(QString::fromUtf8(bytes));
}

bool Fsw::writeFile(const QString& path, const QString& text, QString* error) {
  return saveAtomically(path, text.toUtf8(), error);
}

QString Fsw::summary(const QStringList& problems) {
  constexpr qsizetype shown = 8;
  QString text = problems.mid(0, shown).join(QLatin1Char('\n'));
  if (problems.size() > shown) text += QStringLiteral("\n… (%1 more)").arg(problems.size() - shown);
  return text;
}

}  // namespace quabe
