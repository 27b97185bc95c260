#pragma once

#include <QAbstractTableModel>
#include <QCache>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <functional>

#include "document/DbSign.h"

namespace quabe {

// The rows of the sign list: entry records in display order. Thumbnails
// are drawn when a row is first shown and kept for the most recently shown
// rows only, so listing the whole dictionary costs no drawing.
class Dictionary;

class SignListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { SignColumn = 0, TranslationColumn, CommentColumn, DateModifiedColumn, DateCreatedColumn, ColumnCount };
  static constexpr int ThumbnailSize = 150;

  // Thumbnails come from the dictionary.
  explicit SignListModel(const Dictionary& dictionary, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  const QList<DbSign>& signs() const { return m_signs; }
  const DbSign* signAt(int row) const { return row >= 0 && row < m_signs.size() ? &m_signs.at(row) : nullptr; }
  int rowOfSignID(qint64 signID) const;
  void setSigns(QList<DbSign> signs);
  void appendSigns(const QList<DbSign>& signs);
  // Reorders the rows in place (a stable sort by the comparison).
  void sortSigns(const std::function<bool(const DbSign&, const DbSign&)>& less);

  // The cell texts.
  static QString signText(const DbSign& entry);
  static QString commentText(const DbSign& entry);
  static QString dateText(qint64 secondsSince1970);

  // Where thumbnails come from (the dictionary by default); tests count calls.
  using ThumbnailSource = std::function<QImage(qint64 signID)>;
  void setThumbnailSource(ThumbnailSource source);
  // Drops the drawn thumbnails (after the dictionary changed).
  void clearThumbnails();
  int thumbnailsDrawn() const { return m_thumbnailsDrawn; }

 private:
  QPixmap thumbnail(qint64 signID) const;

  QList<DbSign> m_signs;
  ThumbnailSource m_thumbnailSource;
  mutable QCache<qint64, QPixmap> m_thumbnails;
  mutable int m_thumbnailsDrawn = 0;
};

}  // namespace quabe
