#include "editor/window/GlossPanel.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "core/Localization.h"

namespace quabe {

GlossPanel::GlossPanel(QWidget* parent) : QDialog(parent), m_gloss(new QLineEdit), m_reading(new QLineEdit) {
  setWindowTitle(loc("GlossTitle"));
  setModal(true);
  m_gloss->setObjectName(QStringLiteral("glossField"));
  m_reading->setObjectName(QStringLiteral("readingField"));
  m_gloss->setMinimumWidth(300);
  auto* form = new QFormLayout(this);
  form->addRow(loc("GlossPrompt"), m_gloss);
  form->addRow(loc("ReadingPrompt"), m_reading);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

std::optional<std::pair<QString, QString>> GlossPanel::run(const QString& gloss, const QString& reading) {
  m_gloss->setText(gloss);
  m_reading->setText(reading);
  m_gloss->selectAll();
  m_gloss->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return std::make_pair(m_gloss->text(), m_reading->text());
}

}  // namespace quabe
