#include "dictionary/ui/DisambiguationPanel.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/Localization.h"
#include "dictionary/Dictionary.h"

namespace quabe {

DisambiguationPanel::DisambiguationPanel(const QList<qint64>& candidates, const Dictionary& dictionary, QWidget* parent)
    : QDialog(parent), m_candidates(candidates) {
  setWindowTitle(loc("DisambiguationTitle"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* prompt = new QLabel(loc("ChooseSignToReplace"), this);
  prompt->setWordWrap(true);
  layout->addWidget(prompt);

  auto* scrollArea = new QScrollArea(this);
  scrollArea->setWidgetResizable(false);
  scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_signScrollView = new QWidget;
  const int columnHeight = ThumbnailHeight + 48;
  m_signScrollView->resize(ColumnWidth * int(candidates.size()), columnHeight);
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  for (int index = 0; index < candidates.size(); ++index) {
    const qint64 id = candidates.at(index);
    auto* column = new QWidget(m_signScrollView);
    column->setGeometry(ColumnWidth * index, 0, ColumnWidth, columnHeight);
    auto* columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(2, 2, 2, 2);
    auto* thumbnail = new QLabel(column);
    thumbnail->setFixedSize(ColumnWidth - 4, ThumbnailHeight);
    thumbnail->setAlignment(Qt::AlignCenter);
    thumbnail->setStyleSheet(QStringLiteral("background: white; border: 1px solid lightgray;"));
    const QImage image = dictionary.signImage(QSize(150, 150), id);
    if (!image.isNull()) {
      thumbnail->setPixmap(QPixmap::fromImage(
          image.scaled(thumbnail->size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    columnLayout->addWidget(thumbnail);
    const std::optional<DbSign> entry = dictionary.getSign(id);
    auto* radio = new QRadioButton(entry ? entry->text(TagStyle::defaultStyle) : QStringLiteral("#%1").arg(id), column);
    radio->setToolTip(QStringLiteral("#%1").arg(id));
    if (entry && entry->isCompound) {
      radio->setEnabled(false);
      radio->setToolTip(loc("CompoundCannotBeReplaced"));
    }
    group->addButton(radio, index);
    connect(radio, &QRadioButton::clicked, this, [this, index] { radioButtonClicked(index); });
    columnLayout->addWidget(radio);
    m_radioButtons.append(radio);
  }
  scrollArea->setWidget(m_signScrollView);
  scrollArea->setMinimumSize(qMin(ColumnWidth * 5, ColumnWidth * int(candidates.size())) + 4, columnHeight + 24);
  layout->addWidget(scrollArea);

  m_saveAsNewRadioButton = new QRadioButton(loc("SaveAsNewSign"), this);
  group->addButton(m_saveAsNewRadioButton, int(candidates.size()));
  connect(m_saveAsNewRadioButton, &QRadioButton::clicked, this, [this] { saveAsNewRadioButtonSelected(); });
  layout->addWidget(m_saveAsNewRadioButton);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  m_cancelButton = new QPushButton(loc("Cancel"), this);
  m_okButton = new QPushButton(loc("OK"), this);
  m_okButton->setDefault(true);
  buttons->addWidget(m_cancelButton);
  buttons->addWidget(m_okButton);
  layout->addLayout(buttons);
  connect(m_okButton, &QPushButton::clicked, this, [this] { done(1); });
  connect(m_cancelButton, &QPushButton::clicked, this, [this] { done(0); });
  updateOkButton();
}

std::optional<qint64> DisambiguationPanel::choice() const {
  for (int index = 0; index < m_radioButtons.size(); ++index) {
    if (m_radioButtons.at(index)->isChecked()) return m_candidates.at(index);
  }
  if (m_saveAsNewRadioButton->isChecked()) return -1;
  return std::nullopt;
}

void DisambiguationPanel::radioButtonClicked(int index) {
  if (index < 0 || index >= m_radioButtons.size() || !m_radioButtons.at(index)->isEnabled()) return;
  m_radioButtons.at(index)->setChecked(true);
  updateOkButton();
}

void DisambiguationPanel::saveAsNewRadioButtonSelected() {
  m_saveAsNewRadioButton->setChecked(true);
  updateOkButton();
}

void DisambiguationPanel::updateOkButton() { m_okButton->setEnabled(choice().has_value()); }

}  // namespace quabe
