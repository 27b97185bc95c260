#include "editor/window/WindowController.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "dictionary/Dictionary.h"
#include "document/Document.h"
#include "editor/app/DocumentController.h"
#include "editor/app/PreferencePanel.h"
#include "editor/export/CanvasExport.h"
#include "editor/interaction/DocumentEditor.h"
#include "editor/interaction/EditingCanvas.h"
#include "editor/palette/PaletteTabWidget.h"
#include "editor/palette/PaletteView.h"
#include "editor/window/GlossPanel.h"
#include "editor/window/NotationPanel.h"
#include "editor/window/TextInputPanel.h"
#include "symbols/ISWA.h"

namespace quabe {

WindowController::WindowController(std::unique_ptr<Document> document, DocumentController& controller, QWidget* parent)
    : QMainWindow(parent),
      m_controller(controller),
      m_document(std::move(document)),
      m_dictionary(controller.dictionary()) {
  syncLayoutSettings();
  buildWidgets();

  m_editor = new DocumentEditor(m_document.get(), m_canvas, &m_layoutSettings, this);
  m_canvas->setEditor(m_editor);
  m_canvas->setWindowControllerDelegate(this);
  m_canvas->setScrollView(m_scrollView);
  m_canvas->setBufferManager(&m_document->bufferManager, &m_layoutSettings);
  m_canvas->setSignLoader([&dictionary = m_dictionary](qint64 signID) { return dictionary.loadSign(signID); });
  syncDirectionControl();
  m_editor->resetBaseline();
  buildActions();
  buildMenus();

  connect(m_document.get(), &Document::modifiedChanged, this, [this] { updateWindowTitle(); });
  connect(m_editor, &DocumentEditor::restored, this, [this] { stepRestored(); });
  connect(m_canvas, &EditingCanvas::filesDropped, this,
          [this](const QStringList& paths) { m_controller.openDocuments(paths); });
  connect(m_canvas, &EditingCanvas::addSignToDictionaryRequested, this,
          [this](const SignPtr& sign) { m_controller.requestAddSign(this, sign); });
  connect(m_searchField, &QLineEdit::returnPressed, this,
          [this] { m_controller.requestSearch(this, m_searchField->text()); });

  // A click that deselects changes no document: the symbol field follows it here.
  m_canvas->installEventFilter(this);
  resize(1100, 760);
  updateWindowTitle();
  m_canvas->setFocus();
}

WindowController::~WindowController() {
  // Emptying an unsaved undo stack reports a change of the modified state:
  // that must happen while the window can still take it (or not reach it).
  disconnect(m_document.get(), nullptr, this, nullptr);
  m_document->undoStack().clear();
  // The canvas goes first: it refers to the document's buffer.
  delete m_canvas;
  m_canvas = nullptr;
}

PaletteView* WindowController::mainPaletteView() const { return m_tabView->mainPaletteView(); }

PaletteView* WindowController::subPaletteView() const { return m_tabView->subPaletteView(); }

void WindowController::buildWidgets() {
  auto* splitter = new QSplitter(Qt::Horizontal);
  m_tabView = new PaletteTabWidget;
  m_tabView->setCurrentIndex(0);
  m_tabView->setMinimumWidth(220);
  m_tabView->setMaximumWidth(260);
  m_scrollView = new QScrollArea;
  m_scrollView->setBackgroundRole(QPalette::Base);
  m_scrollView->setFrameShape(QFrame::NoFrame);
  m_canvas = new EditingCanvas;
  m_scrollView->setWidget(m_canvas);
  splitter->addWidget(m_tabView);
  splitter->addWidget(m_scrollView);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  setCentralWidget(splitter);

  auto* toolbar = addToolBar(loc("ToolbarDocument"));
  toolbar->setObjectName(QStringLiteral("documentToolbar"));
  toolbar->setMovable(false);
  m_writingDirectionControl = new QButtonGroup(this);
  m_writingDirectionControl->setExclusive(true);
  const char* directionKeys[] = {"Horizontal", "Vertical"};
  for (int segment = 0; segment < 2; ++segment) {
    auto* button = new QToolButton;
    button->setText(loc(directionKeys[segment]));
    button->setToolTip(Localization::text(QLatin1String(directionKeys[segment]) + QStringLiteral("Tip")));
    button->setStatusTip(button->toolTip());
    button->setCheckable(true);
    button->setObjectName(segment == 0 ? QStringLiteral("horizontalSegment") : QStringLiteral("verticalSegment"));
    m_writingDirectionControl->addButton(button, segment);
    toolbar->addWidget(button);
  }
  connect(m_writingDirectionControl, &QButtonGroup::idClicked, this,
          [this](int segment) { changeWritingDirection(segment == 1); });
  toolbar->addSeparator();
  m_searchField = new QLineEdit;
  m_searchField->setPlaceholderText(loc("SearchDictionary"));
  m_searchField->setToolTip(loc("SearchDictionaryTip"));
  m_searchField->setStatusTip(m_searchField->toolTip());
  m_searchField->setClearButtonEnabled(true);
  m_searchField->setMaximumWidth(260);
  auto* spacer = new QWidget;
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  toolbar->addWidget(spacer);
  toolbar->addWidget(m_searchField);

  m_axisTextField = new QLabel;
  m_axisTextField->setObjectName(QStringLiteral("axisTextField"));
  m_axisTextField->setMinimumWidth(90);
  m_symbolInfoTextField = new QLabel;
  m_symbolInfoTextField->setObjectName(QStringLiteral("symbolInfoTextField"));
  statusBar()->addWidget(m_axisTextField);
  statusBar()->addWidget(m_symbolInfoTextField, 1);
  m_dictionaryLabel = new QLabel;
  m_dictionaryLabel->setObjectName(QStringLiteral("dictionaryLabel"));
  statusBar()->addPermanentWidget(m_dictionaryLabel);
  showDictionaryName();
  connect(&m_dictionary, &Dictionary::switched, this, [this] { showDictionaryName(); });

  m_commentWindow = new TextInputPanel(loc("CommentTitle"), loc("CommentPrompt"), this);
  m_jsConvWindow = new NotationPanel(this);
}

void WindowController::syncLayoutSettings() {
  const Preferences& p = m_document->prefs;
  m_layoutSettings.defaultSignBoxWidth = p.defaultSignBoxWidth;
  m_layoutSettings.defaultSignBoxHeight = p.defaultSignBoxHeight;
  m_layoutSettings.minSignSpace = p.minSignSpace;
  m_layoutSettings.lineSpace = p.lineSpace;
  m_layoutSettings.showRules = p.showRules;
  m_layoutSettings.showBorders = p.showBorders;
  m_layoutSettings.showSignFrames = p.showSignFrames;
  m_layoutSettings.showGlosses = p.showGlosses;
  m_layoutSettings.showComments = p.showComments;
  m_layoutSettings.colorHands = p.colorHands;
  m_layoutSettings.autoCentering = p.autoCentering;
  m_layoutSettings.verticalWriting = p.verticalWriting;
  m_layoutSettings.rotatePuncs = p.rotatePuncs;
}

void WindowController::syncDirectionControl() {
  if (QAbstractButton* segment = m_writingDirectionControl->button(m_document->prefs.verticalWriting ? 1 : 0))
    segment->setChecked(true);
}

QString WindowController::displayName() const {
  const QString path = m_document->filePath();
  if (!path.isEmpty()) return QFileInfo(path).fileName();
  const QString source = m_document->sourcePath();
  if (!source.isEmpty()) return loc("TitleDamagedCopy").arg(QFileInfo(source).fileName());
  return m_untitledNumber > 1 ? loc("UntitledNumbered").arg(m_untitledNumber) : loc("Untitled");
}

void WindowController::setUntitledNumber(int number) {
  m_untitledNumber = number;
  updateWindowTitle();
}

bool WindowController::isUntouched() const {
  return m_document->sourcePath().isEmpty() && !m_document->isModified() && m_document->undoStack().count() == 0;
}

void WindowController::updateWindowTitle() {
  const QString path = m_document->filePath();
  setWindowTitle(displayName() + QStringLiteral("[*] — Quabe"));
  setWindowModified(m_document->isModified());
  setWindowFilePath(path);
}

// --- delegate ---

void WindowController::showMousePosition(qreal x, qreal y) {
  m_axisTextField->setText(QString::asprintf("(%d,%d)", qRound(x), qRound(y)));
}

void WindowController::symbolSelected(const ISWA& symbol) {
  const QRectF r = symbol.rect;
  m_symbolInfoTextField->setText(QStringLiteral("%1 (%2,%3)-(%4,%5)")
                                     .arg(SSS::toString(symbol.sss()))
                                     .arg(qRound(r.x()))
                                     .arg(qRound(r.y()))
                                     .arg(qRound(r.width()))
                                     .arg(qRound(r.height())));
}

void WindowController::clearSymbolInfo() {
  if (m_canvas->selection().isEmpty()) m_symbolInfoTextField->clear();
}

void WindowController::showDictionaryName() {
  const QString path = m_dictionary.path();
  m_dictionaryLabel->setText(loc("ActiveDictionary").arg(QFileInfo(path).fileName()));
  m_dictionaryLabel->setToolTip(QDir::toNativeSeparators(path));
}

void WindowController::documentChanged() {
  // Changes reach the document through its undo stack; the title follows it.
  updateWindowTitle();
  clearSymbolInfo();
}

QSizeF WindowController::visibleSize() const {
  // The canvas takes the size of the scroll area's viewport.
  return {};
}

void WindowController::runConversionPanel() {
  const DocumentController::NotationConverter& converter = m_controller.notationConverter();
  if (!converter) {
    alerts().alert(loc("NotationUnavailable"), QString());
    return;
  }
  // The panel stays open until the line converts cleanly or the user
  // accepts what it gives; nothing of a line it rejects is inserted.
  const std::optional<QList<SignPtr>> signs = m_jsConvWindow->run(jjsText, converter);
  if (!signs) return;
  jjsText = m_jsConvWindow->textField()->text();
  if (!signs->isEmpty()) m_canvas->insertSigns(*signs, QStringLiteral("UndoNotationInput"));
}

void WindowController::runCommentPanel() {
  const ViewLineManager* layout = m_canvas->viewLineMan();
  const SignPtr sign = layout ? layout->currentSign() : nullptr;
  if (!sign) return;
  // The panel starts from the sign's own comment; Close leaves it alone.
  const std::optional<QString> text = m_commentWindow->run(sign->comment);
  if (!text) return;
  commentText = *text;
  m_canvas->setCommentOfCurrentSign(commentText);
}

void WindowController::runGlossPanel() {
  const ViewLineManager* layout = m_canvas->viewLineMan();
  const SignPtr sign = layout ? layout->currentSign() : nullptr;
  if (!sign || sign->isEmpty()) return;
  // The tag follows the gloss the way the panel's text is split again.
  const DbSign& entry = *sign->jjs;
  const bool circled = entry.tag.size() == 1 && entry.tag[0] >= QChar(0x2460) && entry.tag[0] <= QChar(0x2468);
  const QString gloss =
      entry.tag.isEmpty() ? entry.gloss : entry.gloss + (circled ? QString() : QStringLiteral("_")) + entry.tag;
  GlossPanel panel(this);
  const auto edited = panel.run(gloss, entry.yomi);
  if (edited) m_canvas->setGlossOfCurrentSign(edited->first, edited->second);
}

void WindowController::openSignList() { m_controller.requestSignList(this); }

// --- direction and preferences ---

void WindowController::changeWritingDirection(bool vertical) {
  if (vertical == m_document->prefs.verticalWriting) {
    syncDirectionControl();
    return;
  }
  QSettings settings;
  settings.setValue(QStringLiteral("VerticalWriting"), vertical);
  settings.sync();
  m_editor->perform(loc("UndoWritingDirection"), [&] {
    m_document->prefs.verticalWriting = vertical;
    syncLayoutSettings();
    m_canvas->setWritingMode(vertical);
  });
  syncDirectionControl();
  m_controller.showPreferencesOf(this);
  updateWindowTitle();
}

void WindowController::applyPreferences(bool relayout) {
  syncLayoutSettings();
  if (relayout)
    m_canvas->setWritingMode(m_document->prefs.verticalWriting);
  else
    m_canvas->update();
  syncDirectionControl();
}

void WindowController::openPreferenceWindow() {
  if (!m_preferencePanel) {
    m_preferencePanel = new PreferencePanel(this);
    m_preferencePanel->setDictionaryValidator([](const QString& path) { return Dictionary::isValidDictionary(path); });
    connect(m_preferencePanel, &PreferencePanel::settingsSaved, this,
            [this](bool dictionaryChanged) { applyEditedPreferences(m_editedPrefs, dictionaryChanged); });
  }
  oldPrefs = m_document->prefs;
  m_editedPrefs = m_document->prefs;
  m_preferencePanel->setPreferences(&m_editedPrefs);
  m_preferencePanel->switchView(0);
  m_preferencePanel->setWindowModality(Qt::WindowModal);
  m_preferencePanel->open();
}

void WindowController::applyEditedPreferences(const Preferences& edited, bool dictionaryChanged) {
  const Preferences& current = m_document->prefs;
  const bool relayout = edited.defaultSignBoxWidth != current.defaultSignBoxWidth ||
                        edited.defaultSignBoxHeight != current.defaultSignBoxHeight ||
                        edited.lineSpace != current.lineSpace || edited.minSignSpace != current.minSignSpace ||
                        edited.verticalWriting != current.verticalWriting ||
                        edited.rotatePuncs != current.rotatePuncs || (edited.autoCentering && !current.autoCentering) ||
                        edited.showGlosses != current.showGlosses || edited.showComments != current.showComments;
  const Preferences copy = edited;
  m_editor->perform(loc("UndoPreferences"), [&] {
    m_document->prefs = copy;
    applyPreferences(relayout);
  });
  if (dictionaryChanged) m_dictionary.setPath(Dictionary::pathFor(copy.useAlternativeDict, copy.alternativeDictPath));
  m_controller.showPreferencesOf(this);
  updateWindowTitle();
}

void WindowController::stepRestored() {
  syncLayoutSettings();
  syncDirectionControl();
  m_symbolInfoTextField->clear();
  m_canvas->update();
  updateWindowTitle();
  m_controller.showPreferencesOf(this);
}

// --- files ---

bool WindowController::saveDocument() {
  if (m_document->filePath().isEmpty()) return saveDocumentAs();
  return saveToPath(m_document->filePath());
}

bool WindowController::saveDocumentAs() {
  // A document read from a damaged file proposes that file: the user decides.
  const QString source = m_document->sourcePath();
  const QString suggested =
      source.isEmpty() ? QDir(DocumentController::dialogFolder(this)).filePath(displayName() + QStringLiteral(".swml"))
                       : source;
  QString path = m_savePathChooser ? m_savePathChooser(suggested)
                                   : QFileDialog::getSaveFileName(this, loc("MenuSaveAs"), suggested,
                                                                  loc("SwmlFiles") + QStringLiteral(" (*.swml)"));
  if (path.isEmpty()) return false;
  DocumentController::noteDialogFolder(path);
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".swml");
  return saveToPath(path);
}

