#include "editor/app/PreferencePanel.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStackedWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "core/Resources.h"

namespace quabe {

namespace {
// An editable list of numbers that takes whole numbers of the range only.
QComboBox* numberCombo(const QList<int>& values, const Preferences::Range& range) {
  auto* box = new QComboBox;
  box->setEditable(true);
  for (int v : values) box->addItem(QString::number(v));
  box->setValidator(new QIntValidator(range.low, range.high, box));
  return box;
}

// The field with the range it takes written beside it.
QWidget* withRange(QComboBox* box, const Preferences::Range& range) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box, 1);
  layout->addWidget(new QLabel(loc("PrefRange").arg(range.low).arg(range.high)));
  return row;
}

void setComboValue(QComboBox* box, double value) { box->setCurrentText(QString::number(value)); }
}  // namespace

PreferencePanel::PreferencePanel(QWidget* parent) : QDialog(parent) {
  setWindowTitle(loc("PrefDocument"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* toolbar = new QToolBar;
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  m_pageActions = new QActionGroup(this);
  QAction* documentAction = toolbar->addAction(loc("PrefDocument"));
  QAction* dictionaryAction = toolbar->addAction(loc("PrefDictionary"));
  for (QAction* a : {documentAction, dictionaryAction}) {
    a->setCheckable(true);
    m_pageActions->addAction(a);
  }
  documentAction->setChecked(true);
  connect(documentAction, &QAction::triggered, this, [this] { switchView(0); });
  connect(dictionaryAction, &QAction::triggered, this, [this] { switchView(1); });
  layout->addWidget(toolbar);

  m_pages = new QStackedWidget;
  m_pages->addWidget(makeDocumentPage());
  m_pages->addWidget(makeDictionaryPage());
  layout->addWidget(m_pages);

  auto* buttons = new QDialogButtonBox;
  QPushButton* save = buttons->addButton(loc("Save"), QDialogButtonBox::AcceptRole);
  QPushButton* discard = buttons->addButton(loc("Discard"), QDialogButtonBox::RejectRole);
  save->setObjectName(QStringLiteral("saveSettings"));
  discard->setObjectName(QStringLiteral("discardSettings"));
  connect(save, &QPushButton::clicked, this, &PreferencePanel::saveSettings);
  connect(discard, &QPushButton::clicked, this, &PreferencePanel::discardSettings);
  layout->addWidget(buttons);
}

QWidget* PreferencePanel::makeDocumentPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);

  auto* directions = new QWidget;
  auto* dirLayout = new QHBoxLayout(directions);
  dirLayout->setContentsMargins(0, 0, 0, 0);
  writingDirectionSegmentedControl = new QButtonGroup(this);
  auto* horizontal = new QRadioButton(loc("Horizontal"));
  auto* vertical = new QRadioButton(loc("Vertical"));
  writingDirectionSegmentedControl->addButton(horizontal, 0);
  writingDirectionSegmentedControl->addButton(vertical, 1);
  dirLayout->addWidget(horizontal);
  dirLayout->addWidget(vertical);
  form->addRow(loc("WritingDirection"), directions);

  signBoxWidthComboBox = numberCombo({100, 120, 150, 180, 200, 250}, Preferences::SignBoxRange);
  signBoxHeightComboBox = numberCombo({100, 120, 150, 180, 200, 250}, Preferences::SignBoxRange);
  lineSpaceComboBox = numberCombo({0, 10, 20, 30, 40, 50}, Preferences::LineSpaceRange);
  signSpaceComboBox = numberCombo({0, 5, 10, 15, 20, 30}, Preferences::SignSpaceRange);
  form->addRow(loc("SignBoxWidth"), withRange(signBoxWidthComboBox, Preferences::SignBoxRange));
  form->addRow(loc("SignBoxHeight"), withRange(signBoxHeightComboBox, Preferences::SignBoxRange));
  form->addRow(loc("LineSpace"), withRange(lineSpaceComboBox, Preferences::LineSpaceRange));
  form->addRow(loc("MinSignSpace"), withRange(signSpaceComboBox, Preferences::SignSpaceRange));

  auto check = [&](const char* key) {
    auto* box = new QCheckBox(loc(key));
    form->addRow(QString(), box);
    return box;
  };
  showRulesCheckBox = check("ShowRules");
  showBordersCheckBox = check("ShowBorders");
  showSignFramesCheckBox = check("ShowSignFrames");
  showGlossesCheckBox = check("ShowGlosses");
  showCommentsCheckBox = check("ShowComments");
  colorHandsCheckBox = check("ColorHands");
  autoCenteringCheckBox = check("AutoCentering");
  rotatePuncsCheckBox = check("RotatePuncs");

  languageComboBox = new QComboBox;
  languageComboBox->setObjectName(QStringLiteral("languageComboBox"));
  languageComboBox->addItem(loc("LanguageSystem"), QString());
  languageComboBox->addItem(QStringLiteral("English"), QStringLiteral("en"));
  languageComboBox->addItem(QStringLiteral("日本語"), QStringLiteral("ja"));
  languageComboBox->setToolTip(loc("LanguageNextStart"));
  form->addRow(loc("InterfaceLanguage"), languageComboBox);
  return page;
}

