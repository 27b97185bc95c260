#include "dictionary/ui/DictEditWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "core/Logging.h"
#include "dictionary/Dictionary.h"
#include "dictionary/ui/DictSignView.h"
#include "dictionary/ui/DictSymbolView.h"
#include "dictionary/ui/DisambiguationPanel.h"
#include "editor/ToolWindowKeys.h"

namespace quabe {

namespace {

// Place texts of the notation offered by the position, source and destination boxes.
const QStringList& placeChoices() {
  static const QStringList choices{QString(),           QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                   QStringLiteral("4"), QStringLiteral("C"), QStringLiteral("R"), QStringLiteral("L"),
                                   QStringLiteral("x"), QStringLiteral("y")};
  return choices;
}

QComboBox* makePlaceComboBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  box->addItems(placeChoices());
  box->setInsertPolicy(QComboBox::NoInsert);
  return box;
}

void setComboText(QComboBox* box, const QString& text) { box->setEditText(text); }

QString userName() {
  for (const char* variable : {"USER", "USERNAME", "LOGNAME"}) {
    const QString name = qEnvironmentVariable(variable);
    if (!name.isEmpty()) return name;
  }
  return QDir::home().dirName();
}

void setCheck(QCheckBox* box, bool enabled, bool on) {
  box->setEnabled(enabled);
  box->setChecked(on);
}

}  // namespace

