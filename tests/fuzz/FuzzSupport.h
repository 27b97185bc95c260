// Shared set-up of the fuzz harnesses: an offscreen GUI application (images
// are decoded and drawn), the generated resources of QUABE_RESOURCE_DIR and
// silent diagnostics. A broken invariant aborts, which libFuzzer reports.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "core/Alerts.h"
#include "core/Resources.h"

namespace quabe::fuzz {

class SilentAlerts : public AlertSink {
 public:
  void alert(const QString&, const QString&) override {}
  int ask(const QString&, const QString&, const QStringList&, int defaultButton) override { return defaultButton; }
};

inline void initialize() {
  static int argc = 1;
  static char name[] = "quabe-fuzz";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
  static SilentAlerts silent;
  setAlertSink(&silent);
  Resources::registerDefaults();
}

// A scratch file of this process, in memory where the system offers it.
inline QString scratchPath(const char* name) {
  const QString directory =
      QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
  return QStringLiteral("%1/quabe-fuzz-%2-%3")
      .arg(directory, QLatin1String(name))
      .arg(QCoreApplication::applicationPid());
}

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

#define QUABE_FUZZ_CHECK(condition)                                                      \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

}  // namespace quabe::fuzz