QWidget* PreferencePanel::makeDictionaryPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  dictSegmentedController = new QButtonGroup(this);
  auto* mainRadio = new QRadioButton(loc("MainDictionary"));
  auto* altRadio = new QRadioButton(loc("AlternativeDictionary"));
  dictSegmentedController->addButton(mainRadio, 0);
  dictSegmentedController->addButton(altRadio, 1);
  mainDictTextField = new QLineEdit;
  mainDictTextField->setReadOnly(true);
  altDictTextField = new QLineEdit;
  altDictTextField->setReadOnly(true);
  auto* choose = new QPushButton(loc("Choose…"));
  connect(choose, &QPushButton::clicked, this, &PreferencePanel::chooseAltDict);
  layout->addWidget(mainRadio);
  layout->addWidget(mainDictTextField);
  layout->addWidget(altRadio);
  auto* altRow = new QHBoxLayout;
  altRow->addWidget(altDictTextField, 1);
  altRow->addWidget(choose);
  layout->addLayout(altRow);
  layout->addStretch(1);
  return page;
}

void PreferencePanel::setPreferences(Preferences* prefs) {
  m_prefs = prefs;
  loadControls();
}

void PreferencePanel::loadControls() {
  if (!m_prefs) return;
  writingDirectionSegmentedControl->button(m_prefs->verticalWriting ? 1 : 0)->setChecked(true);
  setComboValue(signBoxWidthComboBox, m_prefs->defaultSignBoxWidth);
  setComboValue(signBoxHeightComboBox, m_prefs->defaultSignBoxHeight);
  setComboValue(lineSpaceComboBox, m_prefs->lineSpace);
  setComboValue(signSpaceComboBox, m_prefs->minSignSpace);
  showRulesCheckBox->setChecked(m_prefs->showRules);
  showBordersCheckBox->setChecked(m_prefs->showBorders);
  showSignFramesCheckBox->setChecked(m_prefs->showSignFrames);
  showGlossesCheckBox->setChecked(m_prefs->showGlosses);
  showCommentsCheckBox->setChecked(m_prefs->showComments);
  colorHandsCheckBox->setChecked(m_prefs->colorHands);
  autoCenteringCheckBox->setChecked(m_prefs->autoCentering);
  rotatePuncsCheckBox->setChecked(m_prefs->rotatePuncs);
  dictSegmentedController->button(m_prefs->useAlternativeDict ? 1 : 0)->setChecked(true);
  mainDictTextField->setText(Resources::path(QStringLiteral("swdic.db")));
  altDictTextField->setText(m_prefs->alternativeDictPath);
  const int language = languageComboBox->findData(QSettings().value(QStringLiteral("InterfaceLanguage")).toString());
  languageComboBox->setCurrentIndex(qMax(language, 0));
}

