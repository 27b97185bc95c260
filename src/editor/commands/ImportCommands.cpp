#include "editor/commands/ImportCommands.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QProgressDialog>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "dictionary/Dictionary.h"
#include "dictionary/SpmlImport.h"
#include "dictionary/ui/DictMergeWindow.h"
#include "dictionary/ui/SpmlImportWindow.h"
#include "editor/app/DocumentController.h"
#include "editor/interaction/EditingCanvas.h"
#include "editor/window/WindowController.h"

namespace quabe {

namespace {
const QString kSpmlFilter = QStringLiteral("SPML (*.spml *.xml);;* (*)");

void bringToFront(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}
}  // namespace

ImportCommands::ImportCommands(Dictionary& dictionary, QObject* parent) : QObject(parent), m_dictionary(dictionary) {}

ImportCommands::~ImportCommands() {
  delete m_spmlImportWindow;
  delete m_mergeWindow;
}

void ImportCommands::install(DocumentController& controller) {
  m_controller = &controller;
  controller.setToolHandler(ToolCommand::ImportSpml, [this](WindowController*) {
    const QString path = QFileDialog::getOpenFileName(nullptr, loc("MenuImportSpml"), QString(), kSpmlFilter);
    if (!path.isEmpty()) openSpml(path);
  });
  controller.setToolHandler(ToolCommand::MergeDictionary, [this](WindowController* front) { openMergeWindow(front); });
  controller.setToolHandler(ToolCommand::ImportSpmlIntoDictionary, [this](WindowController*) {
    const QString path =
        QFileDialog::getOpenFileName(nullptr, loc("MenuImportSpmlIntoDictionary"), QString(), kSpmlFilter);
    if (!path.isEmpty()) importSpmlIntoDictionary(path);
  });
}

SpmlImportWindow* ImportCommands::spmlImportWindow() {
  if (!m_spmlImportWindow) {
    m_spmlImportWindow = new SpmlImportWindow;
    // The signs go to the front document, a new one when none is open.
    m_spmlImportWindow->setInserter([this](const QList<SignPtr>& signs) {
      if (!m_controller) return false;
      WindowController* window = m_controller->frontWindow();
      if (!window) window = m_controller->newDocument();
      EditingCanvas* canvas = window ? window->canvasView() : nullptr;
      return canvas && canvas->insertSigns(signs, QStringLiteral("UndoImportSpml"));
    });
  }
  return m_spmlImportWindow;
}

bool ImportCommands::openSpml(const QString& path) {
  SpmlImportWindow* window = spmlImportWindow();
  if (!window->openFile(path)) return false;
  bringToFront(window);
  return true;
}

DictMergeWindow* ImportCommands::openMergeWindow(WindowController* front) {
  if (m_mergeWindow && m_mergeWindow->isRunning()) {
    bringToFront(m_mergeWindow);
    return m_mergeWindow;
  }
  delete m_mergeWindow;
  m_mergeWindow = new DictMergeWindow(m_dictionary, front);
  m_mergeWindow->setAttribute(Qt::WA_DeleteOnClose);
  bringToFront(m_mergeWindow);
  return m_mergeWindow;
}

bool ImportCommands::importSpmlIntoDictionary(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    alerts().alert(loc("SpmlNotReadable"), QStringLiteral("%1: %2").arg(path, file.errorString()));
    return false;
  }
  QProgressDialog progress(loc("SpmlDictImporting"), QString(), 0, qMax<qint64>(1, file.size()));
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(0);
  progress.setValue(0);
  const SpmlImportResult result = importSpml(&file, m_dictionary.path(), [&](int, int) {
    progress.setValue(int(qMin<qint64>(file.pos(), file.size())));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  progress.reset();
  // On failure nothing was written; otherwise the sign list and the other
  // views re-read the dictionary.
  if (result.ok && result.imported > 0) m_dictionary.announceExternalChange();
  if (!result.ok) {
    alerts().alert(loc("SpmlDictImportFailed"), result.error);
    return false;
  }
  alerts().alert(loc("SpmlDictImportDone").arg(result.imported).arg(result.skipped), QString());
  return true;
}

}  // namespace quabe
