#pragma once

#include "core/Alerts.h"

namespace quabe {

// Shows the core's alerts and questions as modal message boxes.
class DialogAlertSink : public AlertSink {
 public:
  void alert(const QString& message, const QString& informative) override;
  int ask(const QString& message, const QString& informative, const QStringList& buttons, int defaultButton) override;
};

}  // namespace quabe
