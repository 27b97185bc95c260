#include "document/Document.h"

#include <QFile>
#include <QFileInfo>

#include "core/Alerts.h"
#include "core/AtomicFile.h"
#include "core/Localization.h"
#include "core/Logging.h"
#include "document/SwmlDelegate.h"
#include "document/SwmlWriter.h"
#include "symbols/CoordinateLimits.h"

namespace quabe {

Document::Document(QObject* parent) : QObject(parent) {
  connect(&m_undoStack, &QUndoStack::cleanChanged, this, [this] { notifyIfModifiedChanged(); });
}

Document::~Document() = default;

void Document::setModified(bool modified) {
  m_forcedModified = modified;
  if (!modified) m_undoStack.setClean();
  notifyIfModifiedChanged();
}

void Document::notifyIfModifiedChanged() {
  const bool now = isModified();
  if (now == m_lastReportedModified) return;
  m_lastReportedModified = now;
  Q_EMIT modifiedChanged(now);
}

SwmlReadReport Document::readFromFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    SwmlReadReport report;
    report.opened = false;
    report.errorText = QStringLiteral("%1: %2").arg(path, file.errorString());
    qCWarning(lcDocument).noquote() << report.errorText;
    return report;
  }
  prefs.readUserDefaults();
  SWMLDelegate delegate(bufferManager, prefs);
  const SwmlReadReport report = delegate.read(file);
  completeReading(bufferManager, prefs);
  m_sourcePath = path;
  m_filePath = report.isDamaged() ? QString() : path;
  m_undoStack.clear();
  setModified(false);
  return report;
}

void Document::completeReading(BufferManager& buffer, const Preferences& prefs) {
  for (const SignStringPtr& line : buffer.editBuffer) {
    if (!line) continue;
    for (const SignPtr& sign : line->signArray) {
      if (!sign || !sign->isEmpty()) continue;
      sign->leftMost = 0;
      sign->topMost = 0;
      sign->rightMost = prefs.defaultSignBoxWidth;
      sign->bottomMost = prefs.defaultSignBoxHeight;
      sign->width = prefs.defaultSignBoxWidth;
      sign->height = prefs.defaultSignBoxHeight;
    }
  }
  if (!buffer.editBuffer.isEmpty() && (!buffer.editBuffer.last() || buffer.editBuffer.last()->isEmpty()))
    buffer.editBuffer.removeLast();
  if (buffer.editBuffer.isEmpty()) {
    auto line = std::make_shared<SignString>();
    auto lineBreak = std::make_shared<Sign>();
    lineBreak->rightMost = lineBreak->width = prefs.defaultSignBoxWidth;
    lineBreak->bottomMost = lineBreak->height = prefs.defaultSignBoxHeight;
    line->signArray.append(lineBreak);
    buffer.editBuffer.append(line);
  } else {
    buffer.terminateAllLines();
  }
  buffer.cachedLine = -1;
}

void Document::showReadProblems(const QString& path, const SwmlReadReport& report) {
  if (!report.isDamaged()) return;
  const QString name = QFileInfo(path).fileName();
  if (!report.opened) {
    alerts().alert(loc("SwmlCannotOpen").arg(name), report.errorText);
    return;
  }
  QStringList lines;
  if (!report.wellFormed || !report.sawSwmlElement) {
    SwmlReadReport structure = report;
    structure.skippedSymbols.clear();
    structure.clampedCoordinates.clear();
    lines << loc("SwmlDamagedInfo").arg(structure.damageDescription());
  }
  if (!report.skippedSymbols.isEmpty())
    lines << loc("SwmlSymbolsLeftOut")
                 .arg(report.skippedSymbols.size())
                 .arg(report.skippedSymbols.join(QStringLiteral(", ")));
  if (!report.clampedCoordinates.isEmpty())
    lines << loc("SwmlCoordinatesClamped")
                 .arg(report.clampedCoordinates.size())
                 .arg(SymbolCoordinateLimit)
                 .arg(report.clampedCoordinates.join(QStringLiteral(", ")));
  lines << loc("SwmlKeptAsCopy");
  alerts().alert(loc("SwmlDamaged").arg(name), lines.join(QLatin1Char('\n')));
}

QByteArray Document::swmlData() const { return SwmlWriter::write(bufferManager, prefs); }

bool Document::writeToFile(const QString& path, QString* errorMessage) {
  if (!saveAtomically(path, swmlData(), errorMessage)) return false;
  m_filePath = path;
  m_sourcePath = path;
  setModified(false);
  return true;
}

}  // namespace quabe