DictEditWindow::DictEditWindow(Dictionary& dictionary, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dictionary(dictionary) {
  closeOnEscape(this);
  setWindowTitle(loc("DictEditTitle"));
  buildWidgets();
  updateFlagControls();
}

DictEditWindow::~DictEditWindow() = default;

void DictEditWindow::buildWidgets() {
  auto* mainLayout = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout;
  mainLayout->addLayout(columns);

  auto* left = new QVBoxLayout;
  columns->addLayout(left);
  m_signView = new DictSignView(this);
  m_signView->setFixedSize(SignBoxWidth, SignBoxHeight);
  m_signView->setStyleSheet(QString());
  auto* signFrame = new QGroupBox(loc("DictSign"), this);
  auto* signFrameLayout = new QVBoxLayout(signFrame);
  signFrameLayout->addWidget(m_signView, 0, Qt::AlignCenter);
  left->addWidget(signFrame);

  m_symbolBoxView = new DictSymbolView;
  auto* symbolScroll = new QScrollArea(this);
  symbolScroll->setWidget(m_symbolBoxView);
  symbolScroll->setWidgetResizable(true);
  symbolScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  symbolScroll->setFixedHeight(DictSymbolView::SymbolBoxSize + 22);
  symbolScroll->setFixedWidth(SignBoxWidth + 24);
  left->addWidget(symbolScroll);

  auto* flags = new QGroupBox(loc("DictSymbolFlags"), this);
  auto* flagsLayout = new QVBoxLayout(flags);
  auto* handRow = new QHBoxLayout;
  m_leftRadioButton = new QRadioButton(loc("DictLeftHand"), flags);
  m_rightRadioButton = new QRadioButton(loc("DictRightHand"), flags);
  // The two cells may both be off (a symbol without a hand), so they are not auto-exclusive.
  m_leftRadioButton->setAutoExclusive(false);
  m_rightRadioButton->setAutoExclusive(false);
  handRow->addWidget(m_leftRadioButton);
  handRow->addWidget(m_rightRadioButton);
  flagsLayout->addLayout(handRow);
  m_replaceableCheckBox = new QCheckBox(loc("DictReplaceable"), flags);
  m_directionalCheckBox = new QCheckBox(loc("DictDirectional"), flags);
  m_modifiableCheckBox = new QCheckBox(loc("DictModifiable"), flags);
  flagsLayout->addWidget(m_replaceableCheckBox);
  flagsLayout->addWidget(m_directionalCheckBox);
  flagsLayout->addWidget(m_modifiableCheckBox);
  left->addWidget(flags);
  left->addStretch();

  auto* form = new QFormLayout;
  columns->addLayout(form, 1);
  m_glossTextField = new QLineEdit(this);
  m_tagTextField = new QLineEdit(this);
  m_yomiTextField = new QLineEdit(this);
  m_translationTextView = new QPlainTextEdit(this);
  m_translationTextView->setTabChangesFocus(true);
  m_translationTextView->setFixedHeight(80);
  m_handTextField = new QLineEdit(this);
  m_posComboBox = makePlaceComboBox(this);
  m_srcComboBox = makePlaceComboBox(this);
  m_destComboBox = makePlaceComboBox(this);
  m_modifierTextField = new QLineEdit(this);
  m_nmmTextField = new QLineEdit(this);
  m_isHandshapeCheckBox = new QCheckBox(loc("DictIsHandshape"), this);
  m_commentTextView = new QPlainTextEdit(this);
  m_commentTextView->setTabChangesFocus(true);
  m_commentTextView->setFixedHeight(70);
  form->addRow(loc("DictGloss"), m_glossTextField);
  form->addRow(loc("DictTag"), m_tagTextField);
  form->addRow(loc("DictYomi"), m_yomiTextField);
  form->addRow(loc("DictMeanings"), m_translationTextView);
  form->addRow(loc("DictHandshape"), m_handTextField);
  form->addRow(loc("DictPosition"), m_posComboBox);
  form->addRow(loc("DictSource"), m_srcComboBox);
  form->addRow(loc("DictDestination"), m_destComboBox);
  form->addRow(loc("DictModifier"), m_modifierTextField);
  form->addRow(loc("DictNmm"), m_nmmTextField);
  form->addRow(QString(), m_isHandshapeCheckBox);
  form->addRow(loc("DictComment"), m_commentTextView);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  m_closeButton = new QPushButton(loc("Close"), this);
  m_updateButton = new QPushButton(loc("DictStore"), this);
  m_updateButton->setDefault(true);
  buttons->addWidget(m_closeButton);
  buttons->addWidget(m_updateButton);
  mainLayout->addLayout(buttons);

  connect(m_updateButton, &QPushButton::clicked, this, [this] { updateButtonClicked(); });
  connect(m_closeButton, &QPushButton::clicked, this, [this] { closeButtonClicked(); });
  connect(m_leftRadioButton, &QRadioButton::clicked, this, [this] { markAsLeftHand(); });
  connect(m_rightRadioButton, &QRadioButton::clicked, this, [this] { markAsRightHand(); });
  connect(m_replaceableCheckBox, &QCheckBox::clicked, this, [this](bool on) { markAsReplaceable(on); });
  connect(m_directionalCheckBox, &QCheckBox::clicked, this, [this](bool on) { markAsDirectional(on); });
  connect(m_modifiableCheckBox, &QCheckBox::clicked, this, [this](bool on) { markAsModifiable(on); });
  connect(m_isHandshapeCheckBox, &QCheckBox::clicked, this, [this](bool on) { markAsHandshape(on); });
  connect(m_symbolBoxView, &DictSymbolView::symbolClicked, this, [this](int index) { selectSymbol(index); });
  connect(m_signView, &DictSignView::symbolPressed, this, [this](int index) { selectSymbol(index); });
  connect(m_signView, &DictSignView::symbolMoved, m_symbolBoxView, qOverload<>(&QWidget::update));
  connect(m_signView, &DictSignView::symbolDropped, this,
          [this](const QString& text, const QPointF& point) { addSymbolAt(text, point); });
  connect(m_signView, &DictSignView::deleteRequested, this, [this] { deleteSelectedSymbol(); });
}

void DictEditWindow::setSign(const Sign& sign) {
  m_originalSign = sign.copy();
  m_targetSign = sign.copy();
  m_targetSignID = m_targetSign->jjs->signID;
  m_selectedSymbolIndex = -1;
  refreshViews();
  selectSymbol(0);
  updateFlagControls();
  fillFields();
}

void DictEditWindow::refreshViews() {
  m_signView->setSign(m_targetSign);
  m_symbolBoxView->setSymbols(m_targetSign ? m_targetSign->symbols : QList<ISWAPtr>());
  m_signView->setSelectedSymbolIndex(m_selectedSymbolIndex);
  m_symbolBoxView->setSelectedSymbolIndex(m_selectedSymbolIndex);
}

void DictEditWindow::fillFields() {
  const DbSign& entry = *m_targetSign->jjs;
  m_glossTextField->setText(entry.gloss);
  m_tagTextField->setText(entry.tag);
  m_yomiTextField->setText(entry.yomi);
  m_handTextField->setText(entry.handshape);
  setComboText(m_posComboBox, entry.position);
  setComboText(m_srcComboBox, entry.source);
  setComboText(m_destComboBox, entry.destination);
  m_modifierTextField->setText(entry.modifier);
  m_nmmTextField->setText(entry.nmm);
  m_isHandshapeCheckBox->setChecked(entry.isForHandshape);
  m_translationTextView->setPlainText(entry.signID > 0 ? m_dictionary.getMeanings(entry.signID).join(QLatin1Char('\n'))
                                                       : QString());
  m_commentTextView->setPlainText(entry.comment.isEmpty() ? presetComment(QDate::currentDate()) : entry.comment);
}

QString DictEditWindow::presetComment(const QDate& date) {
  return QStringLiteral("%1 (%2)").arg(userName(), date.toString(QStringLiteral("yyyy/MM/dd")));
}

void DictEditWindow::selectSymbol(int index) {
  if (!m_targetSign || index == m_selectedSymbolIndex) return;
  if (index < 0 || index >= m_targetSign->symbols.size()) return;
  m_selectedSymbolIndex = index;
  m_signView->setSelectedSymbolIndex(index);
  m_symbolBoxView->setSelectedSymbolIndex(index);
  updateFlagControls();
}

ISWAPtr DictEditWindow::selectedSymbol() const {
  if (!m_targetSign || m_selectedSymbolIndex < 0 || m_selectedSymbolIndex >= m_targetSign->symbols.size()) {
    return nullptr;
  }
  return m_targetSign->symbols.at(m_selectedSymbolIndex);
}

void DictEditWindow::updateFlagControls() {
  const ISWAPtr symbol = selectedSymbol();
  const bool hand = symbol && symbol->isHand();
  const bool movement = symbol && symbol->isMovement();
  setCheck(m_replaceableCheckBox, hand, hand && symbol->changeableHand);
  m_leftRadioButton->setEnabled(hand);
  m_rightRadioButton->setEnabled(hand);
  m_leftRadioButton->setChecked(hand && symbol->hand == Hand::left);
  m_rightRadioButton->setChecked(hand && symbol->hand == Hand::right);
  setCheck(m_directionalCheckBox, movement, movement && symbol->turnableArrow);
  setCheck(m_modifiableCheckBox, movement, movement && symbol->modifiableArrow);
}

void DictEditWindow::markAsLeftHand() {
  if (const ISWAPtr symbol = selectedSymbol()) symbol->hand = Hand::left;
  m_leftRadioButton->setChecked(true);
  m_rightRadioButton->setChecked(false);
}

void DictEditWindow::markAsRightHand() {
  if (const ISWAPtr symbol = selectedSymbol()) symbol->hand = Hand::right;
  m_rightRadioButton->setChecked(true);
  m_leftRadioButton->setChecked(false);
}

void DictEditWindow::markAsReplaceable(bool on) {
  if (const ISWAPtr symbol = selectedSymbol()) symbol->changeableHand = on;
}

void DictEditWindow::markAsDirectional(bool on) {
  if (const ISWAPtr symbol = selectedSymbol()) symbol->turnableArrow = on;
}

void DictEditWindow::markAsModifiable(bool on) {
  if (const ISWAPtr symbol = selectedSymbol()) symbol->modifiableArrow = on;
}

void DictEditWindow::markAsHandshape(bool on) {
  if (m_targetSign) m_targetSign->jjs->isForHandshape = on;
}

bool DictEditWindow::addSymbolAt(const QString& text, const QPointF& point) {
  if (!m_targetSign) m_targetSign = std::make_shared<Sign>();
  std::optional<ISWA> made = ISWA::make(text.trimmed());
  if (!made) {
    qCDebug(lcDictionary) << "dropped text is no symbol:" << text;
    return false;
  }
  auto symbol = std::make_shared<ISWA>(std::move(*made));
  // The symbol is centred on the drop point, inside the sign area.
  QPointF corner = point - QPointF(symbol->rect.width() / 2, symbol->rect.height() / 2);
  corner.setX(qBound(0.0, corner.x(), qMax(0.0, SignBoxWidth - symbol->rect.width())));
  corner.setY(qBound(0.0, corner.y(), qMax(0.0, SignBoxHeight - symbol->rect.height())));
  symbol->rect.moveTopLeft(corner);
  m_targetSign->symbols.append(symbol);
  m_targetSign->updateBounds();
  m_selectedSymbolIndex = -1;
  refreshViews();
  selectSymbol(int(m_targetSign->symbols.size()) - 1);
  return true;
}

void DictEditWindow::deleteSelectedSymbol() {
  if (!selectedSymbol()) return;
  m_targetSign->symbols.removeAt(m_selectedSymbolIndex);
  m_targetSign->updateBounds();
  const int next = qMin(m_selectedSymbolIndex, int(m_targetSign->symbols.size()) - 1);
  m_selectedSymbolIndex = -1;
  refreshViews();
  selectSymbol(next);
  updateFlagControls();
}

QStringList DictEditWindow::meaningsFromText(const QString& text, const QString& gloss) {
  QStringList meanings;
  const QString trimmed = text.trimmed();
  if (!trimmed.isEmpty()) {
    for (const QString& line : trimmed.split(QLatin1Char('\n'))) {
      const QString meaning = line.trimmed();
      if (!meaning.isEmpty() && !meanings.contains(meaning)) meanings.append(meaning);
    }
    return meanings;
  }
  QString meaning = gloss.trimmed();
  // A gloss numbered with a circled digit means what the bare word means.
  if (!meaning.isEmpty() && meaning.back().unicode() >= 0x2460 && meaning.back().unicode() <= 0x2464) {
    meaning.chop(1);
  }
  return {meaning};
}

void DictEditWindow::collectFields() {
  if (!m_targetSign) return;
  DbSign& entry = *m_targetSign->jjs;
  entry.gloss = m_glossTextField->text();
  entry.tag = m_tagTextField->text();
  entry.yomi = m_yomiTextField->text();
  entry.handshape = m_handTextField->text();
  entry.position = m_posComboBox->currentText();
  entry.source = m_srcComboBox->currentText();
  entry.destination = m_destComboBox->currentText();
  entry.modifier = m_modifierTextField->text();
  entry.nmm = m_nmmTextField->text();
  entry.isForHandshape = m_isHandshapeCheckBox->isChecked();
  entry.comment = m_commentTextView->toPlainText();
  entry.meanings = meaningsFromText(m_translationTextView->toPlainText(), entry.gloss);
  m_targetSign->updateBounds();
  entry.width = m_targetSign->width;
  entry.height = m_targetSign->height;
}

bool DictEditWindow::askYesNo(const QString& message, const QString& informative) {
  return alerts().ask(message, informative, {loc("Yes"), loc("No")}, 0) == 0;
}

bool DictEditWindow::store() {
  DbSign& entry = *m_targetSign->jjs;
  const DbSign before = entry;
  // A failed write (a read-only or locked file, an entry deleted meanwhile)
  // changes nothing in the file; the record goes back to what it was.
  if (!m_dictionary.storeSign(*m_targetSign)) {
    entry = before;
    alerts().alert(loc("FailedToUpdateDictionary"), QString());
    return false;
  }
  m_targetSignID = entry.signID;
  close();
  return true;
}

bool DictEditWindow::updateButtonClicked() {
  if (!m_targetSign) return false;
  collectFields();
  DbSign& entry = *m_targetSign->jjs;
  if (entry.gloss.isEmpty()) {
    alerts().alert(loc("EnterNameOfSign"), loc("EmptyNameIsNotAllowed"));
    return false;
  }
  QList<qint64> candidates = m_dictionary.getSignIDs(entry.gloss);
  for (qint64 id : m_dictionary.getSignIDsForJapanese(entry.gloss)) {
    if (!candidates.contains(id)) candidates.append(id);
  }
  const QList<qint64> identical = m_dictionary.findSameSigns(entry);
  if (entry.signID > 0 && identical.contains(entry.signID)) {
    if (askYesNo(loc("AreYouSureYouWantToReplaceSign"), loc("SignAlreadyExists"))) return store();
  }
  if (candidates.isEmpty()) {
    if (!askYesNo(loc("DoYouWantToAddSign"), loc("SameNameSignDoesNotExist"))) return false;
    // A sign that is no stored entry yet is added under the next free id.
    if (entry.signID <= 0) entry.signID = -1;
    return store();
  }
  const std::optional<qint64> choice = runDisambiguationPanel(candidates);
  if (!choice) return false;
  entry.signID = *choice;
  return store();
}

std::optional<qint64> DictEditWindow::runDisambiguationPanel(const QList<qint64>& candidates) {
  DisambiguationPanel panel(candidates, m_dictionary, this);
  const int code = m_panelRunner ? m_panelRunner(panel) : panel.exec();
  panel.hide();
  if (code != 1) return std::nullopt;
  return panel.choice();
}

void DictEditWindow::closeButtonClicked() { close(); }

}  // namespace quabe
