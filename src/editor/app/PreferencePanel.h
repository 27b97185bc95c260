#pragma once

#include <QDialog>
#include <functional>

#include "document/Preferences.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QStackedWidget;
class QButtonGroup;
class QActionGroup;

namespace quabe {

// The preferences sheet of a document window: a document page (writing
// direction, sign box, spacing, display switches) and a dictionary page
// (main or alternative dictionary). Save writes the controls back into the
// document's preferences and the user settings; Discard leaves both alone.
class PreferencePanel : public QDialog {
  Q_OBJECT
 public:
  explicit PreferencePanel(QWidget* parent = nullptr);

  // The preferences being edited (not owned); loads the controls.
  void setPreferences(Preferences* prefs);
  Preferences* preferences() const { return m_prefs; }

  // Checks a chosen alternative dictionary; reports its own alerts.
  using DictionaryValidator = std::function<bool(const QString& path)>;
  void setDictionaryValidator(DictionaryValidator validator) { m_validator = std::move(validator); }
  // Puts path into the alternative-dictionary field when it is valid.
  bool chooseAltDictPath(const QString& path);

  // The controls, for the window and for tests.
  QComboBox* signBoxWidthComboBox = nullptr;
  QComboBox* signBoxHeightComboBox = nullptr;
  QComboBox* lineSpaceComboBox = nullptr;
  QComboBox* signSpaceComboBox = nullptr;
  // System, English, 日本語: stored under "InterfaceLanguage", used from the next start.
  QComboBox* languageComboBox = nullptr;
  QCheckBox* showRulesCheckBox = nullptr;
  QCheckBox* showBordersCheckBox = nullptr;
  QCheckBox* showSignFramesCheckBox = nullptr;
  QCheckBox* showGlossesCheckBox = nullptr;
  QCheckBox* showCommentsCheckBox = nullptr;
  QCheckBox* colorHandsCheckBox = nullptr;
  QCheckBox* autoCenteringCheckBox = nullptr;
  QCheckBox* rotatePuncsCheckBox = nullptr;
  QButtonGroup* writingDirectionSegmentedControl = nullptr;  // 0 horizontal, 1 vertical
  QButtonGroup* dictSegmentedController = nullptr;           // 0 main, 1 alternative
  QLineEdit* mainDictTextField = nullptr;
  QLineEdit* altDictTextField = nullptr;

 Q_SIGNALS:
  // After Save: whether the choice of dictionary changed.
  void settingsSaved(bool dictionaryChanged);

 public Q_SLOTS:
  void saveSettings();
  void discardSettings();
  void chooseAltDict();
  // 0 document page, 1 dictionary page.
  void switchView(int page);

 private:
  void loadControls();
  QWidget* makeDocumentPage();
  QWidget* makeDictionaryPage();

  Preferences* m_prefs = nullptr;
  QStackedWidget* m_pages = nullptr;
  QActionGroup* m_pageActions = nullptr;
  DictionaryValidator m_validator;
};

}  // namespace quabe
