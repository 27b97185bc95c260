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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStackedWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/Alerts.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "core/Resources.h"

namespace quabe {

namespace {
QComboBox* numberCombo(const QList<int>& values) {
  auto* box = new QComboBox;
  box->setEditable(true);
  for (int v : values) box->addItem(QString::number(v));
  box->setValidator(nullptr);
  return box;
}

double comboValue(const QComboBox* box, double fallback) {
  bool ok = false;
  const double v = box->currentText().trimmed().toDouble(&ok);
  return ok && v > 0 ? v : fallback;
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

  signBoxWidthComboBox = numberCombo({100, 120, 150, 180, 200, 250});
  signBoxHeightComboBox = numberCombo({100, 120, 150, 180, 200, 250});
  lineSpaceComboBox = numberCombo({0, 10, 20, 30, 40, 50});
  signSpaceComboBox = numberCombo({0, 5, 10, 15, 20, 30});
  form->addRow(loc("SignBoxWidth"), signBoxWidthComboBox);
  form->addRow(loc("SignBoxHeight"), signBoxHeightComboBox);
  form->addRow(loc("LineSpace"), lineSpaceComboBox);
  form->addRow(loc("MinSignSpace"), signSpaceComboBox);

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
  _prefs = prefs;
  loadControls();
}

void PreferencePanel::loadControls() {
  if (!_prefs) return;
  writingDirectionSegmentedControl->button(_prefs->verticalWriting ? 1 : 0)->setChecked(true);
  setComboValue(signBoxWidthComboBox, _prefs->defaultSignBoxWidth);
  setComboValue(signBoxHeightComboBox, _prefs->defaultSignBoxHeight);
  setComboValue(lineSpaceComboBox, _prefs->lineSpace);
  setComboValue(signSpaceComboBox, _prefs->minSignSpace);
  showRulesCheckBox->setChecked(_prefs->showRules);
  showBordersCheckBox->setChecked(_prefs->showBorders);
  showSignFramesCheckBox->setChecked(_prefs->showSignFrames);
  showGlossesCheckBox->setChecked(_prefs->showGlosses);
  showCommentsCheckBox->setChecked(_prefs->showComments);
  colorHandsCheckBox->setChecked(_prefs->colorHands);
  autoCenteringCheckBox->setChecked(_prefs->autoCentering);
  rotatePuncsCheckBox->setChecked(_prefs->rotatePuncs);
  dictSegmentedController->button(_prefs->useAlternativeDict ? 1 : 0)->setChecked(true);
  mainDictTextField->setText(Resources::path(QStringLiteral("swdic.db")));
  altDictTextField->setText(_prefs->alternativeDictPath);
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
  if (!_prefs) {
    reject();
    return;
  }
  const bool wasAlternative = _prefs->useAlternativeDict;
  const QString oldPath = _prefs->alternativeDictPath;
  _prefs->verticalWriting = writingDirectionSegmentedControl->checkedId() == 1;
  // Sizes keep their old value when the field does not hold a usable number.
  _prefs->defaultSignBoxWidth = comboValue(signBoxWidthComboBox, _prefs->defaultSignBoxWidth);
  _prefs->defaultSignBoxHeight = comboValue(signBoxHeightComboBox, _prefs->defaultSignBoxHeight);
  bool ok = false;
  const double line = lineSpaceComboBox->currentText().trimmed().toDouble(&ok);
  if (ok && line >= 0) _prefs->lineSpace = line;
  const double space = signSpaceComboBox->currentText().trimmed().toDouble(&ok);
  if (ok && space >= 0) _prefs->minSignSpace = space;
  _prefs->showRules = showRulesCheckBox->isChecked();
  _prefs->showBorders = showBordersCheckBox->isChecked();
  _prefs->showSignFrames = showSignFramesCheckBox->isChecked();
  _prefs->showGlosses = showGlossesCheckBox->isChecked();
  _prefs->showComments = showCommentsCheckBox->isChecked();
  _prefs->colorHands = colorHandsCheckBox->isChecked();
  _prefs->autoCentering = autoCenteringCheckBox->isChecked();
  _prefs->rotatePuncs = rotatePuncsCheckBox->isChecked();
  _prefs->useAlternativeDict = dictSegmentedController->checkedId() == 1;
  _prefs->alternativeDictPath = altDictTextField->text();
  _prefs->writeUserDefaults();
  QSettings().setValue(QStringLiteral("InterfaceLanguage"), languageComboBox->currentData().toString());
  QSettings().sync();
  accept();
  Q_EMIT settingsSaved(wasAlternative != _prefs->useAlternativeDict ||
                       (_prefs->useAlternativeDict && oldPath != _prefs->alternativeDictPath));
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