bool WindowController::saveToPath(const QString& path) {
  QString error;
  if (!m_document->writeToFile(path, &error)) {
    alerts().alert(loc("SaveFailed").arg(QFileInfo(path).fileName()), error);
    return false;
  }
  updateWindowTitle();
  m_controller.noteRecentDocument(path);
  return true;
}

bool WindowController::revertDocument() {
  const QString path = m_document->filePath();
  if (path.isEmpty() || !m_document->isModified()) return false;
  const QString name = QFileInfo(path).fileName();
  if (alerts().ask(loc("RevertQuestion").arg(name), loc("RevertInfo"), {loc("Revert"), loc("Cancel")}, 1) != 0)
    return false;
  // Read first: a file that cannot be read any more leaves the text as it is.
  Document saved;
  const SwmlReadReport report = saved.readFromFile(path);
  if (report.isDamaged()) {
    // Neither can a file that no longer reads completely.
    alerts().alert(loc("RevertFailed").arg(name), report.damageDescription());
    return false;
  }
  m_canvas->selection().clear();
  m_canvas->selection().forgetEditing();
  m_symbolInfoTextField->clear();
  m_document->bufferManager.editBuffer = saved.bufferManager.editBuffer;
  m_document->prefs = saved.prefs;
  m_document->undoStack().clear();
  syncLayoutSettings();
  m_canvas->setBufferManager(&m_document->bufferManager, &m_layoutSettings);
  m_editor->resetBaseline();
  m_document->setModified(false);
  syncDirectionControl();
  m_controller.showPreferencesOf(this);
  updateWindowTitle();
  return true;
}

