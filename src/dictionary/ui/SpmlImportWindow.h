#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QWidget>
#include <functional>

#include "dictionary/SpmlList.h"

class QButtonGroup;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace quabe {

// The entries of an SPML file as a three-column table: id, title, source.
class SpmlListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void setEntries(QList<SpmlListEntry> entries);
  const QList<SpmlListEntry>& entries() const { return m_entries; }
  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_entries.size()); }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QList<SpmlListEntry> m_entries;
};

// Lists an SPML file's entries, sorted by id or title and narrowed by a
// filter; Show (or a double click) inserts the entry's term sign and the
// signs of its text at the cursor of a document, as one undo step.
class SpmlImportWindow : public QWidget {
  Q_OBJECT
 public:
  enum SortKey { ById = 0, ByTitle = 1 };
  // Inserts signs in order; false when there is no document to take them.
  using Inserter = std::function<bool(const QList<SignPtr>& signs)>;

  explicit SpmlImportWindow(QWidget* parent = nullptr);
  void setInserter(Inserter inserter) { m_inserter = std::move(inserter); }

  // Reads the file into the list; false, with an alert, when it cannot be read.
  bool openFile(const QString& path);
  void setEntries(QList<SpmlListEntry> entries);
  const QList<SpmlListEntry>& entries() const { return m_model->entries(); }

  void sortBy(SortKey key);
  void setFilter(const QString& text);
  // Rows as listed (after sorting and filtering).
  int visibleRowCount() const;
  const SpmlListEntry* visibleEntry(int row) const;
  // Inserts the entry of a listed row; false when nothing was inserted.
  bool showRow(int row);
  bool showSelected();

  QTableView* tableView() const { return m_table; }
  QLineEdit* filterField() const { return m_filter; }

 private:
  SpmlListModel* m_model;
  QSortFilterProxyModel* m_proxy;
  QTableView* m_table;
  QLineEdit* m_filter;
  QButtonGroup* m_sort;
  Inserter m_inserter;
};

}  // namespace quabe
