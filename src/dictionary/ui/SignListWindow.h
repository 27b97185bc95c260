#pragma once

#include <QFutureWatcher>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "dictionary/ui/CompoundWindow.h"
#include "dictionary/ui/DictEditWindow.h"
#include "document/DbSign.h"
#include "document/Sign.h"

class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace quabe {

class CompoundWindow;
class DictEditWindow;
class Dictionary;
class SignListModel;

// Where the sign list puts the entries the user inserts: the canvas of a
// document window. The owner guards the two functions: once it is destroyed
// nothing is inserted.
struct SignListTarget {
  QPointer<QObject> owner;
  // Inserts a dictionary entry at the cursor (one undo step).
  std::function<bool(qint64 signID)> insertSignAtCursorPositionBySignID;
  // Inserts signs at the cursor in order (one undo step).
  std::function<bool(const QList<SignPtr>& signs)> insertSigns;
};

// The dictionary's sign list: a five-column table of the entries (aliases
// left out) with thumbnails, a search field, a sort chooser, and buttons to
// insert an entry (or a compound's constituents) into the document at the
// cursor, edit it, remove it, reload and show all. One window is shared by
// all documents. The listing is read again whenever the dictionary changes,
// so the rows shown are always the dictionary's.
class SignListWindow : public QWidget {
  Q_OBJECT
 public:
  enum class SortOrder { ascending = 0, descending = 1 };
  // Sort keys, in the chooser's order.
  enum SortKey { ByReading = 0, ByMeanings, ByModificationTime, ByCreationTime, BySignID, SortKeyCount };

  explicit SignListWindow(Dictionary& dictionary, QWidget* parent = nullptr);
  ~SignListWindow() override;

  void setDictEditController(DictEditWindow* editor);
  void setCompoundController(CompoundWindow* editor);
  void setCanvasDelegate(SignListTarget target) { m_canvasDelegate = std::move(target); }
  const SignListTarget& canvasDelegate() const { return m_canvasDelegate; }

  // Lists the entries matching the text (the whole list for an empty text).
  void searchGloss(const QString& text);
  // Lists every entry, ordered by reading, in three steps: rows 1-30 at once,
  // then 31-100 and the rest as they are read in the background.
  void fetchWholeSigns();
  // True while fetchWholeSigns is still reading rows.
  bool isLoading() const { return m_loadWatcher.isRunning() || m_pendingRest.has_value(); }

  // Sorts by key k in the direction stored for it, then flips that direction.
  void sortBy(int key);
  // The header of a column sorts by that column's content.
  static int sortKeyOfColumn(int column);

  // --- actions ---
  void reloadButtonClicked();
  void showAllButtonClicked();
  void searchFieldChanged();
  void insertButtonClicked();
  void insertConstituentsButtonClicked();
  void editButtonClicked();
  void removeButtonClicked();
  void tableClicked(int row);
  void doubleClicked(int row);

  // Selects a row (as a click does); -1 clears the selection.
  void selectRow(int row);
  int selectedRow() const;
  qint64 currentSignID() const { return m_currentSignID; }
  const QList<DbSign>& signs() const;
  std::optional<QString> searchString() const { return m_searchString; }

  SignListModel* model() const { return m_model; }
  QTableView* tableView() const { return m_tableView; }
  QLineEdit* searchField() const { return m_searchField; }
  QComboBox* sortPopUpButton() const { return m_sortPopUpButton; }
  QProgressBar* progressIndicator() const { return m_progressIndicator; }
  QPushButton* insertButton() const { return m_insertButton; }
  QPushButton* insertConstituentsButton() const { return m_insertConstituentsButton; }
  QPushButton* editButton() const { return m_editButton; }
  QPushButton* removeButton() const { return m_removeButton; }

 Q_SIGNALS:
  // Emitted when fetchWholeSigns has read every row.
  void loadFinished();

 private:
  void buildWidgets();
  void startProgress();
  void stopProgress();
  void applySort(int key, SortOrder order);
  void reapplySort();
  void appendRest();
  // Lists again what was listed (nothing when nothing was).
  void dictionaryChanged();
  const DbSign* selectedSign() const;
  void openInEditor(const DbSign& entry);

  Dictionary& m_dictionary;
  std::optional<QString> m_searchString;
  QPointer<DictEditWindow> m_dictEditController;
  QPointer<CompoundWindow> m_compoundController;
  SignListTarget m_canvasDelegate;
  SignListModel* m_model = nullptr;
  qint64 m_currentSignID = 0;
  std::array<SortOrder, SortKeyCount> m_columnSortOrder{
      SortOrder::ascending, SortOrder::ascending, SortOrder::descending, SortOrder::descending, SortOrder::ascending};
  // The order last applied (kept when rows arrive later).
  std::optional<std::pair<int, SortOrder>> m_appliedSort;
  // Each listing gets a number; rows read for an older one are dropped.
  int m_generation = 0;
  QFutureWatcher<QList<DbSign>> m_loadWatcher;
  std::optional<QList<DbSign>> m_pendingRest;

  QTableView* m_tableView = nullptr;
  QLineEdit* m_searchField = nullptr;
  QComboBox* m_sortPopUpButton = nullptr;
  QProgressBar* m_progressIndicator = nullptr;
  QPushButton* m_insertButton = nullptr;
  QPushButton* m_insertConstituentsButton = nullptr;
  QPushButton* m_editButton = nullptr;
  QPushButton* m_removeButton = nullptr;
  QPushButton* m_reloadButton = nullptr;
  QPushButton* m_showAllButton = nullptr;
  QPushButton* m_closeButton = nullptr;
};

}  // namespace quabe
