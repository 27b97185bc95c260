#include "core/Diagnostics.h"

#include <atomic>
#include <cstdio>

namespace quabe {

namespace {
std::atomic<bool> g_enabled{true};
}

void setDiagnosticsEnabled(bool enabled) { g_enabled = enabled; }

void diag(const QString& line) {
  if (!g_enabled) return;
  const QByteArray bytes = line.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void diag(const QString& where, const QString& message) { diag(where + QStringLiteral(": ") + message); }

}  // namespace quabe
