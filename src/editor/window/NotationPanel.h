#pragma once

#include <functional>
#include <optional>

#include "editor/window/TextInputPanel.h"
#include "notation/SWGen.h"

namespace quabe {

// The notation-input panel of a document window. OK converts the line and
// closes the panel only when the signs say what was written: a line that
// does not follow the notation stays in the panel with its problems listed
// and the offending word selected; words missing from the dictionary (and
// annotations that could not be applied) are listed, and the signs are
// inserted, missing words as empty signs, only when OK is pressed again on
// the same line. A help button shows a short summary of the notation.
class NotationPanel : public TextInputPanel {
  Q_OBJECT
 public:
  using Converter = std::function<NotationConversion(const QString& text)>;

  explicit NotationPanel(QWidget* parent = nullptr);

  QLabel* messageLabel() const { return m_messages; }
  QPushButton* helpButton() const { return m_helpButton; }
  QLabel* syntaxLabel() const { return m_syntax; }

  // Runs the panel modally with the field preset to text; the signs of the
  // accepted line, nothing when the panel was closed.
  std::optional<QList<SignPtr>> run(const QString& text, Converter converter);

 private:
  void convertAndAccept();
  void showProblems(const NotationConversion& conversion);

  Converter m_converter;
  QList<SignPtr> m_signs;
  QString m_confirmedText;  // the line whose missing words the user was told about
  QLabel* m_messages;
  QLabel* m_syntax;
  QPushButton* m_helpButton;
};

}  // namespace quabe
