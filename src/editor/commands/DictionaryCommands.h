#pragma once

#include <QObject>
#include <QPointer>

#include "document/Sign.h"

namespace quabe {

class CompoundWindow;
class DictEditWindow;
class Dictionary;
class DocumentController;
class FinderEvaluationWindow;
class ImportCommands;
class SignFinderWindow;
class SignListWindow;
class WindowController;

// The commands that connect the document windows to the dictionary, the
// notation converter and the sign finder: adding the current sign to the
// dictionary, the entry and compound editors, the sign list and the
// dictionary search field, notation input, the similar-sign search, the
// similarity displays and the finder evaluation, all on one dictionary. It
// owns the shared tool windows, which are made on first use and live until
// the application quits. The document controller owns the commands.
class DictionaryCommands : public QObject {
  Q_OBJECT
 public:
  explicit DictionaryCommands(Dictionary& dictionary, QObject* parent = nullptr);
  ~DictionaryCommands() override;

  // Hands the commands to the document controller's menus, keys and fields.
  void install(DocumentController& controller);

  DictEditWindow* dictEditController();
  SignListWindow* signListWindow();
  CompoundWindow* compoundWindow();
  SignFinderWindow* signFinderWindow();
  FinderEvaluationWindow* finderEvaluationWindow();
  // The SPML import and dictionary merge commands, on the same dictionary.
  ImportCommands& importCommands() const { return *m_importCommands; }

  // --- the commands; `window` is the document window they act on ---
  // A copy of the current sign for the entry editor (the canvas has checked
  // that it is not empty).
  void addSignToDB(WindowController* window, const SignPtr& sign);
  // The entry editor (or, for a compound, the compound editor) for the
  // current sign; alerts for an empty sign or a compound of unknown entries.
  void openDictEditWindow(WindowController* window);
  // Shows the sign list, connected to the window's canvas.
  void openSignListWindow(WindowController* window);
  // The window's dictionary search field: the sign list with that search.
  void searchDictionary(WindowController* window, const QString& text);
  // The similar-sign search for the current sign.
  void showSimilarSigns(WindowController* window);
  // Compares the first and the last sign of the range selection.
  void showSimilarityBetweenSigns(WindowController* window);
  // Compares the first two selected symbols.
  void showSimilarityBetweenSymbols(WindowController* window, bool ignoringDistance);
  void openFinderEvaluation();

  // True when every constituent of the compound is a stored dictionary entry.
  bool hasValidConstituents(const Sign& compound) const;

 private:
  void connectSignList(WindowController* window);

  Dictionary& m_dictionary;
  ImportCommands* m_importCommands;  // a child
  QPointer<DictEditWindow> m_dictEditController;
  QPointer<SignListWindow> m_signListWindow;
  QPointer<CompoundWindow> m_compoundWindow;
  QPointer<SignFinderWindow> m_signFinderWindow;
  QPointer<FinderEvaluationWindow> m_finderEvaluationWindow;
};

}  // namespace quabe
