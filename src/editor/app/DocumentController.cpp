#include "editor/app/DocumentController.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QSettings>
#include <QTextBrowser>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "core/Logging.h"
#include "core/Resources.h"
#include "dictionary/Dictionary.h"
#include "document/Document.h"
#include "document/Fsw.h"
#include "editor/SymbolClipboardAdapter.h"
#include "editor/app/HelpWindows.h"
#include "editor/commands/DictionaryCommands.h"
#include "editor/interaction/DocumentEditor.h"
#include "editor/interaction/EditingCanvas.h"
#include "editor/window/CommandTable.h"
#include "editor/window/WindowController.h"
#include "symbols/ISWA.h"
#include "symbols/SymbolArchive.h"

namespace quabe {

namespace {

// Menu texts of the tool commands, by ToolCommand value.
// The tools' action names, as in the command table.
const char* const ToolNames[] = {
    "openDictionaryEditor",   "signList",   "similarSigns",    "similarityBetweenSymbols", "similarityIgnoringDistance",
    "similarityBetweenSigns", "importSpml", "mergeDictionary", "importSpmlIntoDictionary", "finderEvaluation",
};

const char* const ToolTextKeys[] = {
    "MenuOpenDictionaryEditor",
    "MenuSignList",
    "MenuSimilarSigns",
    "MenuSimilarityBetweenSymbols",
    "MenuSimilarityIgnoringDistance",
    "MenuSimilarityBetweenSigns",
    "MenuImportSpml",
    "MenuMergeDictionary",
    "MenuImportSpmlIntoDictionary",
    "MenuFinderEvaluation",
};

bool preferenceFlag(const Preferences& prefs, const QString& key) {
  if (key == QLatin1String("ShowRules")) return prefs.showRules;
  if (key == QLatin1String("ShowBorders")) return prefs.showBorders;
  if (key == QLatin1String("ShowSignFrames")) return prefs.showSignFrames;
  if (key == QLatin1String("ShowGlosses")) return prefs.showGlosses;
  if (key == QLatin1String("ShowComments")) return prefs.showComments;
  if (key == QLatin1String("ColorHands")) return prefs.colorHands;
  if (key == QLatin1String("AutoCentering")) return prefs.autoCentering;
  return prefs.verticalWriting;
}

void setPreferenceFlag(Preferences& prefs, const QString& key, bool on) {
  if (key == QLatin1String("ShowRules")) prefs.showRules = on;
  if (key == QLatin1String("ShowBorders")) prefs.showBorders = on;
  if (key == QLatin1String("ShowSignFrames")) prefs.showSignFrames = on;
  if (key == QLatin1String("ShowGlosses")) prefs.showGlosses = on;
  if (key == QLatin1String("ShowComments")) prefs.showComments = on;
  if (key == QLatin1String("ColorHands")) prefs.colorHands = on;
  if (key == QLatin1String("AutoCentering")) prefs.autoCentering = on;
}

}  // namespace

DocumentController::DocumentController(QObject* parent)
    : QObject(parent), m_dictionary(new Dictionary(QString(), this)) {
  createActions();
}

DocumentController::~DocumentController() {
  delete m_manual;
  // A window refers to its controller as long as it lives.
  for (WindowController* window : windows()) {
    disconnect(window, nullptr, this, nullptr);
    delete window;
  }
}

const QStringList& DocumentController::toggleKeys() {
  static const QStringList keys = {QStringLiteral("ShowRules"),      QStringLiteral("ShowBorders"),
                                   QStringLiteral("ShowSignFrames"), QStringLiteral("ShowGlosses"),
                                   QStringLiteral("ShowComments"),   QStringLiteral("ColorHands"),
                                   QStringLiteral("AutoCentering"),  QStringLiteral("VerticalWriting")};
  return keys;
}

QString DocumentController::locateResource(const QString& name) const {
  return m_locateResource ? m_locateResource(name) : Resources::path(name);
}

bool DocumentController::start() {
  Resources::registerDefaults();
  const QString archive = locateResource(QStringLiteral("iswa2010bin"));
  if (archive.isEmpty()) {
    qCWarning(lcEditor) << "symbol archive iswa2010bin not found";
    alerts().alert(loc("MissingSymbolArchive"), QString());
    return false;
  }
  if (!SymbolArchive::shared().loadImageArchive(archive) || SymbolArchive::shared().entryCount() == 0) {
    qCWarning(lcEditor).noquote() << "unreadable symbol archive:" << archive;
    alerts().alert(loc("MissingSymbolArchive"), archive);
    return false;
  }
  SymbolClipboardAdapter::install();
  // The dictionary chosen in the preferences of an earlier session.
  m_dictionary->setPath(Dictionary::pathFromSettings());
  updateMenuStates();
  return true;
}

// --- actions ---

void DocumentController::createActions() {
  for (const Command& command : commandTable()) {
    if (!command.shared || !command.run) continue;
    auto* action = new QAction(this);
    applyCommand(action, command);
    const auto run = command.run;
    connect(action, &QAction::triggered, this, [this, run] {
      WindowController* front = frontWindow();
      if (front) front->editor()->breakMergeRun();
      run(*this, front);
    });
    m_actions.insert(action->objectName(), action);
  }
  for (const QString& key : toggleKeys()) {
    auto* toggle = new QAction(Localization::text(key), this);
    if (const Command* command = findCommand(key)) applyCommand(toggle, *command);
    toggle->setCheckable(true);
    connect(toggle, &QAction::triggered, this, [this, key] { toggleDisplay(key); });
    m_actions.insert(key, toggle);
  }
  for (int command = 0; command <= int(ToolCommand::FinderEvaluation); ++command) {
    auto* action = new QAction(loc(ToolTextKeys[command]), this);
    action->setEnabled(false);
    if (const Command* entry = findCommand(QLatin1String(ToolNames[command]))) applyCommand(action, *entry);
    connect(action, &QAction::triggered, this, [this, command] { runTool(ToolCommand(command)); });
    m_toolActions.insert(command, action);
  }
}

QList<QAction*> DocumentController::commandActions(const WindowController* window) const {
  QList<QAction*> actions;
  for (const Command& command : commandTable()) {
    const QString name = QLatin1String(command.name);
    QAction* action = m_actions.value(name);
    if (!action && window) action = window->action(name);
    for (QAction* tool : m_toolActions)
      if (!action && tool->objectName() == name) action = tool;
    if (action) actions << action;
  }
  return actions;
}

void DocumentController::updateMenuStates() {
  for (const QString& key : toggleKeys()) action(key)->setChecked(Resources::setting(key).toBool());
  const bool spmlData = !locateResource(QStringLiteral("iswa2010data.db")).isEmpty();
  toolAction(ToolCommand::ImportSpml)->setEnabled(spmlData && m_toolHandlers.contains(int(ToolCommand::ImportSpml)));
}

void DocumentController::toggleDisplay(const QString& key) {
  QAction* toggle = action(key);
  if (!toggle) return;
  // A triggered checkable action has already inverted its check mark.
  const bool on = toggle->isChecked();
  QSettings settings;
  settings.setValue(key, on);
  settings.sync();
  WindowController* window = frontWindow();
  if (!window) return;
  if (key == QLatin1String("VerticalWriting")) {
    // The direction toggles the front document's own direction.
    const bool vertical = !window->document()->prefs.verticalWriting;
    toggle->setChecked(vertical);
    settings.setValue(key, vertical);
    settings.sync();
    window->changeWritingDirection(vertical);
    return;
  }
  Preferences& prefs = window->document()->prefs;
  setPreferenceFlag(prefs, key, on);
  // Glosses and comments take room in the layout.
  window->applyPreferences(key == QLatin1String("ShowGlosses") || key == QLatin1String("ShowComments"));
  if (key == QLatin1String("AutoCentering")) window->canvasView()->centerAllSigns();
}

void DocumentController::showManual(WindowController* window) {
  HelpWindows::showManual(m_manual, commandActions(window));
}

void DocumentController::showKeyboardShortcuts(WindowController* window) {
  HelpWindows::showKeyboardShortcuts(window, commandActions(window));
}

void DocumentController::showAbout(WindowController* window) { HelpWindows::showAbout(window, m_dictionary->path()); }

// --- documents ---

WindowController* DocumentController::addWindow(WindowController* window) {
  window->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &WindowController::activated, this, &DocumentController::windowActivated);
  connect(window, &WindowController::closed, this, &DocumentController::windowClosed);
  if (window->document()->filePath().isEmpty()) {
    // Untitled, Untitled 2, …: the lowest number no open untitled window has.
    QList<int> used;
    for (const QPointer<WindowController>& other : m_windows)
      if (other && other->document()->filePath().isEmpty()) used << other->untitledNumber();
    int number = 1;
    while (used.contains(number)) ++number;
    window->setUntitledNumber(number);
  }
  m_windows.append(window);
  m_front = window;
  window->show();
  return window;
}

