#include "editor/window/TextInputPanel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Localization.h"

namespace quabe {

TextInputPanel::TextInputPanel(const QString& title, const QString& prompt, QWidget* parent) : QDialog(parent) {
  setWindowTitle(title);
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(prompt);
  m_textField = new QLineEdit;
  m_textField->setMinimumWidth(360);
  label->setBuddy(m_textField);
  layout->addWidget(label);
  layout->addWidget(m_textField);
  auto* buttons = new QDialogButtonBox;
  m_okButton = buttons->addButton(loc("OK"), QDialogButtonBox::AcceptRole);
  m_closeButton = buttons->addButton(loc("Close"), QDialogButtonBox::RejectRole);
  m_okButton->setObjectName(QStringLiteral("okButton"));
  m_closeButton->setObjectName(QStringLiteral("closeButton"));
  m_okButton->setDefault(true);
  connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::optional<QString> TextInputPanel::run(const QString& text) {
  m_textField->setText(text);
  m_textField->selectAll();
  m_textField->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return m_textField->text();
}

}  // namespace quabe
