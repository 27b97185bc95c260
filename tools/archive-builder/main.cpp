// quabe-archive-builder: renders every symbol of the SignWriting fonts into
// the symbol image archive "iswa2010bin" and lists them with their sizes in
// the SQLite file "iswa2010data.db".
//
//   quabe-archive-builder --line SuttonSignWritingLine.ttf --fill SuttonSignWritingFill.ttf --out DIR

#include <sqlite3.h>

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImageWriter>
#include <QSaveFile>
#include <QtConcurrent>
#include <algorithm>
#include <cstdio>

#include "symbols/SymbolArchive.h"
#include "symbols/SymbolDrawing.h"

using namespace quabe;

namespace {

struct Rendered {
  SymbolCode code = 0;
  QByteArray png;
  QSize size;
};

QByteArray encodePng(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image.convertToFormat(QImage::Format_ARGB32))) return QByteArray();
  return bytes;
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

bool writeAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

// Builds the symbol list in an in-memory database and returns its file image.
QByteArray symbolDatabase(const QList<Rendered>& symbols) {
  sqlite3* db = nullptr;
  if (sqlite3_open(":memory:", &db) != SQLITE_OK) {
    sqlite3_close(db);
    return QByteArray();
  }
  bool ok = sqlite3_exec(db,
                         "CREATE TABLE Symbols(code TEXT PRIMARY KEY, fsw TEXT, width INTEGER, height INTEGER);"
                         "BEGIN;",
                         nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_stmt* insert = nullptr;
  ok = ok && sqlite3_prepare_v2(db, "INSERT OR REPLACE INTO Symbols(code, fsw, width, height) VALUES(?, ?, ?, ?)", -1,
                                &insert, nullptr) == SQLITE_OK;
  for (int i = 0; ok && i < symbols.size(); ++i) {
    const Rendered& symbol = symbols[i];
    const QByteArray code = SSS::toString(symbol.code).toLatin1();
    const QByteArray fsw = SSS::toFswKey(symbol.code).toLatin1();
    sqlite3_bind_text(insert, 1, code.constData(), int(code.size()), SQLITE_TRANSIENT);
    if (fsw.isEmpty())  // the extension symbols have no FSW key
      sqlite3_bind_null(insert, 2);
    else
      sqlite3_bind_text(insert, 2, fsw.constData(), int(fsw.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int(insert, 3, symbol.size.width());
    sqlite3_bind_int(insert, 4, symbol.size.height());
    ok = sqlite3_step(insert) == SQLITE_DONE;
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  ok = ok && sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
  QByteArray image;
  if (ok) {
    sqlite3_int64 size = 0;
    unsigned char* data = sqlite3_serialize(db, "main", &size, 0);
    if (data) image = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
    sqlite3_free(data);
  }
  sqlite3_close(db);
  return image;
}

// How the font's own glyphs of derived rotations compare with the images the
// archive would synthesise from rotations 1 and 2.
void compareSynthesis(const SymbolFonts& fonts, const QList<GlyphId>& glyphs) {
  int derived = 0, otherSize = 0, identical = 0, visiblyDifferent = 0;
  QHash<SymbolCode, QImage> upright;
  for (const GlyphId& glyph : glyphs)
    if (glyph.rotation < 2) upright.insert(glyph.code(), fonts.drawing(glyph).render());
  for (const GlyphId& glyph : glyphs) {
    const SymbolCode code = glyph.code();
    const int r = SSS::rotation(code);
    const int reduced = SymbolArchive::reducedRotation(r, SSS::rotationCount(code));
    if (reduced < 3) continue;
    const QImage base = upright.value(SSS::withRotation(code, reduced % 2 == 1 ? 1 : 2));
    if (base.isNull()) continue;
    ++derived;
    const QImage synthesised = SymbolArchive::synthesize(base, reduced).convertToFormat(QImage::Format_ARGB32);
    const QImage font = fonts.drawing(glyph).render().convertToFormat(QImage::Format_ARGB32);
    if (synthesised.size() != font.size()) {
      ++otherSize;
      continue;
    }
    int worst = 0;
    for (int y = 0; y < font.height(); ++y)
      for (int x = 0; x < font.width(); ++x) {
        const QRgb a = synthesised.pixel(x, y), b = font.pixel(x, y);
        worst = std::max({worst, std::abs(qAlpha(a) - qAlpha(b)), std::abs(qGray(a) - qGray(b))});
      }
    identical += worst == 0;
    visiblyDifferent += worst > 64;
  }
  std::printf(
      "derived rotations %d: %d of another size, %d identical, %d same size with a pixel off by more than 64/255\n",
      derived, otherSize, identical, visiblyDifferent);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  QGuiApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Renders the SignWriting fonts into the symbol image archive."));
  parser.addHelpOption();
  parser.addOption({QStringLiteral("line"), QStringLiteral("Line font (TTF)."), QStringLiteral("path")});
  parser.addOption({QStringLiteral("fill"), QStringLiteral("Fill font (TTF)."), QStringLiteral("path")});
  parser.addOption({QStringLiteral("out"), QStringLiteral("Output directory."), QStringLiteral("dir")});
  parser.addOption({QStringLiteral("compare-synthesis"),
                    QStringLiteral("Also report how the font's rotations differ from synthesised ones.")});
  parser.process(app);
  if (!parser.isSet(QStringLiteral("line")) || !parser.isSet(QStringLiteral("fill")) ||
      !parser.isSet(QStringLiteral("out"))) {
    std::fprintf(stderr, "usage: quabe-archive-builder --line LINE.ttf --fill FILL.ttf --out DIR\n");
    return 2;
  }
  QElapsedTimer timer;
  timer.start();

  const QByteArray lineData = readFile(parser.value(QStringLiteral("line")));
  const QByteArray fillData = readFile(parser.value(QStringLiteral("fill")));
  const SymbolFonts probe(lineData, fillData);
  if (lineData.isEmpty() || fillData.isEmpty() || !probe.isValid()) {
    std::fprintf(stderr, "quabe-archive-builder: cannot read the fonts\n");
    return 1;
  }

  QList<GlyphId> glyphs;
  for (int key = ISWA2010Code::firstKey; key <= ISWA2010Code::lastKey; ++key)
    for (int fill = 0; fill < 6; ++fill)
      for (int rotation = 0; rotation < 16; ++rotation) {
        const GlyphId glyph{key, fill, rotation};
        if (probe.hasGlyph(glyph)) glyphs << glyph;
      }

  // Chunks rendered in parallel, each with its own fonts.
  constexpr int kChunk = 1024;
  QList<QList<GlyphId>> chunks;
  for (int i = 0; i < glyphs.size(); i += kChunk) chunks << glyphs.mid(i, kChunk);
  const QList<QList<Rendered>> renderedChunks =
      QtConcurrent::blockingMapped(chunks, [&lineData, &fillData](const QList<GlyphId>& chunk) {
        const SymbolFonts fonts(lineData, fillData);
        QList<Rendered> out;
        out.reserve(chunk.size());
        for (const GlyphId& glyph : chunk) {
          const QImage image = fonts.drawing(glyph).render();
          out << Rendered{glyph.code(), encodePng(image), image.size()};
        }
        return out;
      });

  QList<Rendered> symbols;
  symbols.reserve(glyphs.size() + extensionCodes().size());
  for (const auto& chunk : renderedChunks) symbols << chunk;
  for (const SymbolCode code : extensionCodes()) {
    const QImage image = extensionDrawing(SSS::baseSymbol(code), SSS::rotation(code)).render();
    symbols << Rendered{code, encodePng(image), image.size()};
  }

  QList<QPair<SymbolCode, QByteArray>> entries;
  entries.reserve(symbols.size());
  for (const Rendered& symbol : symbols) {
    if (symbol.png.isEmpty()) {
      std::fprintf(stderr, "quabe-archive-builder: cannot encode %s\n", qPrintable(SSS::toString(symbol.code)));
      return 1;
    }
    entries << qMakePair(symbol.code, symbol.png);
  }
  const QByteArray archive = SymbolArchive::encodeArchive(entries);
  if (archive.isEmpty()) {
    std::fprintf(stderr, "quabe-archive-builder: the symbols do not fit the archive layout\n");
    return 1;
  }
  const QByteArray database = symbolDatabase(symbols);
  if (database.isEmpty()) {
    std::fprintf(stderr, "quabe-archive-builder: cannot build the symbol database\n");
    return 1;
  }

  const QDir out(parser.value(QStringLiteral("out")));
  if (!QDir().mkpath(out.path()) || !writeAtomically(out.filePath(QStringLiteral("iswa2010bin")), archive) ||
      !writeAtomically(out.filePath(QStringLiteral("iswa2010data.db")), database)) {
    std::fprintf(stderr, "quabe-archive-builder: cannot write into %s\n", qPrintable(out.path()));
    return 1;
  }
  std::printf("quabe-archive-builder: %lld symbols (%d from the fonts), iswa2010bin %lld bytes, %.2f s\n",
              static_cast<long long>(symbols.size()), int(glyphs.size()), static_cast<long long>(archive.size()),
              timer.elapsed() / 1000.0);
  if (parser.isSet(QStringLiteral("compare-synthesis"))) compareSynthesis(probe, glyphs);
  return 0;
}