WindowController* DocumentController::newDocument() {
  auto document = std::make_unique<Document>();
  return addWindow(new WindowController(std::move(document), *this));
}

WindowController* DocumentController::openDocument(const QString& path) {
  const QString canonical = QFileInfo(path).canonicalFilePath();
  for (const QPointer<WindowController>& window : m_windows) {
    if (!window || canonical.isEmpty()) continue;
    if (QFileInfo(window->document()->sourcePath()).canonicalFilePath() == canonical) {
      window->raise();
      window->activateWindow();
      m_front = window;
      return window;
    }
  }
  if (Fsw::isSignTextFile(path)) return openSignText(path);
  auto document = std::make_unique<Document>();
  const SwmlReadReport report = document->readFromFile(path);
  Document::showReadProblems(path, report);
  if (!report.opened) return nullptr;
  noteRecentDocument(path);
  return addOpenedWindow(std::move(document));
}

WindowController* DocumentController::addOpenedWindow(std::unique_ptr<Document> document) {
  // An empty Untitled window nobody has used gives way to the opened file.
  QPointer<WindowController> unused = frontWindow();
  if (unused && !unused->isUntouched()) unused = nullptr;
  WindowController* window = addWindow(new WindowController(std::move(document), *this));
  if (unused) {
    if (window->isVisible()) window->move(unused->pos());
    if (window->document()->filePath().isEmpty()) window->setUntitledNumber(unused->untitledNumber());
    unused->close();
  }
  return window;
}

