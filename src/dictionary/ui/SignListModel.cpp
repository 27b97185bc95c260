#include "dictionary/ui/SignListModel.h"

#include <QDateTime>
#include <algorithm>

#include "core/Localization.h"
#include "dictionary/Dictionary.h"

namespace quabe {

namespace {
// About 27 MB of 150 x 150 thumbnails: several screens of rows.
constexpr int ThumbnailCacheRows = 300;
}  // namespace

SignListModel::SignListModel(const Dictionary& dictionary, QObject* parent)
    : QAbstractTableModel(parent), m_thumbnails(ThumbnailCacheRows) {
  m_thumbnailSource = [&dictionary](qint64 signID) {
    return dictionary.signImage(QSize(ThumbnailSize, ThumbnailSize), signID);
  };
}

int SignListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_signs.size()); }

int SignListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString SignListModel::signText(const DbSign& entry) {
  QString text = entry.jjsText;
  if (entry.yomi != entry.gloss) text += QStringLiteral("\n(") + entry.yomi + QLatin1Char(')');
  return text;
}

QString SignListModel::commentText(const DbSign& entry) {
  return entry.comment + QStringLiteral("\n(#") + QString::number(entry.signID) + QLatin1Char(')');
}

QString SignListModel::dateText(qint64 secondsSince1970) {
  return QDateTime::fromSecsSinceEpoch(secondsSince1970).toString(QStringLiteral("yyyy-MM-dd\n  HH:mm:ss"));
}

QVariant SignListModel::data(const QModelIndex& index, int role) const {
  const DbSign* entry = index.isValid() ? signAt(index.row()) : nullptr;
  if (!entry) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
    switch (index.column()) {
      case SignColumn:
        return signText(*entry);
      case TranslationColumn:
        return entry->meaningsText();
      case CommentColumn:
        return commentText(*entry);
      case DateModifiedColumn:
        return dateText(entry->modificationTime);
      case DateCreatedColumn:
        return dateText(entry->creationTime);
      default:
        return commentText(*entry);
    }
  }
  if (role == Qt::DecorationRole && index.column() == SignColumn) return thumbnail(entry->signID);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
  return {};
}

QVariant SignListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  static const char* const keys[] = {"SignListSign", "SignListMeanings", "SignListComment", "SignListModified",
                                     "SignListCreated"};
  return section >= 0 && section < ColumnCount ? loc(keys[section]) : QVariant();
}

int SignListModel::rowOfSignID(qint64 signID) const {
  for (int row = 0; row < m_signs.size(); ++row) {
    if (m_signs.at(row).signID == signID) return row;
  }
  return -1;
}

void SignListModel::setSigns(QList<DbSign> signs) {
  beginResetModel();
  m_signs = std::move(signs);
  endResetModel();
}

void SignListModel::appendSigns(const QList<DbSign>& signs) {
  if (signs.isEmpty()) return;
  beginInsertRows(QModelIndex(), int(m_signs.size()), int(m_signs.size() + signs.size() - 1));
  m_signs.append(signs);
  endInsertRows();
}

void SignListModel::sortSigns(const std::function<bool(const DbSign&, const DbSign&)>& less) {
  Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  QList<qint64> ids;
  for (const QModelIndex& index : before) ids.append(m_signs.value(index.row()).signID);
  std::stable_sort(m_signs.begin(), m_signs.end(), less);
  QModelIndexList after;
  for (int i = 0; i < before.size(); ++i) after.append(this->index(rowOfSignID(ids.at(i)), before.at(i).column()));
  changePersistentIndexList(before, after);
  Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void SignListModel::setThumbnailSource(ThumbnailSource source) {
  m_thumbnailSource = std::move(source);
  clearThumbnails();
}

void SignListModel::clearThumbnails() { m_thumbnails.clear(); }

QPixmap SignListModel::thumbnail(qint64 signID) const {
  if (QPixmap* cached = m_thumbnails.object(signID)) return *cached;
  QImage image = m_thumbnailSource ? m_thumbnailSource(signID) : QImage();
  ++m_thumbnailsDrawn;
  // Signs larger than the thumbnail are shown whole, scaled down.
  if (!image.isNull() && (image.width() > ThumbnailSize || image.height() > ThumbnailSize)) {
    image = image.scaled(ThumbnailSize, ThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  auto* pixmap = new QPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
  const QPixmap result = *pixmap;
  m_thumbnails.insert(signID, pixmap);
  return result;
}

}  // namespace quabe
