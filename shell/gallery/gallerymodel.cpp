#include "shell/gallery/gallerymodel.h"

#include "document/gallerydocument.h"
#include "document/imageentry.h"
#include "pagegen/expandedcomment.h"
#include "pagegen/pagelinks.h"

#include <QFileInfo>
#include <algorithm>

namespace {
const char *const kHeaders[GalleryModel::ColumnCount]
    = {"Fichier", "Taille", "Commentaire", "Vignette", "Options"};
} // namespace

bool IsThumbnailFileText(const QString &text)
{
    return !text.isEmpty() && text != ThumbnailStateText::WithPage()
        && text != ThumbnailStateText::Scheduled() && text != ThumbnailStateText::InProgress()
        && text != ThumbnailStateText::Failed();
}

GalleryModel::GalleryModel(GalleryDocument &document, QObject *parent)
    : QAbstractTableModel(parent)
    , m_document(document)
    , m_commentIcon(QStringLiteral(":/icons/comment.svg"))
    , m_thumbnailIcon(QStringLiteral(":/icons/thumbnail.svg"))
    , m_optionsIcon(QStringLiteral(":/icons/options.svg"))
{
}

int GalleryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GalleryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GalleryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const RowTexts &row = m_rows[index.row()];
    const int column = index.column();
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        switch (column) {
        case FileColumn:
            return FileNameOf(row.path);
        case SizeColumn:
            return row.info;
        case CommentColumn:
            return GetExpandedComment(m_document, index.row());
        case ThumbnailColumn:
            return row.thumbnail;
        case OptionsColumn:
            return m_document.GetOptionsSummary(index.row());
        default:
            return {};
        }
    }
    if (role == Qt::EditRole && column == CommentColumn)
        return m_document.GetComment(index.row());
    if (role == Qt::DecorationRole) {
        switch (column) {
        case FileColumn:
            return FileIcon(row.path);
        case CommentColumn:
            return m_commentIcon;
        case ThumbnailColumn:
            return IsThumbnailFileText(row.thumbnail) ? QVariant(m_thumbnailIcon) : QVariant();
        case OptionsColumn:
            return m_optionsIcon;
        default:
            return {};
        }
    }
    return {};
}

bool GalleryModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != CommentColumn
        || index.row() >= int(m_rows.size()))
        return false;
    if (m_commentEditor)
        m_commentEditor(index.row(), value.toString());
    else
        m_document.SetComment(index.row(), value.toString());
    Q_EMIT dataChanged(index, index);
    return true;
}

Qt::ItemFlags GalleryModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f
        = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == CommentColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant GalleryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return QString::fromUtf8(kHeaders[section]);
    if (role == Qt::DecorationRole && section == CommentColumn)
        return m_commentIcon;
    if (role == Qt::DecorationRole && section == OptionsColumn)
        return m_optionsIcon;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void GalleryModel::InsertRows(int first, std::vector<RowTexts> &&rows)
{
    if (rows.empty())
        return;
    first = std::clamp(first, 0, int(m_rows.size()));
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    m_rows.insert(
        m_rows.begin() + first, std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    endInsertRows();
}

void GalleryModel::RemoveRow(int row)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void GalleryModel::ReorderRows(const std::vector<int> &order)
{
    if (order.size() > m_rows.size())
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRow(order.size());
    std::vector<RowTexts> rows;
    rows.reserve(m_rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        newRow[std::size_t(order[i])] = int(i);
        rows.push_back(std::move(m_rows[std::size_t(order[i])]));
    }
    for (std::size_t i = order.size(); i < m_rows.size(); ++i)
        rows.push_back(std::move(m_rows[i]));
    m_rows.swap(rows);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &index : from) {
        const int row = index.row() < int(newRow.size()) ? newRow[std::size_t(index.row())] : index.row();
        to << this->index(row, index.column());
    }
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void GalleryModel::RemoveRows(int first, int count)
{
    if (first < 0 || count <= 0 || first + count > int(m_rows.size()))
        return;
    beginRemoveRows({}, first, first + count - 1);
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
    endRemoveRows();
}

int GalleryModel::FindRow(int hint, const QString &path) const
{
    const int count = int(m_rows.size());
    if (hint >= 0 && hint < count && m_rows[hint].path == path)
        return hint;
    // Rows drift only a little between the document's call and this one:
    // search outwards from the hint.
    hint = std::clamp(hint, 0, std::max(count - 1, 0));
    if (hint < count && m_rows[hint].path == path)
        return hint;
    for (int d = 1; d <= count; ++d) {
        if (hint - d < 0 && hint + d >= count)
            break;
        if (hint + d < count && m_rows[hint + d].path == path)
            return hint + d;
        if (hint - d >= 0 && m_rows[hint - d].path == path)
            return hint - d;
    }
    return -1;
}

void GalleryModel::SetThumbnailText(int hint, const QString &path, const QString &text)
{
    const int row = FindRow(hint, path);
    if (row < 0)
        return;
    m_rows[row].thumbnail = text;
    const QModelIndex cell = index(row, ThumbnailColumn);
    Q_EMIT dataChanged(cell, cell);
}

void GalleryModel::CopyThumbnailText(int from, int to)
{
    const int count = int(m_rows.size());
    if (from < 0 || to < 0 || from >= count || to >= count || from == to)
        return;
    m_rows[to].thumbnail = m_rows[from].thumbnail;
    const QModelIndex cell = index(to, ThumbnailColumn);
    Q_EMIT dataChanged(cell, cell);
}

void GalleryModel::RefreshDocumentColumns()
{
    if (m_rows.empty())
        return;
    Q_EMIT dataChanged(index(0, CommentColumn), index(int(m_rows.size()) - 1, OptionsColumn));
}

QString GalleryModel::Path(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[row].path : QString();
}

QString GalleryModel::Info(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[row].info : QString();
}

QString GalleryModel::ThumbnailText(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[row].thumbnail : QString();
}

bool GalleryModel::HasThumbnailFile(int row) const
{
    return IsThumbnailFileText(ThumbnailText(row));
}

QIcon GalleryModel::FileIcon(const QString &path) const
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    auto it = m_iconsBySuffix.constFind(suffix);
    if (it != m_iconsBySuffix.constEnd())
        return *it;
    const QIcon icon = m_iconProvider.icon(QFileInfo(path));
    m_iconsBySuffix.insert(suffix, icon);
    return icon;
}
