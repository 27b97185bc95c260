#include "editor/app/DocumentController.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QSettings>
#include <QUrl>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "core/Logging.h"
#include "core/Resources.h"
#include "dictionary/Dictionary.h"
#include "document/Document.h"
#include "document/Fsw.h"
#include "editor/SymbolClipboardAdapter.h"
#include "editor/commands/DictionaryCommands.h"
#include "editor/interaction/EditingCanvas.h"
#include "editor/window/WindowController.h"
#include "symbols/ISWA.h"
#include "symbols/SymbolArchive.h"

namespace quabe {

namespace {

// Menu texts of the tool commands, by ToolCommand value.
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

DocumentController& DocumentController::shared() {
  static DocumentController* controller = new DocumentController;
  return *controller;
}

DocumentController::DocumentController() : m_dictionary(new Dictionary(QString(), this)) { createActions(); }

DocumentController::~DocumentController() = default;

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

QAction* DocumentController::makeAction(const QString& name, const char* textKey, const QList<QKeySequence>& keys,
                                        const std::function<void()>& run) {
  auto* action = new QAction(loc(textKey), this);
  action->setObjectName(name);
  setShortcuts(action, keys);
  connect(action, &QAction::triggered, this, [run] { run(); });
  m_actions.insert(name, action);
  return action;
}

void DocumentController::setShortcuts(QAction* action, const QList<QKeySequence>& keys) {
  action->setShortcuts(keys);
  bool plain = !keys.isEmpty();
  for (const QKeySequence& key : keys)
    if (!key.isEmpty() && (key[0].keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
      plain = false;
  action->setShortcutContext(plain ? Qt::WidgetShortcut : Qt::WindowShortcut);
}

void DocumentController::createActions() {
  makeAction(QStringLiteral("newDocument"), "MenuNew", {QKeySequence::New}, [this] { newDocument(); });
  makeAction(QStringLiteral("openDocument"), "MenuOpen", {QKeySequence::Open}, [this] { openDocumentWithDialog(); });
  makeAction(QStringLiteral("quit"), "MenuQuit", {QKeySequence(Qt::CTRL | Qt::Key_Q)}, [this] {
    if (closeAll()) QApplication::quit();
  });

  for (const QString& key : toggleKeys()) {
    const QByteArray textKey = key.toUtf8();
    QAction* toggle = makeAction(key, textKey.constData(), {}, [this, key] { toggleDisplay(key); });
    toggle->setText(Localization::text(key));
    toggle->setCheckable(true);
  }

  auto front = [this](void (EditingCanvas::*command)()) {
    return [this, command] { onFront([command](WindowController& w) { (w.canvasView()->*command)(); }); };
  };
  makeAction(QStringLiteral("alignSignsCenter"), "MenuCenterAllSigns", {QKeySequence(Qt::CTRL | Qt::Key_G)},
             front(&EditingCanvas::centerAllSigns));
  makeAction(QStringLiteral("integrateArrows"), "MenuIntegrateArrows", {QKeySequence(Qt::CTRL | Qt::Key_I)},
             front(&EditingCanvas::integrateArrows));
  makeAction(QStringLiteral("cutSymbol"), "MenuCutSymbols", {QKeySequence(Qt::CTRL | Qt::Key_X)},
             front(&EditingCanvas::cutSymbols));
  makeAction(QStringLiteral("copySymbol"), "MenuCopySymbols", {QKeySequence(Qt::CTRL | Qt::Key_C)},
             front(&EditingCanvas::copySymbols));
  makeAction(QStringLiteral("pasteSymbol"), "MenuPasteSymbols", {QKeySequence(Qt::CTRL | Qt::Key_V)},
             front(&EditingCanvas::pasteSymbols));
  makeAction(QStringLiteral("selectAllSymbols"), "MenuSelectAllSymbols", {QKeySequence(Qt::Key_A)},
             front(&EditingCanvas::selectAllSymbols));
  makeAction(QStringLiteral("cutSign"), "MenuCutSign", {QKeySequence(Qt::META | Qt::Key_W)},
             front(&EditingCanvas::cutSign));
  makeAction(QStringLiteral("copySign"), "MenuCopySign",
             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), QKeySequence(Qt::META | Qt::Key_R)},
             front(&EditingCanvas::copySign));
  makeAction(QStringLiteral("copySignAsSwu"), "MenuCopyAsSwu", {}, front(&EditingCanvas::copySignAsSwu));
  makeAction(QStringLiteral("pasteSign"), "MenuPasteSign",
             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), QKeySequence(Qt::Key_Y)},
             front(&EditingCanvas::pasteSign));
  makeAction(QStringLiteral("insertEmptySign"), "MenuInsertEmptySign", {QKeySequence(Qt::CTRL | Qt::Key_E)},
             front(&EditingCanvas::insertEmptySign));
  makeAction(QStringLiteral("openCommentInputWindow"), "MenuEditComment", {QKeySequence(Qt::SHIFT | Qt::Key_Space)},
             [this] { onFront([](WindowController& w) { w.conEditComment(); }); });
  makeAction(QStringLiteral("showPreferenceWindow"), "MenuPreferences", {QKeySequence(Qt::CTRL | Qt::Key_Comma)},
             [this] { onFront([](WindowController& w) { w.openPreferenceWindow(); }); });
  makeAction(QStringLiteral("showSimpleManual"), "MenuManual", {QKeySequence::HelpContents},
             [] { showSimpleManual(); });
  makeAction(QStringLiteral("addSignToDB"), "MenuAddSignToDictionary",
             {QKeySequence(Qt::CTRL | Qt::Key_T), QKeySequence(Qt::ALT | Qt::Key_A)},
             front(&EditingCanvas::addSignToDB));
  makeAction(QStringLiteral("openJSConvWindow"), "MenuNotationInput", {QKeySequence(Qt::ALT | Qt::Key_Space)},
             [this] { onFront([](WindowController& w) { w.conInputByJSConversion(); }); });

