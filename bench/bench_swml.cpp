// Reading and writing a generated 10,000-sign SWML document, and the memory
// of holding it. Prints the peak and current resident size at the end.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "BenchMain.h"
#include "core/Resources.h"
#include "document/DbSign.h"
#include "document/Document.h"
#include "document/SwmlDelegate.h"
#include "document/SwmlWriter.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {
constexpr int kSigns = 10000;
constexpr int kSignsPerLine = 50;

// Memory fields of /proc/self/status in kB ("VmHWM", "VmRSS").
long statusKb(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  const QByteArray key = QByteArray(field) + ':';
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ').first().toLong();
  return -1;
}

// kSigns signs of one to four symbols with glosses, some readings and
// comments, in lines of kSignsPerLine signs (plus each line's break).
BufferManager generateDocument() {
  const char* codes[] = {"01-01-001-01-01-01", "01-05-001-01-01-01", "04-01-001-01-01-01",
                         "02-01-001-01-01-01", "01-01-001-01-02-03", "01-02-001-01-01-09"};
  BufferManager buffer;
  buffer.editBuffer.clear();
  SignStringPtr line;
  for (int i = 0; i < kSigns; ++i) {
    if (i % kSignsPerLine == 0) {
      if (line) line->signArray.append(std::make_shared<Sign>());
      line = std::make_shared<SignString>();
      buffer.editBuffer.append(line);
    }
    auto sign = std::make_shared<Sign>();
    sign->jjs->gloss = QStringLiteral("SIGN%1").arg(i);
    if (i % 3 == 0) sign->jjs->yomi = QStringLiteral("よみ%1").arg(i);
    if (i % 10 == 0) sign->comment = QStringLiteral("comment <%1> & more").arg(i);
    sign->lane = i % 3 - 1;
    for (int s = 0; s <= i % 4; ++s) {
      std::optional<ISWA> symbol = ISWA::make(QString::fromLatin1(codes[(i + s) % 6]));
      if (!symbol) continue;
      symbol->rect.moveTopLeft(QPointF(10 + 13 * s, 20 + 7 * s));
      sign->symbols.append(std::make_shared<ISWA>(std::move(*symbol)));
    }
    sign->updateBounds();
    line->signArray.append(sign);
  }
  line->signArray.append(std::make_shared<Sign>());
  return buffer;
}

Preferences benchPreferences() {
  Preferences prefs;
  prefs.defaultSignBoxWidth = 150;
  prefs.defaultSignBoxHeight = 150;
  return prefs;
}

BufferManager& document() {
  static BufferManager buffer = generateDocument();
  return buffer;
}

QByteArray& documentBytes() {
  static QByteArray bytes = SwmlWriter::write(document(), benchPreferences());
  return bytes;
}

void BM_WriteSwml(benchmark::State& state) {
  const Preferences prefs = benchPreferences();
  for (auto _ : state) {
    QByteArray bytes = SwmlWriter::write(document(), prefs);
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes"] = double(documentBytes().size());
  state.counters["signs"] = kSigns;
}
BENCHMARK(BM_WriteSwml)->Unit(benchmark::kMillisecond);

void BM_ReadSwml(benchmark::State& state) {
  for (auto _ : state) {
    BufferManager buffer;
    Preferences prefs = benchPreferences();
    QBuffer device(&documentBytes());
    device.open(QIODevice::ReadOnly);
    SWMLDelegate delegate(buffer, prefs);
    const SwmlReadReport report = delegate.read(device);
    Document::completeReading(buffer, prefs);
    if (report.isDamaged() || buffer.lineCount() != kSigns / kSignsPerLine) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(buffer);
  }
}
BENCHMARK(BM_ReadSwml)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  bench::drawOffscreenByDefault();
  QGuiApplication app(argc, argv);
  if (!bench::loadSymbolImages("bench_swml")) return 1;
  // Decode the images the document uses before measuring its memory.
  SymbolArchive::shared().image(SSS::fromString(QStringLiteral("01-01-001-01-01-01")));
  const long rssBefore = statusKb("VmRSS");
  document();
  const long rssDocument = statusKb("VmRSS");
  const qsizetype bytes = documentBytes().size();
  const long rssText = statusKb("VmRSS");

  bench::runBenchmarks(argc, argv);

  std::printf("document: %d signs, %lld bytes of SWML\n", kSigns, static_cast<long long>(bytes));
  std::printf(
      "memory: VmRSS %ld kB before generating, %ld kB holding the document (+%ld kB), %ld kB with its "
      "SWML text (+%ld kB)\n",
      rssBefore, rssDocument, rssDocument - rssBefore, rssText, rssText - rssDocument);
  std::printf("memory: VmHWM (peak) %ld kB, VmRSS at end %ld kB\n", statusKb("VmHWM"), statusKb("VmRSS"));
  return 0;
}
