#include "dictionary/ui/SignListWindow.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <climits>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "core/Logging.h"
#include "dictionary/Dictionary.h"
#include "dictionary/ui/CompoundWindow.h"
#include "dictionary/ui/DictEditWindow.h"
#include "dictionary/ui/SignListModel.h"
#include "dictionary/ui/SignListQuery.h"
#include "document/Compound.h"
#include "editor/ToolWindowKeys.h"

namespace quabe {

namespace {
constexpr int FirstStep = 30;
constexpr int SecondStep = 100;
}  // namespace

SignListWindow::SignListWindow(Dictionary& dictionary, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dictionary(dictionary) {
  closeOnEscape(this);
  setWindowTitle(loc("SignListTitle"));
  m_model = new SignListModel(m_dictionary, this);
  buildWidgets();
  connect(&m_loadWatcher, &QFutureWatcher<QList<DbSign>>::finished, this, [this] {
    if (m_loadWatcher.future().isValid() && m_loadWatcher.property("generation").toInt() == m_generation) {
      m_pendingRest = m_loadWatcher.result();
      appendRest();
    }
  });
  connect(&m_dictionary, &Dictionary::switched, this, [this] { updateStatus(); });
  connect(&m_dictionary, &Dictionary::changed, this, [this] { dictionaryChanged(); });
  resize(1000, 700);
}

SignListWindow::~SignListWindow() { m_loadWatcher.waitForFinished(); }

void SignListWindow::buildWidgets() {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  m_searchField = new QLineEdit(this);
  m_searchField->setPlaceholderText(loc("SearchDictionary"));
  m_searchField->setClearButtonEnabled(true);
  m_sortPopUpButton = new QComboBox(this);
  for (const char* key :
       {"SortByReading", "SortByMeanings", "SortByModificationTime", "SortByCreationTime", "SortBySignID"}) {
    m_sortPopUpButton->addItem(loc(key));
  }
  m_progressIndicator = new QProgressBar(this);
  m_progressIndicator->setRange(0, 0);
  m_progressIndicator->setMaximumWidth(120);
  m_progressIndicator->setTextVisible(false);
  m_progressIndicator->hide();
  top->addWidget(m_searchField, 1);
  top->addWidget(m_sortPopUpButton);
  top->addWidget(m_progressIndicator);
  layout->addLayout(top);

  m_tableView = new QTableView(this);
  m_tableView->setModel(m_model);
  m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
  m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_tableView->setIconSize(QSize(SignListModel::ThumbnailSize, SignListModel::ThumbnailSize));
  m_tableView->setWordWrap(true);
  m_tableView->setAlternatingRowColors(true);
  m_tableView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  QHeaderView* rows = m_tableView->verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(SignListModel::ThumbnailSize + 6);
  rows->hide();
  QHeaderView* columns = m_tableView->horizontalHeader();
  columns->setSectionsClickable(true);
  columns->setSortIndicatorShown(true);
  columns->setStretchLastSection(true);
  m_tableView->setColumnWidth(SignListModel::SignColumn, 330);
  m_tableView->setColumnWidth(SignListModel::TranslationColumn, 200);
  m_tableView->setColumnWidth(SignListModel::CommentColumn, 200);
  m_tableView->setColumnWidth(SignListModel::DateModifiedColumn, 120);
  layout->addWidget(m_tableView, 1);
  m_statusLabel = new QLabel(this);
  m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
  layout->addWidget(m_statusLabel);
  connect(m_model, &QAbstractItemModel::modelReset, this, &SignListWindow::updateStatus);
  connect(m_model, &QAbstractItemModel::rowsInserted, this, &SignListWindow::updateStatus);

  auto* buttons = new QHBoxLayout;
  m_insertButton = new QPushButton(loc("SignListInsert"), this);
  m_insertConstituentsButton = new QPushButton(loc("SignListInsertConstituents"), this);
  m_insertConstituentsButton->setEnabled(false);
  m_editButton = new QPushButton(loc("SignListEdit"), this);
  m_removeButton = new QPushButton(loc("SignListRemove"), this);
  m_reloadButton = new QPushButton(loc("SignListReload"), this);
  m_showAllButton = new QPushButton(loc("SignListShowAll"), this);
  m_closeButton = new QPushButton(loc("Close"), this);
  for (QPushButton* button : {m_insertButton, m_insertConstituentsButton, m_editButton, m_removeButton}) {
    buttons->addWidget(button);
  }
  buttons->addStretch();
  for (QPushButton* button : {m_reloadButton, m_showAllButton, m_closeButton}) buttons->addWidget(button);
  layout->addLayout(buttons);

  connect(m_searchField, &QLineEdit::returnPressed, this, [this] { searchFieldChanged(); });
  connect(m_sortPopUpButton, &QComboBox::activated, this, [this](int index) { sortBy(index); });
  connect(columns, &QHeaderView::sectionClicked, this, [this](int column) { sortBy(sortKeyOfColumn(column)); });
  connect(m_tableView, &QTableView::clicked, this, [this](const QModelIndex& index) { tableClicked(index.row()); });
  connect(m_tableView, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { doubleClicked(index.row()); });
  connect(m_tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            const DbSign* entry = m_model->signAt(current.row());
            if (!entry) return;
            m_currentSignID = entry->signID;
            m_insertConstituentsButton->setEnabled(entry->isCompound);
          });
  connect(m_insertButton, &QPushButton::clicked, this, [this] { insertButtonClicked(); });
  connect(m_insertConstituentsButton, &QPushButton::clicked, this, [this] { insertConstituentsButtonClicked(); });
  connect(m_editButton, &QPushButton::clicked, this, [this] { editButtonClicked(); });
  connect(m_removeButton, &QPushButton::clicked, this, [this] { removeButtonClicked(); });
  connect(m_reloadButton, &QPushButton::clicked, this, [this] { reloadButtonClicked(); });
  connect(m_showAllButton, &QPushButton::clicked, this, [this] { showAllButtonClicked(); });
  connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void SignListWindow::setDictEditController(DictEditWindow* editor) { m_dictEditController = editor; }

void SignListWindow::setCompoundController(CompoundWindow* editor) { m_compoundController = editor; }

const QList<DbSign>& SignListWindow::signs() const { return m_model->signs(); }

void SignListWindow::startProgress() {
  m_progressIndicator->show();
  m_progressIndicator->setRange(0, 0);
}

void SignListWindow::stopProgress() { m_progressIndicator->hide(); }

void SignListWindow::searchGloss(const QString& text) {
  if (text.isEmpty()) {
    m_searchField->clear();
    m_searchString = text;
    fetchWholeSigns();
    return;
  }
  ++m_generation;
  m_pendingRest.reset();
  m_searchString = text;
  if (m_searchField->text() != text) m_searchField->setText(text);
  startProgress();
  m_model->setSigns(listDictionarySigns(m_dictionary.path(), text, 1, INT_MAX));
  m_appliedSort.reset();
  m_insertConstituentsButton->setEnabled(false);
  stopProgress();
}

void SignListWindow::updateStatus() {
  const QString name = QFileInfo(m_dictionary.path()).fileName();
  setWindowTitle(loc("SignListTitle") + QStringLiteral(" — ") + name);
  const int rows = m_model->rowCount();
  const QString search = m_searchString.value_or(QString());
  m_statusLabel->setText(rows == 0 && !search.isEmpty() ? loc("NoSignsFound").arg(search, name)
                                                        : loc("SignsInDictionary").arg(rows).arg(name));
}

void SignListWindow::fetchWholeSigns() {
  const int generation = ++m_generation;
  m_pendingRest.reset();
  startProgress();
  m_model->clearThumbnails();
  m_model->setSigns(listDictionarySigns(m_dictionary.path(), QString(), 1, FirstStep));
  m_appliedSort.reset();
  m_insertConstituentsButton->setEnabled(false);
  if (m_model->rowCount() < FirstStep) {
    stopProgress();
    Q_EMIT loadFinished();
    return;
  }
  // The rest is read off the user-interface thread, on its own connection.
  m_loadWatcher.setProperty("generation", generation);
  m_loadWatcher.setFuture(QtConcurrent::run(
      [path = m_dictionary.path()] { return listDictionarySigns(path, QString(), FirstStep + 1, INT_MAX); }));
}

void SignListWindow::dictionaryChanged() {
  if (!m_searchString && m_model->rowCount() == 0 && !isLoading()) return;
  // Thumbnails are kept by entry id, which may name another entry now.
  m_model->clearThumbnails();
  if (m_searchString && !m_searchString->isEmpty()) {
    searchGloss(*m_searchString);
  } else {
    fetchWholeSigns();
  }
}

void SignListWindow::appendRest() {
  if (!m_pendingRest) return;
  const int shown = m_model->rowCount();
  if (shown < SecondStep) {
    // Rows up to 100 first; the rest after the table has had a chance to draw.
    const qsizetype take = qMin<qsizetype>(SecondStep - shown, m_pendingRest->size());
    m_model->appendSigns(m_pendingRest->mid(0, take));
    m_pendingRest->remove(0, take);
    if (!m_pendingRest->isEmpty()) {
      const int generation = m_generation;
      QTimer::singleShot(0, this, [this, generation] {
        if (generation == m_generation) appendRest();
      });
      return;
    }
  } else {
    m_model->appendSigns(*m_pendingRest);
  }
  m_pendingRest.reset();
  reapplySort();
  stopProgress();
  Q_EMIT loadFinished();
}

int SignListWindow::sortKeyOfColumn(int column) {
  switch (column) {
    case SignListModel::SignColumn:
      return ByReading;
    case SignListModel::TranslationColumn:
      return ByMeanings;
    case SignListModel::CommentColumn:
      return BySignID;  // the comment cell ends with the entry's number
    case SignListModel::DateModifiedColumn:
      return ByModificationTime;
    case SignListModel::DateCreatedColumn:
      return ByCreationTime;
    default:
      return -1;
  }
}

void SignListWindow::sortBy(int key) {
  if (key < 0 || key >= SortKeyCount) return;
  const SortOrder order = m_columnSortOrder.at(key);
  applySort(key, order);
  m_columnSortOrder[key] = order == SortOrder::ascending ? SortOrder::descending : SortOrder::ascending;
  m_sortPopUpButton->setCurrentIndex(key);
}

void SignListWindow::reapplySort() {
  if (m_appliedSort) applySort(m_appliedSort->first, m_appliedSort->second);
}

void SignListWindow::applySort(int key, SortOrder order) {
  const bool ascending = order == SortOrder::ascending;
  std::function<bool(const DbSign&, const DbSign&)> less;
  auto byNumber = [ascending](qint64 a, qint64 b) { return ascending ? a < b : a > b; };
  auto byText = [ascending](const QString& a, const QString& b) {
    const int c = a.compare(b);
    return ascending ? c < 0 : c > 0;
  };
  switch (key) {
    case ByReading:
      less = [byText](const DbSign& a, const DbSign& b) { return byText(a.yomi, b.yomi); };
      break;
    case ByMeanings: {
      // The joined meanings are made once per row, not per comparison.
      QHash<qint64, QString> texts;
      for (const DbSign& entry : m_model->signs()) texts.insert(entry.signID, entry.meaningsText());
      less = [byText, texts](const DbSign& a, const DbSign& b) {
        return byText(texts.value(a.signID), texts.value(b.signID));
      };
      break;
    }
    case ByModificationTime:
      less = [byNumber](const DbSign& a, const DbSign& b) { return byNumber(a.modificationTime, b.modificationTime); };
      break;
    case ByCreationTime:
      less = [byNumber](const DbSign& a, const DbSign& b) { return byNumber(a.creationTime, b.creationTime); };
      break;
    default:
      less = [byNumber](const DbSign& a, const DbSign& b) { return byNumber(a.signID, b.signID); };
      break;
  }
  m_model->sortSigns(less);
  m_appliedSort = std::make_pair(key, order);
  int column = -1;
  for (int c = 0; c < SignListModel::ColumnCount; ++c) {
    if (sortKeyOfColumn(c) == key) column = c;
  }
  m_tableView->horizontalHeader()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void SignListWindow::reloadButtonClicked() { searchGloss(m_searchField->text()); }

void SignListWindow::showAllButtonClicked() { searchGloss(QString()); }

void SignListWindow::searchFieldChanged() {
  const QString text = m_searchField->text();
  if (!text.isEmpty()) searchGloss(text);
}

void SignListWindow::selectRow(int row) {
  if (row < 0 || row >= m_model->rowCount()) {
    m_tableView->clearSelection();
    return;
  }
  m_tableView->selectRow(row);
  m_tableView->scrollTo(m_model->index(row, 0));
  tableClicked(row);
}

int SignListWindow::selectedRow() const {
  const QModelIndexList selected = m_tableView->selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : selected.first().row();
}

const DbSign* SignListWindow::selectedSign() const { return m_model->signAt(selectedRow()); }

void SignListWindow::tableClicked(int row) {
  const DbSign* entry = m_model->signAt(row);
  if (!entry) return;
  m_currentSignID = entry->signID;
  m_insertConstituentsButton->setEnabled(entry->isCompound);
}

void SignListWindow::doubleClicked(int row) {
  if (!m_model->signAt(row)) return;
  // The row double clicked is the one inserted, whatever was selected before.
  if (selectedRow() != row) selectRow(row);
  insertButtonClicked();
}

void SignListWindow::insertButtonClicked() {
  const DbSign* entry = selectedSign();
  if (!entry) return;
  if (!m_canvasDelegate.owner || !m_canvasDelegate.insertSignAtCursorPositionBySignID) {
    qCDebug(lcDictionary) << "no document to insert into";
    return;
  }
  m_canvasDelegate.insertSignAtCursorPositionBySignID(entry->signID);
}

void SignListWindow::insertConstituentsButtonClicked() {
  const DbSign* entry = selectedSign();
  if (!entry || !entry->isCompound) return;
  if (!m_canvasDelegate.owner || !m_canvasDelegate.insertSigns) {
    qCDebug(lcDictionary) << "no document to insert into";
    return;
  }
  QList<qint64> ids;
  {
    SqliteDatabase db = m_dictionary.database();
    if (db.open()) ids = Dictionary::getConstituentIDs(entry->signID, db);
  }
  if (ids.isEmpty()) return;
  m_canvasDelegate.insertSigns(m_dictionary.getSigns(ids));
}

void SignListWindow::editButtonClicked() {
  if (const DbSign* entry = selectedSign()) openInEditor(*entry);
}

void SignListWindow::openInEditor(const DbSign& entry) {
  auto record = std::make_shared<DbSign>(entry);
  if (entry.isCompound) {
    if (!m_compoundController) return;
    {
      SqliteDatabase db = m_dictionary.database();
      record->constituentIDs = db.open() ? Dictionary::getConstituentIDs(entry.signID, db) : QList<qint64>();
    }
    m_compoundController->setCompound(m_dictionary.makeCompound(record));
    m_compoundController->show();
    m_compoundController->raise();
    m_compoundController->activateWindow();
    return;
  }
  if (!m_dictEditController) return;
  const auto sign = std::make_shared<Sign>(record, m_dictionary.getSpelling(entry.signID));
  m_dictEditController->setSign(*sign);
  m_dictEditController->show();
  m_dictEditController->raise();
  m_dictEditController->activateWindow();
}

void SignListWindow::removeButtonClicked() {
  const DbSign* entry = selectedSign();
  if (!entry) return;
  m_currentSignID = entry->signID;
  if (alerts().ask(loc("DoYouWantToDeleteSign"), loc("ThisOperationCannotBeUndone"), {loc("Yes"), loc("No")}, 1) != 0) {
    return;
  }
  // The list reads its rows again as the dictionary announces the change.
  if (!m_dictionary.deleteSign(m_currentSignID)) alerts().alert(loc("FailedToUpdateDictionary"), QString());
}

}  // namespace quabe