  for (int command = 0; command <= int(ToolCommand::FinderEvaluation); ++command) {
    auto* action = new QAction(loc(ToolTextKeys[command]), this);
    action->setEnabled(false);
    if (command == int(ToolCommand::SignList)) action->setShortcut(QKeySequence(Qt::ALT | Qt::Key_L));
    connect(action, &QAction::triggered, this, [this, command] { runTool(ToolCommand(command)); });
    m_toolActions.insert(command, action);
  }
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

bool DocumentController::showSimpleManual() {
  const QString path = manualPath();
  if (path.isEmpty()) {
    qCWarning(lcEditor) << "manual.html not found";
    return false;
  }
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString DocumentController::manualPath() { return Resources::path(QStringLiteral("manual.html")); }

// --- documents ---

WindowController* DocumentController::addWindow(WindowController* window) {
  window->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &WindowController::activated, this, &DocumentController::windowActivated);
  connect(window, &WindowController::closed, this, &DocumentController::windowClosed);
  m_windows.append(window);
  m_front = window;
  window->show();
  return window;
}

WindowController* DocumentController::newDocument() {
  auto document = std::make_unique<Document>();
  return addWindow(new WindowController(std::move(document), m_dictionary));
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
  return addWindow(new WindowController(std::move(document), m_dictionary));
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
  return addWindow(new WindowController(std::move(document), m_dictionary));
}

QList<WindowController*> DocumentController::openDocuments(const QStringList& paths) {
  QList<WindowController*> opened;
  for (const QString& path : paths)
    if (WindowController* window = openDocument(path)) opened << window;
  return opened;
}

void DocumentController::openDocumentWithDialog() {
  const QStringList paths = QFileDialog::getOpenFileNames(
      frontWindow(), loc("MenuOpen"), QString(),
      loc("SwmlFiles") + QStringLiteral(" (*.swml);;") + loc("AllFiles") + QStringLiteral(" (*)"));
  openDocuments(paths);
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

void DocumentController::resetForTests() {
  m_windows.clear();
  m_front = nullptr;
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
