#include "editor/commands/DictionaryCommands.h"

#include "core/Alerts.h"
#include "core/Localization.h"
#include "dictionary/Dictionary.h"
#include "dictionary/ui/CompoundWindow.h"
#include "dictionary/ui/DictEditWindow.h"
#include "dictionary/ui/SignListWindow.h"
#include "document/Compound.h"
#include "editor/app/DocumentController.h"
#include "editor/commands/ImportCommands.h"
#include "editor/interaction/EditingCanvas.h"
#include "editor/layout/ViewLineManager.h"
#include "editor/window/WindowController.h"
#include "finder/SignFinder.h"
#include "finder/ui/FinderEvaluationWindow.h"
#include "finder/ui/SignFinderWindow.h"
#include "notation/SWGen.h"

namespace quabe {

namespace {

SignPtr currentSignOf(WindowController* window) {
  EditingCanvas* canvas = window ? window->canvasView() : nullptr;
  ViewLineManager* layout = canvas ? canvas->viewLineMan() : nullptr;
  return layout ? layout->currentSign() : nullptr;
}

void bringToFront(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

DictionaryCommands::DictionaryCommands(Dictionary& dictionary, QObject* parent)
    : QObject(parent), m_dictionary(dictionary), m_importCommands(new ImportCommands(dictionary, this)) {}

DictionaryCommands::~DictionaryCommands() {
  // The tool windows have no parent: they go with their commands.
  for (QWidget* window : std::initializer_list<QWidget*>{m_signFinderWindow, m_finderEvaluationWindow, m_signListWindow,
                                                         m_compoundWindow, m_dictEditController}) {
    delete window;
  }
}

void DictionaryCommands::install(DocumentController& controller) {
  controller.setAddSignHandler([this](WindowController* window, const SignPtr& sign) { addSignToDB(window, sign); });
  controller.setNotationConverter([this](const QString& text) { return SWGen(m_dictionary).convert(text); });
  controller.setSearchHandler(
      [this](WindowController* window, const QString& text) { searchDictionary(window, text); });
  controller.setToolHandler(ToolCommand::OpenDictionaryEditor,
                            [this](WindowController* front) { openDictEditWindow(front); });
  controller.setToolHandler(ToolCommand::SignList, [this](WindowController* front) { openSignListWindow(front); });
  controller.setToolHandler(ToolCommand::SimilarSigns, [this](WindowController* front) { showSimilarSigns(front); });
  controller.setToolHandler(ToolCommand::SimilarityBetweenSymbols,
                            [this](WindowController* front) { showSimilarityBetweenSymbols(front, false); });
  controller.setToolHandler(ToolCommand::SimilarityIgnoringDistance,
                            [this](WindowController* front) { showSimilarityBetweenSymbols(front, true); });
  controller.setToolHandler(ToolCommand::SimilarityBetweenSigns,
                            [this](WindowController* front) { showSimilarityBetweenSigns(front); });
  controller.setToolHandler(ToolCommand::FinderEvaluation, [this](WindowController*) { openFinderEvaluation(); });
  m_importCommands->install(controller);
}

DictEditWindow* DictionaryCommands::dictEditController() {
  if (!m_dictEditController) m_dictEditController = new DictEditWindow(m_dictionary);
  return m_dictEditController;
}

CompoundWindow* DictionaryCommands::compoundWindow() {
  if (!m_compoundWindow) m_compoundWindow = new CompoundWindow(m_dictionary);
  return m_compoundWindow;
}

SignListWindow* DictionaryCommands::signListWindow() {
  if (!m_signListWindow) {
    m_signListWindow = new SignListWindow(m_dictionary);
    m_signListWindow->setDictEditController(dictEditController());
    m_signListWindow->setCompoundController(compoundWindow());
  }
  return m_signListWindow;
}

SignFinderWindow* DictionaryCommands::signFinderWindow() {
  if (!m_signFinderWindow) m_signFinderWindow = new SignFinderWindow(m_dictionary);
  return m_signFinderWindow;
}

FinderEvaluationWindow* DictionaryCommands::finderEvaluationWindow() {
  if (!m_finderEvaluationWindow) {
    m_finderEvaluationWindow = new FinderEvaluationWindow(m_dictionary);
    // Choosing the answer entry: the sign list hands the chosen id to the field.
    connect(m_finderEvaluationWindow, &FinderEvaluationWindow::answerSignRequested, this, [this] {
      SignListWindow* list = signListWindow();
      QPointer<FinderEvaluationWindow> evaluation = m_finderEvaluationWindow;
      list->setCanvasDelegate({evaluation.data(),
                               [evaluation](qint64 signID) {
                                 if (evaluation) evaluation->setAnswerSignID(signID);
                                 return bool(evaluation);
                               },
                               {}});
      if (list->signs().isEmpty() && !list->isLoading()) list->fetchWholeSigns();
      bringToFront(list);
    });
  }
  return m_finderEvaluationWindow;
}

void DictionaryCommands::addSignToDB(WindowController*, const SignPtr& sign) {
  if (!sign || sign->isEmpty()) {
    alerts().alert(loc("SignHasNoSymbol"), loc("SelectSignForDictionary"));
    return;
  }
  DictEditWindow* editor = dictEditController();
  editor->setSign(*sign);
  bringToFront(editor);
}

bool DictionaryCommands::hasValidConstituents(const Sign& compound) const {
  const QList<SignPtr> parts = compound.constituents.value_or(QList<SignPtr>());
  if (parts.isEmpty()) return false;
  for (const SignPtr& part : parts) {
    if (!part || part->isEmpty() || part->jjs->signID < 1 || !m_dictionary.getSign(part->jjs->signID)) return false;
  }
  return true;
}

void DictionaryCommands::openDictEditWindow(WindowController* window) {
  const SignPtr sign = currentSignOf(window);
  if (!sign || sign->isEmpty()) {
    alerts().alert(loc("SignHasNoSymbol"), loc("SelectSignForDictionary"));
    return;
  }
  if (auto compound = std::dynamic_pointer_cast<Compound>(sign)) {
    if (!hasValidConstituents(*compound)) {
      alerts().alert(loc("InvalidCompound"), QString());
      return;
    }
    CompoundWindow* editor = compoundWindow();
    editor->setCompound(std::dynamic_pointer_cast<Compound>(compound->copy()));
    bringToFront(editor);
    return;
  }
  DictEditWindow* editor = dictEditController();
  editor->setSign(*sign);
  bringToFront(editor);
}

void DictionaryCommands::connectSignList(WindowController* window) {
  EditingCanvas* canvas = window ? window->canvasView() : nullptr;
  if (!canvas) return;
  QPointer<EditingCanvas> target = canvas;
  signListWindow()->setCanvasDelegate(
      {canvas, [target](qint64 signID) { return target && target->insertSignAtCursorPositionBySignID(signID); },
       [target](const QList<SignPtr>& signs) {
         return target && target->insertSigns(signs, QStringLiteral("UndoInsertSign"));
       }});
}

void DictionaryCommands::openSignListWindow(WindowController* window) {
  SignListWindow* list = signListWindow();
  connectSignList(window);
  // The first opening lists the whole dictionary.
  if (!list->searchString() && list->signs().isEmpty() && !list->isLoading()) list->fetchWholeSigns();
  bringToFront(list);
}

void DictionaryCommands::searchDictionary(WindowController* window, const QString& text) {
  if (text.isEmpty()) return;
  SignListWindow* list = signListWindow();
  connectSignList(window);
  bringToFront(list);
  list->searchGloss(text);
}

void DictionaryCommands::showSimilarSigns(WindowController* window) {
  const SignPtr sign = currentSignOf(window);
  if (!sign || sign->isEmpty()) {
    alerts().alert(loc("CurrentSignIsEmpty"), QString());
    return;
  }
  SignFinderWindow* finder = signFinderWindow();
  finder->setTargetSign(*sign);
  QPointer<EditingCanvas> canvas = window->canvasView();
  finder->setInsertionTarget(
      canvas.data(), [canvas](qint64 signID) { return canvas && canvas->insertSignAtCursorPositionBySignID(signID); });
  finder->showWindow();
}

void DictionaryCommands::showSimilarityBetweenSigns(WindowController* window) {
  EditingCanvas* canvas = window ? window->canvasView() : nullptr;
  ViewLineManager* layout = canvas ? canvas->viewLineMan() : nullptr;
  if (!layout || !layout->hasRangeSelection() || layout->selectStart == layout->selectEnd) {
    alerts().alert(loc("SelectSignsToCompare"), QString());
    return;
  }
  const ViewPosition start = ViewLineManager::unpack(layout->selectStart);
  const ViewPosition end = ViewLineManager::unpack(layout->selectEnd);
  const SignPtr first = layout->signAt(start.line, start.index);
  const SignPtr last = layout->signAt(end.line, end.index);
  if (!first || !last) {
    alerts().alert(loc("SelectSignsToCompare"), QString());
    return;
  }
  const SFSimilarity similarity = SignFinder::targetFeatures(*first).similarity(SignFinder::targetFeatures(*last));
  alerts().alert(loc("SimilarityOfSigns")
                     .arg(similarityPercent(similarity.score), QString::number(similarity.shapeAndLocation, 'f', 3),
                          QString::number(similarity.movement, 'f', 3)),
                 QString());
}

void DictionaryCommands::showSimilarityBetweenSymbols(WindowController* window, bool ignoringDistance) {
  const QList<ISWAPtr> selected = window ? window->canvasView()->selection().symbols() : QList<ISWAPtr>{};
  if (selected.size() < 2 || !selected.at(0) || !selected.at(1)) {
    alerts().alert(loc("SelectTwoSymbols"), QString());
    return;
  }
  const ISWA& a = *selected.at(0);
  const ISWA& b = *selected.at(1);
  const SFSymbol first(a.sss(), a.rect.x(), a.rect.y(), a.hand);
  const SFSymbol second(b.sss(), b.rect.x(), b.rect.y(), b.hand);
  alerts().alert(loc("SimilarityOfSymbols").arg(first.similarity(second, ignoringDistance)), QString());
}

void DictionaryCommands::openFinderEvaluation() { bringToFront(finderEvaluationWindow()); }

}  // namespace quabe
