#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quabe {

// A small modal panel with one text field and OK / Close buttons: the
// comment panel and the notation-input panel of a document window. OK
// accepts with the field's text; Close (or Escape) rejects.
class TextInputPanel : public QDialog {
  Q_OBJECT
 public:
  TextInputPanel(const QString& title, const QString& prompt, QWidget* parent = nullptr);

  QLineEdit* textField() const { return m_textField; }
  QPushButton* okButton() const { return m_okButton; }
  QPushButton* closeButton() const { return m_closeButton; }

  // Runs the panel modally with the field preset to text; the entered text
  // when OK was pressed, nothing otherwise.
  std::optional<QString> run(const QString& text);

 private:
  QLineEdit* m_textField;
  QPushButton* m_okButton;
  QPushButton* m_closeButton;
};

}  // namespace quabe
