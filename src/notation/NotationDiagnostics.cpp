#include "notation/NotationDiagnostics.h"

#include "core/Diagnostics.h"

namespace quabe {

namespace {
thread_local NotationDiagnostics* t_current = nullptr;
}

NotationDiagnostics::NotationDiagnostics() : m_outer(t_current) { t_current = this; }

NotationDiagnostics::~NotationDiagnostics() { t_current = m_outer; }

void NotationDiagnostics::report(const QString& line) {
  diag(line);
  if (t_current) t_current->m_lines.append(line);
}

bool NotationDiagnostics::isCollecting() { return t_current != nullptr; }

void NotationDiagnostics::noteUnknownGloss(const QString& gloss) {
  if (t_current) t_current->m_unknownGlosses.append(gloss);
}

void NotationDiagnostics::report(const QString& where, const QString& message) {
  report(where + QStringLiteral(": ") + message);
}

}  // namespace quabe
