#include "finder/ui/FinderEvaluationWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/Localization.h"
#include "dictionary/Dictionary.h"
#include "editor/ToolWindowKeys.h"

namespace quabe {

FinderEvaluationWindow::FinderEvaluationWindow(Dictionary& dictionary, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dictionary(dictionary) {
  closeOnEscape(this);
  // The title by which the application's Copy and Select All find this window.
  setWindowTitle(QStringLiteral("Sign Finder Evaluation"));
  m_evaluation.finder = &m_finder;
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  m_testSingleSignRadioButton = new QRadioButton(loc("FinderEvaluationSingleSign"), this);
  m_useSampleListFileRadioButton = new QRadioButton(loc("FinderEvaluationSampleList"), this);
  // The two modes are switched by the actions, not by auto-exclusion.
  m_testSingleSignRadioButton->setAutoExclusive(false);
  m_useSampleListFileRadioButton->setAutoExclusive(false);
  m_answerSignIDLabel = new QLabel(loc("FinderEvaluationAnswerSignID"), this);
  m_answerSignIDTextField = new QLineEdit(this);
  m_signSelectButton = new QPushButton(loc("Choose…"), this);
  m_sampleSignDirectoryLabel = new QLabel(loc("FinderEvaluationSampleDirectory"), this);
  m_sampleSignDirectoryTextField = new QLineEdit(this);
  m_signDirectorySelectButton = new QPushButton(loc("Choose…"), this);
  m_sampleListFileLabel = new QLabel(loc("FinderEvaluationSampleListFile"), this);
  m_sampleListFileTextField = new QLineEdit(this);
  m_sampleListFileSelectButton = new QPushButton(loc("Choose…"), this);
  grid->addWidget(m_testSingleSignRadioButton, 0, 0, 1, 3);
  grid->addWidget(m_answerSignIDLabel, 1, 0);
  grid->addWidget(m_answerSignIDTextField, 1, 1);
  grid->addWidget(m_signSelectButton, 1, 2);
  grid->addWidget(m_sampleSignDirectoryLabel, 2, 0);
  grid->addWidget(m_sampleSignDirectoryTextField, 2, 1);
  grid->addWidget(m_signDirectorySelectButton, 2, 2);
  grid->addWidget(m_useSampleListFileRadioButton, 3, 0, 1, 3);
  grid->addWidget(m_sampleListFileLabel, 4, 0);
  grid->addWidget(m_sampleListFileTextField, 4, 1);
  grid->addWidget(m_sampleListFileSelectButton, 4, 2);
  layout->addLayout(grid);

  auto* options = new QHBoxLayout;
  options->addWidget(new QLabel(loc("FinderEvaluationLowestOrder"), this));
  m_lowestOrderComboBox = new QComboBox(this);
  m_lowestOrderComboBox->setEditable(true);
  m_lowestOrderComboBox->addItems(
      {QStringLiteral("20"), QStringLiteral("100"), QStringLiteral("1000"), loc("FinderEvaluationAll")});
  options->addWidget(m_lowestOrderComboBox);
  m_integrateArrowCheckbox = new QCheckBox(loc("FinderEvaluationIntegrateArrows"), this);
  m_integrateArrowCheckbox->setChecked(true);
  options->addWidget(m_integrateArrowCheckbox);
  options->addStretch();
  layout->addLayout(options);

  m_resultTextView = new QPlainTextEdit(this);
  m_resultTextView->setReadOnly(true);
  m_resultTextView->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(m_resultTextView, 1);

  auto* bottom = new QHBoxLayout;
  m_progressIndicator = new QProgressBar(this);
  m_progressIndicator->setRange(0, 1);
  m_progressIndicator->setValue(0);
  m_progressLabel = new QLabel(this);
  m_runButton = new QPushButton(loc("FinderEvaluationRun"), this);
  m_closeButton = new QPushButton(loc("Close"), this);
  bottom->addWidget(m_progressIndicator, 1);
  bottom->addWidget(m_progressLabel);
  bottom->addWidget(m_runButton);
  bottom->addWidget(m_closeButton);
  layout->addLayout(bottom);

  connect(m_testSingleSignRadioButton, &QRadioButton::clicked, this, [this] { testSingleSignRadioButtonSelected(); });
  connect(m_useSampleListFileRadioButton, &QRadioButton::clicked, this, [this] { useSampleListRadioButtonSelected(); });
  connect(m_signSelectButton, &QPushButton::clicked, this, [this] { selectAnswerSign(); });
  connect(m_signDirectorySelectButton, &QPushButton::clicked, this, [this] { selectSampleSignDirectory(); });
  connect(m_sampleListFileSelectButton, &QPushButton::clicked, this, [this] { selectSampleListFile(); });
  connect(m_runButton, &QPushButton::clicked, this, [this] { runButtonClicked(); });
  connect(m_closeButton, &QPushButton::clicked, this, [this] { closeButtonClicked(); });
  connect(&m_watcher, &QFutureWatcher<QString>::finished, this, [this] { runDone(); });
  connect(&m_dictionary, &Dictionary::changed, this, [this] { m_featuresStale = true; });
  useSampleListRadioButtonSelected();
  resize(720, 600);
}

FinderEvaluationWindow::~FinderEvaluationWindow() { m_watcher.waitForFinished(); }

void FinderEvaluationWindow::setFeatureLoader(SignFinder::FeatureLoader loader) {
  if (!isRunning()) m_finder.setFeatureLoader(std::move(loader));
}

void FinderEvaluationWindow::setSingleSignMode(bool single) {
  m_testSingleSignRadioButton->setChecked(single);
  m_useSampleListFileRadioButton->setChecked(!single);
  m_evaluation.useSampleListFile = !single;
  const QString active = QStringLiteral("color: black;");
  const QString inactive = QStringLiteral("color: gray;");
  for (QLabel* label : {m_answerSignIDLabel, m_sampleSignDirectoryLabel})
    label->setStyleSheet(single ? active : inactive);
  m_sampleListFileLabel->setStyleSheet(single ? inactive : active);
  for (QWidget* widget : std::initializer_list<QWidget*>{m_answerSignIDTextField, m_signSelectButton,
                                                         m_sampleSignDirectoryTextField, m_signDirectorySelectButton}) {
    widget->setEnabled(single);
  }
  m_sampleListFileTextField->setEnabled(!single);
  m_sampleListFileSelectButton->setEnabled(!single);
}

void FinderEvaluationWindow::testSingleSignRadioButtonSelected() { setSingleSignMode(true); }

void FinderEvaluationWindow::useSampleListRadioButtonSelected() { setSingleSignMode(false); }

void FinderEvaluationWindow::selectSampleSignDirectory() {
  const QString directory = QFileDialog::getExistingDirectory(this, loc("FinderEvaluationSampleDirectory"),
                                                              m_sampleSignDirectoryTextField->text());
  if (!directory.isEmpty()) m_sampleSignDirectoryTextField->setText(directory);
}

void FinderEvaluationWindow::selectSampleListFile() {
  const QString file =
      QFileDialog::getOpenFileName(this, loc("FinderEvaluationSampleListFile"), m_sampleListFileTextField->text());
  if (!file.isEmpty()) m_sampleListFileTextField->setText(file);
}

void FinderEvaluationWindow::selectAnswerSign() { Q_EMIT answerSignRequested(); }

void FinderEvaluationWindow::setAnswerSignID(qint64 signID) {
  m_answerSignIDTextField->setText(QString::number(signID));
  show();
  raise();
}

bool FinderEvaluationWindow::runButtonClicked() {
  if (isRunning()) return false;
  m_running = true;
  m_runButton->setEnabled(false);
  m_closeButton->setEnabled(false);
  m_resultTextView->clear();
  // Changes since the last run: the features are read again. The finder is
  // the run's alone from here until runDone.
  m_finder.setDictionaryPath(m_dictionary.path());
  if (std::exchange(m_featuresStale, false)) m_finder.discardCache();
  FinderEvaluation::Run run;
  run.limit = FinderEvaluation::limitFromText(m_lowestOrderComboBox->currentText());
  run.integrateArrows = m_integrateArrowCheckbox->isChecked();
  if (m_testSingleSignRadioButton->isChecked()) {
    run.path = m_sampleSignDirectoryTextField->text();
    bool ok = false;
    run.answerID = m_answerSignIDTextField->text().trimmed().toLongLong(&ok);
    if (!ok) run.answerID = 0;
    m_evaluation.useSampleListFile = false;
  } else {
    run.path = m_sampleListFileTextField->text();
    m_evaluation.useSampleListFile = true;
  }
  m_progressIndicator->setRange(0, 1);
  m_progressIndicator->setValue(0);
  m_progressLabel->clear();
  QPointer<FinderEvaluationWindow> self(this);
  m_watcher.setFuture(m_evaluation.start(run, [self](int done, int total, const QString& label) {
    // Called on the evaluation queue; the window is updated on its own thread.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self, done, total, label] {
          if (!self) return;
          self->m_progressIndicator->setRange(0, total);
          self->m_progressIndicator->setValue(done);
          self->m_progressLabel->setText(label);
        },
        Qt::QueuedConnection);
  }));
  return true;
}

void FinderEvaluationWindow::runDone() {
  m_running = false;
  m_resultTextView->setPlainText(m_watcher.result());
  m_resultTextView->verticalScrollBar()->setValue(m_resultTextView->verticalScrollBar()->maximum());
  m_runButton->setEnabled(true);
  m_closeButton->setEnabled(true);
  Q_EMIT runFinished();
}

void FinderEvaluationWindow::closeButtonClicked() { close(); }

}  // namespace quabe
