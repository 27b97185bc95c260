#include "finder/ui/SignFinderWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <utility>

#include "core/Localization.h"
#include "core/Logging.h"
#include "dictionary/Dictionary.h"
#include "editor/ToolWindowKeys.h"
#include "finder/ui/ResultSignView.h"

namespace quabe {

SignFinderWindow::SignFinderWindow(Dictionary& dictionary, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_dictionary(dictionary),
      m_finder(std::make_shared<SignFinder>()),
      m_featuresStale(std::make_shared<std::atomic_bool>(false)) {
  closeOnEscape(this);
  setWindowTitle(loc("SignFinderTitle"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(loc("SignFinderResultLimit"), this));
  m_resultLimitComboBox = new QComboBox(this);
  m_resultLimitComboBox->setEditable(true);
  m_resultLimitComboBox->addItems(
      {QStringLiteral("8"), QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("100")});
  m_resultLimitComboBox->setCurrentText(QString::number(DefaultNumberOfResults));
  top->addWidget(m_resultLimitComboBox);
  m_mirrorCheckBox = new QCheckBox(loc("SignFinderMatchMirror"), this);
  m_mirrorCheckBox->setChecked(true);
  top->addWidget(m_mirrorCheckBox);
  m_progressIndicator = new QProgressBar(this);
  m_progressIndicator->setRange(0, 0);
  m_progressIndicator->setTextVisible(false);
  m_progressIndicator->setMaximumWidth(120);
  m_progressIndicator->hide();
  top->addWidget(m_progressIndicator);
  top->addStretch();
  layout->addLayout(top);

  m_scrollArea = new QScrollArea(this);
  m_scrollArea->setWidgetResizable(false);
  m_resultView = new QWidget;
  m_resultView->resize(ResultSignView::ViewWidth + 320, ResultSignView::Spacing);
  m_resultView->setFocusPolicy(Qt::StrongFocus);
  m_resultView->installEventFilter(this);
  m_scrollArea->setWidget(m_resultView);
  layout->addWidget(m_scrollArea, 1);

  auto* buttons = new QHBoxLayout;
  m_insertButton = new QPushButton(loc("SignFinderInsert"), this);
  m_insertButton->setEnabled(false);
  buttons->addWidget(m_insertButton);
  buttons->addStretch();
  m_stopButton = new QPushButton(loc("SignFinderStop"), this);
  m_stopButton->setEnabled(false);
  m_closeButton = new QPushButton(loc("Close"), this);
  buttons->addWidget(m_stopButton);
  buttons->addWidget(m_closeButton);
  layout->addLayout(buttons);

  // Picking a limit or pressing Return in the box; the box also commits its
  // text when it loses the focus, which must not start a search as the
  // window closes.
  connect(m_resultLimitComboBox, &QComboBox::activated, this, [this] {
    if (isVisible()) resultLimitChanged();
  });
  connect(m_mirrorCheckBox, &QCheckBox::toggled, this, [this] {
    if (isVisible()) showWindow();
  });
  connect(m_insertButton, &QPushButton::clicked, this, [this] { insertButtonClicked(); });
  connect(m_stopButton, &QPushButton::clicked, this, [this] { stopButtonClicked(); });
  connect(m_closeButton, &QPushButton::clicked, this, [this] { closeButtonClicked(); });
  connect(&m_watcher, &QFutureWatcher<QList<SFResult>>::finished, this, [this] { searchDone(); });
  connect(&m_dictionary, &Dictionary::changed, this, [this] { dictionaryChanged(); });
  resize(ResultSignView::ViewWidth + 380, 720);
}

SignFinderWindow::~SignFinderWindow() {
  // The widgets outlive this part of the window and may still signal while
  // they are torn down.
  m_resultLimitComboBox->disconnect(this);
  m_mirrorCheckBox->disconnect(this);
  m_watcher.disconnect(this);
  m_watcher.waitForFinished();
}

void SignFinderWindow::setTargetSign(const Sign& sign) { m_targetSign = sign.copy(); }

void SignFinderWindow::setInsertionTarget(QObject* owner, std::function<bool(qint64)> insert) {
  m_insertionOwner = owner;
  m_insert = std::move(insert);
}

void SignFinderWindow::setFeatureLoader(SignFinder::FeatureLoader loader) {
  m_pendingLoader = std::make_shared<SignFinder::FeatureLoader>(std::move(loader));
}

int SignFinderWindow::resultLimit() const { return SignFinder::resultLimit(m_resultLimitComboBox->currentText()); }

void SignFinderWindow::showWindow() {
  show();
  raise();
  activateWindow();
  if (!m_targetSign) return;
  if (isSearching()) {
    // One search at a time: this request runs when the current one ends.
    m_pending = true;
    return;
  }
  startSearch();
}

void SignFinderWindow::startSearch() {
  m_pending = false;
  m_stopped = false;
  m_searching = true;
  m_runningLimit = resultLimit();
  m_closeButton->setEnabled(false);
  m_stopButton->setEnabled(true);
  m_progressIndicator->show();
  // The target's features are made here; only the scoring runs in the background.
  SFSign target = SignFinder::targetFeatures(*m_targetSign, m_finder->integrateArrows, m_finder->tuning());
  const bool mirror = m_mirrorCheckBox->isChecked();
  std::shared_ptr<SignFinder> finder = m_finder;
  std::shared_ptr<std::atomic_bool> stale = m_featuresStale;
  std::shared_ptr<SignFinder::FeatureLoader> loader = std::exchange(m_pendingLoader, nullptr);
  const int limit = m_runningLimit;
  m_searchedPath = m_dictionary.path();
  m_watcher.setFuture(QtConcurrent::run(
      [finder, stale, loader, path = m_searchedPath, target = std::move(target), limit, mirror]() mutable {
        if (loader) finder->setFeatureLoader(*loader);
        finder->setDictionaryPath(path);
        if (stale->exchange(false)) finder->discardCache();
        return finder->findSimilarSigns(std::move(target), limit, mirror);
      }));
}

void SignFinderWindow::searchDone() {
  m_searching = false;
  QList<SFResult> found = m_watcher.result();
  // Results of a file that is no longer the dictionary name other entries.
  const bool sameFile = m_searchedPath == m_dictionary.path();
  if (!sameFile && !m_stopped) m_pending = true;
  if (!m_stopped && sameFile) {
    m_progressIndicator->hide();
    m_closeButton->setEnabled(true);
    m_stopButton->setEnabled(false);
    SignFinder::loadDetails(found, m_dictionary);
    m_results = found;
    showResults();
    qCDebug(lcFinder) << m_results.size() << "similar signs";
  }
  if (m_pending) {
    startSearch();
    return;
  }
  Q_EMIT searchFinished();
}

void SignFinderWindow::dictionaryChanged() {
  m_featuresStale->store(true);
  // A hidden window searches anew when it is shown.
  if (!m_targetSign || !isVisible()) return;
  if (m_searching) {
    m_pending = true;
    return;
  }
  startSearch();
}

void SignFinderWindow::clearResults() {
  qDeleteAll(m_resultSignViews);
  qDeleteAll(m_resultTextFields);
  m_resultSignViews.clear();
  m_resultTextFields.clear();
  m_selected = -1;
  m_insertButton->setEnabled(false);
}

void SignFinderWindow::selectResult(int index) {
  if (index < 0 || index >= m_resultSignViews.size()) return;
  if (m_selected >= 0 && m_selected < m_resultSignViews.size()) m_resultSignViews[m_selected]->setSelected(false);
  m_selected = index;
  m_resultSignViews[index]->setSelected(true);
  m_scrollArea->ensureWidgetVisible(m_resultSignViews[index], 0, ResultSignView::Spacing);
  m_insertButton->setEnabled(true);
}

void SignFinderWindow::insertSelected() {
  if (m_selected < 0 || m_selected >= m_results.size()) return;
  if (m_insertionOwner && m_insert) m_insert(m_results[m_selected].signID);
}

void SignFinderWindow::insertButtonClicked() { insertSelected(); }

bool SignFinderWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_resultView || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const int count = int(m_resultSignViews.size());
  const int page = qMax(1, m_scrollArea->viewport()->height() / (ResultSignView::ViewHeight + ResultSignView::Spacing));
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      selectResult(qMax(0, m_selected - 1));
      return true;
    case Qt::Key_Down:
    case Qt::Key_Right:
      selectResult(qMin(count - 1, m_selected + 1));
      return true;
    case Qt::Key_PageUp:
      selectResult(qMax(0, m_selected - page));
      return true;
    case Qt::Key_PageDown:
      selectResult(qMin(count - 1, m_selected + page));
      return true;
    case Qt::Key_Home:
      selectResult(0);
      return true;
    case Qt::Key_End:
      selectResult(count - 1);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      insertSelected();
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void SignFinderWindow::showResults() {
  clearResults();
  const int slot = ResultSignView::ViewHeight + ResultSignView::Spacing;
  const int shown = int(qMin<qsizetype>(m_results.size(), m_runningLimit));
  m_resultView->resize(m_resultView->width(), shown * slot + ResultSignView::Spacing);
  for (int i = 0; i < shown; ++i) {
    const SFResult& result = m_results.at(i);
    auto* view = new ResultSignView(result, m_resultView);
    view->move(ResultSignView::Spacing, ResultSignView::Spacing + i * slot);
    connect(view, &ResultSignView::clicked, this, [this, i] {
      selectResult(i);
      m_resultView->setFocus();
    });
    connect(view, &ResultSignView::doubleClicked, this, [this, i] {
      selectResult(i);
      insertSelected();
    });
    view->show();
    auto* text = new QLabel(result.meaning, m_resultView);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setGeometry(ResultSignView::Spacing * 2 + ResultSignView::ViewWidth, ResultSignView::Spacing + i * slot,
                      m_resultView->width() - ResultSignView::ViewWidth - 3 * ResultSignView::Spacing,
                      ResultSignView::ViewHeight);
    text->show();
    m_resultSignViews.append(view);
    m_resultTextFields.append(text);
  }
  if (shown > 0) {
    selectResult(0);
    m_resultView->setFocus();
  }
}

void SignFinderWindow::resultLimitChanged() {
  // The box commits its text again whenever it loses the focus (showing the
  // results moves the focus away); only a new limit asks for a new search.
  if (resultLimit() == m_runningLimit) return;
  showWindow();
}

void SignFinderWindow::stopButtonClicked() {
  m_progressIndicator->hide();
  m_stopButton->setEnabled(false);
  m_closeButton->setEnabled(true);
  // The scoring cannot be interrupted; its results are dropped when it ends.
  if (isSearching()) m_stopped = true;
  m_pending = false;
}

void SignFinderWindow::closeButtonClicked() { close(); }

}  // namespace quabe
