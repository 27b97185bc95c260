#include "notation/NotationDiagnostics.h"

namespace quabe {

QString NotationDiagnostic::text() const { return QStringLiteral("column %1: %2").arg(at + 1).arg(message); }

}  // namespace quabe
