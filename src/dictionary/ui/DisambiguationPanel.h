#pragma once

#include <QDialog>
#include <QList>
#include <optional>

class QPushButton;
class QRadioButton;
class QWidget;

namespace quabe {

class Dictionary;

// The chooser shown when the dictionary already holds entries under the
// gloss being stored: one column per candidate with its thumbnail and a radio
// button titled with its notation text, and a "save as new" choice. The OK
// button is enabled once a choice is made.
class DisambiguationPanel : public QDialog {
  Q_OBJECT
 public:
  static constexpr int ColumnWidth = 110;
  static constexpr int ThumbnailHeight = 150;

  DisambiguationPanel(const QList<qint64>& candidates, const Dictionary& dictionary, QWidget* parent = nullptr);

  const QList<qint64>& candidates() const { return m_candidates; }
  // One per candidate, in candidate order. Compound entries cannot be
  // replaced by a plain sign: their buttons are disabled.
  const QList<QRadioButton*>& radioButtons() const { return m_radioButtons; }
  QRadioButton* saveAsNewRadioButton() const { return m_saveAsNewRadioButton; }
  QWidget* signScrollView() const { return m_signScrollView; }
  QPushButton* okButton() const { return m_okButton; }
  QPushButton* cancelButton() const { return m_cancelButton; }

  // The choice: a candidate's id, a negative id for "save as new", nothing
  // when neither is chosen.
  std::optional<qint64> choice() const;

  void radioButtonClicked(int index);
  void saveAsNewRadioButtonSelected();

 private:
  void updateOkButton();

  QList<qint64> m_candidates;
  QList<QRadioButton*> m_radioButtons;
  QRadioButton* m_saveAsNewRadioButton = nullptr;
  QWidget* m_signScrollView = nullptr;
  QPushButton* m_okButton = nullptr;
  QPushButton* m_cancelButton = nullptr;
};

}  // namespace quabe
