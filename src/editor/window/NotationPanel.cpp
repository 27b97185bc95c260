#include "editor/window/NotationPanel.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Localization.h"

namespace quabe {

NotationPanel::NotationPanel(QWidget* parent)
    : TextInputPanel(loc("NotationTitle"), loc("NotationPrompt"), parent),
      m_messages(new QLabel),
      m_syntax(new QLabel(loc("NotationSyntax"))),
      m_helpButton(new QPushButton(loc("NotationHelp"))) {
  textField()->setPlaceholderText(loc("NotationExample"));
  m_messages->setObjectName(QStringLiteral("notationMessages"));
  m_messages->setWordWrap(true);
  m_messages->setTextFormat(Qt::PlainText);
  m_messages->hide();
  m_syntax->setObjectName(QStringLiteral("notationSyntax"));
  m_syntax->setTextFormat(Qt::PlainText);
  m_syntax->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_syntax->hide();
  m_helpButton->setObjectName(QStringLiteral("helpButton"));
  m_helpButton->setCheckable(true);
  m_helpButton->setAutoDefault(false);
  connect(m_helpButton, &QPushButton::toggled, m_syntax, &QWidget::setVisible);

  // Messages and the summary go between the field and the buttons.
  auto* box = qobject_cast<QBoxLayout*>(layout());
  const int buttonsAt = box->count() - 1;
  box->insertWidget(buttonsAt, m_messages);
  box->insertWidget(buttonsAt + 1, m_syntax);
  box->insertWidget(buttonsAt + 2, m_helpButton, 0, Qt::AlignLeft);

  disconnect(okButton(), &QPushButton::clicked, this, &QDialog::accept);
  connect(okButton(), &QPushButton::clicked, this, &NotationPanel::convertAndAccept);
  connect(textField(), &QLineEdit::textEdited, this, [this] {
    // A changed line has to be confirmed anew.
    m_confirmedText.clear();
    okButton()->setText(loc("OK"));
  });
}

std::optional<QList<SignPtr>> NotationPanel::run(const QString& text, Converter converter) {
  m_converter = std::move(converter);
  m_signs.clear();
  m_confirmedText.clear();
  okButton()->setText(loc("OK"));
  m_messages->clear();
  m_messages->hide();
  if (!TextInputPanel::run(text)) return std::nullopt;
  return m_signs;
}

void NotationPanel::convertAndAccept() {
  const QString text = textField()->text();
  if (text.trimmed().isEmpty() || !m_converter) {
    m_signs.clear();
    accept();
    return;
  }
  const NotationConversion conversion = m_converter(text);
  const bool confirmed = text == m_confirmedText;
  if (conversion.isReadable() && (conversion.diagnostics.empty() || confirmed)) {
    m_signs = conversion.signs;
    accept();
    return;
  }
  showProblems(conversion);
  if (conversion.isReadable()) {
    // Missing words or annotations that could not be applied: the next OK
    // on this line inserts the signs as they are.
    m_confirmedText = text;
    okButton()->setText(loc("NotationInsertAnyway"));
  }
}

void NotationPanel::showProblems(const NotationConversion& conversion) {
  QStringList lines;
  const NotationDiagnostic* marked = nullptr;
  for (const NotationDiagnostic& problem : conversion.diagnostics) {
    if (problem.kind == NotationDiagnostic::Kind::unknownWord) continue;
    lines.append(loc("NotationProblemAt").arg(problem.at + 1).arg(problem.message));
    if (!marked && problem.kind == NotationDiagnostic::Kind::unreadable) marked = &problem;
  }
  if (!conversion.unknownWords.isEmpty()) {
    lines.append(loc("NotationNotInDictionary").arg(conversion.unknownWords.join(loc("NotationWordSeparator"))));
    for (const NotationDiagnostic& problem : conversion.diagnostics) {
      if (!marked && problem.kind == NotationDiagnostic::Kind::unknownWord) marked = &problem;
    }
  }
  if (conversion.isReadable()) lines.append(loc("NotationConfirmInsert"));
  m_messages->setText(lines.join(QLatin1Char('\n')));
  m_messages->show();
  if (marked) {
    textField()->setFocus();
    if (marked->length > 0) {
      textField()->setSelection(int(marked->at), int(marked->length));
    } else {
      textField()->deselect();
      textField()->setCursorPosition(int(marked->at));
    }
  }
}

}  // namespace quabe