bool WindowController::saveAsPDF() {
  const QString base =
      m_document->filePath().isEmpty() ? displayName() : QFileInfo(m_document->filePath()).completeBaseName();
  QString path = QFileDialog::getSaveFileName(
      this, loc("MenuSaveAsPdf"), QDir(DocumentController::dialogFolder(this)).filePath(base + QStringLiteral(".pdf")),
      QStringLiteral("PDF (*.pdf)"));
  if (path.isEmpty()) return false;
  DocumentController::noteDialogFolder(path);
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
  return saveAsPDFToPath(path);
}

bool WindowController::saveAsPDFToPath(const QString& path) {
  QString error;
  if (CanvasExport::saveAsPdf(*m_canvas, path, std::nullopt, &error)) return true;
  alerts().alert(loc("PdfFailed").arg(QFileInfo(path).fileName()), error);
  return false;
}

bool WindowController::printDocument() { return CanvasExport::printWithDialog(*m_canvas, this); }

bool WindowController::confirmClose() {
  if (!m_document->isModified()) return true;
  const QString name = displayName();
  const int answer = alerts().ask(loc("SaveChangesQuestion").arg(name), loc("SaveChangesInfo"),
                                  {loc("Save"), loc("DontSave"), loc("Cancel")}, 0);
  if (answer == 0) return saveDocument();
  return answer == 1;
}

void WindowController::closeEvent(QCloseEvent* event) {
  if (!m_closing && !confirmClose()) {
    event->ignore();
    return;
  }
  m_closing = true;
  Q_EMIT closed(this);
  event->accept();
}

bool WindowController::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_canvas && event->type() == QEvent::MouseButtonRelease) clearSymbolInfo();
  return QMainWindow::eventFilter(watched, event);
}

void WindowController::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Q_EMIT activated(this);
  QMainWindow::changeEvent(event);
}

}  // namespace quabe
