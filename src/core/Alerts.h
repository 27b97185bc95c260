#pragma once

#include <QString>
#include <QStringList>

namespace quabe {

// How the core raises a user-visible alert or question. The UI installs an
// implementation that shows modal dialogs; the default one prints the text
// and answers questions with their default button.
class AlertSink {
 public:
  virtual ~AlertSink() = default;
  // A message with an optional informative text and an OK button.
  virtual void alert(const QString& message, const QString& informative) = 0;
  // A question; returns the index of the chosen button (0 = the first).
  virtual int ask(const QString& message, const QString& informative, const QStringList& buttons,
                  int defaultButton) = 0;
};

class PrintingAlertSink : public AlertSink {
 public:
  void alert(const QString& message, const QString& informative) override;
  int ask(const QString& message, const QString& informative, const QStringList& buttons, int defaultButton) override;
};

// The process-wide sink; never null.
AlertSink& alerts();
// Installs a sink (not owned); nullptr restores the printing default.
void setAlertSink(AlertSink* sink);

}  // namespace quabe
