#pragma once

#include <QDialog>
#include <functional>

#include "dictionary/DictionaryMerge.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace quabe {

class DictSignView;
class Dictionary;

// Both versions of an entry side by side, with the five answers. It runs
// modally once per entry that needs an answer.
class MergeComparisonPanel : public QDialog {
  Q_OBJECT
 public:
  explicit MergeComparisonPanel(QWidget* parent = nullptr);
  // Shows the versions (current nullptr: a new entry, replace disabled) and
  // waits for an answer; closing the panel aborts.
  MergeResponse ask(const MergeVersion& external, const MergeVersion* current);
  QPushButton* button(MergeResponse response) const { return m_buttons[int(response)]; }
  QString prompt() const;

 private:
  QLabel* m_prompt;
  DictSignView* m_signViews[2];
  QPlainTextEdit* m_descriptions[2];
  QPushButton* m_buttons[5];
};

// The merge sheet: the other dictionary's path (typed or browsed), a
// progress bar, Merge and Cancel. Cancel during a run ends it after the
// entry being written. A run that wrote entries announces the change on the
// dictionary, so the sign list and the other views re-read it.
class DictMergeWindow : public QDialog {
  Q_OBJECT
 public:
  // dictionary: the one the entries come into.
  DictMergeWindow(Dictionary& dictionary, QWidget* parent = nullptr);

  QLineEdit* pathField() const { return m_path; }
  QProgressBar* progressBar() const { return m_progress; }
  MergeComparisonPanel* comparisonPanel() const { return m_panel; }
  bool isRunning() const { return m_running; }
  // Runs the merge of the file in the path field; the report (also shown in
  // an alert), or nothing when the file could not be opened.
  std::optional<MergeReport> merge();

 private:
  void browse();
  void cancel();

  Dictionary& m_dictionary;
  QLineEdit* m_path;
  QProgressBar* m_progress;
  QPushButton* m_mergeButton;
  MergeComparisonPanel* m_panel;
  bool m_running = false;
  bool m_cancelled = false;
};

}  // namespace quabe
