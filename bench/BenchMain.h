#pragma once

// Start-up shared by the benchmark programs.
#include <benchmark/benchmark.h>

#include <QtGlobal>
#include <cstdio>

#include "core/Resources.h"
#include "symbols/SymbolArchive.h"

namespace quabe::bench {

// Draws offscreen unless the caller chose a platform. Call before the
// application object is made.
inline void drawOffscreenByDefault() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Loads the symbol images; says so and returns false when they are missing,
// since the figures would then measure placeholder rectangles.
inline bool loadSymbolImages(const char* program) {
  Resources::registerDefaults();
  if (SymbolArchive::shared().loadImageArchive()) return true;
  std::fprintf(stderr, "%s: no symbol archive (iswa2010bin)\n", program);
  return false;
}

// Runs the benchmarks the command line selects.
inline int runBenchmarks(int& argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace quabe::bench
