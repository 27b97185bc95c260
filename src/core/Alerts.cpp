#include "core/Alerts.h"

#include "core/Logging.h"

namespace quabe {

namespace {
PrintingAlertSink g_printing;
AlertSink* g_sink = nullptr;
}  // namespace

void PrintingAlertSink::alert(const QString& message, const QString& informative) {
  qCWarning(lcCore).noquote() << message + (informative.isEmpty() ? QString() : QStringLiteral(" — ") + informative);
}

int PrintingAlertSink::ask(const QString& message, const QString& informative, const QStringList& buttons,
                           int defaultButton) {
  alert(message, informative);
  return defaultButton;
}

AlertSink& alerts() { return g_sink ? *g_sink : g_printing; }

void setAlertSink(AlertSink* sink) { g_sink = sink; }

}  // namespace quabe