WindowController* DocumentController::openSignText(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  QString error;
  const std::optional<Fsw::Reading> reading = Fsw::readFile(path, &error);
  if (!reading) {
    alerts().alert(loc("SwmlCannotOpen").arg(name), error);
    return nullptr;
  }
  if (reading->signCount == 0) {
    alerts().alert(loc("SignTextHoldsNoSign").arg(name), QString());
    return nullptr;
  }
  if (!reading->problems.isEmpty()) alerts().alert(loc("SignTextChanged").arg(name), Fsw::summary(reading->problems));
  auto document = std::make_unique<Document>();
  Fsw::fillBuffer(*reading, document->bufferManager, document->prefs);
  return addOpenedWindow(std::move(document));
}

QList<WindowController*> DocumentController::openDocuments(const QStringList& paths) {
  QList<WindowController*> opened;
  for (const QString& path : paths)
    if (WindowController* window = openDocument(path)) opened << window;
  return opened;
}

void DocumentController::openDocumentWithDialog() {
  const QStringList paths = QFileDialog::getOpenFileNames(
      frontWindow(), loc("MenuOpen"), dialogFolder(frontWindow()),
      loc("SwmlFiles") + QStringLiteral(" (*.swml);;") + loc("AllFiles") + QStringLiteral(" (*)"));
  if (!paths.isEmpty()) noteDialogFolder(paths.first());
  openDocuments(paths);
}

QString DocumentController::dialogFolder(const WindowController* window) {
  if (window && !window->document()->filePath().isEmpty())
    return QFileInfo(window->document()->filePath()).absolutePath();
  const QString last = QSettings().value(QStringLiteral("LastFolder")).toString();
  return !last.isEmpty() && QFileInfo(last).isDir() ? last : QDir::homePath();
}

void DocumentController::noteDialogFolder(const QString& chosenFile) {
  QSettings().setValue(QStringLiteral("LastFolder"), QFileInfo(chosenFile).absolutePath());
}

QStringList DocumentController::recentDocuments() const {
  return QSettings().value(QStringLiteral("RecentDocuments")).toStringList();
}

void DocumentController::noteRecentDocument(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList recent = recentDocuments();
  recent.removeAll(absolute);
  recent.prepend(absolute);
  while (recent.size() > MaxRecentDocuments) recent.removeLast();
  QSettings().setValue(QStringLiteral("RecentDocuments"), recent);
}

void DocumentController::clearRecentDocuments() { QSettings().remove(QStringLiteral("RecentDocuments")); }

