#pragma once

#include <QFutureWatcher>
#include <QWidget>
#include <utility>

#include "finder/FinderEvaluation.h"
#include "finder/SignFinder.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace quabe {

class Dictionary;

// The finder evaluation window ("Sign Finder Tester"): evaluates the
// similar-sign search on the samples of one directory (one answer entry) or
// of a sample list file, on a background queue with progress, and shows the
// report. Its searches use their own feature cache, refreshed after the
// dictionary changed, so a run never shares the document window's search.
class FinderEvaluationWindow : public QWidget {
  Q_OBJECT
 public:
  explicit FinderEvaluationWindow(Dictionary& dictionary, QWidget* parent = nullptr);
  ~FinderEvaluationWindow() override;

  void testSingleSignRadioButtonSelected();
  void useSampleListRadioButtonSelected();
  void selectSampleSignDirectory();
  void selectSampleListFile();
  // Asks for an entry (the sign list opens); setAnswerSignID receives it.
  void selectAnswerSign();
  void setAnswerSignID(qint64 signID);
  // Starts a run; false when one is running.
  bool runButtonClicked();
  void closeButtonClicked();
  // From the start of a run until its report is shown.
  bool isRunning() const { return m_running; }

  FinderEvaluation& evaluation() { return m_evaluation; }
  // The dictionary features the runs search (tests supply their own).
  void setFeatureLoader(SignFinder::FeatureLoader loader);

  QRadioButton* testSingleSignRadioButton() const { return m_testSingleSignRadioButton; }
  QRadioButton* useSampleListFileRadioButton() const { return m_useSampleListFileRadioButton; }
  QLineEdit* answerSignIDTextField() const { return m_answerSignIDTextField; }
  QLineEdit* sampleSignDirectoryTextField() const { return m_sampleSignDirectoryTextField; }
  QLineEdit* sampleListFileTextField() const { return m_sampleListFileTextField; }
  QComboBox* lowestOrderComboBox() const { return m_lowestOrderComboBox; }
  QPlainTextEdit* resultTextView() const { return m_resultTextView; }
  QCheckBox* integrateArrowCheckbox() const { return m_integrateArrowCheckbox; }
  QPushButton* runButton() const { return m_runButton; }
  QPushButton* closeButton() const { return m_closeButton; }
  QProgressBar* progressIndicator() const { return m_progressIndicator; }
  QLabel* progressLabel() const { return m_progressLabel; }

 Q_SIGNALS:
  void answerSignRequested();
  void runFinished();

 private:
  void setSingleSignMode(bool single);
  void runDone();

  Dictionary& m_dictionary;
  SignFinder m_finder;
  FinderEvaluation m_evaluation;
  bool m_featuresStale = false;
  bool m_running = false;
  QFutureWatcher<QString> m_watcher;

  QRadioButton* m_testSingleSignRadioButton = nullptr;
  QRadioButton* m_useSampleListFileRadioButton = nullptr;
  QLabel* m_answerSignIDLabel = nullptr;
  QLineEdit* m_answerSignIDTextField = nullptr;
  QLabel* m_sampleSignDirectoryLabel = nullptr;
  QLineEdit* m_sampleSignDirectoryTextField = nullptr;
  QLabel* m_sampleListFileLabel = nullptr;
  QLineEdit* m_sampleListFileTextField = nullptr;
  QComboBox* m_lowestOrderComboBox = nullptr;
  QPlainTextEdit* m_resultTextView = nullptr;
  QPushButton* m_signSelectButton = nullptr;
  QPushButton* m_signDirectorySelectButton = nullptr;
  QPushButton* m_sampleListFileSelectButton = nullptr;
  QCheckBox* m_integrateArrowCheckbox = nullptr;
  QPushButton* m_runButton = nullptr;
  QPushButton* m_closeButton = nullptr;
  QProgressBar* m_progressIndicator = nullptr;
  QLabel* m_progressLabel = nullptr;
};

}  // namespace quabe
