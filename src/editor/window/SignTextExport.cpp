// File ▸ Export ▸ FSW Text… and SWU Text… of a document window.
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "document/Document.h"
#include "editor/window/WindowController.h"

namespace quabe {

bool WindowController::exportSignText(Fsw::Form form) {
  const QString suffix = form == Fsw::Form::fsw ? QStringLiteral("fsw") : QStringLiteral("swu");
  const QString base =
      m_document->filePath().isEmpty() ? loc("Untitled") : QFileInfo(m_document->filePath()).completeBaseName();
  QFileDialog dialog(this, loc(form == Fsw::Form::fsw ? "MenuExportFsw" : "MenuExportSwu"),
                     base + QLatin1Char('.') + suffix,
                     suffix.toUpper() + QStringLiteral(" (*.") + suffix + QStringLiteral(" *.txt)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  // The note sits under the file fields of Qt's own dialog.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* note = new QLabel(loc("ExportSignTextNote"), &dialog);
  note->setObjectName(QStringLiteral("exportNote"));
  note->setWordWrap(true);
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) grid->addWidget(note, grid->rowCount(), 0, 1, -1);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  return exportSignTextToPath(dialog.selectedFiles().first(), form);
}

bool WindowController::exportSignTextToPath(const QString& path, Fsw::Form form) {
  QStringList problems;
  const QString text = Fsw::writeDocument(m_document->bufferManager, form, &problems);
  const QString name = QFileInfo(path).fileName();
  QString error;
  if (!Fsw::writeFile(path, text, &error)) {
    alerts().alert(loc("ExportFailed").arg(name), error);
    return false;
  }
  if (!problems.isEmpty()) alerts().alert(loc("SignTextChanged").arg(name), Fsw::summary(problems));
  return true;
}

}  // namespace quabe
