#pragma once

#include <QFutureWatcher>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>

#include "document/Sign.h"
#include "finder/SignFinder.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;

namespace quabe {

class Dictionary;
class ResultSignView;

// The results of the similar-sign search for a sign of the document: the
// best dictionary signs, best first, each with its gloss, similarity, entry
// number and meanings. The search runs off the user-interface thread, one at
// a time; a request made while one runs is served when it ends. With "Match
// mirror images" (on at first) a sign also matches as the mirror image of
// the target, and says so. Shown results are searched again whenever the
// dictionary changes.
//
// A click (or the arrow, Home, End and page keys in the list) selects a
// result; a double click, Return or the Insert button inserts the selected
// entry at the document's cursor, once.
class SignFinderWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int DefaultNumberOfResults = 20;

  explicit SignFinderWindow(Dictionary& dictionary, QWidget* parent = nullptr);
  ~SignFinderWindow() override;

  // Takes a copy of the sign to search for.
  void setTargetSign(const Sign& sign);
  const SignPtr& targetSign() const { return m_targetSign; }

  // Shows the window and searches for the target sign with the limit of the
  // result-limit box (20 when it holds no positive number).
  void showWindow();
  void resultLimitChanged();
  void stopButtonClicked();
  void closeButtonClicked();
  void insertButtonClicked();

  // From the start of a search until its results are handled on this thread.
  bool isSearching() const { return m_searching; }
  int resultLimit() const;
  const QList<SFResult>& results() const { return m_results; }
  const QList<ResultSignView*>& resultSignViews() const { return m_resultSignViews; }
  const QList<QLabel*>& resultTextFields() const { return m_resultTextFields; }
  // The selected result, -1 for none.
  int selectedIndex() const { return m_selected; }
  void selectResult(int index);

  // Where a clicked result is inserted; nothing once the owner is gone.
  void setInsertionTarget(QObject* owner, std::function<bool(qint64 signID)> insert);
  // The dictionary features searched (the dictionary's by default; tests
  // supply their own). Takes effect at the next search.
  void setFeatureLoader(SignFinder::FeatureLoader loader);

  QWidget* resultView() const { return m_resultView; }
  QComboBox* resultLimitComboBox() const { return m_resultLimitComboBox; }
  QPushButton* closeButton() const { return m_closeButton; }
  QPushButton* stopButton() const { return m_stopButton; }
  QPushButton* insertButton() const { return m_insertButton; }
  QCheckBox* mirrorCheckBox() const { return m_mirrorCheckBox; }
  QProgressBar* progressIndicator() const { return m_progressIndicator; }

 Q_SIGNALS:
  // A search ended and its results (if not stopped) are shown.
  void searchFinished();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void startSearch();
  // After the dictionary changed: the shown results are searched again.
  void dictionaryChanged();
  void searchDone();
  void showResults();
  void clearResults();
  void insertSelected();

  Dictionary& m_dictionary;
  SignPtr m_targetSign;
  QList<SFResult> m_results;
  QList<ResultSignView*> m_resultSignViews;
  QList<QLabel*> m_resultTextFields;
  // Touched only by the running search; dictionary changes only flag it stale.
  std::shared_ptr<SignFinder> m_finder;
  std::shared_ptr<std::atomic_bool> m_featuresStale;
  std::shared_ptr<SignFinder::FeatureLoader> m_pendingLoader;
  QFutureWatcher<QList<SFResult>> m_watcher;
  bool m_searching = false;
  bool m_stopped = false;
  bool m_pending = false;
  QString m_searchedPath;  // the dictionary file of the running search
  int m_runningLimit = DefaultNumberOfResults;
  int m_selected = -1;
  QPointer<QObject> m_insertionOwner;
  std::function<bool(qint64)> m_insert;

  QScrollArea* m_scrollArea = nullptr;
  QWidget* m_resultView = nullptr;
  QComboBox* m_resultLimitComboBox = nullptr;
  QPushButton* m_closeButton = nullptr;
  QPushButton* m_stopButton = nullptr;
  QPushButton* m_insertButton = nullptr;
  QCheckBox* m_mirrorCheckBox = nullptr;
  QProgressBar* m_progressIndicator = nullptr;
};

}  // namespace quabe