QMenu* DocumentController::recentDocumentsMenu(QWidget* parent) {
  auto* menu = new QMenu(loc("MenuOpenRecent"), parent);
  menu->setObjectName(QStringLiteral("openRecent"));
  connect(menu, &QMenu::aboutToShow, menu, [this, menu] {
    menu->clear();
    for (const QString& path : recentDocuments()) {
      QAction* item = menu->addAction(QFileInfo(path).fileName(), this, [this, path] {
        if (!openDocument(path)) {
          // Gone or unreadable: it leaves the list.
          QStringList recent = recentDocuments();
          recent.removeAll(path);
          QSettings().setValue(QStringLiteral("RecentDocuments"), recent);
        }
      });
      item->setToolTip(path);
      item->setEnabled(QFileInfo::exists(path));
    }
    menu->addSeparator();
    QAction* clear = menu->addAction(loc("MenuClearRecent"), this, [this] { clearRecentDocuments(); });
    clear->setEnabled(!recentDocuments().isEmpty());
  });
  return menu;
}

QList<WindowController*> DocumentController::windows() const {
  QList<WindowController*> list;
  for (const QPointer<WindowController>& window : m_windows)
    if (window) list << window;
  return list;
}

WindowController* DocumentController::frontWindow() const {
  // A window on its way out may still be the active one for a moment.
  if (auto* active = qobject_cast<WindowController*>(QApplication::activeWindow()))
    if (active->isVisible() && m_windows.contains(active)) return active;
  if (m_front) return m_front;
  const QList<WindowController*> open = windows();
  return open.isEmpty() ? nullptr : open.last();
}

bool DocumentController::closeAll() {
  for (WindowController* window : windows())
    if (!window->close()) return false;
  return true;
}

void DocumentController::windowActivated(WindowController* window) {
  m_front = window;
  showPreferencesOf(window);
}

void DocumentController::showPreferencesOf(WindowController* window) {
  if (!window) return;
  for (const QString& key : toggleKeys()) action(key)->setChecked(preferenceFlag(window->document()->prefs, key));
}

void DocumentController::windowClosed(WindowController* window) {
  m_windows.removeAll(window);
  if (m_front == window) m_front = m_windows.isEmpty() ? nullptr : m_windows.last();
}

void DocumentController::onFront(const std::function<void(WindowController&)>& command) {
  if (WindowController* window = frontWindow()) command(*window);
}

// --- tool hooks ---

DictionaryCommands& DocumentController::installDictionaryCommands() {
  if (!m_dictionaryCommands) {
    m_dictionaryCommands = new DictionaryCommands(*m_dictionary, this);
    m_dictionaryCommands->install(*this);
  }
  return *m_dictionaryCommands;
}

void DocumentController::setToolHandler(ToolCommand command, ToolHandler handler) {
  const bool installed = bool(handler);
  if (installed)
    m_toolHandlers.insert(int(command), std::move(handler));
  else
    m_toolHandlers.remove(int(command));
  toolAction(command)->setEnabled(installed);
  if (command == ToolCommand::ImportSpml) updateMenuStates();
}

void DocumentController::runTool(ToolCommand command) {
  const ToolHandler handler = m_toolHandlers.value(int(command));
  if (!handler) return;
  // The import, merge and evaluation tools need no document.
  WindowController* front = frontWindow();
  const bool needsDocument = command != ToolCommand::ImportSpml && command != ToolCommand::MergeDictionary &&
                             command != ToolCommand::ImportSpmlIntoDictionary &&
                             command != ToolCommand::FinderEvaluation;
  if (needsDocument && !front) return;
  handler(front);
}

void DocumentController::requestAddSign(WindowController* window, const SignPtr& sign) {
  if (!m_addSignHandler) {
    qCDebug(lcEditor) << "no dictionary entry editor";
    return;
  }
  m_addSignHandler(window, sign);
}

void DocumentController::requestSignList(WindowController* window) {
  const ToolHandler handler = m_toolHandlers.value(int(ToolCommand::SignList));
  if (!handler) {
    qCDebug(lcEditor) << "no sign list";
    return;
  }
  handler(window);
}

void DocumentController::requestSearch(WindowController* window, const QString& text) {
  if (text.isEmpty()) return;
  if (!m_searchHandler) {
    qCDebug(lcEditor) << "no dictionary search";
    return;
  }
  m_searchHandler(window, text);
}

}  // namespace quabe
