#include "dictionary/ui/SpmlImportWindow.h"

#include <QButtonGroup>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "editor/ToolWindowKeys.h"

namespace quabe {

void SpmlListModel::setEntries(QList<SpmlListEntry> entries) {
  beginResetModel();
  m_entries = std::move(entries);
  endResetModel();
}

QVariant SpmlListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_entries.size()) return {};
  const SpmlListEntry& e = m_entries[index.row()];
  if (role == Qt::DisplayRole) {
    switch (index.column()) {
      case 0:
        return e.id;
      case 1:
        return e.title;
      default:
        return e.source;
    }
  }
  if (role == Qt::TextAlignmentRole && index.column() == 0) return int(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant SpmlListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const keys[] = {"SpmlColumnId", "SpmlColumnTitle", "SpmlColumnSource"};
  return section >= 0 && section < 3 ? loc(keys[section]) : QVariant();
}

SpmlImportWindow::SpmlImportWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_model(new SpmlListModel(this)),
      m_proxy(new QSortFilterProxyModel(this)),
      m_table(new QTableView(this)),
      m_filter(new QLineEdit(this)),
      m_sort(new QButtonGroup(this)) {
  setWindowTitle(loc("MenuImportSpml").remove(QChar(0x2026)));
  m_proxy->setSourceModel(m_model);
  m_proxy->setFilterKeyColumn(-1);
  m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
  m_proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
  m_table->setModel(m_proxy);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->verticalHeader()->hide();
  m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  m_table->horizontalHeader()->setStretchLastSection(true);
  m_table->setColumnWidth(0, 70);
  m_table->setColumnWidth(1, 220);
  connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { showRow(index.row()); });
  // Return on the list shows the selected entry, as Show does.
  for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), m_table, nullptr, nullptr, Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this, &SpmlImportWindow::showSelected);
  }

  m_filter->setPlaceholderText(loc("SpmlFilter"));
  m_filter->setClearButtonEnabled(true);
  connect(m_filter, &QLineEdit::textChanged, this, &SpmlImportWindow::setFilter);

  auto* top = new QHBoxLayout;
  const char* const sortKeys[] = {"SpmlSortById", "SpmlSortByTitle"};
  for (int key : {ById, ByTitle}) {
    auto* button = new QPushButton(loc(sortKeys[key]), this);
    button->setCheckable(true);
    m_sort->addButton(button, key);
    top->addWidget(button);
  }
  m_sort->button(ById)->setChecked(true);
  connect(m_sort, &QButtonGroup::idClicked, this, [this](int key) { sortBy(SortKey(key)); });
  top->addWidget(m_filter, 1);
  auto* show = new QPushButton(loc("SpmlShow"), this);
  show->setDefault(true);
  connect(show, &QPushButton::clicked, this, &SpmlImportWindow::showSelected);
  top->addWidget(show);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_table);
  resize(640, 520);
  closeOnEscape(this);
}

bool SpmlImportWindow::openFile(const QString& path) {
  QFile file(path);
  QList<SpmlListEntry> entries;
  QString error;
  if (!file.open(QIODevice::ReadOnly) || !readSpmlList(&file, entries, &error)) {
    alerts().alert(loc("SpmlNotReadable"),
                   QStringLiteral("%1: %2").arg(path, error.isEmpty() ? file.errorString() : error));
    return false;
  }
  setWindowTitle(QFileInfo(path).fileName());
  setEntries(std::move(entries));
  return true;
}

void SpmlImportWindow::setEntries(QList<SpmlListEntry> entries) {
  m_model->setEntries(std::move(entries));
  sortBy(SortKey(qMax(0, m_sort->checkedId())));
}

void SpmlImportWindow::sortBy(SortKey key) {
  if (QAbstractButton* button = m_sort->button(key)) button->setChecked(true);
  m_proxy->sort(key == ById ? 0 : 1, Qt::AscendingOrder);
}

void SpmlImportWindow::setFilter(const QString& text) {
  if (m_filter->text() != text) m_filter->setText(text);
  m_proxy->setFilterFixedString(text);
}

int SpmlImportWindow::visibleRowCount() const { return m_proxy->rowCount(); }

const SpmlListEntry* SpmlImportWindow::visibleEntry(int row) const {
  const QModelIndex source = m_proxy->mapToSource(m_proxy->index(row, 0));
  return source.isValid() ? &m_model->entries()[source.row()] : nullptr;
}

bool SpmlImportWindow::showRow(int row) {
  const SpmlListEntry* entry = visibleEntry(row);
  if (!entry || !m_inserter) return false;
  const QList<SignPtr> signs = entry->signs();
  return !signs.isEmpty() && m_inserter(signs);
}

bool SpmlImportWindow::showSelected() {
  const QModelIndexList rows = m_table->selectionModel()->selectedRows();
  return !rows.isEmpty() && showRow(rows.first().row());
}

}  // namespace quabe