void PreferencePanel::switchView(int page) {
  if (page < 0 || page >= m_pages->count()) return;
  m_pages->setCurrentIndex(page);
  m_pageActions->actions().at(page)->setChecked(true);
  setWindowTitle(m_pageActions->actions().at(page)->text());
  adjustSize();
}

void PreferencePanel::saveSettings() {
  if (!m_prefs) {
    reject();
    return;
  }
  // Sizes and spaces are taken only within the ranges a document file
  // keeps, so that what the fields show is what is saved and read back.
  struct NumberField {
    QComboBox* box;
    const Preferences::Range& range;
    const char* key;
    double& value;
  };
  const NumberField fields[] = {
      {signBoxWidthComboBox, Preferences::SignBoxRange, "SignBoxWidth", m_prefs->defaultSignBoxWidth},
      {signBoxHeightComboBox, Preferences::SignBoxRange, "SignBoxHeight", m_prefs->defaultSignBoxHeight},
      {lineSpaceComboBox, Preferences::LineSpaceRange, "LineSpace", m_prefs->lineSpace},
      {signSpaceComboBox, Preferences::SignSpaceRange, "MinSignSpace", m_prefs->minSignSpace},
  };
  for (const NumberField& field : fields) {
    bool ok = false;
    const int v = field.box->currentText().trimmed().toInt(&ok);
    if (ok && field.range.contains(v)) continue;
    switchView(0);
    field.box->setFocus();
    alerts().alert(loc("PrefOutOfRange").arg(loc(field.key)).arg(field.range.low).arg(field.range.high), QString());
    return;
  }
  for (const NumberField& field : fields) field.value = field.box->currentText().trimmed().toInt();
  const bool wasAlternative = m_prefs->useAlternativeDict;
  const QString oldPath = m_prefs->alternativeDictPath;
  m_prefs->verticalWriting = writingDirectionSegmentedControl->checkedId() == 1;
  m_prefs->showRules = showRulesCheckBox->isChecked();
  m_prefs->showBorders = showBordersCheckBox->isChecked();
  m_prefs->showSignFrames = showSignFramesCheckBox->isChecked();
  m_prefs->showGlosses = showGlossesCheckBox->isChecked();
  m_prefs->showComments = showCommentsCheckBox->isChecked();
  m_prefs->colorHands = colorHandsCheckBox->isChecked();
  m_prefs->autoCentering = autoCenteringCheckBox->isChecked();
  m_prefs->rotatePuncs = rotatePuncsCheckBox->isChecked();
  m_prefs->useAlternativeDict = dictSegmentedController->checkedId() == 1;
  m_prefs->alternativeDictPath = altDictTextField->text();
  m_prefs->writeUserDefaults();
  QSettings().setValue(QStringLiteral("InterfaceLanguage"), languageComboBox->currentData().toString());
  QSettings().sync();
  accept();
  Q_EMIT settingsSaved(wasAlternative != m_prefs->useAlternativeDict ||
                       (m_prefs->useAlternativeDict && oldPath != m_prefs->alternativeDictPath));
}

void PreferencePanel::discardSettings() { reject(); }

bool PreferencePanel::chooseAltDictPath(const QString& path) {
  const bool valid = !path.isEmpty() && (m_validator ? m_validator(path) : QFileInfo(path).isFile());
  if (!valid) {
    alerts().alert(loc("NotADictionary").arg(QFileInfo(path).fileName()), QString());
    return false;
  }
  altDictTextField->setText(path);
  // A chosen file is the one to use.
  dictSegmentedController->button(1)->setChecked(true);
  return true;
}

void PreferencePanel::chooseAltDict() {
  const QString path = QFileDialog::getOpenFileName(this, loc("AlternativeDictionary"), QString(),
                                                    loc("DictionaryFiles") + QStringLiteral(" (*.db *.sqlite)"));
  if (!path.isEmpty()) chooseAltDictPath(path);
}

}  // namespace quabe
