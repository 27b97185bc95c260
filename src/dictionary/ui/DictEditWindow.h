#pragma once

#include <QDate>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

#include "document/Sign.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quabe {

class Dictionary;
class DictSignView;
class DictSymbolView;
class DisambiguationPanel;

// The dictionary entry editor: a sign taken from a document (or from the
// sign list) becomes a dictionary entry. It shows the sign and its symbols,
// the entry's texts and parameters and the flags of the selected symbol, and
// stores the entry as a new one or in place of an existing one. One editor
// is shared by all documents; each new sign replaces the one being edited.
class DictEditWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int SignBoxWidth = 256;
  static constexpr int SignBoxHeight = 256;

  explicit DictEditWindow(Dictionary& dictionary, QWidget* parent = nullptr);
  ~DictEditWindow() override;

  // Takes a copy of the sign to edit and fills the views and fields.
  void setSign(const Sign& sign);
  const SignPtr& originalSign() const { return m_originalSign; }
  const SignPtr& targetSign() const { return m_targetSign; }
  qint64 targetSignID() const { return m_targetSignID; }
  int selectedSymbolIndex() const { return m_selectedSymbolIndex; }

  // Selects symbol i in both views and shows its flags; nothing when it is
  // already selected or out of range.
  void selectSymbol(int index);

  // The store flow: collects the fields, asks the questions, stores and
  // closes on success. True when the entry was stored.
  bool updateButtonClicked();
  void closeButtonClicked();

  // Flag actions on the selected symbol of the sign being edited.
  void markAsLeftHand();
  void markAsRightHand();
  void markAsReplaceable(bool on);
  void markAsDirectional(bool on);
  void markAsModifiable(bool on);
  void markAsHandshape(bool on);

  // Adds a symbol given in text form at a point of the sign view (a palette
  // drop); false when the text is no symbol of the archive.
  bool addSymbolAt(const QString& text, const QPointF& point);
  // Removes the selected symbol.
  void deleteSelectedSymbol();

  // Reads the fields into the target sign's entry.
  void collectFields();

  // The meanings of a translation text: its non-empty lines, trimmed, without
  // repeats; when there are none, the gloss (without a trailing ①-⑤).
  static QStringList meaningsFromText(const QString& text, const QString& gloss);
  // "USER (yyyy/MM/dd)" for the current user and the date.
  static QString presetComment(const QDate& date);

  // The window's chooser runs modally through this function; tests may
  // replace it (an empty function restores the dialog). It returns the
  // panel's result code: 1 for OK, 0 for Cancel.
  using PanelRunner = std::function<int(DisambiguationPanel& panel)>;
  void setPanelRunner(PanelRunner runner) { m_panelRunner = std::move(runner); }

  // --- outlets ---
  DictSignView* signView() const { return m_signView; }
  DictSymbolView* symbolBoxView() const { return m_symbolBoxView; }
  QLineEdit* glossTextField() const { return m_glossTextField; }
  QLineEdit* tagTextField() const { return m_tagTextField; }
  QLineEdit* yomiTextField() const { return m_yomiTextField; }
  QPlainTextEdit* translationTextView() const { return m_translationTextView; }
  QLineEdit* handTextField() const { return m_handTextField; }
  QComboBox* posComboBox() const { return m_posComboBox; }
  QComboBox* srcComboBox() const { return m_srcComboBox; }
  QComboBox* destComboBox() const { return m_destComboBox; }
  QLineEdit* modifierTextField() const { return m_modifierTextField; }
  QLineEdit* nmmTextField() const { return m_nmmTextField; }
  QCheckBox* isHandshapeCheckBox() const { return m_isHandshapeCheckBox; }
  QRadioButton* leftRadioButton() const { return m_leftRadioButton; }
  QRadioButton* rightRadioButton() const { return m_rightRadioButton; }
  QCheckBox* replaceableCheckBox() const { return m_replaceableCheckBox; }
  QCheckBox* directionalCheckBox() const { return m_directionalCheckBox; }
  QCheckBox* modifiableCheckBox() const { return m_modifiableCheckBox; }
  QPlainTextEdit* commentTextView() const { return m_commentTextView; }
  QPushButton* updateButton() const { return m_updateButton; }
  QPushButton* closeButton() const { return m_closeButton; }

 private:
  void buildWidgets();
  void fillFields();
  void refreshViews();
  void updateFlagControls();
  ISWAPtr selectedSymbol() const;
  // Asks the question; true for "Yes".
  bool askYesNo(const QString& message, const QString& informative);
  // Stores the target sign; on failure the alert and the record as it was.
  bool store();
  // The chooser's answer: the id to store under, nothing when cancelled.
  std::optional<qint64> runDisambiguationPanel(const QList<qint64>& candidates);

  Dictionary& m_dictionary;
  SignPtr m_originalSign;
  SignPtr m_targetSign;
  PanelRunner m_panelRunner;
  qint64 m_targetSignID = 0;
  int m_selectedSymbolIndex = -1;

  DictSignView* m_signView = nullptr;
  DictSymbolView* m_symbolBoxView = nullptr;
  QLineEdit* m_glossTextField = nullptr;
  QLineEdit* m_tagTextField = nullptr;
  QLineEdit* m_yomiTextField = nullptr;
  QPlainTextEdit* m_translationTextView = nullptr;
  QLineEdit* m_handTextField = nullptr;
  QComboBox* m_posComboBox = nullptr;
  QComboBox* m_srcComboBox = nullptr;
  QComboBox* m_destComboBox = nullptr;
  QLineEdit* m_modifierTextField = nullptr;
  QLineEdit* m_nmmTextField = nullptr;
  QCheckBox* m_isHandshapeCheckBox = nullptr;
  QRadioButton* m_leftRadioButton = nullptr;
  QRadioButton* m_rightRadioButton = nullptr;
  QCheckBox* m_replaceableCheckBox = nullptr;
  QCheckBox* m_directionalCheckBox = nullptr;
  QCheckBox* m_modifiableCheckBox = nullptr;
  QPlainTextEdit* m_commentTextView = nullptr;
  QPushButton* m_updateButton = nullptr;
  QPushButton* m_closeButton = nullptr;
};

}  // namespace quabe
