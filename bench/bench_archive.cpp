// Loading and look-up costs of the symbol image archive (iswa2010bin from the
// build's resource directory).
#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QtEndian>
#include <cstdio>

#include "core/Resources.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {

QString archivePath() { return Resources::path(QStringLiteral("iswa2010bin")); }

QList<SymbolCode> sampleCodes(const SymbolArchive& archive, int count) {
  QList<SymbolCode> codes = archive.storedCodes();
  std::sort(codes.begin(), codes.end());
  QList<SymbolCode> sample;
  const int step = std::max(1, int(codes.size()) / count);
  for (int i = 0; i < codes.size() && sample.size() < count; i += step) sample << codes[i];
  return sample;
}

void BM_LoadWholeArchive(benchmark::State& state) {
  const QString path = archivePath();
  for (auto _ : state) {
    SymbolArchive archive;
    archive.loadImageArchive(path);
    benchmark::DoNotOptimize(archive.entryCount());
  }
  state.counters["bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_LoadWholeArchive)->Unit(benchmark::kMillisecond);

// Every stored image decoded once (what drawing the whole repertoire costs).
void BM_DecodeEveryEntry(benchmark::State& state) {
  const QString path = archivePath();
  for (auto _ : state) {
    state.PauseTiming();
    SymbolArchive archive;
    archive.loadImageArchive(path);
    const QList<SymbolCode> codes = archive.storedCodes();
    state.ResumeTiming();
    for (const SymbolCode code : codes) benchmark::DoNotOptimize(archive.archivedImage(code));
    state.counters["entries"] = double(codes.size());
  }
}
BENCHMARK(BM_DecodeEveryEntry)->Unit(benchmark::kMillisecond)->Iterations(2);

// First look-up of a stored image: the PNG is decoded.
void BM_StoredImageFirstLookUp(benchmark::State& state) {
  SymbolArchive archive;
  archive.loadImageArchive(archivePath());
  const QList<SymbolCode> codes = sampleCodes(archive, 4000);
  int next = 0;
  for (auto _ : state) {
    if (next == codes.size()) {
      state.PauseTiming();
      archive.clear();
      archive.loadImageArchive(archivePath());
      next = 0;
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(archive.image(codes[next++]));
  }
}
BENCHMARK(BM_StoredImageFirstLookUp)->Unit(benchmark::kMicrosecond);

void BM_StoredImageCachedLookUp(benchmark::State& state) {
  SymbolArchive archive;
  archive.loadImageArchive(archivePath());
  const QList<SymbolCode> codes = sampleCodes(archive, 1000);
  for (const SymbolCode code : codes) archive.image(code);
  int next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(archive.image(codes[next]));
    next = (next + 1) % int(codes.size());
  }
}
BENCHMARK(BM_StoredImageCachedLookUp)->Unit(benchmark::kMicrosecond);

// Hand rotations built from rotations 1 and 2 of an archive that holds only those.
void BM_SynthesisedImage(benchmark::State& state) {
  // Rotations 1 and 2 of hand group 1, fill 1, taken from the built archive's bytes.
  SymbolArchive archive;
  {
    QFile file(archivePath());
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    const uchar* data = reinterpret_cast<const uchar*>(bytes.constData());
    qsizetype pos = 2;
    QList<QPair<SymbolCode, QByteArray>> entries;
    while (pos + 6 <= bytes.size()) {
      const SymbolCode code = qFromLittleEndian<quint32>(data + pos);
      const int length = qFromLittleEndian<quint16>(data + pos + 4);
      if (SSS::categoryField(code) == 1 && SSS::group(code) == 1 && SSS::fill(code) == 1 && SSS::rotation(code) <= 2)
        entries << qMakePair(code, bytes.mid(pos + 6, length));
      pos += 6 + length;
    }
    archive.loadFromBytes(SymbolArchive::encodeArchive(entries));
  }
  QList<SymbolCode> derived;
  for (int base = 1; base <= 14; ++base)
    for (int rotation = 3; rotation <= 16; ++rotation) derived << SSS::make(1, 1, base, 1, 1, rotation);
  int next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(archive.image(derived[next]));
    next = (next + 1) % int(derived.size());
  }
}
BENCHMARK(BM_SynthesisedImage)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString path = archivePath();
  if (path.isEmpty()) {
    std::fprintf(stderr, "bench_archive: iswa2010bin not found (set QUABE_RESOURCE_DIR)\n");
    return 1;
  }
  std::printf("archive %s: %lld bytes on disk\n", qPrintable(path), static_cast<long long>(QFileInfo(path).size()));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
