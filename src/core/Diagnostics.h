#pragma once

#include <QString>

namespace quabe {

// One-line diagnostics on standard output. They never reach the user; the
// operation that reports one carries on by skipping the item.
void diag(const QString& where, const QString& message);
void diag(const QString& line);

// Tests silence diagnostics they provoke on purpose.
void setDiagnosticsEnabled(bool enabled);

}  // namespace quabe
